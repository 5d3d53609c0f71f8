#include "experiment/ChaosStep.h"

#include "runtime/RuntimeError.h"

namespace tarnelby {

namespace {

constexpr double kRollOffset = 1;
constexpr Single kDivisor = 2;

// The half-way point between two coordinates. Half of a sum of two Integers
// always lies between them, so it is formed from the exact sum and cannot
// overflow: (20000 + 20000) / 2 -> 20000, (2251 + 4000) / 2 = 3125.5 -> 3126.
Integer halfWay(Integer from, Integer to)
{
    const Single sum = static_cast<Single>(static_cast<int>(from) + static_cast<int>(to));
    return CInt(sum / kDivisor);
}

} // namespace

int rollFor(Single r, Integer pointCount) noexcept
{
    return static_cast<int>(Int(static_cast<double>(r) * pointCount) + kRollOffset);
}

StepOutcome chaosStep(ExperimentState& state, Single clockReading, RandomGenerator& generator)
{
    generator.Randomize(clockReading);
    const Single r = generator.Rnd();
    const int row = rollFor(r, state.PointCount);
    // Counted first, so that a count at its limit leaves the whole state as it was.
    const Long count = addChecked(state.DotCount, Long{1});

    state.CurX = halfWay(state.CurX, state.pointX(row));
    state.CurY = halfWay(state.CurY, state.pointY(row));
    state.DotCount = count;
    return {state.CurX, state.CurY, count, count >= kPlottingThreshold};
}

} // namespace tarnelby
