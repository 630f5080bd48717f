#include "calc/ValidEnergyRange.h"

namespace korvane {

bool outsideValidEnergyRange(double energy)
{
    return energy < kValidEnergyLow || energy > kValidEnergyHigh;
}

} // namespace korvane
