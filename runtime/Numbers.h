#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace tarnelby {

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

} // namespace tarnelby
