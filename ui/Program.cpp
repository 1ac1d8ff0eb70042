#include "Program.h"

#include "ErrorReport.h"
#include "ProgramFonts.h"

#include <QApplication>

void SetUpProgram(const QString& programPath) {
    const QString title = ProgramTitleFromPath(programPath);
    SetProgramTitle(title);
    QApplication::setApplicationName(title);
    RegisterProgramFonts();
    QApplication::setFont(ProgramFont());
}
