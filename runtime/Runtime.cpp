#include "runtime/Runtime.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tarnelby {

namespace {

constexpr int kSingleDigits = 7;
constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15;
constexpr int kRandomBits = 24;
constexpr Single kRandomUnit = 1.0f / (1u << kRandomBits);
constexpr double kNanosecondsPerSecond = 1e9;

// The SplitMix64 finaliser: every input bit affects every output bit.
constexpr std::uint64_t mix(std::uint64_t z) noexcept
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
}

} // namespace

std::optional<Integer> toInteger(Single x) noexcept
{
    // The default rounding mode rounds ties to even.
    const Single rounded = std::nearbyint(x);
    if (!(rounded >= std::numeric_limits<Integer>::min() && rounded <= std::numeric_limits<Integer>::max()))
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

std::string toText(Single value)
{
    if (value == 0)
        return "0";
    // Seven significant digits, "4.500500e+03": the exponent tells how many
    // of them lie after the decimal point.
    std::array<char, 64> buffer{};
    char* const first = buffer.data();
    char* last = std::to_chars(first, first + buffer.size(), value, std::chars_format::scientific,
                               kSingleDigits - 1).ptr;
    const int exponent = std::atoi(std::find(first, last, 'e') + 1);
    if (exponent >= kSingleDigits) { // the digits, then zeros: "1.234568e+07" -> "12345680"
        std::string digits(first, std::find(first, last, 'e'));
        digits.erase(digits.find('.'), 1);
        return digits + std::string(static_cast<std::size_t>(exponent - kSingleDigits + 1), '0');
    }
    last = std::to_chars(first, first + buffer.size(), value, std::chars_format::fixed,
                         kSingleDigits - 1 - exponent).ptr;
    std::string text(first, last);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

void RandomGenerator::Randomize(Single seed) noexcept
{
    state_ = mix(state_ ^ mix(std::bit_cast<std::uint32_t>(seed) + kGoldenGamma));
}

Single RandomGenerator::Rnd() noexcept
{
    state_ += kGoldenGamma;
    return static_cast<Single>(mix(state_) >> (64 - kRandomBits)) * kRandomUnit;
}

Single SystemWallClock::secondsSinceMidnight()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (now.tv_sec != cachedSecond_) {
        std::tm local{};
        localtime_r(&now.tv_sec, &local);
        cachedSecond_ = now.tv_sec;
        cachedSecondOfDay_ = (local.tm_hour * 60L + local.tm_min) * 60L + local.tm_sec;
    }
    const double fraction = static_cast<double>(now.tv_nsec) / kNanosecondsPerSecond;
    return static_cast<Single>(static_cast<double>(cachedSecondOfDay_) + fraction);
}

} // namespace tarnelby
