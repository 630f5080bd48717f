#include "cli/ImfpEvaluation.h"

namespace korvane::cli {

namespace {

// The likely cause when the formula gives no value, in the order a user checks.
QString failureCause(const ImfpInputs& in)
{
    if (!(in.energy > 0))
        return QStringLiteral("energy must be above 0 eV");
    if (in.valenceElectrons == 0)
        return QStringLiteral("Nv is 0");
    if (in.mass == 0)
        return QStringLiteral("mass is 0");
    if (!(in.density > 0))
        return QStringLiteral("density must be above 0");
    return QStringLiteral("the TPP-2M formula fails for these values");
}

} // namespace

ImfpOutcome evaluateImfp(const MaterialInputs& material, float energy, ImfpForm form)
{
    const std::pair<const std::optional<float>&, const char*> needed[] = {
        {material.density, "density"},
        {material.valenceElectrons, "Nv"},
        {material.mass, "atomic weight"},
        {material.bandGap, "energy gap"},
    };
    for (const auto& [value, what] : needed) {
        if (!value)
            return {std::nullopt, QStringLiteral("no %1 in the database").arg(QLatin1String(what))};
    }
    const ImfpInputs inputs{*material.density, *material.valenceElectrons, *material.mass, *material.bandGap, energy};
    const ImfpResult result = imfp(form, inputs);
    if (result.length)
        return {result.length, {}};
    if (result.failure == ImfpFailure::NotPhysical)
        return {std::nullopt, QString::fromLatin1(kNoPhysicalImfp)};
    return {std::nullopt, failureCause(inputs)};
}

std::vector<ImfpForm> formsToCompute(Forms forms)
{
    switch (forms) {
    case Forms::NonRelativistic: return {ImfpForm::NonRelativistic};
    case Forms::Relativistic: return {ImfpForm::Relativistic};
    case Forms::Both: break;
    }
    return {ImfpForm::NonRelativistic, ImfpForm::Relativistic};
}

} // namespace korvane::cli
