#pragma once

#include "runtime/Numbers.h"

#include <cstdint>

namespace tarnelby {

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

} // namespace tarnelby
