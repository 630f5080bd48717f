#include "web/PageMaterialValues.h"

#include "core/NumberText.h"

namespace korvane::page {

std::vector<ShownResult> materialValuesShown(const PageMaterial& material)
{
    const std::pair<const char*, const char*> shown[] = {
        {"material-density", " g/cm³"}, {"material-mass", " g/mol"}, {"material-gap", " eV"}, {"material-nv", ""}};
    const std::optional<float> values[] = {material.values.density, material.values.mass, material.values.bandGap,
                                           material.values.valenceElectrons};
    std::vector<ShownResult> results;
    for (std::size_t i = 0; i < std::size(values); ++i) {
        if (values[i]) {
            const std::string number = numbers::shortest(*values[i]);
            results.push_back({shown[i].first, number + shown[i].second, number});
        }
    }
    return results;
}

} // namespace korvane::page
