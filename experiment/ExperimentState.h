#pragma once

#include "runtime/Numbers.h"

#include <array>

namespace tarnelby {

constexpr int kMaxPoints = 10;

// The one record of the chaos experiment, read and written in place by the
// window's handlers. Row k of the chosen points (k = 1..10) is held at index
// k - 1; use pointX(k) and pointY(k) to address it by row.
struct ExperimentState {
    Integer PointCount = 0;  // chosen points, 0..10: rows 1..PointCount are in use
    Long DotCount = 0;       // steps since the last reset, plotted or not
    Integer CurX = 0;        // the current point, twips
    Integer CurY = 0;
    std::array<Integer, kMaxPoints> PointX{};
    std::array<Integer, kMaxPoints> PointY{};

    Integer& pointX(int row) { return PointX.at(static_cast<std::size_t>(row - 1)); }
    Integer& pointY(int row) { return PointY.at(static_cast<std::size_t>(row - 1)); }
    Integer pointX(int row) const { return PointX.at(static_cast<std::size_t>(row - 1)); }
    Integer pointY(int row) const { return PointY.at(static_cast<std::size_t>(row - 1)); }
};

// The start values that start-up and "CLEAR" set: CurX, CurY 2000; DotCount
// and PointCount 0. The chosen points keep what they hold, so a run after a
// reset heads for the old first point.
void resetExperiment(ExperimentState& state) noexcept;

// Stores a chosen point, rounded to whole twips, in row `row` and makes it the
// last row in use: storePoint(s, 1, 4500.4f, 1500.5f) -> row 1 = (4500, 1500),
// PointCount 1. Throws RuntimeError(Overflow), changing nothing, when either
// rounded coordinate leaves -32768..32767.
void storePoint(ExperimentState& state, int row, Single x, Single y);

} // namespace tarnelby
