#include "Program.h"

#include "ErrorReport.h"
#include "ProgramFonts.h"
#include "QtTexts.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QWidget>

void SetUpProgram(const QString& programPath) {
    const QString title = ProgramTitleFromPath(programPath);
    SetProgramTitle(title);
    QApplication::setApplicationName(title);
    RegisterProgramFonts();
    QApplication::setFont(ProgramFont());
    InstallSerbianQtTexts();
}

void SetUpWindow(QWidget& window, const QString& name, const QString& caption, const QIcon& icon,
                 QRect clientArea) {
    window.setObjectName(name);
    window.setWindowTitle(caption);
    window.setWindowIcon(icon);
    window.setFont(ProgramFont());
    window.resize(clientArea.size());
    window.move(clientArea.topLeft());
    KeepOnScreenWhenFirstShown(window);
}
