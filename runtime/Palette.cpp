#include "runtime/Palette.h"

#include "runtime/RuntimeError.h"

#include <array>

namespace tarnelby {

namespace {

constexpr std::array<Rgb, 16> kPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

} // namespace

Rgb QBColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kPalette.size()))
        throw RuntimeError(RuntimeError::Kind::InvalidProcedureCall);
    return kPalette[static_cast<std::size_t>(index)];
}

} // namespace tarnelby
