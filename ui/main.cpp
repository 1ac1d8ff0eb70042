#include "Program.h"
#include "SimulationState.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    SetUpProgram(QString::fromLocal8Bit(argv[0]));
    TForm1 form1(TheSimulationState());
    TForm2 form2;
    form1.SetInstructionsWindow(&form2);
    form1.show();
    return QApplication::exec();
}
