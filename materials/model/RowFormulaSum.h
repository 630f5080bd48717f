#pragma once

#include "materials/model/Material.h"
#include "query/FormulaSum.h"

#include <QString>

#include <functional>
#include <optional>

namespace korvane {

// The element row with this symbol, or null.
using ElementLookup = std::function<const Material*(const QString& symbol)>;
// An element's Nv with the valence groups that count; no value when it is too large.
using ElementValence = std::function<std::optional<float>(const Material& element)>;

// The formula sum of query/FormulaSum over the rows of the materials table.
Result<FormulaSum> sumFormula(const QString& formula, const ElementLookup& element, const ElementValence& valence);

} // namespace korvane
