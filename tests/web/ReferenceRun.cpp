#include "MessageRecorder.h"
#include "ProgramWindows.h"
#include "SimulationState.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <string>

// The desktop program's samples of one run, which scripts/web-check.sh compares with those
// the browser's program saves of the same run: the main window (offscreen where no display
// is named), the tool and workpiece materials picked by their places in the lists,
// "Proces" pressed, the run ticked until its timer stops, and the samples written as the
// chart's menu saves them. The boxes of the run are printed instead of shown.
// Usage: busenje_reference_run TOOL_INDEX WORK_INDEX OUTPUT.csv
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s TOOL_INDEX WORK_INDEX OUTPUT.csv\n", argv[0]);
        return 2;
    }
    MessageRecorder boxes;
    SimulationState state;
    ProgramWindows windows(state);
    const MainWindowControls& controls = windows.Controls;
    controls.ComboBox1->setCurrentIndex(std::atoi(argv[1]));
    controls.ComboBox2->setCurrentIndex(std::atoi(argv[2]));
    QTest::mouseClick(controls.Button3, Qt::LeftButton);
    // A run of the longest drill at the slowest feed ends well within this many ticks.
    constexpr int MostTicks = 1'000'000;
    int ticks = 0;
    while (controls.Timer1->isActive() && ticks < MostTicks) {
        controls.Tick();
        ++ticks;
    }
    if (controls.Timer1->isActive()) {
        std::fprintf(stderr, "the run did not end within %d ticks\n", MostTicks);
        return 1;
    }
    QFile csv(QString::fromLocal8Bit(argv[3]));
    const QByteArray samples = controls.Chart1->Snapshot().SamplesCsv;
    if (!csv.open(QIODevice::WriteOnly) || csv.write(samples) != samples.size() || !csv.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%d ticks\n", ticks);
    for (const std::string& event : boxes.events) {
        std::printf("%s\n", event.c_str());
    }
    return 0;
}
