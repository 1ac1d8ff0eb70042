#include "Materials.h"
#include "LoadModel.h"
#include "UserTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IsPairAllowed, TheWholeTableOfToolsAndWorkpieces) {
    // Rows: tools C7680, C9681, K40, K50, C9683; columns: the ten workpieces in list order.
    const std::string accepted[5] = {
        "YNNYYYNYNY", "NYNYYYNYNY", "NNYYYYNYNY", "NNNYYYYYNY", "NNNYYYNYYY",
    };
    for (int tool = 1; tool <= 5; ++tool) {
        for (int work = 1; work <= 10; ++work) {
            const bool expected = accepted[tool - 1][static_cast<std::size_t>(work - 1)] == 'Y';
            EXPECT_EQ(IsPairAllowed(tool, work), expected)
                << ToolMaterialEntries[static_cast<std::size_t>(tool - 1)] << " with "
                << WorkMaterialEntries[static_cast<std::size_t>(work - 1)];
        }
    }
}

// The loads of each workpiece material, worked out by hand from the material's coefficients
// for a 20 mm drill at 0.2 mm/rev and 30 m/min, 10 mm deep: drilling, and enlarging with a
// 5 mm depth of cut. Every coefficient enters one of the four. Each material is loaded over
// the set of material 9, whose fields are all nonzero: nothing of that set may survive.
TEST(LoadCoefficients, EachMaterialGivesTheLoadsWorkedOutForIt) {
    const struct {
        int Material;
        double DrillingForce, DrillingMoment, EnlargingForce, EnlargingMoment;
    } cases[] = {
        {1, 4728.7907, 40.850114, 1740.931, 22.669543},
        {2, 3127.7041, 27.018973, 1151.4819, 14.994028},
        {3, 3421.3098, 33.652227, 1235.7695, 22.761141},
        {4, 6273.6586, 28.007333, 1656.4793, 34.104537},
        {5, 4393.6796, 37.955224, 1617.5579, 21.06304},
        {6, 4877.729, 42.136732, 1795.7635, 23.383544},
        {7, 3898.0855, 20.925019, 1088.7237, 26.520417},
        {8, 7152.4505, 27.76589, 1997.6583, 35.190554},
        {9, 7830.2116, 44.900514, 2864.3829, 21.023373},
        {10, 1740.6324, 13.261962, 452.1016, 1.0924128},
    };
    for (const auto& c : cases) {
        for (const bool drilling : {true, false}) {
            SimulationState s;
            Initialise(s);
            LoadCoefficients(s, 9);
            LoadCoefficients(s, c.Material);
            s.Operation = drilling ? MachiningOperation::Drilling : MachiningOperation::Enlarging;
            s.CutDiameter = 20;
            s.CutDepth = 5;
            s.Feed = 0.2;
            s.CuttingSpeed = 30;
            s.HoleDepth = 10;
            ComputeLoads(s);
            const double force = drilling ? c.DrillingForce : c.EnlargingForce;
            const double moment = drilling ? c.DrillingMoment : c.EnlargingMoment;
            EXPECT_NEAR(s.ForceTrace[NewestSample], force, force * 1e-7)
                << "material " << c.Material << (drilling ? " drilling" : " enlarging");
            EXPECT_NEAR(s.MomentTrace[NewestSample], moment, moment * 1e-7)
                << "material " << c.Material << (drilling ? " drilling" : " enlarging");
        }
    }
}

TEST(MaterialLists, APickSetsTheNumberAndNoSelectionChangesNothing) {
    SimulationState s;
    Initialise(s);
    ToolMaterialPicked(s, 0); // the first entries
    WorkMaterialPicked(s, 0);
    EXPECT_EQ(s.ToolMaterial, 1);
    EXPECT_EQ(s.WorkMaterial, 1);
    ToolMaterialPicked(s, 2); // K40
    WorkMaterialPicked(s, 9); // AlMg8
    EXPECT_EQ(s.ToolMaterial, 3);
    EXPECT_EQ(s.WorkMaterial, 10);
    for (int index : {-1, 5, 10, 1000}) {
        ToolMaterialPicked(s, index);
        EXPECT_EQ(s.ToolMaterial, 3) << index;
    }
    for (int index : {-1, 10, 11}) {
        WorkMaterialPicked(s, index);
        EXPECT_EQ(s.WorkMaterial, 10) << index;
    }
}

TEST(PrepareProcessStart, RefusalsInTheirOrderChangeNothing) {
    struct Case {
        int blocked, tool, work;
        MessageKind kind;
        std::string_view text;
    };
    const Case cases[] = {
        {1, 0, 0, MessageKind::Error, ModellingNotFeasibleText},
        {1, 1, 2, MessageKind::Error, ModellingNotFeasibleText},
        {0, 0, 0, MessageKind::Warning, ChooseBothMaterialsText},
        {0, 0, 5, MessageKind::Warning, NoToolMaterialText},
        {0, 3, 0, MessageKind::Warning, NoWorkMaterialText},
        {0, 1, 2, MessageKind::Error, MaterialsNotMatchingText},
        {0, 4, 9, MessageKind::Error, MaterialsNotMatchingText},
    };
    for (const Case& c : cases) {
        SimulationState s;
        Initialise(s);
        s.ModellingBlocked = c.blocked;
        s.ToolMaterial = c.tool;
        s.WorkMaterial = c.work;
        const SimulationState before = s;
        const auto refusal = PrepareProcessStart(s);
        ASSERT_TRUE(refusal.has_value()) << c.text;
        EXPECT_EQ(refusal->Kind, c.kind);
        EXPECT_EQ(refusal->Text, c.text);
        EXPECT_TRUE(s == before) << c.text;
    }
}

TEST(PrepareProcessStart, AcceptedPairLoadsTheWorkpieceRowOnly) {
    SimulationState first;
    Initialise(first);
    first.ToolMaterial = 1;
    first.WorkMaterial = 5;
    ASSERT_FALSE(PrepareProcessStart(first).has_value());
    EXPECT_EQ(first.ForceFactor, 1.18);
    // Pressed again: the same row, nothing else changes.
    const SimulationState afterFirst = first;
    ASSERT_FALSE(PrepareProcessStart(first).has_value());
    EXPECT_TRUE(first == afterFirst);
    // Another tool with the same workpiece loads the same set.
    SimulationState other;
    Initialise(other);
    other.ToolMaterial = 4;
    other.WorkMaterial = 5;
    ASSERT_FALSE(PrepareProcessStart(other).has_value());
    other.ToolMaterial = first.ToolMaterial;
    EXPECT_TRUE(other == first);
}

TEST(PrepareProcessStart, ANewPairDuringARunReplacesTheSetAndKeepsTheRun) {
    SimulationState s;
    Initialise(s);
    s.ToolMaterial = 1;
    s.WorkMaterial = 5; // C4730
    ASSERT_FALSE(PrepareProcessStart(s).has_value());
    s.DrillTopY = -250;
    s.ForceTrace[100] = 42;
    WorkMaterialPicked(s, 5); // 30HGSA, picked while running: not yet in effect
    EXPECT_EQ(s.ForceFactor, 1.18);
    ASSERT_FALSE(PrepareProcessStart(s).has_value());
    EXPECT_EQ(s.ForceFactor, 1.31);
    EXPECT_EQ(s.MomentFactor, 1.31);
    EXPECT_EQ(s.DrillTopY, -250);
    EXPECT_EQ(s.ForceTrace[100], 42);
}

} // namespace
