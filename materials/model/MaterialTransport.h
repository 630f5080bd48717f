#pragma once

#include "calc/ElasticScattering.h"
#include "core/Result.h"
#include "materials/model/Material.h"

#include <QString>

#include <vector>

// The transport cross-section S of a material (query/CompositionTransport)
// with its words as QString, for the Qt front ends.
namespace korvane {

struct TransportCrossSection {
    double a0Squared = 0;
    QString source; // what S stands for: "Cu (Z = 29)" or "formula SiO2"; empty for a typed S
};

// S of one formula unit of a chemical formula such as "SiO2".
Result<TransportCrossSection> formulaTransportCrossSection(const QString& formula, double energyEv);

// S of the element with atomic number Z.
Result<TransportCrossSection> elementTransportCrossSection(int atomicNumber, double energyEv);

// S of a row of the materials table: an element by its ID (its atomic
// number), a compound by its name read as a chemical formula.
Result<TransportCrossSection> materialTransportCrossSection(const Material& material, double energyEv);

// The atoms of one formula unit of a row of the materials table, read as
// materialTransportCrossSection reads it.
Result<std::vector<FormulaAtom>> materialAtoms(const Material& material);

// cm^2 per a0^2 (query/CompositionTransport).
double bohrRadiusSquaredCm2();

} // namespace korvane
