#pragma once

#include "core/Result.h"
#include "lookup/MaterialInputs.h"

namespace korvane {

// The atoms of element Z per cubic angstrom in a material: its count in one
// formula unit (the composition as transport finds it) times the formula
// units per volume from the density and mass; 0 where the material holds
// none. Fails with the reason where the composition, density or mass is unknown.
Result<double> elementAtomsPerCubicAngstrom(const MaterialInputs& material, int atomicNumber);

} // namespace korvane
