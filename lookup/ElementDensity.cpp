#include "lookup/ElementDensity.h"

#include "lookup/MaterialSimulation.h"

namespace korvane {

namespace {

constexpr double kAvogadro = 6.02214076e23;   // per mol
constexpr double kCubicAngstromsPerCm3 = 1e24;

} // namespace

Result<double> elementAtomsPerCubicAngstrom(const MaterialInputs& material, int atomicNumber)
{
    const Result<std::vector<FormulaAtom>> atoms = atomsOf(material);
    if (!atoms)
        return atoms.failure();
    if (!material.values.density || !material.values.mass)
        return Failed{std::string(material.values.density ? "no atomic weight in the database" : "no density in the database")};
    double count = 0;
    for (const FormulaAtom& atom : *atoms)
        if (atom.atomicNumber == atomicNumber)
            count += atom.count;
    return count * double(*material.values.density) * kAvogadro / double(*material.values.mass) / kCubicAngstromsPerCm3;
}

} // namespace korvane
