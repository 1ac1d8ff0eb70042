#include "SimulationState.h"

#include "LoadModel.h"
#include "SceneGeometry.h"

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

// The start values are those of a 20 mm drill at 30 m/min and 0.2 mm/rev. They are
// not what the input handlers would compute for the controls' start values: the
// point length stays 0 and the travel limit 48 until the first size or depth change.
void Initialise(SimulationState& s) {
    s = SimulationState{};
    s.FrameCounter = 0;
    s.DrillSize = 4;
    s.Operation = 0;
    s.DrillHalfWidthPx = 22;
    s.ChiselHalfWidthPx = 2;
    s.PointLengthPx = 0;
    s.TravelLimit = 48;
    s.TipYPx = SurfaceYPx;
    s.ShoulderYPx = SurfaceYPx;
    s.DrillDiameter = 20.0;
    s.CuttingSpeed = 30.0;
    s.Feed = 0.2;
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
