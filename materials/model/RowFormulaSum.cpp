#include "materials/model/RowFormulaSum.h"

namespace korvane {

Result<FormulaSum> sumFormula(const QString& formula, const ElementLookup& element, const ElementValence& valence)
{
    return sumFormula(formula.toStdString(), [&](const std::string& symbol) -> std::optional<ElementValues> {
        const Material* row = element(QString::fromStdString(symbol));
        if (!row)
            return std::nullopt;
        return ElementValues{valence(*row), row->atomicWeight};
    });
}

} // namespace korvane
