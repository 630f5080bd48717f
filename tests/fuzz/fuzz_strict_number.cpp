// The strict, locale-aware reading of a typed number: any text either reads
// as a finite number or fails, in every locale the user may have.
#include "presentation/LocaleNumberText.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Arabic, QLocale::Egypt)};
    for (const QLocale& locale : locales) {
        if (const auto value = korvane::numbertext::toDouble(text, locale); value && !std::isfinite(*value))
            std::abort();
        if (const auto value = korvane::numbertext::toSingle(text, locale); value && !std::isfinite(*value))
            std::abort();
    }
    return 0;
}
