#include "cli/ImfpOutcome.h"

#include "query/ImfpEvaluation.h"

namespace korvane::cli {

ImfpOutcome evaluateImfp(const MaterialInputs& material, float energy, ImfpForm form)
{
    const Result<float> imfp = korvane::evaluateImfp(
        MaterialValues{material.density, material.mass, material.bandGap, material.valenceElectrons}, energy, form);
    if (!imfp)
        return {std::nullopt, QString::fromStdString(imfp.error())};
    return {*imfp, {}};
}

} // namespace korvane::cli
