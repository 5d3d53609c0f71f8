#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>

namespace tarnelby {

// The services the experiment takes from the language: numbers and their
// text, random numbers and the wall clock. No Qt.

// The runtime's number types: Integer is 16-bit, Long 32-bit, Single a 32-bit float.
using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

// The runtime's error: a value would leave the range of its type. The window
// catches it where it can arise, and names it to the user.
class Overflow : public std::runtime_error {
public:
    Overflow() : std::runtime_error("Overflow") {}
};

// x rounded to the nearest Integer, ties to the even neighbour: 1050.5 -> 1050,
// 1051.5 -> 1052, -62.5 -> -62; none where that lies outside -32768..32767,
// or for NaN.
std::optional<Integer> toInteger(Single x) noexcept;

// Plain decimal text of a Single with at most 7 significant digits and no
// decimal point for whole values: 4500.0f -> "4500", 4500.5f -> "4500.5",
// 0.1f -> "0.1", 12345678.0f -> "12345680"; ties to even: 12345.125f -> "12345.12".
// For a finite value.
std::string toText(Single value);

// The runtime's random generator: a 64-bit state advanced by SplitMix64.
// Randomize mixes its seed into the state instead of replacing it, so that
// re-seeding with the same clock reading tick after tick never repeats a draw.
class RandomGenerator {
public:
    RandomGenerator() = default;
    explicit RandomGenerator(std::uint64_t state) : state_(state) {}

    // Mixes the seed's bits into the state; the next Rnd depends on both.
    void Randomize(Single seed) noexcept;

    // The next number of the sequence: 0 <= r < 1, with 24 random bits.
    Single Rnd() noexcept;

private:
    std::uint64_t state_ = 0x5441524E454C4259; // any fixed start; the clock re-seeds it
};

// Where the program reads the time of day, for the random generator's seed.
// Tests hand in a clock of their own.
class WallClock {
public:
    virtual ~WallClock() = default;

    // Seconds since local midnight, as a Single: 13:00:00.25 -> 46800.25.
    virtual Single secondsSinceMidnight() = 0;
};

// The machine's local wall clock.
class SystemWallClock final : public WallClock {
public:
    Single secondsSinceMidnight() override;

private:
    // The local time of day is looked up once a second, not on every call.
    std::time_t cachedSecond_ = -1;
    long cachedSecondOfDay_ = 0;
};

} // namespace tarnelby
