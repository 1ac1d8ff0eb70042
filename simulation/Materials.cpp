#include "Materials.h"

#include "UserTexts.h"

// Cutting coefficients per workpiece material. Only the workpiece selects a row;
// the tool takes part in the pair check alone.
const std::array<CoefficientRow, 10> CoefficientTable = {{
    // CpD  QpD  YpD   CmD    QmD  YmD  CpR   XpR  YpR   CmR   QmR   XmR  YmR  n      kF    kM
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
}};

// The accepted pairs, tested in this order; the first that holds decides. Workpieces
// 4, 5, 6, 8 and 10 go with every tool, the others with one tool each.
bool IsPairAllowed(int tool, int work) {
    return (tool == 1 && work == 1) || work == 5 || work == 10 || (tool == 2 && work == 2) ||
           work == 6 || (tool == 3 && work == 3) || work == 4 || (tool == 4 && work == 7) ||
           work == 8 || (tool == 5 && work == 9);
}

void LoadCoefficients(SimulationState& s, int workMaterial) {
    const CoefficientRow& row = CoefficientTable.at(static_cast<std::size_t>(workMaterial - 1));
    s.CpDrill = row.CpDrill;
    s.QpDrill = row.QpDrill;
    s.YpDrill = row.YpDrill;
    s.CmDrill = row.CmDrill;
    s.QmDrill = row.QmDrill;
    s.YmDrill = row.YmDrill;
    s.CpReam = row.CpReam;
    s.XpReam = row.XpReam;
    s.YpReam = row.YpReam;
    s.CmReam = row.CmReam;
    s.QmReam = row.QmReam;
    s.XmReam = row.XmReam;
    s.YmReam = row.YmReam;
    s.SpeedExponent = row.SpeedExponent;
    s.ForceFactor = row.ForceFactor;
    s.MomentFactor = row.MomentFactor;
}

void ToolMaterialPicked(SimulationState& s, int listIndex) {
    if (listIndex >= 0 && listIndex < static_cast<int>(ToolMaterialEntries.size())) {
        s.ToolMaterial = listIndex + 1;
    }
}

void WorkMaterialPicked(SimulationState& s, int listIndex) {
    if (listIndex >= 0 && listIndex < static_cast<int>(WorkMaterialEntries.size())) {
        s.WorkMaterial = listIndex + 1;
    }
}

std::optional<Refusal> PrepareProcessStart(SimulationState& s) {
    if (s.ModellingBlocked) {
        return Refusal{MessageKind::Error, ModellingNotFeasibleText};
    }
    if (s.ToolMaterial == 0 && s.WorkMaterial == 0) {
        return Refusal{MessageKind::Warning, ChooseBothMaterialsText};
    }
    if (s.ToolMaterial == 0) {
        return Refusal{MessageKind::Warning, NoToolMaterialText};
    }
    if (s.WorkMaterial == 0) {
        return Refusal{MessageKind::Warning, NoWorkMaterialText};
    }
    if (!IsPairAllowed(s.ToolMaterial, s.WorkMaterial)) {
        return Refusal{MessageKind::Error, MaterialsNotMatchingText};
    }
    LoadCoefficients(s, s.WorkMaterial);
    return std::nullopt;
}
