#include "lookup/ElementDensity.h"

#include "lookup/MaterialSimulation.h"
#include "query/ElementAtoms.h"

namespace korvane {

Result<double> elementAtomsPerCubicAngstrom(const MaterialInputs& material, int atomicNumber)
{
    const Result<std::vector<FormulaAtom>> atoms = atomsOf(material);
    if (!atoms)
        return atoms.failure();
    return atomsPerCubicAngstrom(*atoms, material.values, atomicNumber);
}

} // namespace korvane
