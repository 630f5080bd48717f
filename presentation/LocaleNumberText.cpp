#include "presentation/LocaleNumberText.h"

#include "core/NumberText.h"

#include <cmath>

namespace korvane::numbertext {

QString localised(const std::string& text, const QLocale& locale)
{
    QString shown = QString::fromStdString(text);
    const QString point = locale.decimalPoint();
    if (point != QLatin1String("."))
        shown.replace(u'.', point);
    return shown;
}

std::optional<double> toDouble(const QString& text, const QLocale& locale)
{
    // The locale's own digits, signs and separators are read by the locale.
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(const QString& text, const QLocale& locale)
{
    const std::optional<double> value = toDouble(text, locale);
    return value ? numbers::heldAsSingle(*value) : std::nullopt;
}

double leadingNumber(const QString& text)
{
    return numbers::leadingNumber(std::string_view(text.toStdString()));
}

QString fixed(double value, int decimals, const QLocale& locale)
{
    return localised(numbers::fixed(value, decimals), locale);
}

QString shortest(float value, const QLocale& locale)
{
    return localised(numbers::shortest(value), locale);
}

QString shortestFixed(float value, const QLocale& locale)
{
    return localised(numbers::shortestFixed(value), locale);
}

QString shortest15(double value, const QLocale& locale)
{
    return localised(numbers::shortest15(value), locale);
}

} // namespace korvane::numbertext
