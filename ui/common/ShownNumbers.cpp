#include "ui/common/ShownNumbers.h"

#include "presentation/LocaleNumberText.h"
#include "query/ShownText.h"

namespace korvane::numbertext {

QString length(float angstrom, const QLocale& locale)
{
    return localised(shown::length(angstrom), locale);
}

QString factor(float value, const QLocale& locale)
{
    return localised(shown::factor(value), locale);
}

} // namespace korvane::numbertext
