#include "Oscillograph.h"

#include "Materials.h"
#include "ProcessTick.h"
#include "RecordingViews.h"
#include "SimulationState.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// The state 300 ticks into a run with the first materials of both lists.
SimulationState StateAfterARun() {
    SimulationState state;
    Initialise(state);
    ToolMaterialPicked(state, 0);
    WorkMaterialPicked(state, 0);
    (void)PrepareProcessStart(state);
    RecordingViews views;
    for (int tick = 0; tick < 300; ++tick) {
        AdvanceProcess(state, views);
    }
    return state;
}

// The oscillograph's part of one tick: both traces rebuilt from the buffers, then what the
// event loop does after the tick handler returns: the queued redraw of what moves, and the
// repaint it asks for (the update it posts comes in the second pass).
void PlotTracesAndRepaint(benchmark::State& bench) {
    Oscillograph chart;
    chart.resize(369, 137);
    chart.show();
    SimulationState state = StateAfterARun();
    for (auto _ : bench) {
        chart.PlotTraces(state);
        QApplication::processEvents();
        QApplication::processEvents();
        for (int k = 0; k < SampleCount; ++k) {
            state.TimeAxis[k] += state.TimeStep;
        }
    }
}
BENCHMARK(PlotTracesAndRepaint)->Unit(benchmark::kMicrosecond);

// Both traces rebuilt without drawing: what the tick itself pays.
void PlotTracesOnly(benchmark::State& bench) {
    Oscillograph chart;
    chart.resize(369, 137);
    SimulationState state;
    Initialise(state);
    for (auto _ : bench) {
        chart.PlotTraces(state);
    }
}
BENCHMARK(PlotTracesOnly)->Unit(benchmark::kMicrosecond);

// What a right click on the chart costs before its menu shows: the chart taken as it
// stands in every form the menu saves.
void TakeSnapshot(benchmark::State& bench) {
    Oscillograph chart;
    chart.resize(369, 137);
    chart.show();
    SimulationState state = StateAfterARun();
    chart.PlotTraces(state);
    QApplication::processEvents();
    for (auto _ : bench) {
        benchmark::DoNotOptimize(chart.Snapshot());
    }
}
BENCHMARK(TakeSnapshot)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
