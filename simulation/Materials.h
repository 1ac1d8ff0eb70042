#pragma once

#include "MessageKind.h"
#include "SimulationState.h"

#include <array>
#include <optional>
#include <string_view>

// Entries of the tool list; entry i is ToolMaterial i + 1.
inline constexpr std::array<std::string_view, 5> ToolMaterialEntries = {"C7680", "C9681", "K40",
                                                                        "K50", "C9683"};

// Entries of the workpiece list; entry i is WorkMaterial i + 1.
inline constexpr std::array<std::string_view, 10> WorkMaterialEntries = {
    "C1540",  "C1530",      "NL 800-2",   "SL 300", "C4730",
    "30HGSA", "CTEL 35-10", "PTEL 70-02", "C4571",  "AlMg8"};

struct CoefficientRow {
    double CpDrill, QpDrill, YpDrill, CmDrill, QmDrill, YmDrill;
    double CpReam, XpReam, YpReam, CmReam, QmReam, XmReam, YmReam;
    double SpeedExponent, ForceFactor, MomentFactor;
};

// One row per workpiece material 1..10 (row index WorkMaterial - 1).
extern const std::array<CoefficientRow, 10> CoefficientTable;

// Whether the tool material may cut the workpiece material (both 1-based, nonzero).
bool IsPairAllowed(int toolMaterial, int workMaterial);

// Copies all sixteen coefficients of the workpiece material 1..10 into the state.
void LoadCoefficients(SimulationState& state, int workMaterial);

// A pick in the tool or workpiece list; an index outside the list (-1 after typed
// text) changes nothing.
void ToolMaterialPicked(SimulationState& state, int listIndex);
void WorkMaterialPicked(SimulationState& state, int listIndex);

struct Refusal {
    MessageKind Kind;
    std::string_view Text;
};

// The checks of "Proces" in their fixed order. A refusal names the box to show and
// changes nothing; without one the coefficient set of the workpiece material is
// loaded and the run may start or continue.
std::optional<Refusal> PrepareProcessStart(SimulationState& state);
