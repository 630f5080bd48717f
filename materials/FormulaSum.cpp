#include "materials/FormulaSum.h"

#include "calc/CheckedMath.h"
#include "materials/ChemicalFormula.h"

namespace korvane {

FormulaSum sumFormula(const QString& formula, const ElementLookup& element, const ElementValence& valence)
{
    FormulaSum sum;
    const ChemicalFormula parsed = parseChemicalFormula(formula);
    if (!parsed.error.isEmpty()) {
        sum.problem = FormulaSum::Problem::Syntax;
        sum.error = parsed.error;
        return sum;
    }
    double valenceTotal = 0;
    double massTotal = 0;
    for (const ElementCount& part : parsed.elements) {
        const Material* row = element(part.symbol);
        if (!row) {
            sum.problem = FormulaSum::Problem::UnknownElement;
            sum.error = QStringLiteral("unknown element \"%1\" in the formula \"%2\"").arg(part.symbol, formula);
            return sum;
        }
        const std::optional<float> nv = valence(*row);
        if (!row->atomicWeight || !nv) {
            sum.problem = FormulaSum::Problem::ElementData;
            sum.error = QStringLiteral("the element %1 has no %2 in the database")
                            .arg(part.symbol, nv ? u"atomic weight" : u"usable valence electrons");
            return sum;
        }
        sum.terms.push_back({part.symbol, part.count, *nv, *row->atomicWeight});
        valenceTotal += part.count * double(*nv);
        massTotal += part.count * double(*row->atomicWeight);
    }
    try {
        sum.valenceElectrons = checked::single(valenceTotal);
        sum.mass = checked::single(massTotal);
    } catch (const checked::ArithmeticError&) {
        sum = FormulaSum{};
        sum.problem = FormulaSum::Problem::TooLarge;
        sum.error = QStringLiteral("the formula \"%1\" is too large").arg(formula);
    }
    return sum;
}

} // namespace korvane
