#pragma once

#include "experiment/ExperimentState.h"
#include "runtime/Palette.h"
#include "runtime/Random.h"

#include <optional>
#include <string>

namespace tarnelby {

// Steps before this count move the current point without plotting it.
constexpr Long kPlottingThreshold = 10;

// A dot to set at a whole-twip position of the drawing area.
struct Dot {
    Integer x = 0;
    Integer y = 0;
    int colour = kWhite;  // palette index
};

// What one step asks the window to show.
struct StepResult {
    std::string counterText;  // the new text of the dot counter: "1", "2", ...
    std::optional<Dot> dot;   // the dot to plot, from the tenth step on
};

// One step of the chaos game: re-seeds the generator with the clock reading,
// rolls a die over rows 1..PointCount (row 1 while PointCount is 0), moves the
// current point half-way towards the rolled point, rounding ties to even, and
// counts the step. From (2000, 2000) towards (4000, 1000): (3000, 1500).
// Throws RuntimeError(Overflow) when DotCount is at its limit, before anything
// in the state changes.
StepResult chaosStep(ExperimentState& state, Single clockReading, RandomGenerator& generator);

// The die's face for a draw r (0 <= r < 1) over `pointCount` points, 1..max(1, pointCount).
int rollFor(Single r, Integer pointCount) noexcept;

} // namespace tarnelby
