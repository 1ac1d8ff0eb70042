#pragma once

#include <QImage>
#include <QString>

#include "FrameNames.h"

// The six pictures of each of the seven drill sizes lie beside the program as
// "<size prefix>_<frame number>.BMP" (FrameNames.cmake); frame number 6 - FrameCounter,
// so that the counter running 0..5 shows the frames 6..1.

// "20_6.BMP" for drill size 4 and counter 0; empty when either is out of range.
QString FrameFileName(int drillSize, int frameCounter);

// Loads a frame file by bare name from the working directory. Returns a null QImage for a 0-byte
// file; throws ProgramError "Cannot open file %s", "Bitmap image is not valid", "Stream read
// error". The picture comes back opaque (Format_RGB32): an alpha channel in the file is ignored.
QImage LoadFrameFile(const QString& fileName);

// The scene copies a frame without transparency, so an alpha channel is dropped as it
// stands: the colour values are kept, not blended against anything. Comes back as
// Format_RGB32.
QImage OpaqueImage(QImage picture);
