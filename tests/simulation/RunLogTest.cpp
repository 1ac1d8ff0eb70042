#include "RunLog.h"

#include "MachiningInputs.h"
#include "Materials.h"
#include "RecordingViews.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double AllowedPa = 888888889.0;

// Runs from the start values with the given inputs, its materials loaded by "Proces".
struct Lab {
    explicit Lab(int tool, int work) {
        Initialise(s);
        s.ToolMaterial = tool;
        s.WorkMaterial = work;
    }
    void Start() {
        EXPECT_FALSE(PrepareProcessStart(s).has_value());
        log.ProcessStarted(s);
    }
    // Ticks until the tick's result is `until` or `limit` ticks have run.
    const RunRecord* TickUntil(TickResult until, int limit = 2000) {
        for (int i = 0; i < limit; ++i) {
            const TickResult result = AdvanceProcess(s, views);
            const RunRecord* row = log.Ticked(s, result, depth);
            if (result == until) {
                return row;
            }
            EXPECT_EQ(row, nullptr);
        }
        return nullptr;
    }
    SimulationState s;
    RecordingViews views;
    RunLog log;
    int depth = 20;
};

// The loads worked out from the power laws with the coefficients of the workpiece's row,
// for the diameter in cut d, the depth L and, when enlarging, the cut t, in mm.
struct Loads {
    double Force, Moment;
};
Loads Drilling(const CoefficientRow& c, double d, double s, double v, double L) {
    const double K = 1 + 0.005 * (L / d) * (L / d);
    return {c.CpDrill * std::pow(d, c.QpDrill) * std::pow(s, c.YpDrill) *
                std::pow(v, c.SpeedExponent) * K * c.ForceFactor,
            c.CmDrill * std::pow(d, c.QmDrill) * std::pow(s, c.YmDrill) *
                std::pow(v, c.SpeedExponent) * K * c.MomentFactor};
}
Loads Enlarging(const CoefficientRow& c, double d, double t, double s, double v, double L) {
    const double K = 1 + 0.003 * (L / d) * (L / d);
    return {c.CpReam * std::pow(t, c.XpReam) * std::pow(s, c.YpReam) *
                std::pow(v, c.SpeedExponent) * K * c.ForceFactor,
            c.CmReam * std::pow(d, c.QmReam) * std::pow(t, c.XmReam) * std::pow(s, c.YmReam) *
                std::pow(v, c.SpeedExponent) * K * c.MomentFactor};
}
// W = 0.02 d^3, d in m.
double ShearStress(double moment, double diameterMm) {
    return moment / (0.02 * std::pow(diameterMm / 1000, 3));
}

void ExpectRow(const RunRecord& row, int number, const RunInputs& inputs, Loads loads,
               double diameterMm, RunEnd end) {
    EXPECT_EQ(row.Number, number);
    EXPECT_EQ(row.Inputs, inputs);
    EXPECT_NEAR(row.MaxForce, loads.Force, loads.Force * 1e-12);
    EXPECT_NEAR(row.MaxMoment, loads.Moment, loads.Moment * 1e-12);
    const double stress = ShearStress(loads.Moment, diameterMm);
    EXPECT_NEAR(row.MaxShearStress, stress, stress * 1e-12);
    EXPECT_EQ(row.AllowedStress, AllowedPa);
    EXPECT_EQ(row.End, end);
}

// Three runs one after another, one for each way a run ends, each row checked against the
// loads worked out by hand at the deepest point of the run, where they are largest.
TEST(RunLogTest, ThreeRunsEndingEachWayCarryTheirLargestLoads) {
    // C7680 into C1540 from the start values: 20 mm, 30 m/min, 0.2 mm/rev, drilled until
    // the timer stops at 24.1 mm from the rest position (the point at the set depth).
    Lab run(1, 1);
    run.Start();
    const RunRecord* atDepth = run.TickUntil(TickResult::TimerDisabled);
    ASSERT_NE(atDepth, nullptr);
    ExpectRow(*atDepth, 1,
              RunInputs{MachiningOperation::Drilling, 20, std::nullopt, 30, 0.2, 20, 1, 1},
              Drilling(CoefficientTable[0], 20, 0.2, 30, 24.1), 20, RunEnd::AtDepth);
    EXPECT_LT(atDepth->MaxShearStress, AllowedPa);
    // 0.345 * 20^2 * 0.2^0.8 * 30^-0.05 * 1.0073 * 1.27 = 41.1 Nm: 257 MPa in the drill.
    EXPECT_NEAR(atDepth->MaxMoment, 41.1, 0.05);

    // Back to the start, then at 1 mm/rev: the moment 0.345 * 20^2 * 1 * 30^-0.05 * 1.27
    // = 147.8 Nm exceeds 888.9 MPa * 1.6e-7 m^3 = 142.2 Nm once the whole 20 mm cut, and
    // not before: at 19 mm it is 133.4 Nm.
    EXPECT_EQ(run.log.Reset(run.s, run.depth), nullptr);
    ResetProcess(run.s, run.views);
    ApplyFeed(run.s, 100);
    run.Start();
    const RunRecord* broke = run.TickUntil(TickResult::DrillBroke);
    ASSERT_NE(broke, nullptr);
    EXPECT_EQ(run.s.CutDiameter, 20);
    ExpectRow(*broke, 2,
              RunInputs{MachiningOperation::Drilling, 20, std::nullopt, 30, 1.0, 20, 1, 1},
              Drilling(CoefficientTable[0], 20, 1.0, 30, run.s.HoleDepth), 20, RunEnd::DrillBroke);
    EXPECT_GT(broke->MaxShearStress, AllowedPa);

    // Enlarging a 10 mm hole in SL 300 with C9681 at 0.2 mm/rev, 40 mm deep, sent back by
    // "Polazno stanje" after 100 ticks: 20 px down, L = 10 mm, the whole 20 mm in, so the
    // cut t = (20 - 11 + 1) / 2 = 5 mm.
    EXPECT_EQ(run.log.Reset(run.s, run.depth), nullptr);
    ResetProcess(run.s, run.views);
    ApplyFeed(run.s, 20);
    SelectEnlarging(run.s);
    ASSERT_EQ(ApplyPilotHole(run.s, 10), PilotHoleOutcome::Redraw);
    run.s.ToolMaterial = 2;
    run.s.WorkMaterial = 4;
    run.depth = 40;
    run.Start();
    EXPECT_EQ(run.TickUntil(TickResult::TimerDisabled, 100), nullptr);
    ASSERT_EQ(run.s.CutDiameter, 20);
    const RunRecord* stopped = run.log.Reset(run.s, run.depth);
    ASSERT_NE(stopped, nullptr);
    ExpectRow(*stopped, 3, RunInputs{MachiningOperation::Enlarging, 20, 10, 30, 0.2, 40, 2, 4},
              Enlarging(CoefficientTable[3], 20, 5, 0.2, 30, 10), 20, RunEnd::Stopped);
    EXPECT_EQ(run.log.RunCount(), 3);
}

