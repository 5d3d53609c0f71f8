#pragma once

#include "runtime/Runtime.h"

#include <array>

namespace tarnelby {

constexpr int kMaxPoints = 10;
// Steps before this count move the current point without plotting it.
constexpr Long kPlottingThreshold = 10;

// A position in twips, as it was picked.
struct Position {
    Single x = 0;
    Single y = 0;
};

enum class Pick { Stored, AllRowsUsed, OutOfRange };

// The chaos experiment: the chosen points in rows 1..10, filled in order,
// the current point and the count of steps since the last clear.
class Experiment {
public:
    // At the start values: no point chosen, the current point at (2000, 2000),
    // `count` steps taken.
    explicit Experiment(Long count = 0) : count_(count) {}

    // Stores `at` as received in the next row, which pointCount() then names.
    // Changes nothing where all rows hold a point (AllRowsUsed), or where a
    // coordinate rounded to whole twips leaves -32768..32767 (OutOfRange).
    Pick pick(Position at);

    // One step of the chaos game: re-seeds the generator with the clock
    // reading, rolls a die over rows 1..pointCount() (row 1 while there is
    // none), moves the current point half-way towards that point's whole
    // twips, ties to even, and counts the step. From (2000, 2000) towards
    // (4000, 1000): (3000, 1500). True where the step plots a dot at the new
    // current point. Throws Overflow, before anything but the generator
    // changes, where the count is at 2147483647.
    bool step(Single clockReading, RandomGenerator& generator);

    // Back to the start values. The points keep what they hold, so a run
    // after a clear heads for the old first point.
    void clear() noexcept;

    int pointCount() const { return pointCount_; }
    Position point(int row) const { return points_.at(static_cast<std::size_t>(row - 1)); }
    Long count() const { return count_; }
    Integer x() const { return x_; }
    Integer y() const { return y_; }

private:
    static constexpr Integer kStart = 2000;

    std::array<Position, kMaxPoints> points_{};
    int pointCount_ = 0;
    Long count_ = 0;
    Integer x_ = kStart;
    Integer y_ = kStart;
};

// The die's face for a draw r (0 <= r < 1) over `pointCount` points, 1..max(1, pointCount).
int rollFor(Single r, int pointCount) noexcept;

// The half-way point between two coordinates, ties to the even neighbour:
// (2251, 4000) -> 3126, (-2000, 1875) -> -62, (32767, 32767) -> 32767.
Integer halfWay(Integer from, Integer to) noexcept;

} // namespace tarnelby
