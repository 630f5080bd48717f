#pragma once

#include "calc/ElasticCorrection.h"
#include "cli/MaterialResolution.h"
#include "materials/model/MaterialTransport.h"

namespace korvane::cli {

// S of a material as tpp2m resolved it: an element row by its ID, anything
// else by its name (or --formula) read as a chemical formula.
TransportCrossSection crossSectionOf(const MaterialInputs& material, double energy);

// TrMFP and EffTrMFP from a density, a mass, S and the IMFP; `error` says
// which of them cannot be formed, or that the database has no density or mass.
TransportPaths transportPathsFor(std::optional<float> density, std::optional<float> mass, double crossSection,
                                 float imfp, QString* error);

} // namespace korvane::cli
