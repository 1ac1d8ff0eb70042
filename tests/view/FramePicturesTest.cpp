#include "DrawScene.h"
#include "FrameFile.h"
#include "MachiningInputs.h"
#include "SceneTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

// Bits per pixel, stored little-endian at byte 28 of a BMP file.
int BitsPerPixel(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray header = file.read(30);
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
    int count = 0;
    for (int size = 1; size <= DrillSizeCount; ++size) {
        const int h = DrillSizeTable[static_cast<std::size_t>(size - 1)].HalfWidthPx;
        QImage previous;
        for (int counter = 0; counter < FrameCount; ++counter) {
            const QString name = FrameFileName(size, counter);
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(BitsPerPixel(name), 24);
            const QImage picture = LoadFrameFile(name);
            ASSERT_EQ(picture.size(), QSize(2 * h + 1, 370));
            ++count;
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
    EXPECT_EQ(count, 42);
}

// With the real pictures the start-up scene shows the drill's point just above the
// surface: the frame's last rows at the bottom of the view's drill column.
TEST(FramePictures, StartUpSceneShowsDrillPointAboveSurface) {
    SimulationState state;
    Initialise(state);
    QImage surface;
    QImage frameBitmap;
    DrawScene(state, surface, frameBitmap);
    const QImage frame = LoadFrameFile("20_6.BMP");
    ASSERT_EQ(frameBitmap, frame);
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
