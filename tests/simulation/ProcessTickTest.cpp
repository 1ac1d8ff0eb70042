#include "ProcessTick.h"
#include "MachiningInputs.h"
#include "Materials.h"
#include "RecordingViews.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

SimulationState ReadyToRun(int tool = 1, int work = 1) {
    SimulationState s;
    Initialise(s);
    s.ToolMaterial = tool;
    s.WorkMaterial = work;
    EXPECT_FALSE(PrepareProcessStart(s).has_value());
    return s;
}

TEST(Tick, PhaseCyclesThroughSixFrames) {
    SimulationState s = ReadyToRun();
    RecordingViews views(s);
    const int expected[] = {1, 2, 3, 4, 5, 0, 1, 2};
    for (int phase : expected) {
        AdvanceProcess(s, views);
        EXPECT_EQ(s.FrameCounter, phase);
    }
    s.FrameCounter = 9; // anything at 5 or above starts again at 0
    AdvanceProcess(s, views);
    EXPECT_EQ(s.FrameCounter, 0);
}

// The start values drill 20 mm to a travel limit of 48 px, at 0.2 mm/rev and at 0.5 mm/rev,
// where the drill stands exactly on the last position from which it still advances.
TEST(Tick, RunFromTheStartValuesToTheEndOfTravel) {
    struct Case {
        int feedHundredths, firstTipMove;
        double tipAtFirstMove;
        int cutAtFirstMove, firstLoad, lastAdvance, stopTick;
        double top, depth, tip;
        int tipPx;
        double shoulder;
        int shoulderPx;
    };
    // The full width is in once the tip is more than 22 / 1.75 px deep: from the tip's 63rd
    // step at 0.2 mm/rev, from its 26th at 0.5 mm/rev.
    const Case cases[] = {
        {20, 26, 74.2, 0, 27, 241, 246, -251.8, 24.1, 118.2, 118, 74 + (221 - 62) * 0.2, 106},
        {50, 11, 74.5, 1, 11, 97, 102, -251.5, 24.25, 120.0, 120, 107.5, 108},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.feedHundredths);
        SimulationState s = ReadyToRun();
        ApplyFeed(s, c.feedHundredths);
        RecordingViews views(s);
        int firstTipMove = 0, firstLoad = 0, advances = 0, lastAdvance = 0, stopTick = 0;
        for (int tick = 1; tick <= 400 && stopTick == 0; ++tick) {
            const double top = s.DrillTopY, tip = s.TipY;
            const TickResult result = AdvanceProcess(s, views);
            ASSERT_NE(result, TickResult::DrillBroke);
            if (s.DrillTopY != top) {
                ++advances;
                lastAdvance = tick;
            }
            if (firstTipMove == 0 && s.TipY != tip) {
                firstTipMove = tick;
                EXPECT_DOUBLE_EQ(s.TipY, c.tipAtFirstMove);
                EXPECT_EQ(s.CutHalfWidthPx, c.cutAtFirstMove); // 0.35 rounds to 0: no loads
            }
            if (firstLoad == 0 && s.ForceTrace[NewestSample] != 0) {
                firstLoad = tick;
                EXPECT_EQ(s.CutHalfWidthPx, 1);
                EXPECT_EQ(s.CutDiameter, 1.0);
            }
            if (result == TickResult::TimerDisabled) {
                stopTick = tick;
            }
        }
        EXPECT_EQ(firstTipMove, c.firstTipMove);
        EXPECT_EQ(firstLoad, c.firstLoad);
        EXPECT_EQ(advances, c.lastAdvance); // every tick up to the last one advanced
        EXPECT_EQ(lastAdvance, c.lastAdvance);
        EXPECT_EQ(stopTick, c.stopTick);
        EXPECT_EQ(s.FrameCounter, 0);
        EXPECT_NEAR(s.DrillTopY, c.top, 1e-9);
        EXPECT_NEAR(s.HoleDepth, c.depth, 1e-9);
        EXPECT_NEAR(s.TipY, c.tip, 1e-9);
        EXPECT_EQ(s.TipYPx, c.tipPx);
        // The diameter in cut stops at the drill's while the cut half width goes on to 22.
        EXPECT_EQ(s.CutHalfWidthPx, 22);
        EXPECT_EQ(s.CutDiameter, 20.0);
        EXPECT_NEAR(s.ShoulderY, c.shoulder, 1e-9);
        EXPECT_EQ(s.ShoulderYPx, c.shoulderPx);
        // Every tick plotted, then drew; the stopping tick too.
        EXPECT_EQ(views.calls.size(), 2u * static_cast<std::size_t>(c.stopTick));
        EXPECT_EQ(views.calls.substr(0, 4), "PDPD");
        EXPECT_NEAR(views.plotted.back().NewestTime, c.stopTick * 20.0 / 159.0, 1e-9);
    }
}

