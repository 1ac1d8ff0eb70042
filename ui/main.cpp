#include "ErrorReport.h"
#include "ProgramFonts.h"
#include "SimulationState.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QString title = ProgramTitleFromPath(QString::fromLocal8Bit(argv[0]));
    SetProgramTitle(title);
    QApplication::setApplicationName(title);
    RegisterProgramFonts();
    QApplication::setFont(ProgramFont());

    TForm1 form1(TheSimulationState());
    TForm2 form2;
    form1.SetInstructionsWindow(&form2);
    form1.show();
    form1.Button1->setFocus();
    return QApplication::exec();
}
