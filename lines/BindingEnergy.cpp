#include "lines/BindingEnergy.h"

#include "lines/XrlError.h"

#include <xraylib.h>

namespace korvane::lines {

std::optional<double> bindingEnergy(int atomicNumber, const CoreLevel& level)
{
    XrlError error;
    const double keV = EdgeEnergy(atomicNumber, level.shell, error.out());
    if (error.failed() || !(keV > 0))
        return std::nullopt;
    return keV * 1000;
}

} // namespace korvane::lines
