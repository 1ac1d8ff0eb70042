// One redraw of the cross-section as a tick does it: the frame file is read from disk
// and decoded every time, then the whole scene is painted. Runs beside the frame
// pictures, in the program's own directory.
#include "DrawScene.h"
#include "FrameFile.h"
#include "MachiningInputs.h"
#include "ProcessTick.h"
#include "RecordingViews.h"

#include <QDir>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

// A drilling run of the largest drill, 60 ticks in: the point has fully entered.
SimulationState MidRunState(MachiningOperation operation) {
    SimulationState state;
    Initialise(state);
    state.Operation = operation;
    state.PilotHoleSize = 11;
    ApplyDrillSize(state, 7);
    FinishDrillSizeChange(state, 40);
    RecordingViews views;
    for (int tick = 0; tick < 60; ++tick) {
        AdvanceProcess(state, views);
    }
    return state;
}

void DrawSceneMidRun(benchmark::State& run, MachiningOperation operation) {
    SimulationState state = MidRunState(operation);
    QImage surface;
    FramePictures frames;
    for (auto _ : run) {
        state.FrameCounter = state.FrameCounter >= 5 ? 0 : state.FrameCounter + 1;
        DrawScene(state, surface, frames);
        benchmark::DoNotOptimize(surface.constBits());
    }
}

void BM_DrawSceneDrilling(benchmark::State& run) {
    DrawSceneMidRun(run, MachiningOperation::Drilling);
}
void BM_DrawSceneEnlarging(benchmark::State& run) {
    DrawSceneMidRun(run, MachiningOperation::Enlarging);
}

// A frame file read, and decoded unless found unchanged, as every redraw does.
void BM_LoadFrameFile(benchmark::State& run) {
    const QString name = FrameFileName(7, 0);
    FramePictures frames;
    for (auto _ : run) {
        frames.Load(name);
        benchmark::DoNotOptimize(frames.FrameBitmap().constBits());
    }
}

BENCHMARK(BM_DrawSceneDrilling)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawSceneEnlarging)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadFrameFile)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
