#include "materials/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvane::numbertext {

namespace {

// Puts the locale's decimal separator where C formatting wrote a full stop.
QString localised(const char* begin, const char* end, const QLocale& locale)
{
    QString text = QString::fromLatin1(begin, end - begin);
    const QString point = locale.decimalPoint();
    if (point != QLatin1String("."))
        text.replace(u'.', point);
    return text;
}

} // namespace

std::optional<double> toDouble(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(const QString& text, const QLocale& locale)
{
    const std::optional<double> value = toDouble(text, locale);
    if (!value)
        return std::nullopt;
    const float single = static_cast<float>(*value);
    if (std::isinf(single))
        return std::nullopt;
    return single;
}

double leadingNumber(const QString& text)
{
    // Blanks anywhere in the number are skipped, as when reading "1 000".
    QByteArray compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c.unicode() > 0x7f)
            break;
        compact.append(char(c.unicode()));
    }
    const char* begin = compact.constData();
    const char* end = begin + compact.size();
    bool negative = false;
    if (begin != end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    // Only a digit or a decimal point starts a number (not "inf" or "nan").
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

QString fixed(double value, int decimals, const QLocale& locale)
{
    if (value == 0.0)
        value = 0.0; // no sign on a negative zero
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return localised(buffer.data(), result.ptr, locale);
}

QString shortest(float value, const QLocale& locale)
{
    if (value == 0.0f)
        value = 0.0f;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return localised(buffer.data(), result.ptr, locale);
}

QString shortestFixed(float value, const QLocale& locale)
{
    if (value == 0.0f)
        value = 0.0f;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return localised(buffer.data(), result.ptr, locale);
}

QString shortest15(double value, const QLocale& locale)
{
    if (value == 0.0)
        value = 0.0;
    std::array<char, 64> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%.15g", value);
    return localised(buffer.data(), buffer.data() + n, locale);
}

} // namespace korvane::numbertext
