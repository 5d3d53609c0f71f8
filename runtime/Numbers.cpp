#include "runtime/Numbers.h"

#include "runtime/RuntimeError.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tarnelby {

namespace {

constexpr double kIntegerMin = std::numeric_limits<Integer>::min();
constexpr double kIntegerMax = std::numeric_limits<Integer>::max();
constexpr int kSingleDigits = 7;

[[noreturn]] void overflow()
{
    throw RuntimeError(RuntimeError::Kind::Overflow);
}

// Round half to even without depending on the floating-point environment.
double roundHalfEven(double x) noexcept
{
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace

double Int(double x) noexcept
{
    return std::floor(x);
}

bool fitsInteger(double x) noexcept
{
    if (std::isnan(x))
        return false;
    const double rounded = roundHalfEven(x);
    return rounded >= kIntegerMin && rounded <= kIntegerMax;
}

Integer CInt(double x)
{
    if (!fitsInteger(x))
        overflow();
    return static_cast<Integer>(roundHalfEven(x));
}

Long addChecked(Long a, Long b)
{
    Long sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        overflow();
    return sum;
}

std::string toText(Long value)
{
    return std::to_string(value);
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
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::scientific,
                                      kSingleDigits - 1);
    const std::string scientific(buffer.data(), result.ptr);
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::stoi(scientific.substr(e + 1));

    std::string text;
    if (exponent < 0) {
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (exponent >= kSingleDigits - 1) {
        text = digits + std::string(static_cast<std::size_t>(exponent - (kSingleDigits - 1)), '0');
    } else {
        text = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "."
             + digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return value < 0 ? "-" + text : text;
}

} // namespace tarnelby
