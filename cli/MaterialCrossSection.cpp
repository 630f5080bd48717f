#include "cli/MaterialCrossSection.h"

namespace korvane::cli {

TransportCrossSection crossSectionOf(const MaterialInputs& material, double energy)
{
    Material row;
    row.id = material.id.value_or(0);
    row.name = material.name;
    return materialTransportCrossSection(row, energy);
}

TransportPaths transportPathsFor(std::optional<float> density, std::optional<float> mass, double crossSection,
                                 float imfp, QString* error)
{
    if (!density || !mass) {
        *error = QStringLiteral("no %1 in the database").arg(density ? u"atomic weight" : u"density");
        return {};
    }
    const TransportPaths paths = transportMeanFreePaths(*density, *mass, crossSection, imfp);
    if (!paths.trMfp)
        *error = kNoTransportPath;
    else if (!paths.effTrMfp)
        *error = kNoEffectiveTransportPath;
    return paths;
}

} // namespace korvane::cli
