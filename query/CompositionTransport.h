#pragma once

// Takes: an element (its atomic number), a chemical formula, or a row of the
// materials table (its ID and name), and an electron energy in eV.
// Gives: the transport cross-section S of one formula unit in a0^2 with what
// it stands for ("Cu (Z = 29)", "formula SiO2"), or the words for why there
// is none; the atoms of a row's formula unit; cm^2 per a0^2.

#include "calc/ElasticScattering.h"
#include "core/Result.h"
#include "query/ElementRows.h"

#include <cstdint>
#include <string>
#include <vector>

// S for approximation 2 of the correction factor: for an element its atom's
// sigma_1, for a compound the sum n_i sigma_i over the atoms of one formula
// unit, each sigma_i from the shipped table of free atoms
// (calc/TransportTable.h) at the electron energy.
namespace korvane {

struct CrossSectionValue {
    double a0Squared = 0;
    std::string source; // what S stands for: "Cu (Z = 29)" or "formula SiO2"
};

// S of one formula unit of a chemical formula such as "SiO2".
Result<CrossSectionValue> formulaCrossSection(const std::string& formula, double energyEv);

// S of the element with atomic number Z.
Result<CrossSectionValue> elementCrossSection(int atomicNumber, double energyEv);

// S of a row of the materials table: an element by its ID (its atomic
// number), a compound by its name read as a chemical formula.
Result<CrossSectionValue> rowCrossSection(std::int64_t id, const std::string& name, double energyEv);

// The atoms of one formula unit of a row, read as rowCrossSection reads it.
Result<std::vector<FormulaAtom>> rowAtoms(std::int64_t id, const std::string& name);

// cm^2 per a0^2.
double bohrRadiusSquaredCm2();

} // namespace korvane
