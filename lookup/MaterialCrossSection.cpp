#include "lookup/MaterialCrossSection.h"

namespace korvane {

Result<TransportCrossSection> crossSectionOf(const MaterialInputs& material, double energy)
{
    Material row;
    row.id = material.id.value_or(0);
    row.name = material.name;
    return materialTransportCrossSection(row, energy);
}

} // namespace korvane
