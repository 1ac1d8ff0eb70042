#pragma once

#include "SimulationState.h"

#include <array>
#include <cstdint>
#include <optional>

// One row of the drill size table; half widths and point length in pixels of the view.
struct DrillSizeRow {
    double Diameter;
    std::int32_t HalfWidthPx;
    std::int32_t ChiselHalfWidthPx;
    std::int32_t PointLengthPx;
};

// The drill sizes 1..DrillSizeCount, the range of the drill size control.
inline constexpr std::int32_t DrillSizeCount = 7;

// Row DrillSize - 1 for each size: 5 to 35 mm in steps of 5.
inline constexpr std::array<DrillSizeRow, DrillSizeCount> DrillSizeTable = {{
    {5.0, 6, 1, 3},
    {10.0, 12, 1, 7},
    {15.0, 16, 2, 9},
    {20.0, 22, 2, 13},
    {25.0, 26, 3, 15},
    {30.0, 30, 3, 17},
    {35.0, 36, 4, 21},
}};
static_assert(DrillSizeTable.back().Diameter > 0.0, "a row for every drill size");

inline constexpr double SpindleSpeedLimit = 2000.0;

// The arithmetic behind the input controls. The window converts each control's text
// itself (a text that does not convert ends its handler) and passes the value here.
//
// Typed values reach these functions before the spin edits clamp them. Values that
// would make the arithmetic divide by zero, overflow or produce NaN (a cutting speed of
// 0 or less, a negative feed, a depth or pilot hole too large for the 32-bit fields)
// are left out: the fields they feed keep their values and no warning is due, until
// the control holds a usable value again.

// Drill size, first part: DrillSize, the table row (sizes 1..DrillSizeCount only), ModellingBlocked
// when enlarging, SectionModulus.
void ApplyDrillSize(SimulationState& state, std::int32_t size);

// Drill size, second part with the depth control's value: TravelLimit, SpindleSpeed,
// TimeStep and the time axis refill. Returns whether the spindle-speed warning is due,
// to be shown after the view has been redrawn.
bool FinishDrillSizeChange(SimulationState& state, std::int32_t holeDepth);

// Cutting speed: CuttingSpeed, SpindleSpeed, TimeStep (the time axis keeps its
// spacing). Returns whether the spindle-speed warning is due.
bool ApplyCuttingSpeed(SimulationState& state, std::int32_t metresPerMinute);

// Feed in hundredths of a mm per revolution. Returns false when the value was left out
// (then the feed display stays as it is too).
bool ApplyFeed(SimulationState& state, std::int32_t hundredths);

// Hole depth in mm: TravelLimit with the point length of the last drill-size change.
void ApplyHoleDepth(SimulationState& state, std::int32_t millimetres);

enum class PilotHoleOutcome {
    Redraw,  // accepted: ModellingBlocked updated, the view must be redrawn
    Warn,    // "Otvor obraditi prosirivacem!": no redraw, ModellingBlocked kept
    LeftOut, // a value too large for the field: nothing changed
};

// Pilot hole diameter in mm (PilotHoleSize = value + 1).
PilotHoleOutcome ApplyPilotHole(SimulationState& state, std::int32_t millimetres);

// The two operations; neither redraws the view.
void SelectDrilling(SimulationState& state);
void SelectEnlarging(SimulationState& state);

// Force axis maximum in thousands of newtons: ForceAxisMax = value x 1000, returned as
// the new axis maximum; nothing when the product would not fit the field.
std::optional<double> ApplyForceAxisMaximum(SimulationState& state, std::int32_t kiloNewtons);

// Moment axis maximum in Nm: MomentAxisMax = value, returned as the new axis maximum.
double ApplyMomentAxisMaximum(SimulationState& state, std::int32_t newtonMetres);
