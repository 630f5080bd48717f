#include "query/FormulaSum.h"

#include "calc/CheckedMath.h"
#include "query/ChemicalFormula.h"

namespace korvane {

Result<FormulaSum> sumFormula(const std::string& formula, const ElementValuesLookup& element)
{
    const Result<std::vector<ElementCount>> parsed = parseChemicalFormula(formula);
    if (!parsed)
        return parsed.failure();
    FormulaSum sum;
    double valenceTotal = 0;
    double massTotal = 0;
    for (const ElementCount& part : *parsed) {
        const std::optional<ElementValues> row = element(part.symbol);
        if (!row)
            return Failed{"unknown element \"" + part.symbol + "\" in the formula \"" + formula + "\"",
                          ErrorCode::NotFound};
        if (!row->atomicWeight || !row->valenceElectrons)
            return Failed{"the element " + part.symbol + " has no "
                              + (row->valenceElectrons ? "atomic weight" : "usable valence electrons")
                              + " in the database",
                          ErrorCode::NotFound};
        sum.terms.push_back({part.symbol, part.count, *row->valenceElectrons, *row->atomicWeight});
        valenceTotal += part.count * double(*row->valenceElectrons);
        massTotal += part.count * double(*row->atomicWeight);
    }
    try {
        sum.valenceElectrons = checked::single(valenceTotal);
        sum.mass = checked::single(massTotal);
    } catch (const checked::ArithmeticError&) {
        return Failed{"the formula \"" + formula + "\" is too large", ErrorCode::OutOfRange};
    }
    return sum;
}

std::string typedBesideFormula(const std::string& input, const std::string& formula)
{
    return input + " cannot be given with " + formula + ": it is summed from the elements";
}

} // namespace korvane
