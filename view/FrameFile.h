#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>

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

// The drill's frame pictures as the cross-section shows them: FrameBitmap, the picture
// loaded last, which a redraw keeps where it has no file to read; and the pictures of the
// six files decoded last. The window owns one for the program's life.
class FramePictures {
  public:
    // Loads a frame file as LoadFrameFile does into FrameBitmap. The file is read every
    // time, but its bytes are decoded only when they differ from those last decoded under
    // its name. Where the file cannot be read, FrameBitmap stays as it was.
    void Load(const QString& fileName);
    const QImage& FrameBitmap() const { return frameBitmap_; }

  private:
    struct Decoded {
        QString Name;
        QByteArray Bytes;
        QImage Picture;
    };

    QImage frameBitmap_;
    std::array<Decoded, FrameCount> decoded_;
};

// The scene copies a frame without transparency, so an alpha channel is dropped as it
// stands: the colour values are kept, not blended against anything. Comes back as
// Format_RGB32.
QImage OpaqueImage(QImage picture);
