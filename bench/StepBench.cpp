#include "experiment/ChaosStep.h"
#include "runtime/WallClock.h"

#include <benchmark/benchmark.h>

namespace tarnelby {
namespace {

ExperimentState triangle()
{
    ExperimentState state;
    resetExperiment(state);
    state.PointX = {4000, 8000, 6000};
    state.PointY = {1000, 1000, 5000};
    state.PointCount = 3;
    return state;
}

// One whole chaos step: re-seed, draw, roll, move and count.
void BM_ChaosStep(benchmark::State& bench)
{
    ExperimentState state = triangle();
    RandomGenerator generator;
    Single clock = 43200.0f;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(chaosStep(state, clock, generator));
        clock += 0.001f;
    }
}
BENCHMARK(BM_ChaosStep);

// The same with the clock read from the system, as the window does every tick.
void BM_ChaosStepWithSystemClock(benchmark::State& bench)
{
    ExperimentState state = triangle();
    RandomGenerator generator;
    SystemWallClock clock;
    for (auto _ : bench)
        benchmark::DoNotOptimize(chaosStep(state, clock.secondsSinceMidnight(), generator));
}
BENCHMARK(BM_ChaosStepWithSystemClock);

} // namespace
} // namespace tarnelby

BENCHMARK_MAIN();
