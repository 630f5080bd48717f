#pragma once

#include "materials/model/FormulaSum.h"

#include <QString>

namespace korvane {

// The sums as the worked examples write them: "Nv = 4 + 2*6 = 16" and
// "M = 28.085 + 2*15.999 = 60.08".
QString valenceSumLine(const FormulaSum& sum);
QString massSumLine(const FormulaSum& sum);

// The mass as the worked examples write a compound's: rounded to two decimals
// and without trailing zeros ("60.08", "143").
QString compoundMassText(float mass);

} // namespace korvane
