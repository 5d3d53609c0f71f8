#include "experiment/Experiment.h"

#include <cmath>
#include <limits>

namespace tarnelby {

// Half of a sum of two Integers lies between them, so it is formed from the
// exact sum and cannot overflow.
Integer halfWay(Integer from, Integer to) noexcept
{
    const int sum = from + to;
    const int lower = sum >> 1; // floor(sum / 2), also for a negative sum
    return static_cast<Integer>((sum & 1) != 0 ? lower + (lower & 1) : lower);
}

int rollFor(Single r, int pointCount) noexcept
{
    return static_cast<int>(std::floor(static_cast<double>(r) * pointCount)) + 1;
}

Pick Experiment::pick(Position at)
{
    if (pointCount_ == kMaxPoints)
        return Pick::AllRowsUsed;
    if (!toInteger(at.x) || !toInteger(at.y))
        return Pick::OutOfRange;
    points_[static_cast<std::size_t>(pointCount_++)] = at;
    return Pick::Stored;
}

bool Experiment::step(Single clockReading, RandomGenerator& generator)
{
    generator.Randomize(clockReading);
    const Position target = point(rollFor(generator.Rnd(), pointCount_));
    if (count_ == std::numeric_limits<Long>::max())
        throw Overflow();
    // Every stored point fits, and so does the zero of a row never filled;
    // the default rounding mode rounds ties to even.
    x_ = halfWay(x_, static_cast<Integer>(std::lrint(target.x)));
    y_ = halfWay(y_, static_cast<Integer>(std::lrint(target.y)));
    ++count_;
    return count_ >= kPlottingThreshold;
}

void Experiment::clear() noexcept
{
    pointCount_ = 0;
    count_ = 0;
    x_ = kStart;
    y_ = kStart;
}

} // namespace tarnelby
