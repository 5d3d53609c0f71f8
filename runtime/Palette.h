#pragma once

#include <cstdint>

namespace tarnelby {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

constexpr int kBlack = 0;
constexpr int kWhite = 15;

// The colour of an index of the 16-colour palette: QBColor(0) -> 0x000000,
// QBColor(12) -> 0xFF0000, QBColor(15) -> 0xFFFFFF. Throws
// RuntimeError(InvalidProcedureCall) outside 0..15.
Rgb QBColor(int index);

} // namespace tarnelby
