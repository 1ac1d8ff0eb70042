#include "MachiningInputs.h"

#include "LoadModel.h"
#include "SceneGeometry.h"

#include <limits>

namespace {

// Spindle speed n = 318.3 v / D (rev/min) and the time of one revolution
// D / (5.3 v) (s), with D in mm and v in m/min; 318.3 is 1000 / pi.
void UpdateSpindle(SimulationState& s) {
    s.SpindleSpeed = 318.3 * s.CuttingSpeed / s.DrillDiameter;
    s.TimeStep = s.DrillDiameter / (5.3 * s.CuttingSpeed);
}

void UpdateModellingBlocked(SimulationState& s) {
    s.ModellingBlocked = s.PilotHoleSize > s.DrillDiameter;
}

// TravelLimit = the depth in pixels + point length + the approach, or nothing when that
// does not fit 32 bits.
void UpdateTravelLimit(SimulationState& s, std::int32_t depth) {
    const std::int64_t limit =
        PxPerMm * static_cast<std::int64_t>(depth) + s.PointLengthPx + ApproachPx;
    if (limit >= std::numeric_limits<std::int32_t>::min() &&
        limit <= std::numeric_limits<std::int32_t>::max()) {
        s.TravelLimit = static_cast<std::int32_t>(limit);
    }
}

bool SpindleSpeedWarningDue(const SimulationState& s) {
    return s.SpindleSpeed > SpindleSpeedLimit;
}

} // namespace

void ApplyDrillSize(SimulationState& s, std::int32_t size) {
    s.DrillSize = size;
    if (size >= 1 && size <= static_cast<std::int32_t>(DrillSizeTable.size())) {
        const DrillSizeRow& row = DrillSizeTable[static_cast<std::size_t>(size - 1)];
        s.DrillDiameter = row.Diameter;
        s.DrillHalfWidthPx = row.HalfWidthPx;
        s.ChiselHalfWidthPx = row.ChiselHalfWidthPx;
        s.PointLengthPx = row.PointLengthPx;
    }
    if (s.Operation == MachiningOperation::Enlarging) {
        UpdateModellingBlocked(s);
    }
    s.SectionModulus = 0.02 * RaiseToPower(s.DrillDiameter / 1000.0, 3.0);
}

bool FinishDrillSizeChange(SimulationState& s, std::int32_t holeDepth) {
    UpdateTravelLimit(s, holeDepth);
    UpdateSpindle(s);
    RefillTimeAxis(s);
    return SpindleSpeedWarningDue(s);
}

bool ApplyCuttingSpeed(SimulationState& s, std::int32_t metresPerMinute) {
    if (metresPerMinute <= 0) {
        return false;
    }
    s.CuttingSpeed = metresPerMinute;
    UpdateSpindle(s);
    return SpindleSpeedWarningDue(s);
}

bool ApplyFeed(SimulationState& s, std::int32_t hundredths) {
    if (hundredths < 0) {
        return false;
    }
    s.Feed = hundredths / 100.0;
    return true;
}

void ApplyHoleDepth(SimulationState& s, std::int32_t millimetres) {
    UpdateTravelLimit(s, millimetres);
}

PilotHoleOutcome ApplyPilotHole(SimulationState& s, std::int32_t millimetres) {
    if (millimetres == std::numeric_limits<std::int32_t>::max()) {
        return PilotHoleOutcome::LeftOut;
    }
    s.PilotHoleSize = millimetres + 1;
    if (s.PilotHoleSize > s.DrillDiameter - 6 && s.DrillDiameter > 15) {
        return PilotHoleOutcome::Warn;
    }
    UpdateModellingBlocked(s);
    return PilotHoleOutcome::Redraw;
}

void SelectDrilling(SimulationState& s) {
    s.Operation = MachiningOperation::Drilling;
    s.ModellingBlocked = false;
}

void SelectEnlarging(SimulationState& s) {
    s.Operation = MachiningOperation::Enlarging;
}

std::optional<double> ApplyForceAxisMaximum(SimulationState& s, std::int32_t kiloNewtons) {
    const std::int64_t newtons = static_cast<std::int64_t>(kiloNewtons) * 1000;
    if (newtons < std::numeric_limits<std::int32_t>::min() ||
        newtons > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    s.ForceAxisMax = static_cast<std::int32_t>(newtons);
    return static_cast<double>(s.ForceAxisMax);
}

double ApplyMomentAxisMaximum(SimulationState& s, std::int32_t newtonMetres) {
    s.MomentAxisMax = newtonMetres;
    return static_cast<double>(s.MomentAxisMax);
}
