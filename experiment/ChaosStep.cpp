#include "experiment/ChaosStep.h"

#include "runtime/RuntimeError.h"

namespace tarnelby {

namespace {

constexpr double kRollOffset = 1;

// The half-way point between two coordinates, rounded to whole twips with ties
// to the even neighbour. Half of a sum of two Integers always lies between
// them, so it is formed from the exact sum and cannot overflow:
// (20000 + 20000) / 2 -> 20000, (2251 + 4000) / 2 = 3125.5 -> 3126,
// (-2000 + 1875) / 2 = -62.5 -> -62. The sum is exact in whole numbers, so the
// halving and its rounding are done there too: a tie lies between floor(sum / 2)
// and the next number up, and the even one of the two is taken.
Integer halfWay(Integer from, Integer to) noexcept
{
    const int sum = from + to;
    const int lower = sum >> 1;  // floor(sum / 2), also for a negative sum
    const bool tie = (sum & 1) != 0;
    return static_cast<Integer>(tie ? lower + (lower & 1) : lower);
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
