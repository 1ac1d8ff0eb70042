#include "FrameFile.h"

#include "SceneTestSupport.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// From {0, 0, ""} on the size or the counter is out of range: no name, so nothing is loaded.
TEST(FrameFileName, NamesSizePrefixAndFrameNumberSixMinusCounter) {
    const struct {
        int DrillSize;
        int FrameCounter;
        const char* Expected;
    } cases[] = {
        {4, 0, "20_6.BMP"}, {1, 0, "5_6.BMP"},  {1, 5, "5_1.BMP"},   {2, 1, "10_5.BMP"},
        {3, 2, "15_4.BMP"}, {5, 3, "25_3.BMP"}, {6, 4, "30_2.BMP"},  {7, 5, "50_1.BMP"},
        {7, 0, "50_6.BMP"}, {0, 0, ""},         {8, 0, ""},          {-1, 3, ""},
        {4, -1, ""},        {4, 6, ""},         {2147483647, 0, ""}, {4, -2147483647 - 1, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(FrameFileName(c.DrillSize, c.FrameCounter).toStdString(), c.Expected)
            << "size " << c.DrillSize << " counter " << c.FrameCounter;
    }
}

void Put(QByteArray& data, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        data.append(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

QByteArray ValidBmp() {
    QImage picture(5, 7, QImage::Format_RGB32);
    picture.fill(0xff336699);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, "BMP"));
    return data;
}

// A 32-bit BMP with an alpha channel, built byte by byte: file header, a 108-byte info
// header with bit fields (red, green, blue and alpha masks), then the rows from the bottom
// up, each pixel blue, green, red, alpha.
QByteArray Bmp32WithAlpha(int width, int height, const std::vector<QRgb>& topDownPixels) {
    QByteArray data;
    const auto put = [&data](std::uint32_t value, int bytes) { Put(data, value, bytes); };
    const std::uint32_t pixelBytes = 4u * static_cast<std::uint32_t>(width * height);
    data.append("BM");
    put(14 + 108 + pixelBytes, 4);
    put(0, 4);
    put(14 + 108, 4);
    put(108, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);  // planes
    put(32, 2); // bits per pixel
    put(3, 4);  // bit fields
    put(pixelBytes, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (std::uint32_t mask : {0x00ff0000u, 0x0000ff00u, 0x000000ffu, 0xff000000u}) {
        put(mask, 4);
    }
    put(0x73524742, 4);                // "sRGB"
    data.append(QByteArray(48, '\0')); // end points and gamma, unused for sRGB
    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            put(topDownPixels[static_cast<std::size_t>(row * width + column)], 4);
        }
    }
    return data;
}

// A 3 x 2 picture of 24 bits with the 12-byte header of the oldest BMP files; each row of
// nine bytes is padded to twelve.
QByteArray CoreHeaderBmp() {
    QByteArray data("BM");
    for (auto [value, bytes] : {std::pair{14u + 12u + 24u, 4},
                                {0u, 4},
                                {14u + 12u, 4},
                                {12u, 4},
                                {3u, 2},
                                {2u, 2},
                                {1u, 2},
                                {24u, 2}}) {
        Put(data, value, bytes);
    }
    return data + QByteArray(24, '\x40');
}

// The same picture as ValidBmp, stored from the top row down (a negative height).
QByteArray TopDownBmp() {
    return ValidBmp().replace(22, 4, QByteArray("\xf9\xff\xff\xff", 4)); // -7
}

