#include "lookup/MaterialSimulation.h"

#include "lookup/MaterialImfp.h"
#include "materials/text/ResultText.h"

#include <stdexcept>

namespace korvane {

MaterialAtoms atomsOf(const MaterialInputs& material)
{
    Material row;
    row.id = material.id.value_or(0);
    row.name = material.name;
    return materialAtoms(row);
}

Result<FormulaScattering> elasticScatteringOf(const MaterialInputs& material, double energy, std::size_t angleCount)
{
    const MaterialAtoms atoms = atomsOf(material);
    if (!atoms.error.isEmpty())
        return failed(atoms.error, ErrorCode::InvalidInput);
    try {
        return formulaScattering(atoms.atoms, energy, angleCount);
    } catch (const std::invalid_argument& e) {
        return Failed{e.what(), ErrorCode::InvalidInput};
    } catch (const std::exception& e) {
        return Failed{e.what()};
    }
}

MaterialSimulation simulateMaterial(const MaterialInputs& material, float energy, ImfpForm form,
                                    const SimulationSettings& settings)
{
    MaterialSimulation result;
    const Result<float> imfp = evaluateImfp(material, energy, form);
    if (!imfp) {
        result.error = errorText(imfp);
        return result;
    }
    result.imfp = *imfp;
    if (!material.density || !material.mass) {
        result.error = QStringLiteral("no %1 in the database").arg(material.density ? u"atomic weight" : u"density");
        return result;
    }
    const Result<FormulaScattering> elastic = elasticScatteringOf(material, energy);
    if (!elastic) {
        result.error = errorText(elastic);
        return result;
    }
    const ElasticAngleSampler sampler(elastic->angles, elastic->dcs);
    result.elasticMfp = meanFreePath(*material.density, *material.mass, elastic->elastic);
    result.transportMfp = meanFreePath(*material.density, *material.mass, elastic->transport);
    const ScatteringMedium medium{*imfp, result.elasticMfp, result.transportMfp, &sampler};
    if (const std::string error = simulationInputError(medium, settings); !error.empty()) {
        result.error = QString::fromStdString(error);
        return result;
    }
    SimulationScores scores = simulateTrajectories(medium, settings);
    if (scores.cancelled)
        result.error = QStringLiteral("the simulation was cancelled");
    else
        result.depth.emplace(std::move(scores));
    return result;
}

} // namespace korvane
