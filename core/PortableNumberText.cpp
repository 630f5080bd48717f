#include "core/PortableNumberText.h"

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace korvane::numbers::portable {

namespace {

// The C library's decimal point under its current locale.
char libraryPoint()
{
    const char* point = std::localeconv()->decimal_point;
    return point && point[0] ? point[0] : '.';
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The text with the C library's decimal point in place of the full stop.
std::string localText(std::string_view text)
{
    std::string local(text);
    const char point = libraryPoint();
    if (point != '.')
        for (char& c : local)
            if (c == '.')
                c = point;
    return local;
}

// The length of the longest decimal number at the start of `text` (no sign):
// digits, an optional fraction, an optional exponent with digits; 0 when
// there is none.
std::size_t decimalPrefix(std::string_view text)
{
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// The shortest decimal digits of a Single that read back as it, and the
// exponent of the first digit: 4.5f gives "45" and 0.
struct ShortestDigits {
    std::string digits;
    int exponent = 0;
};

ShortestDigits shortestDigits(float value)
{
    std::string text;
    for (int precision = 0; precision < 9; ++precision) {
        text = printed(("%." + std::to_string(precision) + "e").c_str(), value);
        if (std::strtof(localText(text).c_str(), nullptr) == value)
            break;
    }
    ShortestDigits shortest;
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (isDigit(text[i]))
            shortest.digits += text[i];
    shortest.exponent = std::atoi(text.c_str() + e + 1);
    while (shortest.digits.size() > 1 && shortest.digits.back() == '0')
        shortest.digits.pop_back();
    return shortest;
}

std::string fixedText(const ShortestDigits& d)
{
    const int count = int(d.digits.size());
    if (d.exponent < 0)
        return "0." + std::string(std::size_t(-d.exponent - 1), '0') + d.digits;
    if (d.exponent >= count - 1)
        return d.digits + std::string(std::size_t(d.exponent - count + 1), '0');
    return d.digits.substr(0, std::size_t(d.exponent + 1)) + "." + d.digits.substr(std::size_t(d.exponent + 1));
}

std::string scientificText(const ShortestDigits& d)
{
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        text += "." + d.digits.substr(1);
    const int magnitude = std::abs(d.exponent);
    text += d.exponent < 0 ? "e-" : "e+";
    if (magnitude < 10)
        text += '0';
    return text + std::to_string(magnitude);
}

std::string signOf(float value)
{
    return std::signbit(value) && value != 0.0f ? "-" : "";
}

} // namespace

std::string printed(const char* format, double value)
{
    std::vector<char> buffer(400);
    const int n = std::snprintf(buffer.data(), buffer.size(), format, value);
    std::string text(buffer.data(), std::size_t(n > 0 ? n : 0));
    const char point = libraryPoint();
    if (point != '.')
        for (char& c : text)
            if (c == point)
                c = '.';
    return text;
}

std::optional<double> wholeNumber(std::string_view text)
{
    const std::string local = localText(text);
    if (local.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(local.c_str(), &end);
    if (end != local.c_str() + local.size())
        return std::nullopt;
    return value;
}

std::string compactLeadingNumber(std::string_view text)
{
    // Blanks anywhere in the number are skipped, as when reading "1 000".
    std::string compact;
    compact.reserve(text.size());
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        if (static_cast<unsigned char>(c) > 0x7f)
            break;
        compact += c;
    }
    return compact;
}

double leadingNumber(std::string_view text)
{
    const std::string compact = compactLeadingNumber(text);
    std::string_view rest = compact;
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const std::size_t length = decimalPrefix(rest);
    if (length == 0)
        return 0.0;
    const std::string local = localText(rest.substr(0, length));
    errno = 0;
    double value = std::strtod(local.c_str(), nullptr);
    // Beyond a Double either way reads as out of range: the largest magnitude.
    if (errno == ERANGE && (value == 0.0 || std::isinf(value)))
        value = HUGE_VAL;
    return negative ? -value : value;
}

std::string fixed(double value, int decimals)
{
    if (value == 0.0)
        value = 0.0; // no sign on a negative zero
    return printed(("%." + std::to_string(decimals) + "f").c_str(), value);
}

std::string shortest(float value)
{
    if (value == 0.0f)
        return "0";
    if (!std::isfinite(value))
        return printed("%g", value);
    const ShortestDigits digits = shortestDigits(std::fabs(value));
    std::string fixedForm = fixedText(digits);
    std::string scientificForm = scientificText(digits);
    // The shorter form; fixed when both are as long.
    return signOf(value) + (scientificForm.size() < fixedForm.size() ? scientificForm : fixedForm);
}

std::string shortestFixed(float value)
{
    if (value == 0.0f)
        return "0";
    if (!std::isfinite(value))
        return printed("%g", value);
    return signOf(value) + fixedText(shortestDigits(std::fabs(value)));
}

} // namespace korvane::numbers::portable
