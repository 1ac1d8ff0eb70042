#include "FrameFile.h"

#include "MachiningInputs.h"
#include "ProgramError.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A BMP file starts with a 14-byte file header whose first two bytes are "BM".
constexpr qint64 FileHeaderBytes = 14;
// Larger files are refused before they are read into memory; the image reader would
// refuse to allocate such a picture anyway.
constexpr qint64 LargestFrameFileBytes = 256LL * 1024 * 1024;

std::uint32_t ReadLittleEndian(const QByteArray& data, qsizetype at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    }
    return value;
}

// Whether the rows of the given size fit between the start of the pixels and the end of
// the file. Rows times row length could pass 64 bits for a forged header: compare by
// division.
bool RowsFit(const QByteArray& data, std::uint32_t pixelsAt, std::int64_t width,
             std::int64_t height, std::int64_t bitsPerPixel) {
    const std::int64_t rowBytes = (std::abs(width) * bitsPerPixel + 31) / 32 * 4;
    const std::int64_t available = static_cast<std::int64_t>(data.size()) - pixelsAt;
    return available >= 0 && (rowBytes == 0 || std::abs(height) <= available / rowBytes);
}

// Qt's reader accepts a file whose pixel rows stop short and leaves the missing rows
// undefined; such a file is refused here. Only uncompressed pictures are measured (the
// length of run-length data is not known in advance and the reader checks it itself).
bool PixelDataComplete(const QByteArray& data) {
    constexpr qsizetype InfoHeaderAt = FileHeaderBytes;
    constexpr std::uint32_t CoreHeaderBytes = 12;
    constexpr std::uint32_t PlainRgb = 0;
    constexpr std::uint32_t BitFields = 3;
    if (data.size() < InfoHeaderAt + 4) {
        return false;
    }
    const std::uint32_t pixelsAt = ReadLittleEndian(data, 10, 4);
    const std::uint32_t headerBytes = ReadLittleEndian(data, InfoHeaderAt, 4);
    if (headerBytes == CoreHeaderBytes &&
        data.size() >= InfoHeaderAt + static_cast<qsizetype>(CoreHeaderBytes)) {
        return RowsFit(data, pixelsAt, ReadLittleEndian(data, 18, 2), ReadLittleEndian(data, 20, 2),
                       ReadLittleEndian(data, 24, 2));
    }
    if (headerBytes >= 40 && data.size() >= InfoHeaderAt + 40) {
        const std::uint32_t compression = ReadLittleEndian(data, 30, 4);
        if (compression != PlainRgb && compression != BitFields) {
            return true;
        }
        return RowsFit(data, pixelsAt, static_cast<std::int32_t>(ReadLittleEndian(data, 18, 4)),
                       static_cast<std::int32_t>(ReadLittleEndian(data, 22, 4)),
                       ReadLittleEndian(data, 28, 2));
    }
    // A header the reader does not know: it decides alone.
    return true;
}

// The decoder accepts what the checks above let through.
QImage DecodeFrame(const QByteArray& data) {
    QImage picture;
    if (!PixelDataComplete(data) || !picture.loadFromData(data, "BMP") || picture.isNull()) {
        throw ProgramError(std::string(BitmapNotValidText));
    }
    return OpaqueImage(std::move(picture));
}

// The order of the checks follows how a bitmap stream is read: first the file must
// open, then the 14-byte header must be there at all, then it must say "BM"; the decoder
// judges the rest. An empty file is no error and gives no bytes.
QByteArray ReadFrameFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ProgramError(WithName(CannotOpenFileFormat, fileName.toStdString()));
    }
    const qint64 sizeBytes = file.size();
    if (sizeBytes == 0) {
        return {};
    }
    if (sizeBytes < FileHeaderBytes) {
        throw ProgramError(std::string(StreamReadErrorText));
    }
    if (sizeBytes > LargestFrameFileBytes) {
        throw ProgramError(std::string(BitmapNotValidText));
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError || data.size() != sizeBytes) {
        throw ProgramError(std::string(StreamReadErrorText));
    }
    if (!data.startsWith("BM")) {
        throw ProgramError(std::string(BitmapNotValidText));
    }
    return data;
}

} // namespace

QImage OpaqueImage(QImage picture) {
    if (picture.format() == QImage::Format_RGB32) {
        return picture;
    }
    if (picture.hasAlphaChannel()) {
        picture.convertTo(QImage::Format_ARGB32);
        picture.reinterpretAsFormat(QImage::Format_RGB32);
        return picture;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

static_assert(SizePrefixes.size() == DrillSizeCount, "pictures for every drill size");

QString FrameFileName(int drillSize, int frameCounter) {
    if (drillSize < 1 || drillSize > DrillSizeCount || frameCounter < 0 ||
        frameCounter >= FrameCount) {
        return {};
    }
    return QStringLiteral("%1_%2.BMP")
        .arg(QLatin1String(SizePrefixes[static_cast<std::size_t>(drillSize - 1)]))
        .arg(FrameCount - frameCounter);
}

QImage LoadFrameFile(const QString& fileName) {
    const QByteArray data = ReadFrameFile(fileName);
    return data.isEmpty() ? QImage() : DecodeFrame(data);
}

// Decoding a picture costs many times what reading and comparing its bytes does, and a
// run shows the same six frames over and over: the six decoded last are kept, the one read
// last at the front.
void FramePictures::Load(const QString& fileName) {
    const QByteArray data = ReadFrameFile(fileName);
    if (data.isEmpty()) {
        frameBitmap_ = QImage();
        return;
    }
    auto entry = std::find_if(decoded_.begin(), decoded_.end(),
                              [&](const Decoded& d) { return d.Name == fileName; });
    if (entry == decoded_.end()) {
        entry = decoded_.end() - 1;
    }
    std::rotate(decoded_.begin(), entry, entry + 1);
    Decoded& frame = decoded_.front();
    if (frame.Name != fileName || frame.Bytes != data) {
        frame = Decoded{fileName, data, DecodeFrame(data)};
    }
    frameBitmap_ = frame.Picture;
}
