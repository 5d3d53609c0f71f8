#include "runtime/Numbers.h"
#include "runtime/Palette.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarnelby {
namespace {

TEST(CInt, RoundsToNearestWithTiesToEven)
{
    const struct {
        double in;
        Integer out;
    } cases[] = {
        {1050.5, 1050}, {1051.5, 1052}, {1500.5, 1500}, {1125.5, 1126}, {-62.5, -62},
        {-63.5, -64},   {0.5, 0},       {-0.5, 0},      {2.4999, 2},    {2.5001, 3},
        {32767.4, 32767}, {-32768.5, -32768}, {32766.5, 32766},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CInt(c.in), c.out) << c.in;
}

TEST(CInt, RaisesOverflowOutsideTheIntegerRange)
{
    for (double x : {32767.5, 32768.0, -32768.6, -40000.0, 1e30,
                     std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(fitsInteger(x)) << x;
        EXPECT_THROW(CInt(x), RuntimeError) << x;
    }
}

TEST(Int, IsTheFloorNotTruncation)
{
    EXPECT_EQ(Int(2.7), 2);
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(3.0), 3);
}

TEST(AddChecked, RaisesOverflowInsteadOfWrapping)
{
    constexpr Long kMax = std::numeric_limits<Long>::max();
    EXPECT_EQ(addChecked(kMax - 1, Long{1}), kMax);
    try {
        addChecked(kMax, Long{1});
        FAIL() << "no overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), RuntimeError::Kind::Overflow);
        EXPECT_STREQ(e.what(), "Overflow");
    }
}

TEST(ToText, WholeValuesArePlainDigits)
{
    EXPECT_EQ(toText(Long{0}), "0");
    EXPECT_EQ(toText(Long{1500}), "1500");
    EXPECT_EQ(toText(Long{-7}), "-7");
    EXPECT_EQ(toText(std::numeric_limits<Long>::max()), "2147483647");
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
        {-32768.0f, "-32768"}, {7.5f, "7.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toText(c.in), c.out) << c.out;
}

TEST(QBColor, HoldsTheSixteenColourPalette)
{
    EXPECT_EQ(QBColor(kBlack), 0x000000u);
    EXPECT_EQ(QBColor(7), 0xC0C0C0u);
    EXPECT_EQ(QBColor(8), 0x808080u);
    EXPECT_EQ(QBColor(12), 0xFF0000u);
    EXPECT_EQ(QBColor(14), 0xFFFF00u);
    EXPECT_EQ(QBColor(kWhite), 0xFFFFFFu);
    EXPECT_THROW(QBColor(-1), RuntimeError);
    EXPECT_THROW(QBColor(16), RuntimeError);
}

} // namespace
} // namespace tarnelby
