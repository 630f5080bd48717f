#include "cli/MaterialSimulation.h"

#include "cli/ImfpEvaluation.h"

#include <stdexcept>

namespace korvane::cli {

SimulationSettings simulationSettings(const Command& command)
{
    return {.angle = command.angle,
            .emission = {command.asymmetry, command.sourceAngle},
            .electrons = command.electrons,
            .seed = command.seed,
            .threads = command.threads,
            .step = command.step,
            .cancel = nullptr,
            .progress = {}};
}

MaterialAtoms atomsOf(const MaterialInputs& material)
{
    Material row;
    row.id = material.id.value_or(0);
    row.name = material.name;
    return materialAtoms(row);
}

MaterialElastic elasticScatteringOf(const MaterialInputs& material, double energy, std::size_t angleCount)
{
    const MaterialAtoms atoms = atomsOf(material);
    if (!atoms.error.isEmpty())
        return {std::nullopt, atoms.error};
    try {
        return {formulaScattering(atoms.atoms, energy, angleCount), {}};
    } catch (const std::exception& e) {
        return {std::nullopt, QString::fromStdString(e.what())};
    }
}

MaterialSimulation simulateMaterial(const MaterialInputs& material, float energy, ImfpForm form,
                                    const SimulationSettings& settings)
{
    MaterialSimulation result;
    const ImfpOutcome outcome = evaluateImfp(material, energy, form);
    result.imfp = outcome.imfp;
    if (!outcome.imfp) {
        result.error = outcome.error;
        return result;
    }
    if (!material.density || !material.mass) {
        result.error = QStringLiteral("no %1 in the database").arg(material.density ? u"atomic weight" : u"density");
        return result;
    }
    const MaterialElastic elastic = elasticScatteringOf(material, energy);
    if (!elastic.scattering) {
        result.error = elastic.error;
        return result;
    }
    const ElasticAngleSampler sampler(elastic.scattering->angles, elastic.scattering->dcs);
    result.elasticMfp = meanFreePath(*material.density, *material.mass, elastic.scattering->elastic);
    result.transportMfp = meanFreePath(*material.density, *material.mass, elastic.scattering->transport);
    const ScatteringMedium medium{*outcome.imfp, result.elasticMfp, result.transportMfp, &sampler};
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

} // namespace korvane::cli
