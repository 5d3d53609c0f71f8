#include "experiment/ChaosStep.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>
#include <algorithm>

#include <limits>
#include <utility>
#include <vector>

namespace tarnelby {
namespace {

constexpr Single kNoon = 43200.0f;

ExperimentState startedWith(std::initializer_list<std::pair<Integer, Integer>> points)
{
    ExperimentState state;
    resetExperiment(state);
    int row = 0;
    for (auto [x, y] : points) {
        ++row;
        state.pointX(row) = x;
        state.pointY(row) = y;
    }
    state.PointCount = static_cast<Integer>(points.size());
    return state;
}

struct Trajectory {
    std::vector<Integer> xs;
    std::vector<Integer> ys;
    std::vector<bool> plotted;
};

Trajectory run(ExperimentState& state, std::size_t steps)
{
    RandomGenerator generator(1);
    Trajectory t;
    for (std::size_t i = 0; i < steps; ++i) {
        const StepOutcome outcome = chaosStep(state, kNoon, generator);
        EXPECT_EQ(outcome.x, state.CurX);
        EXPECT_EQ(outcome.y, state.CurY);
        EXPECT_EQ(outcome.count, static_cast<Long>(i + 1));
        t.xs.push_back(outcome.x);
        t.ys.push_back(outcome.y);
        t.plotted.push_back(outcome.plotted);
    }
    return t;
}

TEST(ChaosStep, OnePointIsApproachedWithTiesToEven)
{
    const struct {
        Integer x, y;
        std::vector<Integer> xs, ys;
    } cases[] = {
        {4005, 1005,
         {3002, 3504, 3754, 3880, 3942, 3974, 3990, 3998, 4002, 4004, 4004, 4004},
         {1502, 1254, 1130, 1068, 1036, 1020, 1012, 1008, 1006, 1006, 1006, 1006}},
        {4000, 1000,
         {3000, 3500, 3750, 3875, 3938, 3969, 3984, 3992, 3996, 3998, 3999, 4000},
         {1500, 1250, 1125, 1062, 1031, 1016, 1008, 1004, 1002, 1001, 1000, 1000}},
    };
    for (const auto& c : cases) {
        ExperimentState state = startedWith({{c.x, c.y}});
        const Trajectory t = run(state, c.xs.size());
        EXPECT_EQ(t.xs, c.xs) << c.x;
        EXPECT_EQ(t.ys, c.ys) << c.y;
    }
}

TEST(ChaosStep, RoundsTheHalfWayPointToEven)
{
    const struct {
        Integer from, to, expected;
    } cases[] = {
        {2000, 4001, 3000}, {2251, 4000, 3126}, {-2000, 1875, -62}, {-2000, 1873, -64},
    };
    for (const auto& c : cases) {
        ExperimentState state = startedWith({{c.to, c.to}});
        state.CurX = c.from;
        state.CurY = c.from;
        run(state, 1);
        EXPECT_EQ(state.CurX, c.expected) << c.from << " -> " << c.to;
        EXPECT_EQ(state.CurY, c.expected) << c.from << " -> " << c.to;
    }
}

TEST(ChaosStep, WithNoPointsChosenHeadsForTheFirstRow)
{
    ExperimentState state;
    resetExperiment(state);
    const Trajectory t = run(state, 14);
    const std::vector<Integer> expected = {1000, 500, 250, 125, 62, 31, 16, 8, 4, 2, 1, 0, 0, 0};
    EXPECT_EQ(t.xs, expected);
    EXPECT_EQ(t.ys, expected);
    EXPECT_FALSE(t.plotted[8]);
    EXPECT_TRUE(t.plotted[9]); // the first dot at (2, 2), then (1, 1), then (0, 0)
}

TEST(ChaosStep, PlotsFromTheTenthStepOn)
{
    ExperimentState state = startedWith({{4000, 1000}});
    const Trajectory t = run(state, 12);
    const std::vector<bool> expected = {false, false, false, false, false, false,
                                        false, false, false, true, true, true};
    EXPECT_EQ(t.plotted, expected);
    EXPECT_EQ(state.DotCount, 12);
}

TEST(ChaosStep, TheFirstStepRollsOneOfTheChosenPoints)
{
    // From (2000, 2000) each of the three rows gives its own first move.
    const std::vector<std::pair<Integer, Integer>> moves = {{3000, 1500}, {5000, 1500}, {4000, 3500}};
    std::vector<bool> seen(3);
    for (int clock = 0; clock < 200; ++clock) {
        ExperimentState state = startedWith({{4000, 1000}, {8000, 1000}, {6000, 5000}});
        RandomGenerator generator(99);
        const StepOutcome outcome = chaosStep(state, static_cast<Single>(clock), generator);
        EXPECT_EQ(outcome.count, 1);
        EXPECT_FALSE(outcome.plotted);
        const auto move = std::find(moves.begin(), moves.end(), std::pair{state.CurX, state.CurY});
        ASSERT_NE(move, moves.end()) << state.CurX << ", " << state.CurY;
        seen[static_cast<std::size_t>(move - moves.begin())] = true;
    }
    EXPECT_EQ(seen, std::vector<bool>(3, true));
}

TEST(ChaosStep, AClearedExperimentHeadsForTheOldFirstPoint)
{
    ExperimentState state = startedWith({{4000, 1000}, {8000, 1000}, {6000, 5000}});
    run(state, 50);
    resetExperiment(state);
    EXPECT_EQ(state.PointCount, 0);
    EXPECT_EQ(state.DotCount, 0);
    EXPECT_EQ(state.pointX(3), 6000);
    run(state, 1);
    EXPECT_EQ(state.CurX, 3000);
    EXPECT_EQ(state.CurY, 1500);
}

TEST(ChaosStep, HalfWayPointsBeyondTheSixteenBitSumDoNotOverflow)
{
    const struct {
        Integer from, to, expected;
    } cases[] = {
        {20000, 20000, 20000}, {32767, 32767, 32767}, {-32768, -32768, -32768},
        {-20000, -20000, -20000}, {32767, 32766, 32766}, {-32768, 32767, 0},
    };
    for (const auto& c : cases) {
        ExperimentState state = startedWith({{c.to, c.to}});
        state.CurX = c.from;
        state.CurY = c.from;
        RandomGenerator generator;
        EXPECT_NO_THROW(chaosStep(state, kNoon, generator));
        EXPECT_EQ(state.CurX, c.expected);
        EXPECT_EQ(state.CurY, c.expected);
    }
}

TEST(ChaosStep, TheCounterAtItsLimitRaisesOverflowAndChangesNothing)
{
    ExperimentState state = startedWith({{4000, 1000}});
    constexpr Long kLimit = std::numeric_limits<Long>::max();
    state.DotCount = kLimit - 1;
    RandomGenerator generator;
    EXPECT_EQ(chaosStep(state, kNoon, generator).count, kLimit);

    const ExperimentState before = state;
    try {
        chaosStep(state, kNoon, generator);
        FAIL() << "no overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), RuntimeError::Kind::Overflow);
    }
    EXPECT_EQ(state.DotCount, kLimit);
    EXPECT_EQ(state.CurX, before.CurX);
    EXPECT_EQ(state.CurY, before.CurY);
}

TEST(StorePoint, RoundsAndRefusesOutOfRangePositionsWhole)
{
    ExperimentState state;
    resetExperiment(state);
    storePoint(state, 1, 4500.4f, 1500.5f);
    EXPECT_EQ(state.pointX(1), 4500);
    EXPECT_EQ(state.pointY(1), 1500);
    EXPECT_EQ(state.PointCount, 1);

    EXPECT_THROW(storePoint(state, 2, 100.0f, 32767.5f), RuntimeError);
    EXPECT_THROW(storePoint(state, 2, 40000.0f, 100.0f), RuntimeError);
    EXPECT_EQ(state.pointX(2), 0);
    EXPECT_EQ(state.pointY(2), 0);
    EXPECT_EQ(state.PointCount, 1);
}

} // namespace
} // namespace tarnelby
