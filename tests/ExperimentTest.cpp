#include "experiment/Experiment.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace tarnelby {
namespace {

constexpr Single kNoon = 43200.0f;

struct Trajectory {
    std::vector<Integer> xs;
    std::vector<Integer> ys;
    std::vector<bool> plotted;
};

Trajectory run(Experiment& experiment, std::size_t steps)
{
    RandomGenerator generator(1);
    Trajectory t;
    for (std::size_t i = 0; i < steps; ++i) {
        t.plotted.push_back(experiment.step(kNoon, generator));
        t.xs.push_back(experiment.x());
        t.ys.push_back(experiment.y());
    }
    return t;
}

// One point, picked as received: the steps head for its whole twips, the
// tenth step plots the first dot. With none picked, they head for row 1
// (0, 0); after a clear, from the start again, for the old first point.
TEST(Experiment, OnePointIsApproachedWithTiesToEven)
{
    const std::vector<Integer> towards4000 = {3000, 3500, 3750, 3875, 3938, 3969,
                                              3984, 3992, 3996, 3998, 3999, 4000};
    const std::vector<Integer> towards1000 = {1500, 1250, 1125, 1062, 1031, 1016,
                                              1008, 1004, 1002, 1001, 1000, 1000};
    const struct {
        std::vector<Position> points;
        bool clearedAfterARun;
        std::vector<Integer> xs, ys;
    } cases[] = {
        {{{4005, 1005}}, false,
         {3002, 3504, 3754, 3880, 3942, 3974, 3990, 3998, 4002, 4004, 4004, 4004},
         {1502, 1254, 1130, 1068, 1036, 1020, 1012, 1008, 1006, 1006, 1006, 1006}},
        {{{4000.4f, 999.5f}}, false, towards4000, towards1000},
        {{}, false, {1000, 500, 250, 125, 62, 31, 16, 8, 4, 2, 1, 0}, {1000, 500, 250, 125, 62, 31, 16, 8, 4, 2, 1, 0}},
        {{{4000, 1000}, {8000, 1000}, {6000, 5000}}, true, towards4000, towards1000},
    };
    for (const auto& c : cases) {
        Experiment experiment;
        for (Position at : c.points)
            experiment.pick(at);
        if (c.clearedAfterARun) {
            run(experiment, 50);
            experiment.clear();
        }
        const Trajectory t = run(experiment, c.xs.size());
        EXPECT_EQ(t.xs, c.xs) << c.xs.back();
        EXPECT_EQ(t.ys, c.ys) << c.ys.back();
        EXPECT_EQ(t.plotted, std::vector<bool>({false, false, false, false, false, false, false, false, false,
                                                true, true, true}));
        EXPECT_EQ(experiment.count(), 12);
    }
}

// Also where the 16-bit sum would overflow.
TEST(Experiment, HalfWayRoundsTiesToEvenWithoutOverflow)
{
    const struct {
        Integer from, to, expected;
    } cases[] = {
        {2000, 4001, 3000},     {2251, 4000, 3126},     {-2000, 1875, -62},       {-2000, 1873, -64},
        {20000, 20000, 20000},  {32767, 32767, 32767},  {-32768, -32768, -32768}, {32767, 32766, 32766},
        {-32768, 32767, 0},     {-20000, -20001, -20000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(halfWay(c.from, c.to), c.expected) << c.from << " -> " << c.to;
}

TEST(Experiment, TheCounterAtItsLimitRaisesOverflowAndChangesNothing)
{
    constexpr Long kLimit = std::numeric_limits<Long>::max();
    Experiment experiment(kLimit - 1);
    experiment.pick({4000, 1000});
    RandomGenerator generator;
    experiment.step(kNoon, generator);
    EXPECT_EQ(experiment.count(), kLimit);
    const Integer x = experiment.x();
    EXPECT_THROW(experiment.step(kNoon, generator), Overflow);
    EXPECT_EQ(experiment.count(), kLimit);
    EXPECT_EQ(experiment.x(), x);
}

// A point is kept as received; one that would not fit 16-bit twips, or an
// eleventh, is refused and changes nothing.
TEST(Experiment, PicksInOrderAndRefusesWhatDoesNotFit)
{
    Experiment experiment;
    const struct {
        Position at;
        Pick outcome;
    } cases[] = {
        {{4500.4f, 1500.5f}, Pick::Stored}, {{100, 32767.5f}, Pick::OutOfRange}, {{40000, 100}, Pick::OutOfRange},
        {{-32768.5f, 32767.4f}, Pick::Stored}, {{std::numeric_limits<Single>::quiet_NaN(), 0}, Pick::OutOfRange},
    };
    for (const auto& c : cases)
        EXPECT_EQ(experiment.pick(c.at), c.outcome) << c.at.x << ", " << c.at.y;
    EXPECT_EQ(experiment.pointCount(), 2);
    EXPECT_EQ(experiment.point(1).x, 4500.4f);
    EXPECT_EQ(experiment.point(2).y, 32767.4f);
    EXPECT_EQ(experiment.point(3).x, 0);
    for (int row = 3; row <= kMaxPoints; ++row)
        EXPECT_EQ(experiment.pick({1, 1}), Pick::Stored);
    EXPECT_EQ(experiment.pick({1, 1}), Pick::AllRowsUsed);
    EXPECT_EQ(experiment.pointCount(), kMaxPoints);
}

} // namespace
} // namespace tarnelby
