// The chemical-formula reader: any text gives elements or an error in words,
// and every count it gives is positive and finite.
#include "query/ChemicalFormula.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const korvane::Result<std::vector<korvane::ElementCount>> formula = korvane::parseChemicalFormula(text);
    if (!formula) {
        if (formula.error().empty() || formula.code() != korvane::ErrorCode::InvalidInput)
            std::abort();
        return 0;
    }
    for (const korvane::ElementCount& element : *formula) {
        if (!(element.count > 0) || !std::isfinite(element.count) || element.symbol.empty())
            std::abort();
    }
    return 0;
}
