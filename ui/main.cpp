#include "Program.h"
#include "SimulationState.h"
#include "Unit1.h"
#include "Unit2.h"
#if defined(Q_OS_WASM)
#include "WebPage.h"
#endif

#include <QApplication>

#if defined(Q_OS_WASM)
// In the browser exec() hands the program over to the page's event loop and unwinds
// main()'s stack on the way: the application and the windows live on with the page, and
// are never destroyed. The program's file is "this.program" there; the program is named
// as on the desktop. show() would make the window fill the page; it is made visible
// instead, and keeps its size and place in its frame, as on the desktop.
int main(int argc, char* argv[]) {
    new QApplication(argc, argv);
    SetUpProgram(QStringLiteral("busenje"));
    auto* form1 = new TForm1(TheSimulationState());
    auto* form2 = new TForm2;
    form1->SetInstructionsWindow(form2);
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [] { TellPageProgramEnded(); });
    form1->setVisible(true);
    return QApplication::exec();
}
#else
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    SetUpProgram(QString::fromLocal8Bit(argv[0]));
    TForm1 form1(TheSimulationState());
    TForm2 form2;
    form1.SetInstructionsWindow(&form2);
    form1.show();
    return QApplication::exec();
}
#endif
