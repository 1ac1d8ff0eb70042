#pragma once

// The cross-section in pixels of the view: origin top left, y downward. The tick moves
// the drill in these units, the scene paints them and the frame generator draws the
// drill's pictures to fit them.

// 2 px per mm, so that a half width in pixels carries the number of the diameter in mm.
inline constexpr int PxPerMm = 2;
// The top surface of the workpiece.
inline constexpr int SurfaceYPx = 74;
// DrillTopY, the top edge of the drill's picture, with the drill at rest.
inline constexpr int RestTopYPx = -300;
// The drill's point lies this far below the top edge of its picture.
inline constexpr int PointBelowTopPx = 369;
// At rest the point hangs this far above the surface: 5 px.
inline constexpr int ApproachPx = SurfaceYPx - (RestTopYPx + PointBelowTopPx);
// Half width per pixel of depth of the drill's conical point.
inline constexpr double PointSlopePxPerPx = 1.75;
