#pragma once

#include <cstdint>

// The values the inputs start with, each in the unit of its spin edit. The main window's
// spin edits show them, the start state of the simulation holds them, and the chart's
// axes open with the maxima.

// Row 4 of the drill size table: a 20 mm drill.
inline constexpr std::int32_t StartDrillSize = 4;
inline constexpr std::int32_t StartCuttingSpeedMPerMin = 30;
// The feed in hundredths of a mm per revolution, and in mm/rev as the feed handler
// computes it from them.
inline constexpr std::int32_t StartFeedHundredths = 20;
inline constexpr double StartFeedMmPerRev = StartFeedHundredths / 100.0;
inline constexpr std::int32_t StartHoleDepthMm = 20;
// The top of the force axis in thousands of newtons (the axis opens at 0..6000 N), and of
// the moment axis in Nm.
inline constexpr std::int32_t StartForceAxisMaximumKiloNewtons = 6;
inline constexpr std::int32_t StartMomentAxisMaximumNm = 60;
