#include "query/ElementAtoms.h"

#include <string>

namespace korvane {

namespace {

constexpr double kAvogadro = 6.02214076e23; // per mol
constexpr double kCubicAngstromsPerCm3 = 1e24;

} // namespace

Result<double> atomsPerCubicAngstrom(const std::vector<FormulaAtom>& atoms, const MaterialValues& values,
                                     int atomicNumber)
{
    if (!values.density || !values.mass)
        return Failed{std::string(values.density ? "no atomic weight in the database" : "no density in the database")};
    double count = 0;
    for (const FormulaAtom& atom : atoms)
        if (atom.atomicNumber == atomicNumber)
            count += atom.count;
    return count * double(*values.density) * kAvogadro / double(*values.mass) / kCubicAngstromsPerCm3;
}

} // namespace korvane
