// The lenient reading of a valence-group text never fails and never gives NaN.
#include "presentation/LocaleNumberText.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (std::isnan(korvane::numbertext::leadingNumber(text)))
        std::abort();
    return 0;
}
