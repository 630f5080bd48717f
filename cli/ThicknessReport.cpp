#include "cli/ThicknessReport.h"

#include "calc/AngleResolvedThickness.h"
#include "calc/AttenuatedOverlayer.h"
#include "cli/RowWriter.h"
#include "lookup/MaterialImfp.h"
#include "lookup/MaterialSimulation.h"
#include "presentation/ResultText.h"

#include <memory>

namespace korvane::cli {

namespace {

std::vector<Column> thicknessColumns(bool severalAngles)
{
    std::vector<Column> columns = {
        {"overlayer", QStringLiteral("Overlayer")},
        {"substrate", QStringLiteral("Substrate")},
        {"overlayer_energy_eV", QStringLiteral("E overlayer (eV)"), true},
        {"substrate_energy_eV", QStringLiteral("E substrate (eV)"), true},
        {"imfp_overlayer_A", QStringLiteral("IMFP overlayer (\u00C5)"), true},
        {"imfp_substrate_in_overlayer_A", QStringLiteral("IMFP substrate in overlayer (\u00C5)"), true},
        {"angle_deg", QStringLiteral("Angle (°)"), true},
        {"ratio", QStringLiteral("R"), true},
        {"bulk_ratio", QStringLiteral("R\u221E"), true},
        {"model", QStringLiteral("Model")},
        {"thickness_A", QStringLiteral("Thickness (\u00C5)"), true},
        {"error", QStringLiteral("Error"), false, true},
    };
    if (severalAngles) {
        const auto error = columns.end() - 1;
        columns.insert(error, {{"predicted_ratio", QStringLiteral("R fitted"), true},
                               {"residual", QStringLiteral("RMS ln R"), true}});
    }
    return columns;
}

QString modelName(const Command& command)
{
    return command.attenuationModel ? QStringLiteral("eal") : QStringLiteral("sla");
}

Cell imfpCell(const Result<float>& imfp)
{
    return imfp ? Cell::ofSingle(*imfp, 2) : Cell::empty();
}

// L(d) of the overlayer at both peak energies, from one simulation at each
// at `angle` with the command's electrons, seed and threads.
Result<AttenuationLengths> simulatedLengths(const Command& command, const MaterialInputs& overlayer, double angle,
                                            float overlayerEnergy, float substrateEnergy, ImfpForm form)
{
    const SimulationSettings settings = simulationSettings(command.request, angle);
    MaterialSimulation own = simulateMaterial(overlayer, overlayerEnergy, form, settings);
    MaterialSimulation crossing = simulateMaterial(overlayer, substrateEnergy, form, settings);
    if (!own.depth || !crossing.depth)
        return Failed{(own.depth ? crossing.depth : own.depth).error()};
    const auto lengthOf = [](Result<SimulatedDepth>&& depth) {
        const auto kept = std::make_shared<const SimulatedDepth>(*std::move(depth));
        return [kept](double d) { return kept->attenuationLength(d).value; };
    };
    return AttenuationLengths{lengthOf(std::move(own.depth)), lengthOf(std::move(crossing.depth))};
}

// The thickness with the overlayer's attenuation lengths from one simulation
// at each peak energy.
Result<double> simulatedThickness(const Command& command, const MaterialInputs& overlayer, const Overlayer& start,
                                  float overlayerEnergy, float substrateEnergy, ImfpForm form)
{
    const Result<AttenuationLengths> lengths =
        simulatedLengths(command, overlayer, start.angle, overlayerEnergy, substrateEnergy, form);
    if (!lengths)
        return lengths.failure();
    return attenuatedOverlayerThickness(start, *lengths, command.ratio, command.bulkRatio);
}

// The fit over the angles with each angle's attenuation lengths, from two
// simulations at each angle.
Result<AngleResolvedFit> simulatedAngleResolvedThickness(const Command& command, const MaterialInputs& overlayer,
                                                         const PathLengths& imfps,
                                                         std::span<const AngleRatio> measured, float overlayerEnergy,
                                                         float substrateEnergy, ImfpForm form)
{
    std::vector<AttenuationLengths> lengths;
    for (const AngleRatio& at : measured) {
        Result<AttenuationLengths> atAngle =
            simulatedLengths(command, overlayer, at.angle, overlayerEnergy, substrateEnergy, form);
        if (!atAngle)
            return atAngle.failure();
        lengths.push_back(*std::move(atAngle));
    }
    return attenuatedAngleResolvedThickness(imfps, lengths, measured, command.bulkRatio);
}

// One thickness that fits the ratios of every angle; a row per angle.
Result<void> writeAngleResolvedReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                      std::FILE* out)
{
    const float overlayerEnergy = command.request.energies.at(0);
    const float substrateEnergy = command.request.energies.at(1);
    const ImfpForm form = formsToCompute(command.request.forms).front();
    const Result<float> own = evaluateImfp(materials.at(0), overlayerEnergy, form);
    const Result<float> crossing = evaluateImfp(materials.at(0), substrateEnergy, form);
    std::vector<AngleRatio> measured;
    for (std::size_t i = 0; i < command.request.angles.size(); ++i)
        measured.push_back({command.request.angles[i], command.ratios[i]});
    Result<AngleResolvedFit> fit = (own ? crossing : own).failure();
    if (own && crossing) {
        const PathLengths imfps{*own, *crossing};
        fit = command.attenuationModel ? simulatedAngleResolvedThickness(command, materials.at(0), imfps, measured,
                                                                         overlayerEnergy, substrateEnergy, form)
                                       : angleResolvedThickness(imfps.overlayer, imfps.crossing, measured,
                                                                command.bulkRatio);
    }
    const QString error = errorText(fit);
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, thicknessColumns(true), out);
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const bool written = writer->write(
            {Cell::ofText(materials.at(0).name), Cell::ofText(materials.at(1).name), Cell::ofSingle(overlayerEnergy),
             Cell::ofSingle(substrateEnergy), imfpCell(own), imfpCell(crossing),
             Cell::ofSingle(float(measured[i].angle)), Cell::ofSingle(float(measured[i].ratio)),
             Cell::ofSingle(float(command.bulkRatio)), Cell::ofText(modelName(command)),
             fit ? Cell::ofSingle(float(fit->thickness), 2) : Cell::empty(),
             fit ? Cell::ofSingle(float(fit->predicted[i]), 4) : Cell::empty(),
             fit ? Cell::ofSingle(float(fit->residual), 4) : Cell::empty(),
             error.isEmpty() ? Cell::empty() : Cell::ofText(error)});
        if (!written)
            return *writer->failure();
    }
    return writer->finish();
}

} // namespace

