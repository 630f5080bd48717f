#include "query/FormulaSum.h"

#include "calc/CheckedMath.h"
#include "query/ChemicalFormula.h"

namespace korvane {

FormulaSum sumFormula(const std::string& formula, const ElementValuesLookup& element)
{
    FormulaSum sum;
    const Result<std::vector<ElementCount>> parsed = parseChemicalFormula(formula);
    if (!parsed) {
        sum.problem = FormulaSum::Problem::Syntax;
        sum.error = parsed.error();
        return sum;
    }
    double valenceTotal = 0;
    double massTotal = 0;
    for (const ElementCount& part : *parsed) {
        const std::optional<ElementValues> row = element(part.symbol);
        if (!row) {
            sum.problem = FormulaSum::Problem::UnknownElement;
            sum.error = "unknown element \"" + part.symbol + "\" in the formula \"" + formula + "\"";
            return sum;
        }
        if (!row->atomicWeight || !row->valenceElectrons) {
            sum.problem = FormulaSum::Problem::ElementData;
            sum.error = "the element " + part.symbol + " has no "
                + (row->valenceElectrons ? "atomic weight" : "usable valence electrons") + " in the database";
            return sum;
        }
        sum.terms.push_back({part.symbol, part.count, *row->valenceElectrons, *row->atomicWeight});
        valenceTotal += part.count * double(*row->valenceElectrons);
        massTotal += part.count * double(*row->atomicWeight);
    }
    try {
        sum.valenceElectrons = checked::single(valenceTotal);
        sum.mass = checked::single(massTotal);
    } catch (const checked::ArithmeticError&) {
        sum = FormulaSum{};
        sum.problem = FormulaSum::Problem::TooLarge;
        sum.error = "the formula \"" + formula + "\" is too large";
    }
    return sum;
}

std::string typedBesideFormula(const std::string& option)
{
    return option + " cannot be given with --formula: it is summed from the elements";
}

} // namespace korvane
