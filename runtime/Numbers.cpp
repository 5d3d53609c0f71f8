#include "runtime/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
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
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    if (value == 0)
        return "0";
    // Seven significant digits in scientific form, "4.500500e+03", then laid
    // out again as plain decimal.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                      std::chars_format::scientific, kSingleDigits - 1);
    const std::string scientific(buffer.data(), result.ptr);
    const std::size_t e = scientific.find('e');
    const std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::stoi(scientific.substr(e + 1));

    std::string text;
    if (exponent < 0)
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    else if (exponent >= kSingleDigits - 1)
        text = digits + std::string(static_cast<std::size_t>(exponent - (kSingleDigits - 1)), '0');
    else
        text = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "."
             + digits.substr(static_cast<std::size_t>(exponent) + 1);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return value < 0 ? "-" + text : text;
}

} // namespace tarnelby