Result<void> writeThicknessReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    if (command.request.angles.size() > 1)
        return writeAngleResolvedReport(command, materials, out);
    const MaterialInputs& overlayer = materials.at(0);
    const MaterialInputs& substrate = materials.at(1);
    const float overlayerEnergy = command.request.energies.at(0);
    const float substrateEnergy = command.request.energies.at(1);
    const ImfpForm form = formsToCompute(command.request.forms).front();
    // Both paths run through the overlayer: its IMFP at each peak energy.
    const Result<float> own = evaluateImfp(overlayer, overlayerEnergy, form);
    const Result<float> crossing = evaluateImfp(overlayer, substrateEnergy, form);

    // The thickness, or why there is none: an IMFP missing, or the solution refused.
    Result<double> thickness = own ? crossing.failure() : own.failure();
    if (own && crossing) {
        const Overlayer straight{*own, *crossing, command.request.angle};
        thickness = command.attenuationModel
            ? simulatedThickness(command, overlayer, straight, overlayerEnergy, substrateEnergy, form)
            : overlayerThickness(straight, command.ratio, command.bulkRatio);
    }
    const QString error = errorText(thickness);
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, thicknessColumns(false), out);
    const bool written = writer->write(
        {Cell::ofText(overlayer.name), Cell::ofText(substrate.name), Cell::ofSingle(overlayerEnergy),
         Cell::ofSingle(substrateEnergy), imfpCell(own), imfpCell(crossing), Cell::ofSingle(float(command.request.angle)),
         Cell::ofSingle(float(command.ratio)), Cell::ofSingle(float(command.bulkRatio)),
         Cell::ofText(modelName(command)),
         thickness ? Cell::ofSingle(float(*thickness), 2) : Cell::empty(),
         error.isEmpty() ? Cell::empty() : Cell::ofText(error)});
    if (!written)
        return *writer->failure();
    return writer->finish();
}

} // namespace korvane::cli
