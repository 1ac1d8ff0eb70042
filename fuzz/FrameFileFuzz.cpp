#include "FrameFile.h"
#include "ProgramError.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

constexpr std::string_view FrameName = "20_6.BMP";

std::unique_ptr<QTemporaryDir> directory;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto* application = new QGuiApplication(*argc, *argv);
    (void)application;
    directory = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(directory->path());
    return 0;
}

// Whatever bytes a frame file holds, loading it gives a picture, an empty picture for an
// empty file, or one of the three messages, and never anything else.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString name = QString::fromLatin1(FrameName.data(), FrameName.size());
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::abort();
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    try {
        const QImage picture = LoadFrameFile(name);
        if (picture.isNull() != (size == 0)) {
            std::abort();
        }
        if (!picture.isNull() && picture.hasAlphaChannel()) {
            std::abort();
        }
    } catch (const ProgramError& error) {
        const std::string_view message = error.what();
        const bool known = message == BitmapNotValidText ||
                           (message == StreamReadErrorText && size >= 1 && size <= 13);
        if (!known) {
            std::abort();
        }
    }
    return 0;
}