TEST(Tick, TicksPastTheEndOfTravelAreFullTicksUntilPhaseZero) {
    SimulationState s = ReadyToRun();
    RecordingViews views(s);
    for (int tick = 1; tick <= 241; ++tick) {
        AdvanceProcess(s, views);
    }
    const double top = s.DrillTopY;
    for (int tick = 242; tick <= 245; ++tick) {
        const double tip = s.TipY;
        const std::size_t calls = views.calls.size();
        EXPECT_EQ(AdvanceProcess(s, views), TickResult::Continued) << tick;
        EXPECT_EQ(s.DrillTopY, top);
        EXPECT_DOUBLE_EQ(s.TipY, tip + 0.2);
        EXPECT_EQ(views.calls.size(), calls + 2);
    }
    EXPECT_EQ(AdvanceProcess(s, views), TickResult::TimerDisabled);
    // "Proces" again without a deeper hole: six more ticks and it stops again.
    int more = 0;
    TickResult result = TickResult::Continued;
    while (result != TickResult::TimerDisabled) {
        result = AdvanceProcess(s, views);
        ++more;
    }
    EXPECT_EQ(more, 6);
    EXPECT_EQ(s.DrillTopY, top);
}

TEST(Tick, ScrollsAfterPlottingAndKeepsTheNewestSample) {
    SimulationState s = ReadyToRun();
    for (int k = 0; k < SampleCount; ++k) {
        s.ForceTrace[static_cast<std::size_t>(k)] = k;
        s.MomentTrace[static_cast<std::size_t>(k)] = 1000 + k;
    }
    RecordingViews views(s);
    AdvanceProcess(s, views); // the drill is still above the surface: no loads
    ASSERT_EQ(views.calls, "PD");
    EXPECT_EQ(views.plotted[0].PreviousForce, 275.0); // plotted before the scroll
    EXPECT_EQ(views.drawn[0].PreviousForce, 276.0);   // drawn after it
    for (int k = 0; k < NewestSample; ++k) {
        EXPECT_EQ(s.ForceTrace[static_cast<std::size_t>(k)], k + 1);
        EXPECT_EQ(s.MomentTrace[static_cast<std::size_t>(k)], 1000 + k + 1);
    }
    EXPECT_EQ(s.ForceTrace[NewestSample], 276.0);
    EXPECT_EQ(s.MomentTrace[NewestSample], 1276.0);
    EXPECT_EQ(s.ForceTrace[SampleCount], 0.0);
}

TEST(Tick, TimeAxisMovesByTheCurrentTimeStep) {
    SimulationState s = ReadyToRun();
    RecordingViews views(s);
    const double oldStep = s.TimeStep;
    AdvanceProcess(s, views);
    EXPECT_DOUBLE_EQ(s.TimeAxis[NewestSample], oldStep);
    ApplyCuttingSpeed(s, 60); // no refill: the spacing stays, the motion changes
    AdvanceProcess(s, views);
    EXPECT_DOUBLE_EQ(s.TimeAxis[NewestSample], oldStep + s.TimeStep);
    EXPECT_DOUBLE_EQ(s.TimeAxis[NewestSample] - s.TimeAxis[NewestSample - 1], oldStep);
}

