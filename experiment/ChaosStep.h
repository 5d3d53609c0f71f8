#pragma once

#include "experiment/ExperimentState.h"
#include "runtime/Random.h"

namespace tarnelby {

// Steps before this count move the current point without plotting it.
constexpr Long kPlottingThreshold = 10;

// What one step decided: where the current point now stands, how many steps
// have been taken since the last reset, and whether this step plots a dot at
// the current point.
struct StepOutcome {
    Integer x = 0;  // twips
    Integer y = 0;
    Long count = 0;
    bool plotted = false;
};

// One step of the chaos game: re-seeds the generator with the clock reading,
// rolls a die over rows 1..PointCount (row 1 while PointCount is 0), moves the
// current point half-way towards the rolled point, rounding ties to even, and
// counts the step. From (2000, 2000) towards (4000, 1000): (3000, 1500).
// Throws RuntimeError(Overflow) when DotCount is at its limit, before anything
// in the state changes.
StepOutcome chaosStep(ExperimentState& state, Single clockReading, RandomGenerator& generator);

// The die's face for a draw r (0 <= r < 1) over `pointCount` points, 1..max(1, pointCount).
int rollFor(Single r, Integer pointCount) noexcept;

} // namespace tarnelby
