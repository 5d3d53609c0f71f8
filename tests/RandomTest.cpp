#include "experiment/Experiment.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace tarnelby {
namespace {

// The largest Single below 1.
const Single kLargestDraw = std::nextafter(1.0f, 0.0f);

TEST(Rnd, StaysInTheHalfOpenUnitInterval)
{
    RandomGenerator generator(42);
    for (int i = 0; i < 100000; ++i) {
        generator.Randomize(static_cast<Single>(i % 7));
        const Single r = generator.Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}

TEST(Roll, TheLargestDrawStaysWithinTheChosenPoints)
{
    for (int count = 1; count <= kMaxPoints; ++count) {
        EXPECT_EQ(rollFor(kLargestDraw, count), count) << count;
        EXPECT_EQ(rollFor(0.0f, count), 1) << count;
    }
    EXPECT_EQ(rollFor(kLargestDraw, 0), 1);
}

// Pearson's chi-square statistic of observed counts against a uniform spread.
template <std::size_t N>
double chiSquare(const std::array<long, N>& counts, long total)
{
    const double expected = static_cast<double>(total) / N;
    double sum = 0;
    for (long c : counts)
        sum += (c - expected) * (c - expected) / expected;
    return sum;
}

// The row a step moved towards, told by where the current point went: twice
// the new x less the old x is the target's x, give or take the rounding.
int rowMovedTowards(const Experiment& experiment, Integer oldX)
{
    const int target = 2 * experiment.x() - oldX;
    for (int row = 1; row <= experiment.pointCount(); ++row)
        if (std::abs(experiment.point(row).x - static_cast<Single>(target)) <= 1)
            return row;
    return 0;
}

// Late in the day the clock changes only every 1/128 s, so many ticks in a row
// re-seed with the same reading. The die must stay fair, and successive rolls
// independent, all the same.
TEST(Die, StaysFairWhileTheClockReadsTheSameAtEveryTick)
{
    constexpr int kFaces = 3;
    constexpr long kSteps = 90000;
    Experiment experiment;
    for (Position at : {Position{0, 0}, Position{16000, 0}, Position{8000, 16000}})
        experiment.pick(at);
    RandomGenerator generator(2026);

    std::array<long, kFaces> faces{};
    std::array<long, kFaces * kFaces> pairs{};
    int previous = 0;
    for (long i = 0; i < kSteps; ++i) {
        const Integer oldX = experiment.x();
        experiment.step(86399.5f, generator);
        const int roll = rowMovedTowards(experiment, oldX);
        ASSERT_NE(roll, 0) << "step " << i;
        ++faces[static_cast<std::size_t>(roll - 1)];
        if (previous)
            ++pairs[static_cast<std::size_t>((previous - 1) * kFaces + roll - 1)];
        previous = roll;
    }
    // Critical values at p = 0.001 for 2 and 8 degrees of freedom.
    EXPECT_LT(chiSquare(faces, kSteps), 13.82);
    EXPECT_LT(chiSquare(pairs, kSteps - 1), 26.12);
}

} // namespace
} // namespace tarnelby
