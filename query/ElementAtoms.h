#pragma once

#include "calc/ElasticScattering.h"
#include "core/Result.h"
#include "query/ImfpEvaluation.h"

#include <vector>

namespace korvane {

// The atoms of element Z per cubic angstrom in a material: its count in one
// formula unit (`atoms`) times the formula units per volume from the density
// and mass; 0 where the material holds none. Fails with the reason where the
// density or mass is unknown.
Result<double> atomsPerCubicAngstrom(const std::vector<FormulaAtom>& atoms, const MaterialValues& values,
                                     int atomicNumber);

} // namespace korvane
