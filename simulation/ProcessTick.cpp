#include "ProcessTick.h"

#include "LoadModel.h"
#include "NumberFormat.h"

namespace {

constexpr int LastPhase = 5;
// The point lies 369 px below the top of the drill picture, 5 px above the surface at
// rest; the tip and the cut move only once the drill has travelled those 5 px.
constexpr double PointAtSurfaceTopYPx = -295.0;
constexpr double SurfaceYPx = 74.0;
// Half width per pixel of depth of the drill's point, for the cut and the pilot edge.
constexpr double PointSlope = 1.75;
constexpr double PxPerMm = 2.0;

} // namespace

// The drill sinks by Feed pixels per tick, which at 2 px per mm stands for half a
// feed in mm; the depth L counts from the rest position and so reads 2.5 mm when the
// point touches the surface. Half widths in pixels carry the number of the diameter
// in mm, which the engaged-diameter cap relies on.
TickResult AdvanceProcess(SimulationState& s, ProcessViews& views) {
    TickResult result = TickResult::Continued;

    s.FrameCounter = s.FrameCounter >= LastPhase ? 0 : s.FrameCounter + 1;

    if (static_cast<double>(s.TravelLimit) - 300.0 >= s.DrillTopY) {
        s.DrillTopY += s.Feed;
    } else if (s.FrameCounter == 0) {
        // Past the end of travel the timer stops only in phase 0, so that the run
        // rests on the start frame; the tick still runs to its end.
        result = TickResult::TimerDisabled;
    }

    if (s.DrillTopY > PointAtSurfaceTopYPx) {
        s.TipY += s.Feed;
        s.TipYPx = RoundToInt32(s.TipY);
        if (s.DrillHalfWidthPx / PointSlope >= s.TipY - SurfaceYPx) {
            s.CutHalfWidthPx = RoundToInt32((s.TipY - SurfaceYPx) * PointSlope);
        } else {
            s.CutHalfWidthPx = s.DrillHalfWidthPx;
            s.ShoulderY += s.Feed;
            s.ShoulderYPx = RoundToInt32(s.ShoulderY);
        }
    }

    if (s.PilotHoleSize / PointSlope >= s.TipY - SurfaceYPx) {
        s.PilotEdgeYPx = static_cast<std::int32_t>(SurfaceYPx);
    } else {
        const std::int64_t edge = static_cast<std::int64_t>(s.TipYPx) -
                                  RoundToInt32(s.PilotHoleSize / PointSlope);
        s.PilotEdgeYPx = RoundToInt32(static_cast<double>(edge));
    }

    s.CutDiameter = s.CutHalfWidthPx < s.DrillDiameter ? s.CutHalfWidthPx : s.DrillDiameter;
    s.HoleDepth = (s.DrillTopY + 300.0) / PxPerMm;

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
