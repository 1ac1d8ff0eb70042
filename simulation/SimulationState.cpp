#include "SimulationState.h"

#include "LoadModel.h"
#include "MachiningInputs.h"
#include "SceneGeometry.h"
#include "StartValues.h"

#include <algorithm>

SimulationState& TheSimulationState() {
    static SimulationState state;
    return state;
}

void RefillTimeAxis(SimulationState& s) {
    for (int k = 0; k < SampleCount; ++k) {
        s.TimeAxis[static_cast<std::size_t>(k)] = (k - NewestSample) * s.TimeStep;
    }
}

// The drill size, cutting speed and feed are the window's start values (StartValues.h).
// The rest is not what the input handlers would compute for the controls' start values:
// the point length stays 0 and the travel limit 48 until the first size or depth change.
void Initialise(SimulationState& s) {
    const DrillSizeRow& drill = DrillSizeTable[StartDrillSize - 1];
    s = SimulationState{};
    s.FrameCounter = 0;
    s.DrillSize = StartDrillSize;
    s.Operation = MachiningOperation::Drilling;
    s.DrillHalfWidthPx = drill.HalfWidthPx;
    s.ChiselHalfWidthPx = drill.ChiselHalfWidthPx;
    s.PointLengthPx = 0;
    s.TravelLimit = 48;
    s.TipYPx = SurfaceYPx;
    s.ShoulderYPx = SurfaceYPx;
    s.DrillDiameter = drill.Diameter;
    s.CuttingSpeed = StartCuttingSpeedMPerMin;
    s.Feed = StartFeedMmPerRev;
    s.SpindleSpeed = s.CuttingSpeed * 318.3 / s.DrillDiameter;
    s.TimeStep = s.DrillDiameter / (s.CuttingSpeed * 5.3);
    s.DrillTopY = RestTopYPx;
    s.TipY = SurfaceYPx;
    s.ShoulderY = SurfaceYPx;
    s.SectionModulus = 1.6e-07;
    s.AllowedStress = AllowedStressPa;
    RefillTimeAxis(s);
}

void ResetToStart(SimulationState& s) {
    s.DrillTopY = RestTopYPx;
    s.ShearStress = 0.0;
    s.TipY = SurfaceYPx;
    s.ShoulderY = SurfaceYPx;
    s.TipYPx = SurfaceYPx;
    s.ShoulderYPx = SurfaceYPx;
    s.PilotEdgeYPx = SurfaceYPx;
    s.HoleDepth = 0.0;
    s.CutHalfWidthPx = 0;
    s.CutDiameter = 0.0;
    s.CutDepth = 0.0;
    RefillTimeAxis(s);
    std::fill_n(s.ForceTrace.begin(), SampleCount, 0.0);
    std::fill_n(s.MomentTrace.begin(), SampleCount, 0.0);
}
