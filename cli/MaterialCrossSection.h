#pragma once

#include "calc/ElasticCorrection.h"
#include "cli/MaterialResolution.h"
#include "materials/MaterialTransport.h"

namespace korvane::cli {

// S of a material as tpp2m resolved it: an element row by its ID, anything
// else by its name (or --formula) read as a chemical formula.
TransportCrossSection crossSectionOf(const MaterialInputs& material, double energy);

// Why a transport path cannot be formed, as tpp2m and the Python module say it.
inline const QString kNoTransportPath =
    QStringLiteral("TrMFP cannot be formed from this density, mass and cross-section");
inline const QString kNoEffectiveTransportPath = QStringLiteral("EffTrMFP cannot be formed from this TrMFP and IMFP");

// TrMFP and EffTrMFP from a density, a mass, S and the IMFP; `error` says
// which of them cannot be formed, or that the database has no density or mass.
TransportPaths transportPathsFor(std::optional<float> density, std::optional<float> mass, double crossSection,
                                 float imfp, QString* error);

} // namespace korvane::cli
