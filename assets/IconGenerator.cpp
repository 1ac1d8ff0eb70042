#include "ProgramAssets.h"

#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

// Writes the program's icon as a PNG for the desktop's menu: busenje.png in the folder
// given as the argument.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_generator FOLDER\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/busenje.png");
    if (!MainWindowIcon().pixmap(32, 32).save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
