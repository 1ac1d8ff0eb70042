#include "ProgramAssets.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int WindowIconSizePx = 32;

bool Fail(const QString& path) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// A square size that is the window's icon enlarged by a whole factor, by repeating each
// pixel, so that the icon keeps its hard 16-colour edges at every size.
bool WritePng(const QImage& icon, const QString& folder, int sizePx) {
    const QString dir = folder + QStringLiteral("/%1x%1").arg(sizePx);
    const QString path = dir + QStringLiteral("/busenje.png");
    const QImage image = icon.scaled(sizePx, sizePx, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!QDir().mkpath(dir) || !image.save(path, "PNG")) {
        return Fail(path);
    }
    return true;
}

// One row of the icon: neighbours of the same colour joined into one rectangle, the
// transparent pixels left out.
void WriteSvgRow(const QImage& icon, int y, QTextStream& out) {
    int x = 0;
    while (x < icon.width()) {
        const QRgb colour = icon.pixel(x, y);
        int end = x + 1;
        while (end < icon.width() && icon.pixel(end, y) == colour) {
            ++end;
        }
        if (qAlpha(colour) != 0) {
            out << QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" fill=\"%4\"")
                       .arg(x)
                       .arg(y)
                       .arg(end - x)
                       .arg(QColor(colour).name(QColor::HexRgb));
            if (qAlpha(colour) != 255) {
                out << QStringLiteral(" fill-opacity=\"%1\"").arg(qAlpha(colour) / 255.0);
            }
            out << "/>\n";
        }
        x = end;
    }
}

// The scalable icon: one unit square per pixel of the window's icon, a row's neighbours of
// the same colour joined into one rectangle, the transparent pixels left out.
bool WriteSvg(const QImage& icon, const QString& folder) {
    const QString dir = folder + QStringLiteral("/scalable");
    const QString path = dir + QStringLiteral("/busenje.svg");
    QFile file(path);
    if (!QDir().mkpath(dir) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return Fail(path);
    }
    QTextStream out(&file);
    out << QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                          "viewBox=\"0 0 %1 %1\" shape-rendering=\"crispEdges\">\n")
               .arg(icon.width());
    for (int y = 0; y < icon.height(); ++y) {
        WriteSvgRow(icon, y, out);
    }
    out << "</svg>\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !file.flush()) {
        return Fail(path);
    }
    return true;
}

// The icon of the Windows program file, at the window icon's own size.
bool WriteIco(const QImage& icon, const QString& folder) {
    const QString path = folder + QStringLiteral("/busenje.ico");
    if (!QDir().mkpath(folder) || !icon.save(path, "ICO")) {
        return Fail(path);
    }
    return true;
}

} // namespace

// Writes the program's icon for the desktop's menu, software centres and the Windows
// program file into FOLDER: SIZExSIZE/busenje.png for each SIZE, a whole multiple of 32,
// scalable/busenje.svg and busenje.ico.
int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: icon_generator FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = arguments.at(1);
    const QImage icon = MainWindowIcon()
                            .pixmap(WindowIconSizePx, WindowIconSizePx)
                            .toImage()
                            .convertToFormat(QImage::Format_ARGB32);
    if (icon.size() != QSize(WindowIconSizePx, WindowIconSizePx)) {
        std::fprintf(stderr, "the window's icon is not %d pixels square\n", WindowIconSizePx);
        return 1;
    }
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        bool ok = false;
        const int sizePx = arguments.at(i).toInt(&ok);
        if (!ok || sizePx < WindowIconSizePx || sizePx % WindowIconSizePx != 0) {
            std::fprintf(stderr, "%s is not a whole multiple of %d\n", qPrintable(arguments.at(i)),
                         WindowIconSizePx);
            return 2;
        }
        if (!WritePng(icon, folder, sizePx)) {
            return 1;
        }
    }
    return WriteSvg(icon, folder) && WriteIco(icon, folder) ? 0 : 1;
}
