#include "cli/SimulationReport.h"

#include "calc/ElasticCorrection.h"
#include "calc/SignalDepth.h"
#include "cli/ImfpReport.h"
#include "lookup/MaterialCrossSection.h"
#include "lookup/MaterialSimulation.h"
#include "presentation/ResultText.h"
#include "query/Corrections.h"

#include <cmath>

namespace korvane::cli {

namespace {

Cell number(double value, int decimals)
{
    return std::isfinite(value) ? Cell::ofSingle(static_cast<float>(value), decimals) : Cell::empty();
}

std::vector<Column> summaryColumns(const Command& command)
{
    std::vector<Column> columns = materialColumns(command);
    for (Column c : std::initializer_list<Column>{
             {"angle_deg", QStringLiteral("Angle (°)"), true},
             {"electrons", QStringLiteral("Electrons"), true},
             {"seed", QStringLiteral("Seed"), true},
             {"imfp_A", QStringLiteral("IMFP (\u00C5)"), true},
             {"elastic_mfp_A", QStringLiteral("Elastic MFP (\u00C5)"), true},
             {"transport_mfp_A", QStringLiteral("TrMFP (\u00C5)"), true},
             {"albedo", QStringLiteral("Albedo"), true},
             {"mean_escape_depth_A", QStringLiteral("Mean escape depth (\u00C5)"), true},
             {"mean_escape_depth_sd_A", QStringLiteral("SE (\u00C5)"), true},
             {"information_depth_A", QStringLiteral("Information depth (\u00C5)"), true},
             {"information_depth_sd_A", QStringLiteral("SE (\u00C5)"), true},
             {"error", QStringLiteral("Error"), false, true},
         })
        columns.push_back(c);
    return columns;
}

Row summaryRow(const Command& command, const MaterialInputs& material, std::size_t e, ImfpForm form,
               const MaterialSimulation& run)
{
    Row row = materialCells(command, material, e, form);
    row.push_back(Cell::ofSingle(static_cast<float>(command.request.angle)));
    row.push_back(Cell::ofInteger(static_cast<qint64>(command.request.electrons)));
    row.push_back(Cell::ofInteger(static_cast<qint64>(command.request.seed)));
    row.push_back(run.imfp ? Cell::ofSingle(*run.imfp, 2) : Cell::empty());
    const bool done = bool(run.depth);
    row.push_back(done ? number(run.elasticMfp, 2) : Cell::empty());
    row.push_back(done ? number(run.transportMfp, 2) : Cell::empty());
    row.push_back(done ? number(run.depth->albedo(), 4) : Cell::empty());
    const Estimate med = done ? run.depth->meanEscapeDepth() : Estimate{NAN, NAN};
    const Estimate id = done ? run.depth->informationDepth(command.request.probability) : Estimate{NAN, NAN};
    row.push_back(number(med.value, 2));
    row.push_back(number(med.error, 3));
    row.push_back(number(id.value, 2));
    row.push_back(number(id.error, 3));
    const std::string why = done ? run.depth->checkInformationDepth(command.request.probability).error() : run.depth.error();
    row.push_back(why.empty() ? Cell::empty() : Cell::ofText(QString::fromStdString(why)));
    return row;
}

std::vector<Column> profileColumns()
{
    return {
        {"material", QStringLiteral("Material")},
        {"energy_eV", QStringLiteral("Energy (eV)"), true},
        {"form", QStringLiteral("Form")},
        {"angle_deg", QStringLiteral("Angle (°)"), true},
        {"depth_A", QStringLiteral("Depth (\u00C5)"), true},
        {"phi", QStringLiteral("φ"), true},
        {"phi_sd", QStringLiteral("SE"), true},
        {"cf", QStringLiteral("CF"), true},
        {"cf_sd", QStringLiteral("SE"), true},
        {"eal_A", QStringLiteral("EAL (\u00C5)"), true},
        {"cf1", QStringLiteral("CF1"), true},
        {"cf2", QStringLiteral("CF2"), true},
        {"error", QStringLiteral("Error"), false, true},
    };
}

// EffTrMFP of approximation 2 from the shipped S, when it can be formed.
std::optional<float> effectiveTransportPath(const MaterialInputs& material, float energy, float imfp)
{
    const Result<TransportCrossSection> s = crossSectionOf(material, energy);
    if (!s)
        return std::nullopt;
    const Result<float> effTrMfp = transportPaths(material.values.density, material.values.mass, s->a0Squared, imfp).effTrMfp;
    return effTrMfp ? std::optional<float>(*effTrMfp) : std::nullopt;
}

// The cells that name a profile's material, energy, form and angle.
Row profileStart(const Command& command, const MaterialInputs& material, float energy, ImfpForm form)
{
    return {Cell::ofText(material.name), Cell::ofSingle(energy), Cell::ofText(QLatin1String(formName(form))),
            Cell::ofSingle(static_cast<float>(command.request.angle))};
}

// One row per depth; a run that failed gives one row with why. The
// approximations stand beside the simulation where they hold: up to 30° and
// for isotropic emission.
bool writeProfile(RowWriter& writer, const Command& command, const MaterialInputs& material, float energy,
                  ImfpForm form, const MaterialSimulation& run)
{
    if (!run.depth) {
        Row row = profileStart(command, material, energy, form);
        row.resize(profileColumns().size() - 1, Cell::empty());
        row.push_back(Cell::ofText(errorText(run.depth)));
        return writer.write(row);
    }
    const bool corrected = command.request.angle <= kMaxCorrectedAngle && command.request.asymmetry == 0;
    const std::optional<float> effTrMfp =
        corrected ? effectiveTransportPath(material, energy, *run.imfp) : std::nullopt;
    const std::string note = dipoleWeightNote({command.request.asymmetry, command.request.sourceAngle});
    const Cell noteCell = note.empty() ? Cell::empty() : Cell::ofText(QString::fromStdString(note));
    for (const ProfileDepth& at : run.depth->profile()) {
        const auto z = static_cast<float>(at.depth);
        const std::optional<float> cf1 = corrected ? correctionFactorApprox1(z, *run.imfp) : std::nullopt;
        const std::optional<float> cf2 = effTrMfp ? correctionFactorApprox2(z, *effTrMfp) : std::nullopt;
        Row row = profileStart(command, material, energy, form);
        for (Cell cell :
             {number(at.depth, 2), Cell::ofSingleWithExponent(static_cast<float>(at.phi.value)),
              Cell::ofSingleWithExponent(static_cast<float>(at.phi.error)), number(at.correctionFactor.value, 4),
              number(at.correctionFactor.error, 4), number(at.attenuationLength, 2),
              cf1 ? Cell::ofSingle(*cf1, 4) : Cell::empty(), cf2 ? Cell::ofSingle(*cf2, 4) : Cell::empty(), noteCell})
            row.push_back(std::move(cell));
        if (!writer.write(row))
            return false;
    }
    return true;
}

} // namespace

Result<void> writeSimulationReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    const std::unique_ptr<RowWriter> writer =
        makeRowWriter(command.format, command.request.profile ? profileColumns() : summaryColumns(command), out);
    const SimulationSettings settings = simulationSettings(command.request, command.request.angle);
    for (const MaterialInputs& material : materials) {
        for (std::size_t e = 0; e < command.request.energies.size(); ++e) {
            for (const ImfpForm form : formsToCompute(command.request.forms)) {
                const MaterialSimulation run = simulateMaterial(material, command.request.energies[e], form, settings);
                if (command.request.profile) {
                    if (!writeProfile(*writer, command, material, command.request.energies[e], form, run))
                        return *writer->failure();
                } else if (!writer->write(summaryRow(command, material, e, form, run))) {
                    return *writer->failure();
                }
            }
        }
    }
    return writer->finish();
}

} // namespace korvane::cli
