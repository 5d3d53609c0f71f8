#include "runtime/Runtime.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarnelby {
namespace {

// Every half twip across the 16-bit range and a little beyond: the nearest
// whole number, ties to the even one, and nothing outside -32768..32767.
TEST(ToInteger, RoundsEveryHalfOfTheRangeToNearestTiesToEven)
{
    constexpr int kBeyond = 4;
    for (int halves = 2 * -32768 - kBeyond; halves <= 2 * 32767 + kBeyond; ++halves) {
        const int lower = halves >> 1;
        const int expected = (halves & 1) != 0 ? lower + (lower & 1) : lower;
        const std::optional<Integer> rounded = toInteger(static_cast<Single>(halves) / 2);
        if (expected < -32768 || expected > 32767)
            EXPECT_FALSE(rounded) << halves;
        else
            EXPECT_EQ(rounded, expected) << halves;
    }
    constexpr Single kNaN = std::numeric_limits<Single>::quiet_NaN();
    const struct {
        Single in;
        std::optional<Integer> out;
    } between[] = {{2.4999f, 2}, {2.5001f, 3}, {-0.4f, 0}, {32767.49f, 32767},
                   {1e30f, {}}, {-1e30f, {}}, {kNaN, {}}, {std::numeric_limits<Single>::infinity(), {}}};
    for (const auto& c : between)
        EXPECT_EQ(toInteger(c.in), c.out) << c.in;
}

TEST(ToText, SinglesKeepSevenSignificantDigits)
{
    const struct {
        Single in;
        const char* out;
    } cases[] = {
        {0.0f, "0"},           {-0.0f, "0"},           {4500.0f, "4500"},
        {4500.5f, "4500.5"},   {-62.5f, "-62.5"},      {0.1f, "0.1"},
        {0.00125f, "0.00125"}, {1234.567f, "1234.567"}, {1234.5678f, "1234.568"},
        {12345678.0f, "12345680"}, {1e10f, "10000000000"}, {40000.0f, "40000"},
        {-32768.0f, "-32768"}, {7.5f, "7.5"}, {12345.125f, "12345.12"}, {12345.375f, "12345.38"},
        {0.00007629395f, "0.00007629395"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toText(c.in), c.out) << c.out;
}

} // namespace
} // namespace tarnelby
