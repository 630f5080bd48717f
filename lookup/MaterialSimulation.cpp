#include "lookup/MaterialSimulation.h"

#include "lookup/MaterialImfp.h"
#include "presentation/ResultText.h"

#include <new>
#include <stdexcept>

namespace korvane {

Result<std::vector<FormulaAtom>> atomsOf(const MaterialInputs& material)
{
    Material row;
    row.id = material.id.value_or(0);
    row.name = material.name;
    return materialAtoms(row);
}

Result<FormulaScattering> elasticScatteringOf(const MaterialInputs& material, double energy, std::size_t angleCount)
{
    const Result<std::vector<FormulaAtom>> atoms = atomsOf(material);
    if (!atoms)
        return Failed{atoms.error(), ErrorCode::InvalidInput};
    try {
        return formulaScattering(*atoms, energy, angleCount);
    } catch (const std::invalid_argument& e) {
        return Failed{e.what(), ErrorCode::InvalidInput};
    } catch (const std::exception& e) {
        return Failed{e.what()};
    }
}

MaterialSimulation simulateMaterial(const MaterialInputs& material, float energy, ImfpForm form,
                                    const SimulationSettings& settings)
{
    const Result<float> imfp = evaluateImfp(material, energy, form);
    if (!imfp)
        return {std::nullopt, 0, 0, imfp.failure()};
    if (!material.values.density || !material.values.mass)
        return {*imfp, 0, 0,
                failed(QStringLiteral("no %1 in the database").arg(material.values.density ? u"atomic weight" : u"density"))};
    const Result<FormulaScattering> elastic = elasticScatteringOf(material, energy);
    if (!elastic)
        return {*imfp, 0, 0, elastic.failure()};
    const ElasticAngleSampler sampler(elastic->angles, elastic->dcs);
    const double elasticMfp = meanFreePath(*material.values.density, *material.values.mass, elastic->elastic);
    const double transportMfp = meanFreePath(*material.values.density, *material.values.mass, elastic->transport);
    const ScatteringMedium medium{*imfp, elasticMfp, transportMfp, &sampler};
    if (const Result<void> usable = checkSimulationInputs(medium, settings); !usable)
        return {*imfp, elasticMfp, transportMfp, usable.failure()};
    Result<SimulationScores> scores = simulateTrajectories(medium, settings);
    if (!scores)
        return {*imfp, elasticMfp, transportMfp, scores.failure()};
    try {
        return {*imfp, elasticMfp, transportMfp, SimulatedDepth(std::move(*scores))};
    } catch (const std::bad_alloc&) {
        return {*imfp, elasticMfp, transportMfp, Failed{kSimulationOutOfMemory, ErrorCode::OutOfRange}};
    }
}

} // namespace korvane
