#include "Materials.h"
#include "ProcessTick.h"
#include "RecordingViews.h"

#include <benchmark/benchmark.h>

namespace {

// One tick of the core with loads computed: the drill is fully engaged and far from
// the end of travel, so every tick evaluates the load model and scrolls both buffers.
void BM_Tick(benchmark::State& bench) {
    SimulationState s;
    Initialise(s);
    s.ToolMaterial = 1;
    s.WorkMaterial = 1;
    PrepareProcessStart(s);
    s.TravelLimit = 2000000000;
    // The depth factor grows without end on this long travel; keep the drill whole so
    // that every measured tick is a full one.
    s.AllowedStress = 1e300;
    RecordingViews views;
    for (int i = 0; i < 400; ++i) {
        AdvanceProcess(s, views);
    }
    for (auto _ : bench) {
        benchmark::DoNotOptimize(AdvanceProcess(s, views));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Tick);

} // namespace

BENCHMARK_MAIN();