// Each kind of header: the whole file loads, bytes beyond the pixel data are ignored, and a
// file whose pixel data stops one byte short is refused.
TEST(LoadFrameFile, PixelDataMustBeCompleteForEveryHeader) {
    const struct {
        const char* What;
        QByteArray Content;
        QSize Size;
    } cases[] = {{"24 bits", ValidBmp(), {5, 7}},
                 {"24 bits from the top down", TopDownBmp(), {5, 7}},
                 {"32 bits with bit fields", Bmp32WithAlpha(3, 2, std::vector<QRgb>(6)), {3, 2}},
                 {"12-byte header", CoreHeaderBmp(), {3, 2}}};
    for (const auto& c : cases) {
        ScopedWorkingDirectory directory;
        WriteFile("25_5.BMP", c.Content + QByteArray(7, '\0'));
        EXPECT_EQ(LoadFrameFile("25_5.BMP").size(), c.Size) << c.What;
        WriteFile("25_5.BMP", c.Content.chopped(1));
        ExpectProgramError([] { LoadFrameFile("25_5.BMP"); }, "Bitmap image is not valid",
                           std::string(c.What) + " cut short");
    }
    // The colours of the 24-bit picture come through.
    ScopedWorkingDirectory directory;
    WriteFile("25_5.BMP", ValidBmp());
    EXPECT_EQ(LoadFrameFile("25_5.BMP").pixel(4, 6), qRgb(0x33, 0x66, 0x99));
}

TEST(LoadFrameFile, ReportsEachKindOfBrokenFileWithItsMessage) {
    const QByteArray valid = ValidBmp();
    QByteArray otherMagic = valid;
    otherMagic[0] = 'X';
    // Width field of the info header: a negative width is refused by the decoder.
    const QByteArray badHeader = QByteArray(valid).replace(18, 4, QByteArray(4, '\xff'));
    // Width, height and depth at their largest: the measure of the pixel data must not
    // overflow, and such a file is refused.
    QByteArray hugeHeader = valid;
    for (int at : {18, 19, 20, 22, 23, 24, 28, 29}) {
        hugeHeader[at] = '\xff';
    }
    hugeHeader[21] = '\x7f';
    hugeHeader[25] = '\x7f';
    const struct {
        const char* What;
        QByteArray Content;
        const char* Message;
    } cases[] = {
        {"one byte", QByteArray("B"), "Stream read error"},
        {"huge dimensions", hugeHeader, "Bitmap image is not valid"},
        {"13 bytes", valid.left(13), "Stream read error"},
        {"13 bytes, not BM", QByteArray(13, 'x'), "Stream read error"},
        {"14 bytes of header only", valid.left(14), "Bitmap image is not valid"},
        {"no BM at the start", otherMagic, "Bitmap image is not valid"},
        {"text file", QByteArray("this is not a picture at all"), "Bitmap image is not valid"},
        {"broken info header", badHeader, "Bitmap image is not valid"},
        {"BM and garbage", QByteArray("BM") + QByteArray(60, '\x7f'), "Bitmap image is not valid"}};
    for (const auto& c : cases) {
        ScopedWorkingDirectory directory;
        WriteFile("30_2.BMP", c.Content);
        ExpectProgramError([] { LoadFrameFile("30_2.BMP"); }, c.Message, c.What);
    }
}

TEST(LoadFrameFile, MissingFileOrDirectoryCannotBeOpenedAndNamesTheFile) {
    ScopedWorkingDirectory directory;
    ASSERT_TRUE(QDir().mkdir("10_4.BMP"));
    ExpectProgramError([] { LoadFrameFile("20_6.BMP"); }, "Cannot open file 20_6.BMP", "missing");
    ExpectProgramError([] { LoadFrameFile("10_4.BMP"); }, "Cannot open file 10_4.BMP",
                       "a directory");
}

TEST(LoadFrameFile, EmptyFileGivesNoPictureAndNoError) {
    ScopedWorkingDirectory directory;
    WriteFile("5_1.BMP", QByteArray());
    EXPECT_TRUE(LoadFrameFile("5_1.BMP").isNull());
}

