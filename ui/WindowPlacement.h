#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// Where a window's frame goes on a screen whose available area (the screen less its panels
// and docks) is the given one: where it stands, when the area holds it there; otherwise
// moved the least way that brings it wholly inside. Along a side where the frame is longer
// than the area it starts at the area's left or top edge, so that the title bar stays
// within reach.
QPoint FramePositionOnScreen(QRect frame, const QRect& availableArea);

// Moves a window by FramePositionOnScreen on its screen when it is first shown. Later shows
// leave it where the user put it.
void KeepOnScreenWhenFirstShown(QWidget& window);
