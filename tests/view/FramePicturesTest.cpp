#include "DrawScene.h"
#include "FrameFile.h"
#include "MachiningInputs.h"
#include "SceneTestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

// Bits per pixel, stored little-endian at byte 28 of a BMP file.
int BitsPerPixel(const QString& name) {
    QFile file(name);
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(30) : QByteArray();
    if (header.size() < 30) {
        return -1;
    }
    return static_cast<unsigned char>(header[28]) | (static_cast<unsigned char>(header[29]) << 8);
}

bool IsWhite(QRgb colour) {
    return (colour & 0xffffff) == 0xffffff;
}

// The pictures beside the test program, as the build made them.
TEST(FramePictures, FortyTwoOpaque24BitPicturesOfTheDrillSizes) {
    EXPECT_EQ(QDir().entryList({"*.BMP"}, QDir::Files).size(), 42);
    for (int size = 1; size <= DrillSizeCount; ++size) {
        const int h = DrillSizeTable[static_cast<std::size_t>(size - 1)].HalfWidthPx;
        QImage previous;
        for (int counter = 0; counter < FrameCount; ++counter) {
            const QString name = FrameFileName(size, counter);
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(BitsPerPixel(name), 24);
            const QImage picture = LoadFrameFile(name);
            ASSERT_EQ(picture.size(), QSize(2 * h + 1, 370));
            // The point: one pixel on row 369 at column H, nothing outside the cone of
            // slope 1.75 that widens upwards from there.
            EXPECT_FALSE(IsWhite(picture.pixel(h, 369)));
            for (int row = 369 - h; row <= 369; ++row) {
                const double halfWidth = (369 - row) * 1.75 + 0.5;
                for (int column = 0; column <= 2 * h; ++column) {
                    if (std::abs(column - h) > halfWidth + 1.0) {
                        EXPECT_TRUE(IsWhite(picture.pixel(column, row)))
                            << "outside the point at " << column << ", " << row;
                    }
                }
            }
            // The body spans the full width somewhere above the point.
            int widestRow = 0;
            for (int row = 0; row < 369 - h; ++row) {
                if (!IsWhite(picture.pixel(0, row)) && !IsWhite(picture.pixel(2 * h, row))) {
                    ++widestRow;
                }
            }
            EXPECT_GT(widestRow, 200);
            // From one frame to the next the drill has turned.
            if (!previous.isNull()) {
                EXPECT_NE(picture, previous);
            }
            previous = picture;
        }
    }
}

// How far the picture `later` has moved up against `earlier` along the drill's body:
// the row shift that best matches both, searched within a quarter of the flutes' pitch
// either way, so that the two flutes half a turn apart cannot be confused.
int UpwardShift(const QImage& earlier, const QImage& later, int maxShift) {
    constexpr int FirstRow = 130;
    constexpr int LastRow = 330;
    int best = 0;
    double bestDifference = 1e300;
    for (int shift = -maxShift; shift <= maxShift; ++shift) {
        double difference = 0;
        int count = 0;
        for (int row = FirstRow; row <= LastRow; ++row) {
            if (row + shift < FirstRow || row + shift > LastRow) {
                continue;
            }
            for (int column = 0; column < later.width(); ++column) {
                difference += std::abs(qGray(later.pixel(column, row)) -
                                       qGray(earlier.pixel(column, row + shift)));
                ++count;
            }
        }
        difference /= count;
        if (difference < bestDifference) {
            bestDifference = difference;
            best = shift;
        }
    }
    return best;
}

// Shown in the order 6, 5, ..., 1 the right-hand drill turns clockwise seen from above:
// its flutes climb a sixth of the pitch from one shown frame to the next.
TEST(FramePictures, FlutesClimbFromOneShownFrameToTheNext) {
    for (int size : {4, 7}) {
        for (int counter = 0; counter < FrameCount; ++counter) {
            const QImage earlier = LoadFrameFile(FrameFileName(size, counter));
            const QImage later = LoadFrameFile(FrameFileName(size, (counter + 1) % FrameCount));
            const int h = DrillSizeTable[static_cast<std::size_t>(size - 1)].HalfWidthPx;
            // The helix climbs 30 degrees: pitch = 2 pi R / tan 30.
            const double pitch = 2 * 3.14159265 * (h + 0.5) / std::tan(30 * 3.14159265 / 180);
            const int shift = UpwardShift(earlier, later, static_cast<int>(pitch / 4));
            EXPECT_NEAR(shift, pitch / 6, 3) << "size " << size << " counter " << counter;
        }
    }
}

// With the real pictures the start-up scene shows the drill's point just above the
// surface: the frame's last rows at the bottom of the view's drill column.
TEST(FramePictures, StartUpSceneShowsDrillPointAboveSurface) {
    SimulationState state;
    Initialise(state);
    QImage surface;
    FramePictures frames;
    DrawScene(state, surface, frames);
    const QImage frame = LoadFrameFile("20_6.BMP");
    ASSERT_EQ(frames.FrameBitmap(), frame);
    for (int row = 0; row < 70; ++row) {
        for (int column = 163; column <= 207; ++column) {
            if (column != 185) {
                ASSERT_EQ(surface.pixel(column, row), frame.pixel(column - 163, row + 300))
                    << column << ", " << row;
            }
        }
    }
    EXPECT_FALSE(IsWhite(surface.pixel(184, 69)));
    EXPECT_TRUE(IsWhite(surface.pixel(170, 70)));
}

} // namespace
