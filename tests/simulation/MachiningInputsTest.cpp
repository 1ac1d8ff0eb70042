#include "MachiningInputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

SimulationState Started() {
    SimulationState s;
    Initialise(s);
    return s;
}

// The whole drill-size handler, as the window runs it when both texts convert.
bool ChangeDrillSize(SimulationState& s, std::int32_t size, std::int32_t depth = 20) {
    ApplyDrillSize(s, size);
    return FinishDrillSizeChange(s, depth);
}

// Every field at its start value; the point length stays 0 and the travel limit 48, not
// what a change of size or depth would give them.
TEST(StartValues, AreThoseOfTheWindowNotOfTheHandlers) {
    const SimulationState s = Started();
    EXPECT_DOUBLE_EQ(s.SpindleSpeed, 477.45);
    EXPECT_DOUBLE_EQ(s.TimeStep, 20.0 / 159.0);
    EXPECT_EQ(s.TimeAxis[NewestSample], 0.0);
    EXPECT_DOUBLE_EQ(s.TimeAxis[0], -276 * 20.0 / 159.0);
    EXPECT_EQ(s.TimeAxis[SampleCount], 0.0); // the spare room stays 0
    SimulationState expected;
    expected.DrillSize = 4;
    expected.DrillHalfWidthPx = 22;
    expected.ChiselHalfWidthPx = 2;
    expected.TravelLimit = 48;
    expected.TipYPx = expected.ShoulderYPx = 74;
    expected.DrillDiameter = 20.0;
    expected.CuttingSpeed = 30.0;
    expected.Feed = 0.2;
    expected.DrillTopY = -300.0;
    expected.TipY = expected.ShoulderY = 74.0;
    expected.SectionModulus = 1.6e-07;
    expected.AllowedStress = 888888889.0;
    expected.SpindleSpeed = s.SpindleSpeed;
    expected.TimeStep = s.TimeStep;
    expected.TimeAxis = s.TimeAxis;
    EXPECT_TRUE(s == expected); // and everything else 0
}

TEST(DrillSize, EveryRowOfTheTable) {
    struct Row {
        int size;
        double diameter;
        int halfWidth, chisel, point;
    };
    const Row rows[] = {{1, 5, 6, 1, 3},    {2, 10, 12, 1, 7},  {3, 15, 16, 2, 9},
                        {4, 20, 22, 2, 13}, {5, 25, 26, 3, 15}, {6, 30, 30, 3, 17},
                        {7, 35, 36, 4, 21}};
    for (const Row& r : rows) {
        SimulationState s = Started();
        ChangeDrillSize(s, r.size, 20);
        EXPECT_EQ(s.DrillDiameter, r.diameter) << r.size;
        EXPECT_EQ(s.DrillHalfWidthPx, r.halfWidth) << r.size;
        EXPECT_EQ(s.ChiselHalfWidthPx, r.chisel) << r.size;
        EXPECT_EQ(s.PointLengthPx, r.point) << r.size;
        EXPECT_EQ(s.TravelLimit, 40 + r.point + 5) << r.size;
        EXPECT_DOUBLE_EQ(s.SectionModulus, 0.02 * std::pow(r.diameter / 1000, 3)) << r.size;
        EXPECT_DOUBLE_EQ(s.SpindleSpeed, 318.3 * 30 / r.diameter) << r.size;
        EXPECT_DOUBLE_EQ(s.TimeStep, r.diameter / 159.0) << r.size;
        EXPECT_EQ(s.TimeAxis[NewestSample], 0.0);
        EXPECT_DOUBLE_EQ(s.TimeAxis[0], -276 * r.diameter / 159.0);
    }
}

TEST(DrillSize, OutsideTheTableKeepsTheRowAndWorksWithTheOldDiameter) {
    SimulationState s = Started();
    ChangeDrillSize(s, 2);
    ChangeDrillSize(s, 9, 30);
    EXPECT_EQ(s.DrillSize, 9);
    EXPECT_EQ(s.DrillDiameter, 10.0);
    EXPECT_EQ(s.DrillHalfWidthPx, 12);
    EXPECT_EQ(s.TravelLimit, 60 + 7 + 5);
    ChangeDrillSize(s, 0);
    EXPECT_EQ(s.DrillSize, 0);
    EXPECT_EQ(s.DrillDiameter, 10.0);
}

