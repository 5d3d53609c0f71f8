#include "experiment/Experiment.h"
#include "runtime/Runtime.h"

#include <benchmark/benchmark.h>

namespace tarnelby {
namespace {

Experiment triangle()
{
    Experiment experiment;
    for (Position at : {Position{4000, 1000}, Position{8000, 1000}, Position{6000, 5000}})
        experiment.pick(at);
    return experiment;
}

// One whole chaos step: re-seed, draw, roll, move and count.
void BM_ChaosStep(benchmark::State& bench)
{
    Experiment experiment = triangle();
    RandomGenerator generator;
    Single clock = 43200.0f;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(experiment.step(clock, generator));
        clock += 0.001f;
    }
}
BENCHMARK(BM_ChaosStep);

// The same with the clock read from the system, as the window does every tick.
void BM_ChaosStepWithSystemClock(benchmark::State& bench)
{
    Experiment experiment = triangle();
    RandomGenerator generator;
    SystemWallClock clock;
    for (auto _ : bench)
        benchmark::DoNotOptimize(experiment.step(clock.secondsSinceMidnight(), generator));
}
BENCHMARK(BM_ChaosStepWithSystemClock);

} // namespace
} // namespace tarnelby

BENCHMARK_MAIN();
