#include "Materials.h"
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

// The sixteen coefficients of each workpiece material written out, in the order CpDrill,
// QpDrill, YpDrill, CmDrill, QmDrill, YmDrill, CpReam, XpReam, YpReam, CmReam, QmReam,
// XmReam, YmReam, SpeedExponent, ForceFactor, MomentFactor. Each row is loaded over the
// set of material 9, whose fields are all nonzero: nothing of that set may survive.
TEST(LoadCoefficients, EveryRowAsWrittenOutReplacesTheWholeSet) {
    const double rows[10][16] = {
        {680, 1.0, 0.7, 0.345, 2.0, 0.8, 670, 1.2, 0.65, 0.9, 1.0, 0.9, 0.8, -0.05, 1.27, 1.27},
        {680, 1.0, 0.7, 0.345, 2.0, 0.8, 670, 1.2, 0.65, 0.9, 1.0, 0.9, 0.8, -0.05, 0.84, 0.84},
        {427, 1.0, 0.8, 0.21, 2.0, 0.8, 235, 1.2, 0.4, 0.85, 1.0, 0.75, 0.8, 0, 1.45, 1.45},
        {420, 1.2, 0.75, 0.12, 2.2, 0.8, 460, 1.0, 0.4, 1.96, 0.85, 0.8, 0.7, 0, 1.37, 1.16},
        {680, 1.0, 0.7, 0.345, 2.0, 0.8, 670, 1.2, 0.65, 0.9, 1.0, 0.9, 0.8, -0.05, 1.18, 1.18},
        {680, 1.0, 0.7, 0.345, 2.0, 0.8, 670, 1.2, 0.65, 0.9, 1.0, 0.9, 0.8, -0.05, 1.31, 1.31},
        {328, 1.2, 0.75, 0.1, 2.2, 0.8, 380, 1.0, 0.4, 1.7, 0.85, 0.8, 0.7, 0, 1.09, 1.04},
        {328, 1.2, 0.75, 0.1, 2.2, 0.8, 380, 1.0, 0.4, 1.7, 0.85, 0.8, 0.7, 0, 2.0, 1.38},
        {1430, 1.0, 0.7, 0.41, 2.0, 0.7, 1400, 1.2, 0.65, 1.06, 1.0, 0.9, 0.8, -0.05, 1.0, 1.0},
        {315, 1.0, 0.8, 0.12, 2.0, 0.8, 172, 1.0, 0.4, 0.31, 0.85, 0, 0.8, 0, 1.0, 1.0},
    };
    for (int work = 1; work <= 10; ++work) {
        SimulationState s;
        Initialise(s);
        LoadCoefficients(s, 9);
        LoadCoefficients(s, work);
        const double loaded[] = {s.CpDrill, s.QpDrill,       s.YpDrill,     s.CmDrill,
                                 s.QmDrill, s.YmDrill,       s.CpReam,      s.XpReam,
                                 s.YpReam,  s.CmReam,        s.QmReam,      s.XmReam,
                                 s.YmReam,  s.SpeedExponent, s.ForceFactor, s.MomentFactor};
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_EQ(loaded[i], rows[work - 1][i]) << "material " << work << " field " << i;
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
