#include "ui/ShownNumbers.h"

#include "materials/NumberText.h"

namespace korvane::numbertext {

QString length(float angstrom, const QLocale& locale)
{
    return fixed(angstrom, 2, locale) + QStringLiteral(" \u00C5");
}

QString factor(float value, const QLocale& locale)
{
    return fixed(value, 3, locale);
}

} // namespace korvane::numbertext
