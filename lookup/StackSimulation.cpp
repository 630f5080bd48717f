#include "lookup/StackSimulation.h"

#include "lookup/MaterialSimulation.h"

#include <memory>

namespace korvane {

Result<std::vector<Estimate>> simulateMaterialStack(const std::vector<MaterialInputs>& materials,
                                                    const std::vector<double>& thicknesses,
                                                    const std::vector<double>& imfps, float energy,
                                                    const SimulationSettings& settings)
{
    std::vector<std::unique_ptr<ElasticAngleSampler>> samplers;
    std::vector<StackLayer> layers;
    for (std::size_t k = 0; k < materials.size(); ++k) {
        const MaterialInputs& material = materials[k];
        const std::string layer = "layer " + std::to_string(k + 1) + " (" + material.name.toStdString() + "): ";
        if (!material.values.density || !material.values.mass)
            return Failed{layer + (material.values.density ? "no atomic weight in the database" : "no density in the database")};
        const Result<FormulaScattering> elastic = elasticScatteringOf(material, energy);
        if (!elastic)
            return Failed{layer + elastic.error(), elastic.code()};
        samplers.push_back(std::make_unique<ElasticAngleSampler>(elastic->angles, elastic->dcs));
        const ScatteringMedium medium{imfps[k], meanFreePath(*material.values.density, *material.values.mass, elastic->elastic),
                                      meanFreePath(*material.values.density, *material.values.mass, elastic->transport),
                                      samplers.back().get()};
        layers.push_back({medium, k < thicknesses.size() ? thicknesses[k] : std::numeric_limits<double>::infinity()});
    }
    if (Result<void> checked = checkStackInputs(layers, settings); !checked)
        return checked.failure();
    return simulateStack(layers, settings);
}

} // namespace korvane
