// The chemical-formula reader: any text gives elements or an error, never
// both, and every count it gives is positive and finite.
#include "materials/ChemicalFormula.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const korvane::ChemicalFormula formula = korvane::parseChemicalFormula(text);
    if (!formula.error.isEmpty() && !formula.elements.empty())
        std::abort();
    for (const korvane::ElementCount& element : formula.elements) {
        if (!(element.count > 0) || !std::isfinite(element.count) || element.symbol.isEmpty())
            std::abort();
    }
    return 0;
}
