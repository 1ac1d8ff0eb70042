#pragma once

#include "FrameFile.h"
#include "SimulationState.h"

#include <QImage>
#include <QRect>

inline constexpr int SceneWidthPx = 369;
inline constexpr int SceneHeightPx = 353;

// Paints the scene; `surface` is (re)created at 369x353 if it has another size (or is not
// Format_RGB32, which the painter and the pixel tests rely on). The drill's picture is the
// frame the state names, loaded into `frames`, or the one loaded last where the state
// names none. Throws ProgramError when the frame file cannot be read; background, block
// and pilot hole are painted by then, the drill, the outline and the axis are not.
// Given `within`, only its pixels are painted: the surface must hold a scene that differs
// from this one only there, as one painted before does outside the columns both scenes
// use (SceneColumnsInUse). A surface made anew is painted whole.
void DrawScene(const SimulationState& state, QImage& surface, FramePictures& frames,
               const QRect& within = QRect());

// The columns of the scene that the state and the frame picture reach into: those about the
// axis that the drill's picture, the cut and the pilot hole cover. Every column beyond them
// shows background and block, which every redraw paints alike.
QRect SceneColumnsInUse(const SimulationState& state, const QImage& frameBitmap);
