#include "MessageRecorder.h"
#include "ProgramWindows.h"
#include "SimulationState.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

// The desktop program's samples of one run, and its row in the table of runs, which
// scripts/web-check.sh compares with those the browser's program gives of the same run:
// the main window (offscreen where no display is named), the tool and workpiece materials
// picked by their places in the lists, "Proces" pressed, the run ticked until its timer
// stops, the samples written as the chart's menu saves them, and the table as "Kopiraj
// tabelu" copies it. The boxes of the run are printed instead of shown.
// Usage: busenje_reference_run TOOL_INDEX WORK_INDEX OUTPUT.csv TABLE.txt
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s TOOL_INDEX WORK_INDEX OUTPUT.csv TABLE.txt\n", argv[0]);
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
    MainWindowControls::Find<QPushButton>(controls.Form, "CopyRunTable")->click();
    const QByteArray samples = controls.Chart1->Snapshot().SamplesCsv;
    const QByteArray table = QApplication::clipboard()->text().toUtf8();
    for (const auto& [name, bytes] : {std::pair{argv[3], samples}, std::pair{argv[4], table}}) {
        QFile file(QString::fromLocal8Bit(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.flush()) {
            std::fprintf(stderr, "cannot write %s\n", name);
            return 1;
        }
    }
    std::printf("%d ticks\n", ticks);
    for (const std::string& event : boxes.events) {
        std::printf("%s\n", event.c_str());
    }
    return 0;
}
