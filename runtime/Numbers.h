#pragma once

#include <cstdint>
#include <string>

namespace tarnelby {

// The runtime's number types: Integer is 16-bit, Long 32-bit, Single a 32-bit float.
using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

// The largest whole number not above x, as a double so that a product of a
// Single and a count is not rounded to Single first: Int(2.7) -> 2, Int(-0.5) -> -1.
double Int(double x) noexcept;

// Rounds to the nearest Integer, ties to the even neighbour:
// 1050.5 -> 1050, 1051.5 -> 1052, -62.5 -> -62.
// Throws RuntimeError(Overflow) when the rounded value lies outside
// -32768..32767, or for NaN.
Integer CInt(double x);

// True when CInt(x) would succeed.
bool fitsInteger(double x) noexcept;

// An overflow-checked sum: throws RuntimeError(Overflow) instead of wrapping.
Long addChecked(Long a, Long b);

// Plain decimal text of a value, no leading blank: 0 -> "0", 1500 -> "1500",
// -7 -> "-7".
std::string toText(Long value);

// Plain decimal text of a Single with at most 7 significant digits and no
// decimal point for whole values: 4500.0f -> "4500", 4500.5f -> "4500.5",
// 0.1f -> "0.1", 12345678.0f -> "12345680".
std::string toText(Single value);

} // namespace tarnelby
