#include "cli/MaterialCrossSection.h"

namespace korvane::cli {

TransportCrossSection crossSectionOf(const MaterialInputs& material, double energy)
{
    if (material.id && *material.id >= 1 && *material.id < kFirstCompoundId)
        return elementTransportCrossSection(*material.id, energy);
    Material row;
    row.id = material.id.value_or(0);
    row.name = material.name;
    return materialTransportCrossSection(row, energy);
}

} // namespace korvane::cli
