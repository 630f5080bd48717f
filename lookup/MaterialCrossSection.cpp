#include "cli/MaterialCrossSection.h"

#include "query/Corrections.h"

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
    const FormedPaths paths = transportPaths(density, mass, crossSection, imfp);
    if (!paths.effTrMfp)
        *error = QString::fromStdString(paths.effTrMfp.error());
    return {paths.trMfp, paths.effTrMfp ? std::optional<float>(*paths.effTrMfp) : std::nullopt};
}

} // namespace korvane::cli