TEST(Tick, NoLoadsWhileThePointIsAboveTheSurface) {
    SimulationState s = ReadyToRun();
    RecordingViews views(s);
    for (int tick = 1; tick <= 25; ++tick) {
        AdvanceProcess(s, views);
        EXPECT_EQ(s.TipY, 74.0);
        EXPECT_EQ(s.CutHalfWidthPx, 0);
        EXPECT_EQ(s.CutDiameter, 0.0);
        EXPECT_EQ(s.ForceTrace[NewestSample], 0.0);
        EXPECT_EQ(s.PilotEdgeYPx, 74);
    }
}

// A 5 mm drill breaks once its full diameter cuts: at d = 5 the moment of C1540 is
// about 2.56 Nm against 2.22 Nm allowed.
TEST(Tick, BreakageStopsTheTickBeforeTimeAndViews) {
    SimulationState s = ReadyToRun();
    ApplyDrillSize(s, 1);
    FinishDrillSizeChange(s, 20);
    RecordingViews views(s);
    int brokeAt = 0;
    for (int tick = 1; tick <= 300 && brokeAt == 0; ++tick) {
        const SimulationState before = s;
        const std::size_t calls = views.calls.size();
        if (AdvanceProcess(s, views) == TickResult::DrillBroke) {
            brokeAt = tick;
            EXPECT_EQ(views.calls.size(), calls);   // neither view called
            EXPECT_EQ(s.TimeAxis, before.TimeAxis); // time did not move
            EXPECT_EQ(s.ForceTrace[NewestSample - 1], before.ForceTrace[NewestSample]); // not
            EXPECT_NE(s.ForceTrace[NewestSample], before.ForceTrace[NewestSample]);     // scrolled
            EXPECT_GT(s.ShearStress, s.AllowedStress);
            EXPECT_EQ(s.CutDiameter, 5.0);
        }
    }
    EXPECT_EQ(brokeAt, 38);
    EXPECT_NEAR(s.MomentTrace[NewestSample], 2.56, 0.01);
    // "Proces" again with nothing changed: the first tick breaks at once.
    const std::size_t calls = views.calls.size();
    EXPECT_EQ(AdvanceProcess(s, views), TickResult::DrillBroke);
    EXPECT_EQ(views.calls.size(), calls);
}

TEST(Tick, AShearStressEqualToTheAllowedOneDoesNotBreak) {
    SimulationState s = ReadyToRun();
    s.ShearStress = s.AllowedStress; // held: the drill is above the surface, no loads
    RecordingViews views(s);
    EXPECT_EQ(AdvanceProcess(s, views), TickResult::Continued);
    s.ShearStress = std::nextafter(s.AllowedStress, 1e10);
    EXPECT_EQ(AdvanceProcess(s, views), TickResult::DrillBroke);
}

// Enlarging a 10 mm pilot hole (value 10, PilotHoleSize 11) with the 20 mm drill: the
// cut stays inside the pilot hole until its half width passes 10.
TEST(Tick, EnlargingRun) {
    SimulationState s = ReadyToRun();
    ApplyDrillSize(s, 4);
    FinishDrillSizeChange(s, 20);
    SelectEnlarging(s);
    ASSERT_EQ(ApplyPilotHole(s, 10), PilotHoleOutcome::Redraw);
    RecordingViews views(s);
    AdvanceProcess(s, views);
    EXPECT_TRUE(s.ReamingEngaged);
    EXPECT_EQ(s.PilotEdgeYPx, 74);
    int firstLoad = 0;
    for (int tick = 2; tick <= 120; ++tick) {
        AdvanceProcess(s, views);
        if (s.ForceTrace[NewestSample] == 0) {
            EXPECT_LE(s.CutDepth, 0.0) << tick;
        } else if (firstLoad == 0) {
            firstLoad = tick;
            EXPECT_EQ(s.CutHalfWidthPx, 11);
            EXPECT_EQ(s.CutDepth, 0.5);
        }
    }
    EXPECT_GT(firstLoad, 0);
    EXPECT_EQ(s.CutDiameter, 20.0);
    EXPECT_EQ(s.CutDepth, 5.0);
    // Where the cone meets the pilot wall: 11 / 1.75 = 6.29 px above the tip, rounded 6.
    EXPECT_EQ(s.PilotEdgeYPx, s.TipYPx - 6);
    EXPECT_GT(s.ForceBaseReam, 0.0);
    EXPECT_EQ(s.ForceBaseDrill, 0.0);
    // Switching back to drilling and resetting keeps the enlarging outline.
    SelectDrilling(s);
    ResetProcess(s, views);
    EXPECT_TRUE(s.ReamingEngaged);
}

