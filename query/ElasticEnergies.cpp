#include "query/ElasticEnergies.h"

#include "calc/TransportTable.h"

namespace korvane {

bool withinElasticEnergies(double energy)
{
    return energy >= kTableLowestEnergy && energy <= kTableHighestEnergy;
}

} // namespace korvane