// What comes after a run's end belongs to it, and a start position left without a tick
// was no run.
TEST(RunLogTest, OnlyTheFirstEndOfARunAddsARow) {
    Lab run(1, 1);
    EXPECT_FALSE(run.log.RunShown());
    EXPECT_EQ(run.log.Reset(run.s, run.depth), nullptr);
    run.Start();
    EXPECT_EQ(run.log.ShownRunNumber(), 1);
    ASSERT_NE(run.TickUntil(TickResult::TimerDisabled), nullptr);
    EXPECT_TRUE(run.log.RunShown());
    EXPECT_EQ(run.log.ShownRunNumber(), 1);
    // "Proces" again at the bottom: the timer stops after six more ticks, and nothing is
    // added, then or by "Polazno stanje".
    run.Start();
    EXPECT_EQ(run.TickUntil(TickResult::TimerDisabled), nullptr);
    EXPECT_EQ(run.log.Reset(run.s, run.depth), nullptr);
    EXPECT_FALSE(run.log.RunShown());
    EXPECT_EQ(run.log.ShownRunNumber(), 2);
    EXPECT_EQ(run.log.RunCount(), 1);
}

TEST(ComparisonLabelsTest, NameTheRunsByWhatDiffers) {
    const RunInputs base{MachiningOperation::Drilling, 20, std::nullopt, 30, 0.2, 20, 2, 4};
    const auto with = [&base](auto change) {
        RunInputs inputs = base;
        change(inputs);
        return inputs;
    };
    const RunInputs feed3 = with([](RunInputs& r) { r.Feed = 0.3; });
    const RunInputs feed25 = with([](RunInputs& r) { r.Feed = 0.25; });
    const RunInputs workC4730 = with([](RunInputs& r) { r.WorkMaterial = 5; });
    const RunInputs bothMaterials = with([](RunInputs& r) {
        r.ToolMaterial = 1;
        r.WorkMaterial = 5;
    });
    const RunInputs enlarging = with([](RunInputs& r) {
        r.Operation = MachiningOperation::Enlarging;
        r.PilotHole = 10;
    });
    const RunInputs faster = with([](RunInputs& r) {
        r.CuttingSpeed = 45;
        r.DrillDiameter = 35;
        r.HoleDepth = 60;
    });
    struct Case {
        std::vector<RunInputs> kept;
        RunInputs live;
        const char* separator;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {{base}, feed3, ",", {"s = 0,2"}},
        {{base, feed3}, feed25, ",", {"s = 0,2", "s = 0,3"}},
        {{base, feed3}, feed25, ".", {"s = 0.2", "s = 0.3"}},
        // A run kept twice with the inputs of the run under way: named by number.
        {{base, base}, base, ",", {"proces 4", "proces 7"}},
        {{base}, workC4730, ",", {"SL 300"}},
        {{base}, bothMaterials, ",", {"C9681 / SL 300"}},
        {{base, enlarging}, base, ",", {"Bušenje; d0 = –", "Proširivanje; d0 = 10"}},
        {{faster}, base, ",", {"d = 35; v = 45; L = 60"}},
        {{}, base, ",", {}},
    };
    const int numbers[] = {4, 7};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labels.empty() ? std::string("none") : c.labels.front());
        EXPECT_EQ(ComparisonLabels(c.kept, numbers, c.live, c.separator), c.labels);
    }
}

} // namespace
