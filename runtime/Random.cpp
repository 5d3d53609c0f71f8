#include "runtime/Random.h"

#include <bit>

namespace tarnelby {

namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15;
constexpr int kSingleBits = 24;
constexpr Single kSingleUnit = 1.0f / (1u << kSingleBits);

// The SplitMix64 finaliser: every input bit affects every output bit.
constexpr std::uint64_t mix(std::uint64_t z) noexcept
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
}

} // namespace

void RandomGenerator::Randomize(Single seed) noexcept
{
    state_ = mix(state_ ^ mix(std::bit_cast<std::uint32_t>(seed) + kGoldenGamma));
}

Single RandomGenerator::Rnd() noexcept
{
    state_ += kGoldenGamma;
    return static_cast<Single>(mix(state_) >> (64 - kSingleBits)) * kSingleUnit;
}

} // namespace tarnelby
