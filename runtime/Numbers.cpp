#include "runtime/Numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tarnelby {

namespace {

constexpr int kSingleDigits = 7;

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

} // namespace tarnelby
