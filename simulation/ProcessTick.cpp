#include "ProcessTick.h"

#include "LoadModel.h"
#include "NumberFormat.h"
#include "SceneGeometry.h"

namespace {

constexpr int LastPhase = 5;
// The tip and the cut move only once the drill has travelled the approach and its point
// has reached the surface.
constexpr int PointAtSurfaceTopYPx = SurfaceYPx - PointBelowTopPx;

void AdvancePhase(SimulationState& s) {
    s.FrameCounter = s.FrameCounter >= LastPhase ? 0 : s.FrameCounter + 1;
}

// Past the end of travel the timer stops only in phase 0, so that the run rests on the
// start frame; the tick still runs to its end.
TickResult AdvanceTravel(SimulationState& s) {
    if (static_cast<double>(s.TravelLimit) + RestTopYPx >= s.DrillTopY) {
        s.DrillTopY += s.Feed;
    } else if (s.FrameCounter == 0) {
        return TickResult::TimerDisabled;
    }
    return TickResult::Continued;
}

// While the point enters, the cut widens along the point's slope; once the full width
// is in, the shoulder follows the tip down.
void AdvancePoint(SimulationState& s) {
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
}

// Where the point's cone meets the wall of the pilot hole; at the surface until it does.
void UpdatePilotEdge(SimulationState& s) {
    if (s.PilotHoleSize / PointSlopePxPerPx >= s.TipY - SurfaceYPx) {
        s.PilotEdgeYPx = SurfaceYPx;
    } else {
        const std::int64_t edge =
            static_cast<std::int64_t>(s.TipYPx) - RoundToInt32(s.PilotHoleSize / PointSlopePxPerPx);
        s.PilotEdgeYPx = RoundToInt32(static_cast<double>(edge));
    }
}

// Half widths in pixels carry the number of the diameter in mm, which the cap on the
// drill's diameter relies on. The depth L counts from the rest position and so reads
// half the approach when the point touches the surface.
void UpdateEngagement(SimulationState& s) {
    s.CutDiameter = s.CutHalfWidthPx < s.DrillDiameter ? s.CutHalfWidthPx : s.DrillDiameter;
    s.HoleDepth = (s.DrillTopY - RestTopYPx) / PxPerMm;
}

// The load model needs a diameter in cut and, when enlarging, a cut outside the pilot
// hole; without them the newest samples and the shear stress keep their values.
void UpdateLoads(SimulationState& s) {
    if (s.Operation == MachiningOperation::Enlarging) {
        s.ReamingEngaged = true;
        s.CutDepth = (s.CutDiameter - s.PilotHoleSize + 1) / PxPerMm;
        if (s.CutDepth > 0 && s.CutDiameter != 0) {
            ComputeLoads(s);
        }
    } else if (s.CutDiameter != 0) {
        ComputeLoads(s);
    }
}

void AdvanceTimeAxis(SimulationState& s) {
    for (int k = 0; k < SampleCount; ++k) {
        s.TimeAxis[static_cast<std::size_t>(k)] += s.TimeStep;
    }
}

// Every sample moves one place towards the oldest; the newest keeps its value.
void ScrollTraces(SimulationState& s) {
    for (std::size_t k = 1; k < SampleCount; ++k) {
        s.ForceTrace[k - 1] = s.ForceTrace[k];
        s.MomentTrace[k - 1] = s.MomentTrace[k];
    }
}

} // namespace

// The drill sinks by Feed pixels per tick, which at 2 px per mm stands for half a feed
// in mm. A drill that breaks ends the tick before the time axis, the views and the scroll.
TickResult AdvanceProcess(SimulationState& s, ProcessViews& views) {
    AdvancePhase(s);
    const TickResult result = AdvanceTravel(s);
    AdvancePoint(s);
    UpdatePilotEdge(s);
    UpdateEngagement(s);
    UpdateLoads(s);
    if (s.ShearStress > s.AllowedStress) {
        return TickResult::DrillBroke;
    }
    AdvanceTimeAxis(s);
    views.PlotTraces(s);
    ScrollTraces(s);
    views.DrawScene(s);
    return result;
}

void ResetProcess(SimulationState& s, ProcessViews& views) {
    ResetToStart(s);
    views.PlotTraces(s);
    views.DrawScene(s);
}
