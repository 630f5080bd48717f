#pragma once

#include "cli/MaterialResolution.h"
#include "materials/MaterialTransport.h"

#include <cstdio>

namespace korvane::cli {

// S of a material as tpp2m resolved it: an element row by its ID, anything
// else by its name (or --formula) read as a chemical formula.
TransportCrossSection crossSectionOf(const MaterialInputs& material, double energy);

// The materials of tpp2m transport: names and IDs from the database, a
// --formula as it is written (S needs no element rows).
ResolvedMaterials resolveTransportMaterials(const Command& command);

// tpp2m transport: one row per material (then per --element) and energy,
// with S in a0^2 and in cm^2, or why there is none.
void writeTransportReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out);

} // namespace korvane::cli
