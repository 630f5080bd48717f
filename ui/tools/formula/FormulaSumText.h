#pragma once

#include "materials/model/RowFormulaSum.h"

#include <QString>

namespace korvane {

// The sums as the worked examples write them: "Nv = 4 + 2*6 = 16" and
// "M = 28.085 + 2*15.999 = 60.083".
QString valenceSumLine(const FormulaSum& sum);
QString massSumLine(const FormulaSum& sum);

// The summed mass with the digits of its terms: to the last decimal of the
// most exact term (60.083 for 28.085 + 2*15.999, 78.2651 for 47.867 +
// 1.9*15.999), so that no digit of the elements' rows is lost.
float massToSumDigits(const FormulaSum& sum);

// The mass as a compound's field shows it: the shortest text ("60.083", "143").
QString compoundMassText(float mass);

} // namespace korvane
