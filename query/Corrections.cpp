#include "query/Corrections.h"

#include "core/NumberText.h"

#include <string>

namespace korvane {

namespace {

Result<float> factorOrNote(const std::optional<float>& factor)
{
    if (!factor)
        return Failed{kNoCorrectionFactorNote, ErrorCode::NoPhysicalValue};
    return *factor;
}

} // namespace

Result<float> correctionFactor1(float depth, float imfp)
{
    return factorOrNote(correctionFactorApprox1(depth, imfp));
}

Result<float> correctionFactor2(float depth, float effTrMfp)
{
    return factorOrNote(correctionFactorApprox2(depth, effTrMfp));
}

FormedPaths transportPaths(std::optional<float> density, std::optional<float> mass, double crossSection, float imfp)
{
    if (!density || !mass)
        return {std::nullopt,
                Failed{std::string("no ") + (density ? "atomic weight" : "density") + " in the database",
                       ErrorCode::NotFound}};
    const TransportPaths paths = transportMeanFreePaths(*density, *mass, crossSection, imfp);
    if (!paths.trMfp)
        return {std::nullopt, Failed{kNoTransportPath, ErrorCode::NoPhysicalValue}};
    if (!paths.effTrMfp)
        return {paths.trMfp, Failed{kNoEffectiveTransportPath, ErrorCode::NoPhysicalValue}};
    return {paths.trMfp, *paths.effTrMfp};
}

std::string uncorrectedAngleNote(double angle)
{
    return "the corrections cf1 and cf2 hold only up to 30° from the surface normal; at " + numbers::sixDigits(angle)
        + "° only the straight-line model is given";
}

} // namespace korvane
