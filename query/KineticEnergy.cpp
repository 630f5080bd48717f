#include "query/KineticEnergy.h"

#include "core/NumberText.h"

namespace korvane {

std::string electronVolts(double energy)
{
    return numbers::shortest15(energy) + " eV";
}

std::string sourceKeys()
{
    std::string keys;
    for (const XraySource& source : xraySources())
        keys += (keys.empty() ? "" : ", ") + std::string(source.key);
    return keys;
}

Result<const XraySource*> sourceOfKey(std::string_view key)
{
    if (const XraySource* source = findXraySource(key))
        return source;
    return Failed{"unknown source \"" + std::string(key) + "\" (choose from " + sourceKeys() + ")",
                  ErrorCode::NotFound};
}

Result<double> kineticEnergy(double bindingEnergy, double photonEnergy)
{
    const double kinetic = photonEnergy - bindingEnergy;
    if (!(kinetic > 0))
        return Failed{"its binding energy " + electronVolts(bindingEnergy) + " is not below the photon energy "
                          + electronVolts(photonEnergy),
                      ErrorCode::NoPhysicalValue};
    return kinetic;
}

} // namespace korvane
