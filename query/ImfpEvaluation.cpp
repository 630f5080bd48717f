#include "query/ImfpEvaluation.h"

#include <utility>

namespace korvane {

namespace {

// Why the formula gives no value for a usable set of inputs.
Failed failureOf(const ImfpResult& result)
{
    if (result.failure == ImfpFailure::NotPhysical)
        return {kNoPhysicalImfp, ErrorCode::NoPhysicalValue};
    switch (result.inputFault) {
    case ImfpInputFault::Energy: return {"energy must be above 0 eV", ErrorCode::InvalidInput};
    case ImfpInputFault::ValenceElectrons: return {"Nv is 0", ErrorCode::InvalidInput};
    case ImfpInputFault::Mass: return {"mass is 0", ErrorCode::InvalidInput};
    case ImfpInputFault::Density: return {"density must be above 0", ErrorCode::InvalidInput};
    case ImfpInputFault::Other: break;
    }
    return {"the TPP-2M formula fails for these values", ErrorCode::NoPhysicalValue};
}

} // namespace

Result<float> evaluateImfp(const ImfpInputs& inputs, ImfpForm form)
{
    const ImfpResult result = imfp(form, inputs);
    if (result.length)
        return *result.length;
    return failureOf(result);
}

Result<float> evaluateImfp(const MaterialValues& material, float energy, ImfpForm form)
{
    const std::pair<const std::optional<float>&, const char*> needed[] = {
        {material.density, "density"},
        {material.valenceElectrons, "Nv"},
        {material.mass, "atomic weight"},
        {material.bandGap, "energy gap"},
    };
    for (const auto& [value, what] : needed) {
        if (!value)
            return Failed{std::string("no ") + what + " in the database", ErrorCode::NotFound};
    }
    return evaluateImfp({*material.density, *material.valenceElectrons, *material.mass, *material.bandGap, energy},
                        form);
}

} // namespace korvane
