#include "web/PageNumbers.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace korvane::page {

std::optional<double> readDouble(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::string trimmed(text.substr(first, text.find_last_not_of(" \t") - first + 1));
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> heldAsSingle(double value)
{
    if (!(std::fabs(value) <= FLT_MAX))
        return std::nullopt;
    return static_cast<float>(value);
}

std::optional<float> readSingle(std::string_view text)
{
    const std::optional<double> value = readDouble(text);
    return value ? heldAsSingle(*value) : std::nullopt;
}

std::string shortest(float value)
{
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, double(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string shown = text;
    if (shown.front() == '-' && shown.find_first_not_of("-0.") == std::string::npos)
        shown.erase(0, 1);
    return shown;
}

std::string lengthText(float angstrom)
{
    return fixed(angstrom, 2) + " \u00C5";
}

} // namespace korvane::page
