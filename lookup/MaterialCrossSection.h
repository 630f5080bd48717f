#pragma once

#include "lookup/MaterialInputs.h"
#include "materials/model/MaterialTransport.h"

namespace korvane {

// S of a resolved material: an element row by its ID, anything else by its
// name (or formula) read as a chemical formula.
Result<TransportCrossSection> crossSectionOf(const MaterialInputs& material, double energy);

} // namespace korvane