TEST(DrillSize, TracesAreKeptWhileTheTimeAxisIsRefilled) {
    SimulationState s = Started();
    s.ForceTrace[200] = 1234;
    s.TimeAxis[NewestSample] = 5.0;
    ChangeDrillSize(s, 6);
    EXPECT_EQ(s.ForceTrace[200], 1234);
    EXPECT_EQ(s.TimeAxis[NewestSample], 0.0);
}

TEST(SpindleSpeedWarning, ComesAbove2000RevPerMinute) {
    struct Case {
        int size, speed;
        bool warns;
    };
    const Case cases[] = {{1, 32, true},  {1, 31, false}, {2, 63, true},
                          {2, 62, false}, {1, 80, true},  {1, 5, false}};
    for (const Case& c : cases) {
        SimulationState s = Started();
        ChangeDrillSize(s, c.size);
        EXPECT_EQ(ApplyCuttingSpeed(s, c.speed), c.warns) << c.size << " at " << c.speed;
        // The drill-size change warns alike once the speed is set.
        EXPECT_EQ(ChangeDrillSize(s, c.size), c.warns) << c.size << " at " << c.speed;
    }
    for (int size = 3; size <= 7; ++size) {
        for (int speed = 5; speed <= 80; ++speed) {
            SimulationState s = Started();
            ChangeDrillSize(s, size);
            EXPECT_FALSE(ApplyCuttingSpeed(s, speed)) << size << " at " << speed;
        }
    }
}

TEST(CuttingSpeed, KeepsTheTimeAxisSpacing) {
    SimulationState s = Started();
    const auto axis = s.TimeAxis;
    ApplyCuttingSpeed(s, 99); // typed beyond the range: used as typed
    EXPECT_EQ(s.CuttingSpeed, 99.0);
    EXPECT_DOUBLE_EQ(s.SpindleSpeed, 318.3 * 99 / 20);
    EXPECT_DOUBLE_EQ(s.TimeStep, 20 / (5.3 * 99));
    EXPECT_EQ(s.TimeAxis, axis);
}

TEST(Feed, HundredthsOfAMillimetre) {
    SimulationState s = Started();
    for (const auto& [hundredths, feed] : {std::pair{5, 0.05}, {100, 1.0}, {0, 0.0}}) {
        EXPECT_TRUE(ApplyFeed(s, hundredths));
        EXPECT_EQ(s.Feed, feed) << hundredths;
    }
}

TEST(HoleDepth, UsesThePointLengthOfTheLastSizeChange) {
    SimulationState s = Started();
    ApplyHoleDepth(s, 20);
    EXPECT_EQ(s.TravelLimit, 45); // no size change yet: point length 0
    ChangeDrillSize(s, 4);
    ApplyHoleDepth(s, 20);
    EXPECT_EQ(s.TravelLimit, 58);
    ApplyHoleDepth(s, 130);
    EXPECT_EQ(s.TravelLimit, 278);
}

TEST(PilotHole, WarningAndBlockingPerDrillSize) {
    struct Case {
        int size, value;
        PilotHoleOutcome outcome;
        bool blocked; // ModellingBlocked after an accepted change; a warning keeps it
    };
    const Case cases[] = {
        {4, 13, PilotHoleOutcome::Redraw, 0},   {4, 14, PilotHoleOutcome::Warn, false},
        {3, 14, PilotHoleOutcome::Redraw, 0},   {3, 15, PilotHoleOutcome::Redraw, 1},
        {3, 30, PilotHoleOutcome::Redraw, 1},   {1, 4, PilotHoleOutcome::Redraw, 0},
        {1, 5, PilotHoleOutcome::Redraw, 1},    {7, 28, PilotHoleOutcome::Redraw, 0},
        {7, 29, PilotHoleOutcome::Warn, false}, {5, 0, PilotHoleOutcome::Redraw, 0},
        {5, 18, PilotHoleOutcome::Redraw, 0},   {5, 19, PilotHoleOutcome::Warn, false},
        {6, 23, PilotHoleOutcome::Redraw, 0},   {6, 24, PilotHoleOutcome::Warn, false},
    };
    for (const Case& c : cases) {
        for (const bool before : {false, true}) {
            SimulationState s = Started();
            ChangeDrillSize(s, c.size);
            SelectEnlarging(s);
            s.ModellingBlocked = before;
            EXPECT_EQ(ApplyPilotHole(s, c.value), c.outcome) << c.size << "/" << c.value;
            EXPECT_EQ(s.PilotHoleSize, c.value + 1);
            const bool expected = c.outcome == PilotHoleOutcome::Warn ? before : c.blocked;
            EXPECT_EQ(s.ModellingBlocked, expected) << c.size << "/" << c.value << " " << before;
        }
    }
}

