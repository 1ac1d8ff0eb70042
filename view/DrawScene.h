#pragma once

#include "SimulationState.h"

#include <QImage>

inline constexpr int SceneWidthPx = 369;
inline constexpr int SceneHeightPx = 353;

// Paints the scene; `surface` is (re)created at 369x353 if it has another size (or is not
// Format_RGB32, which the painter and the pixel tests rely on);
// `frameBitmap` is FrameBitmap: replaced by the loaded frame, kept when nothing is loaded.
// Throws ProgramError when the frame file cannot be read; background, block and pilot
// hole are painted by then, the drill, the outline and the axis are not.
void DrawScene(const SimulationState& state, QImage& surface, QImage& frameBitmap);
