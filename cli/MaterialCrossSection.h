#pragma once

#include "cli/MaterialResolution.h"
#include "materials/MaterialTransport.h"

namespace korvane::cli {

// S of a material as tpp2m resolved it: an element row by its ID, anything
// else by its name (or --formula) read as a chemical formula.
TransportCrossSection crossSectionOf(const MaterialInputs& material, double energy);

} // namespace korvane::cli
