#pragma once

#include "calc/ElasticScattering.h"
#include "materials/model/Material.h"

#include <QString>

#include <optional>
#include <vector>

// The transport cross-section S of a material (query/CompositionTransport)
// with its words as QString, for the Qt front ends.
namespace korvane {

struct TransportCrossSection {
    std::optional<double> a0Squared;
    QString error;  // why there is no value; empty with a value
    QString source; // what S stands for: "Cu (Z = 29)" or "formula SiO2"
};

// S of one formula unit of a chemical formula such as "SiO2".
TransportCrossSection formulaTransportCrossSection(const QString& formula, double energyEv);

// S of the element with atomic number Z.
TransportCrossSection elementTransportCrossSection(int atomicNumber, double energyEv);

// S of a row of the materials table: an element by its ID (its atomic
// number), a compound by its name read as a chemical formula.
TransportCrossSection materialTransportCrossSection(const Material& material, double energyEv);

// The atoms of one formula unit of a row of the materials table, read as
// materialTransportCrossSection reads it, or why there are none.
struct MaterialAtoms {
    std::vector<FormulaAtom> atoms;
    QString error;
};
MaterialAtoms materialAtoms(const Material& material);

// cm^2 per a0^2 (query/CompositionTransport).
double bohrRadiusSquaredCm2();

} // namespace korvane
