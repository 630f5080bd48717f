#include "core/NumberText.h"

#include "core/PortableNumberText.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

#if defined(__cpp_lib_to_chars)
#include <charconv>
#endif

namespace korvane::numbers {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<double> readDouble(std::string_view text)
{
    text = trimmed(text);
    // Only a sign, a digit or a decimal point starts a number (not "inf" or "nan").
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (digits.empty() || !(std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.'))
        return std::nullopt;
    for (const char c : digits) {
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return std::nullopt;
    }
    const std::optional<double> value = portable::wholeNumber(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<float> heldAsSingle(double value)
{
    const float single = static_cast<float>(value);
    if (!std::isfinite(single))
        return std::nullopt;
    return single;
}

std::optional<float> readSingle(std::string_view text)
{
    const std::optional<double> value = readDouble(text);
    return value ? heldAsSingle(*value) : std::nullopt;
}

std::string shortest15(double value)
{
    if (value == 0.0)
        value = 0.0;
    return portable::printed("%.15g", value);
}

std::string sixDigits(double value)
{
    return portable::printed("%g", value);
}

#if defined(__cpp_lib_to_chars)

double leadingNumber(std::string_view text)
{
    const std::string compact = portable::compactLeadingNumber(text);
    const char* begin = compact.data();
    const char* end = begin + compact.size();
    bool negative = false;
    if (begin != end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    if (begin == end || !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '.'))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        return negative ? -HUGE_VAL : HUGE_VAL;
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

std::string fixed(double value, int decimals)
{
    if (value == 0.0)
        value = 0.0; // no sign on a negative zero
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string shortest(float value)
{
    if (value == 0.0f)
        value = 0.0f;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string shortestFixed(float value)
{
    if (value == 0.0f)
        value = 0.0f;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

#else

double leadingNumber(std::string_view text)
{
    return portable::leadingNumber(text);
}

std::string fixed(double value, int decimals)
{
    return portable::fixed(value, decimals);
}

std::string shortest(float value)
{
    return portable::shortest(value);
}

std::string shortestFixed(float value)
{
    return portable::shortestFixed(value);
}

#endif

} // namespace korvane::numbers
