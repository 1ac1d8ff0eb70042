#include "ProgramWindows.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// One whole tick through the window: the core, DrawScene with its frame file read,
// PlotTraces, and what the event loop does after the handler returns: the chart's queued
// redraw and the repaint of the cross-section and the chart.
void BM_WindowTick(benchmark::State& bench) {
    SimulationState state;
    ProgramWindows windows(state);
    const MainWindowControls& form = windows.Controls;
    if (!QTest::qWaitForWindowExposed(&windows.Form1)) {
        bench.SkipWithError("the window was not shown");
        return;
    }
    state.ToolMaterial = 1;
    state.WorkMaterial = 1;
    form.Button3->click();
    form.Timer1->stop(); // the benchmark delivers the ticks itself
    state.TravelLimit = 2000000000;
    state.AllowedStress = 1e300; // keep every measured tick a full one
    for (auto _ : bench) {
        form.Tick();
        QApplication::processEvents();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowTick)->Unit(benchmark::kMicrosecond);

// From nothing to the main window shown: both windows created, FormCreate's first
// picture drawn, the window exposed.
void BM_StartUp(benchmark::State& bench) {
    for (auto _ : bench) {
        SimulationState state;
        ProgramWindows windows(state);
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&windows.Form1));
        benchmark::DoNotOptimize(windows.Form1.Scene().constBits());
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    // The frame pictures lie beside the program.
    QDir::setCurrent(QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
