#pragma once

#include "SimulationState.h"

#include <cmath>
#include <cstddef>

// Whether the state is one the program can go on from: every number in it finite (the
// machining inputs and what follows from them, the drill's place, the loads, the
// coefficients and all three sample buffers) and the animation phase one of its six.
inline bool IsSound(const SimulationState& s) {
    const double values[] = {s.DrillDiameter, s.CuttingSpeed,  s.Feed,           s.SpindleSpeed,
                             s.TimeStep,      s.DrillTopY,     s.TipY,           s.ShoulderY,
                             s.CutDiameter,   s.HoleDepth,     s.CutDepth,       s.SectionModulus,
                             s.ShearStress,   s.AllowedStress, s.CpDrill,        s.QpDrill,
                             s.YpDrill,       s.CmDrill,       s.QmDrill,        s.YmDrill,
                             s.CpReam,        s.XpReam,        s.YpReam,         s.CmReam,
                             s.QmReam,        s.XmReam,        s.YmReam,         s.SpeedExponent,
                             s.ForceFactor,   s.MomentFactor,  s.ForceBaseDrill, s.MomentBaseDrill,
                             s.ForceBaseReam, s.MomentBaseReam};
    for (double value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    for (std::size_t k = 0; k < SampleCapacity; ++k) {
        if (!std::isfinite(s.TimeAxis[k]) || !std::isfinite(s.ForceTrace[k]) ||
            !std::isfinite(s.MomentTrace[k])) {
            return false;
        }
    }
    return s.FrameCounter >= 0 && s.FrameCounter <= 5;
}
