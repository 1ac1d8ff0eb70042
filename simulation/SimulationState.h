#pragma once

#include <array>
#include <cstdint>

// Samples shown by the oscillograph: index 0 is the oldest, 276 the newest.
inline constexpr int SampleCount = 277;
// Each buffer has room for three more elements; they stay 0 and are never read.
inline constexpr int SampleCapacity = 280;
inline constexpr int NewestSample = SampleCount - 1;

using SampleBuffer = std::array<double, SampleCapacity>;

// What the drill does: bore into solid material ("Bušenje") or enlarge a pilot hole
// ("Proširivanje").
enum class MachiningOperation : std::int32_t { Drilling = 0, Enlarging = 1 };

// Everything the simulation knows: the machining inputs and what is derived from
// them, the drill's place in the cross-section (pixels of the view, SceneGeometry.h),
// the coefficient set of the workpiece material, the loads of the
// current tick and the three sample buffers behind the oscillograph.
struct SimulationState {
    // Whole-number fields (32-bit signed).
    std::int32_t FrameCounter = 0;
    std::int32_t DrillSize = 0;
    MachiningOperation Operation = MachiningOperation::Drilling;
    std::int32_t DrillHalfWidthPx = 0;
    std::int32_t ChiselHalfWidthPx = 0;
    std::int32_t PointLengthPx = 0;
    std::int32_t TravelLimit = 0;
    std::int32_t CutHalfWidthPx = 0;
    std::int32_t TipYPx = 0;
    std::int32_t ShoulderYPx = 0;
    std::int32_t PilotHoleSize = 0;
    std::int32_t PilotEdgeYPx = 0;
    bool ReamingEngaged = false; // the cut has reached the pilot hole's enlarging shape
    std::int32_t WorkMaterial = 0;
    std::int32_t ToolMaterial = 0;
    std::int32_t ForceAxisMax = 0;
    std::int32_t MomentAxisMax = 0;
    bool ModellingBlocked = false; // the pilot hole is wider than the drill

    // Floating-point fields: mm, m/min, mm/rev, rev/min, s, px, m^3, Pa.
    double DrillDiameter = 0;
    double CuttingSpeed = 0;
    double Feed = 0;
    double SpindleSpeed = 0;
    double TimeStep = 0;
    double DrillTopY = 0;
    double TipY = 0;
    double ShoulderY = 0;
    double CutDiameter = 0;
    double HoleDepth = 0;
    double CutDepth = 0;
    double SectionModulus = 0;
    double ShearStress = 0;
    double AllowedStress = 0;

    // Coefficient set of the workpiece material loaded by the last successful "Proces".
    double CpDrill = 0, QpDrill = 0, YpDrill = 0;
    double CmDrill = 0, QmDrill = 0, YmDrill = 0;
    double CpReam = 0, XpReam = 0, YpReam = 0;
    double CmReam = 0, QmReam = 0, XmReam = 0, YmReam = 0;
    double SpeedExponent = 0, ForceFactor = 0, MomentFactor = 0;

    // Products of the load model before the speed term, depth factor and correction.
    double ForceBaseDrill = 0, MomentBaseDrill = 0;
    double ForceBaseReam = 0, MomentBaseReam = 0;

    SampleBuffer TimeAxis{};
    SampleBuffer ForceTrace{};
    SampleBuffer MomentTrace{};

    bool operator==(const SimulationState&) const = default;
};

// The one record of the program; it lives from start to end, zero-filled until
// Initialise gives it its start values.
SimulationState& TheSimulationState();

// Start values of a new main window: the drill size, cutting speed and feed of
// StartValues.h (a 20 mm drill, 30 m/min, 0.2 mm/rev), drilling, drill at rest, no
// material chosen, time axis from -276 steps to 0.
void Initialise(SimulationState& state);

// Puts the drill and the three buffers back to the start position; inputs, materials,
// coefficients, the animation phase and the axis maxima stay as they are.
void ResetToStart(SimulationState& state);

// (k - 276) x TimeStep for every sample k: the newest sample at time 0.
void RefillTimeAxis(SimulationState& state);