TEST(Tick, EnlargingWithoutAPilotHoleChangeWaitsForADiameter) {
    SimulationState s = ReadyToRun();
    SelectEnlarging(s); // PilotHoleSize still 0: CutDepth is 0.5 before anything cuts
    RecordingViews views(s);
    for (int tick = 1; tick <= 26; ++tick) {
        AdvanceProcess(s, views);
    }
    EXPECT_EQ(s.CutDepth, 0.5);
    EXPECT_EQ(s.CutDiameter, 0.0);
    EXPECT_EQ(s.ForceTrace[NewestSample], 0.0);
    AdvanceProcess(s, views);
    EXPECT_EQ(s.CutDiameter, 1.0);
    EXPECT_GT(s.ForceTrace[NewestSample], 0.0);
}

// "Polazno stanje" after 100 ticks of drilling and of enlarging a 10 mm pilot hole, where
// the depth of cut is 5 mm by then.
TEST(Reset, PutsDrillAndBuffersBackAndKeepsTheRest) {
    for (MachiningOperation operation :
         {MachiningOperation::Drilling, MachiningOperation::Enlarging}) {
        SCOPED_TRACE(operation == MachiningOperation::Enlarging ? "enlarging" : "drilling");
        SimulationState s = ReadyToRun(2, 5);
        if (operation == MachiningOperation::Enlarging) {
            SelectEnlarging(s);
            ApplyPilotHole(s, 10);
        }
        RecordingViews views(s);
        for (int tick = 1; tick <= 100; ++tick) {
            AdvanceProcess(s, views);
        }
        s.ForceAxisMax = 9000;
        ASSERT_EQ(s.CutDepth, operation == MachiningOperation::Enlarging ? 5.0 : 0.0);
        // Everything but the drill and the buffers stays: phase, inputs, materials,
        // coefficients, maxima.
        SimulationState expected = s;
        expected.DrillTopY = -300.0;
        expected.TipY = expected.ShoulderY = 74.0;
        expected.TipYPx = expected.ShoulderYPx = expected.PilotEdgeYPx = 74;
        expected.HoleDepth = expected.CutDiameter = expected.CutDepth = 0.0;
        expected.ShearStress = 0.0;
        expected.CutHalfWidthPx = 0;
        expected.ForceTrace = expected.MomentTrace = SampleBuffer{};
        views.calls.clear();
        ResetProcess(s, views);
        EXPECT_EQ(views.calls, "PD");
        EXPECT_EQ(s.TimeAxis[NewestSample], 0.0);
        EXPECT_DOUBLE_EQ(s.TimeAxis[0], -276 * s.TimeStep);
        expected.TimeAxis = s.TimeAxis;
        EXPECT_TRUE(s == expected);
        EXPECT_EQ(s.FrameCounter, 100 % 6);
    }
}

// Absurd typed values must not turn into undefined integer conversions in the tick.
TEST(Tick, HugeTypedFeedAndDepthStayFinite) {
    SimulationState s = ReadyToRun();
    ApplyFeed(s, 2147483647);
    ApplyHoleDepth(s, 1073741800);
    RecordingViews views(s);
    for (int tick = 1; tick <= 400; ++tick) {
        AdvanceProcess(s, views);
        ASSERT_TRUE(std::isfinite(s.DrillTopY));
        ASSERT_TRUE(std::isfinite(s.ForceTrace[NewestSample]));
    }
    EXPECT_EQ(s.TipYPx, 2147483647);
}

} // namespace
