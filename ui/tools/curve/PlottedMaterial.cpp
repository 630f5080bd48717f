#include "ui/tools/curve/PlottedMaterial.h"

namespace korvane::ui {

bool PlottedMaterial::sameValues(const PlottedMaterial& other) const
{
    return name == other.name && inputs.density == other.inputs.density
        && inputs.valenceElectrons == other.inputs.valenceElectrons && inputs.mass == other.inputs.mass
        && inputs.bandGap == other.inputs.bandGap;
}

std::vector<QPointF> imfpPoints(const PlottedMaterial& material, ImfpForm form, const std::vector<float>& energies)
{
    std::vector<QPointF> points;
    points.reserve(energies.size());
    ImfpInputs inputs = material.inputs;
    for (const float energy : energies) {
        inputs.energy = energy;
        const std::optional<float> value = imfp(form, inputs).length;
        if (value)
            points.emplace_back(energy, *value);
    }
    return points;
}

std::vector<chart::Curve> curvesOf(const PlottedMaterial& material, const std::vector<float>& energies,
                                   std::optional<ImfpForm> chosen)
{
    std::vector<chart::Curve> curves;
    for (const ImfpForm form : {ImfpForm::NonRelativistic, ImfpForm::Relativistic})
        curves.push_back({chart::curveName(material.name, form), imfpPoints(material, form, energies), material.colour,
                          form, chosen == form});
    return curves;
}

} // namespace korvane::ui
