#include "ProcessTick.h"

#include "LoadModel.h"
#include "NumberFormat.h"
#include "SceneGeometry.h"

namespace {

constexpr int LastPhase = 5;
// The tip and the cut move only once the drill has travelled the approach and its point
// has reached the surface.
constexpr int PointAtSurfaceTopYPx = SurfaceYPx - PointBelowTopPx;

} // namespace

// The drill sinks by Feed pixels per tick, which at 2 px per mm stands for half a
// feed in mm; the depth L counts from the rest position and so reads 2.5 mm when the
// point touches the surface. Half widths in pixels carry the number of the diameter
// in mm, which the engaged-diameter cap relies on.
TickResult AdvanceProcess(SimulationState& s, ProcessViews& views) {
    TickResult result = TickResult::Continued;

    s.FrameCounter = s.FrameCounter >= LastPhase ? 0 : s.FrameCounter + 1;

    if (static_cast<double>(s.TravelLimit) + RestTopYPx >= s.DrillTopY) {
        s.DrillTopY += s.Feed;
    } else if (s.FrameCounter == 0) {
        // Past the end of travel the timer stops only in phase 0, so that the run
        // rests on the start frame; the tick still runs to its end.
        result = TickResult::TimerDisabled;
    }

    if (s.DrillTopY > PointAtSurfaceTopYPx) {
        s.TipY += s.Feed;
        s.TipYPx = RoundToInt32(s.TipY);
        if (s.DrillHalfWidthPx / PointSlopePxPerPx >= s.TipY - SurfaceYPx) {
            s.CutHalfWidthPx = RoundToInt32((s.TipY - SurfaceYPx) * PointSlopePxPerPx);
        } else {
            s.CutHalfWidthPx = s.DrillHalfWidthPx;
            s.ShoulderY += s.Feed;
            s.ShoulderYPx = RoundToInt32(s.ShoulderY);
        }
    }

    if (s.PilotHoleSize / PointSlopePxPerPx >= s.TipY - SurfaceYPx) {
        s.PilotEdgeYPx = SurfaceYPx;
    } else {
        const std::int64_t edge =
            static_cast<std::int64_t>(s.TipYPx) - RoundToInt32(s.PilotHoleSize / PointSlopePxPerPx);
        s.PilotEdgeYPx = RoundToInt32(static_cast<double>(edge));
    }

    s.CutDiameter = s.CutHalfWidthPx < s.DrillDiameter ? s.CutHalfWidthPx : s.DrillDiameter;
    s.HoleDepth = (s.DrillTopY - RestTopYPx) / PxPerMm;

    if (s.Operation == 1) {
        s.ReamingEngaged = 1;
        s.CutDepth = (s.CutDiameter - s.PilotHoleSize + 1) / PxPerMm;
        if (s.CutDepth > 0 && s.CutDiameter != 0) {
            ComputeLoads(s);
        }
    } else if (s.CutDiameter != 0) {
        ComputeLoads(s);
    }

    if (s.ShearStress > s.AllowedStress) {
        return TickResult::DrillBroke;
    }

    for (int k = 0; k < SampleCount; ++k) {
        s.TimeAxis[static_cast<std::size_t>(k)] += s.TimeStep;
    }
    views.PlotTraces();
    for (std::size_t k = 1; k < SampleCount; ++k) {
        s.ForceTrace[k - 1] = s.ForceTrace[k];
        s.MomentTrace[k - 1] = s.MomentTrace[k];
    }
    views.DrawScene();
    return result;
}

void ResetProcess(SimulationState& s, ProcessViews& views) {
    ResetToStart(s);
    views.PlotTraces();
    views.DrawScene();
}
