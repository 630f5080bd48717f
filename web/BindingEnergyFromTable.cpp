// The page's binding energies: those of the exported table in place of
// xraylib's, for lines/ as the browser build compiles it.
#include "lines/BindingEnergy.h"
#include "web/BindingEnergyTable.h"

namespace korvane::lines {

std::optional<double> bindingEnergy(int atomicNumber, const CoreLevel& level)
{
    return page::pageBindingEnergies().energy(atomicNumber, level.name);
}

} // namespace korvane::lines
