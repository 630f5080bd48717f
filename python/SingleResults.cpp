#include "python/SingleResults.h"

#include <charconv>
#include <cmath>

namespace korvane::python {

namespace {

// The shortest text that reads back as the same Double, as Python writes it.
QString numberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QString::fromLatin1(text, end - text);
}

} // namespace

void reportNotSingle(double value, const char* name, QString* error)
{
    if (error->isEmpty())
        *error = QStringLiteral("%1: %2 is %3")
                     .arg(QLatin1String(name), numberText(value),
                          std::isnan(value) ? QStringLiteral("not a number") : QStringLiteral("out of range"));
}

std::optional<double> finiteDouble(double value, const char* name, QString* error)
{
    if (std::isfinite(value))
        return value;
    if (error->isEmpty())
        *error = QStringLiteral("%1: %2 is not a number").arg(QLatin1String(name), numberText(value));
    return std::nullopt;
}

} // namespace korvane::python
