#include "calc/ValidEnergyRange.h"

namespace korvane {

bool outsideValidEnergyRange(double energy)
{
    return energy < 50 || energy > 200000;
}

} // namespace korvane