TEST(ModellingBlocked, FollowsTheDrillSizeOnlyWhileEnlarging) {
    SimulationState s = Started();
    SelectEnlarging(s);
    ChangeDrillSize(s, 3); // 15 mm: no warning for any pilot hole
    ApplyPilotHole(s, 30); // 31 > 15
    EXPECT_TRUE(s.ModellingBlocked);
    ChangeDrillSize(s, 5); // 25 mm
    EXPECT_TRUE(s.ModellingBlocked);
    ChangeDrillSize(s, 7); // 35 mm
    EXPECT_FALSE(s.ModellingBlocked);
    ChangeDrillSize(s, 1);
    EXPECT_TRUE(s.ModellingBlocked);
    SelectDrilling(s); // drilling always clears it ...
    EXPECT_FALSE(s.ModellingBlocked);
    EXPECT_EQ(s.Operation, MachiningOperation::Drilling);
    ChangeDrillSize(s, 2); // ... and a size change while drilling leaves it alone
    EXPECT_FALSE(s.ModellingBlocked);
    SelectEnlarging(s); // back to enlarging: not re-evaluated
    EXPECT_FALSE(s.ModellingBlocked);
    EXPECT_EQ(s.Operation, MachiningOperation::Enlarging);
    ChangeDrillSize(s, 2);
    EXPECT_TRUE(s.ModellingBlocked);
}

// Values typed past the control's range must not corrupt the state: whatever would
// divide by zero or overflow leaves the fields it feeds alone.
TEST(TypedValues, UnusableOnesLeaveTheirFieldsAlone) {
    SimulationState s = Started();
    ChangeDrillSize(s, 4);
    const SimulationState before = s;
    for (std::int32_t speed : {0, -1, -80, Int32Min}) {
        EXPECT_FALSE(ApplyCuttingSpeed(s, speed));
    }
    for (std::int32_t feed : {-1, -100, Int32Min}) {
        EXPECT_FALSE(ApplyFeed(s, feed));
    }
    for (std::int32_t depth : {Int32Max, Int32Max / 2, Int32Min, Int32Min / 2 - 10}) {
        ApplyHoleDepth(s, depth);
    }
    EXPECT_EQ(ApplyPilotHole(s, Int32Max), PilotHoleOutcome::LeftOut);
    EXPECT_FALSE(ApplyForceAxisMaximum(s, Int32Max / 1000 + 1).has_value());
    EXPECT_FALSE(ApplyForceAxisMaximum(s, Int32Min / 1000 - 1).has_value());
    EXPECT_TRUE(s == before);

    // Values that fit are used as typed, in range or not.
    ApplyHoleDepth(s, Int32Max / 2 - 100);
    EXPECT_EQ(s.TravelLimit, (Int32Max / 2 - 100) * 2 + 13 + 5);
    ApplyHoleDepth(s, -5);
    EXPECT_EQ(s.TravelLimit, 8);
    ApplyHoleDepth(s, Int32Min / 2 - 9); // just fits: 2 x depth + 13 + 5 is the lowest int
    EXPECT_EQ(s.TravelLimit, Int32Min);
    EXPECT_EQ(ApplyPilotHole(s, Int32Max - 1), PilotHoleOutcome::Warn);
    EXPECT_EQ(s.PilotHoleSize, Int32Max);
    EXPECT_EQ(ApplyForceAxisMaximum(s, 25), 25000.0);
    EXPECT_EQ(s.ForceAxisMax, 25000);
    EXPECT_EQ(ApplyForceAxisMaximum(s, -3), -3000.0);
    EXPECT_EQ(ApplyMomentAxisMaximum(s, 100), 100.0);
    EXPECT_EQ(s.MomentAxisMax, 100);
    // A depth that does not fit during a size change still lets the rest go through.
    const std::int32_t limit = s.TravelLimit;
    ApplyDrillSize(s, 1);
    FinishDrillSizeChange(s, Int32Max);
    EXPECT_EQ(s.TravelLimit, limit);
    EXPECT_DOUBLE_EQ(s.SpindleSpeed, 318.3 * 30 / 5);
}

} // namespace
