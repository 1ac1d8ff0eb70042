#include "ProgramFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace {

constexpr int WindowFontPx = 11; // 8 pt at 96 dpi; the windows are laid out in pixels

const char* const TahomaCloneFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                        "/usr/share/wine/fonts/tahomabd.ttf"};

#if defined(Q_OS_WASM)
// The browser has none of the system's fonts: the page brings, at the same paths, the faces
// that fontconfig finds on Linux for the chart's numbers and the instructions page.
const char* const PageFontFiles[] = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSerif-BoldItalic.ttf"};
#endif

// Whether the clone's bold face could be registered; without it bold falls back to a
// face whose outlines are bold themselves. Windows has Tahoma of its own, whose bold
// outlines are bold: nothing is registered there.
bool RegisterOnce() {
#if defined(Q_OS_WIN)
    return false;
#endif
    static const bool boldCloneRegistered = [] {
#if defined(Q_OS_WASM)
        for (const char* path : PageFontFiles) {
            QFontDatabase::addApplicationFont(QString::fromLatin1(path));
        }
#endif
        bool bold = false;
        for (const char* path : TahomaCloneFiles) {
            const QString file = QString::fromLatin1(path);
            const bool registered =
                QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0;
            if (registered && path == TahomaCloneFiles[1]) {
                bold = true;
            }
        }
        return bold;
    }();
    return boldCloneRegistered;
}

QFont FontOf(const QStringList& families, int pixelSize) {
    RegisterOnce();
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

void RegisterProgramFonts() {
    RegisterOnce();
}

// The clone's bold strikes exist for small sizes only: on a screen scaled up, a face whose
// outlines are bold stands in for the clone's bold Tahoma.
QFont ProgramFont(bool bold) {
    const bool scaledUp = qGuiApp != nullptr && qGuiApp->devicePixelRatio() > 1.0;
    const bool boldClone = RegisterOnce();
    QStringList families = {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"),
                            QStringLiteral("Liberation Sans")};
    if (bold && scaledUp && boldClone) {
        families.removeFirst();
    }
    QFont font = FontOf(families, WindowFontPx);
    font.setBold(bold);
    if (bold && !scaledUp && boldClone) {
        font.setStyleStrategy(QFont::NoAntialias);
    }
    return font;
}

QFont ChartNumberFont() {
    return FontOf({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")},
                  WindowFontPx);
}

QFont InstructionsPageFont(int pixelSize) {
    return FontOf({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                   QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")},
                  pixelSize);
}