TEST(LoadFrameFile, DecodesPictureOpaqueWithItsColours) {
    ScopedWorkingDirectory directory;
    // A transparent pixel keeps its colour and loses its alpha; nothing is blended.
    const std::vector<QRgb> pixels = {qRgba(10, 20, 30, 255), qRgba(40, 50, 60, 128),
                                      qRgba(70, 80, 90, 255), qRgba(1, 2, 3, 255),
                                      qRgba(200, 100, 50, 0), qRgba(4, 5, 6, 255)};
    WriteFile("50_3.BMP", Bmp32WithAlpha(3, 2, pixels));
    QImage asStored("50_3.BMP");
    ASSERT_TRUE(asStored.hasAlphaChannel()) << "the file must carry an alpha channel";
    const QImage loaded = LoadFrameFile("50_3.BMP");
    ASSERT_EQ(loaded.size(), QSize(3, 2));
    EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
    EXPECT_FALSE(loaded.hasAlphaChannel());
    const QRgb expected[] = {qRgb(10, 20, 30), qRgb(40, 50, 60),   qRgb(70, 80, 90),
                             qRgb(1, 2, 3),    qRgb(200, 100, 50), qRgb(4, 5, 6)};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(loaded.pixel(i % 3, i / 3), expected[i]) << "pixel " << i;
    }
}

// A file read again with the bytes last decoded under its name gives that picture itself,
// not a new decode; any change of the bytes, an emptied, removed or damaged file is read
// and judged afresh. What one owner has decoded is its own.
TEST(FramePictures, DecodeAgainOnlyWhatChanged) {
    ScopedWorkingDirectory directory;
    FramePictures frames;
    const auto load = [&frames](const QString& name) {
        frames.Load(name);
        return frames.FrameBitmap();
    };
    WriteSolidFrame("20_6.BMP", 3, BlueRgb);
    const QImage first = load("20_6.BMP");
    EXPECT_EQ(load("20_6.BMP").cacheKey(), first.cacheKey()) << "the same bytes";
    // The other frames of the size, and back: the first is still known.
    for (int frame = 1; frame <= 5; ++frame) {
        WriteSolidFrame(QStringLiteral("20_%1.BMP").arg(frame), 3, SilverRgb);
        EXPECT_EQ(load(QStringLiteral("20_%1.BMP").arg(frame)).pixel(0, 0), SilverRgb);
    }
    EXPECT_EQ(load("20_6.BMP").cacheKey(), first.cacheKey()) << "six frames kept";
    FramePictures other;
    other.Load("20_6.BMP");
    EXPECT_NE(other.FrameBitmap().cacheKey(), first.cacheKey()) << "another owner's";

    const struct {
        const char* What;
        QByteArray Content;
        QRgb Colour; // of the picture loaded, or 0 where it is null
        const char* Message;
    } changes[] = {
        {"another colour", QByteArray(), BlackRgb, nullptr},
        {"emptied", QByteArray(""), 0, nullptr},
        {"damaged", ValidBmp().chopped(1), 0, "Bitmap image is not valid"},
        {"removed", QByteArray(), 0, "Cannot open file 20_6.BMP"},
        {"blue again", QByteArray(), BlueRgb, nullptr},
    };
    for (const auto& c : changes) {
        const std::string what = c.What;
        if (what == "removed") {
            ASSERT_TRUE(QFile::remove("20_6.BMP"));
        } else if (c.Colour != 0) {
            WriteSolidFrame("20_6.BMP", 3, c.Colour);
        } else {
            WriteFile("20_6.BMP", c.Content);
        }
        if (c.Message != nullptr) {
            ExpectProgramError([&] { frames.Load("20_6.BMP"); }, c.Message, what);
            continue;
        }
        const QImage loaded = load("20_6.BMP");
        if (c.Colour == 0) {
            EXPECT_TRUE(loaded.isNull()) << what;
        } else {
            EXPECT_EQ(loaded.pixel(3, 100), c.Colour) << what;
            EXPECT_NE(loaded.cacheKey(), first.cacheKey()) << what;
        }
    }
}

} // namespace
