// The chemical-formula reader: any text gives elements or an error, never
// both, and every count it gives is positive and finite.
#include "query/ChemicalFormula.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const korvane::ChemicalFormula formula = korvane::parseChemicalFormula(text);
    if (!formula.error.empty() && !formula.elements.empty())
        std::abort();
    for (const korvane::ElementCount& element : formula.elements) {
        if (!(element.count > 0) || !std::isfinite(element.count) || element.symbol.empty())
            std::abort();
    }
    return 0;
}
