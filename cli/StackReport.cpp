#include "cli/StackReport.h"

#include "calc/ScreeningFunction.h"
#include "calc/StackedSignal.h"
#include "cli/RowWriter.h"
#include "lookup/ElementDensity.h"
#include "lookup/LayerImfps.h"
#include "lookup/StackSimulation.h"
#include "presentation/ResultText.h"

namespace korvane::cli {

namespace {

std::vector<Column> stackColumns(const Command& command)
{
    std::vector<Column> columns = {
        {"layer", QStringLiteral("Layer"), true},
        {"material", QStringLiteral("Material")},
        {"thickness_A", QStringLiteral("Thickness (\u00C5)"), true},
        {"energy_eV", QStringLiteral("Energy (eV)"), true},
        {"form", QStringLiteral("Form")},
        {"angle_deg", QStringLiteral("Angle (°)"), true},
        {"model", QStringLiteral("Model")},
        {"imfp_A", QStringLiteral("IMFP (\u00C5)"), true},
        {"signal_A", QStringLiteral("Signal (\u00C5)"), true},
        {"signal_sd_A", QStringLiteral("SE (\u00C5)"), true},
        {"error", QStringLiteral("Error"), false, true},
    };
    if (!command.lines.empty())
        for (Column c : std::initializer_list<Column>{
                 {"line", QStringLiteral("Line")},
                 {"source", QStringLiteral("Source")},
                 {"binding_energy_eV", QStringLiteral("Binding energy (eV)"), true},
                 {"element", QStringLiteral("Element")},
                 {"atoms_per_A3", QStringLiteral("Atoms (\u00C5\u207B\u00B3)"), true},
                 {"intensity", QStringLiteral("Intensity"), true},
                 {"intensity_sd", QStringLiteral("SE"), true},
             })
            columns.push_back(c);
    return columns;
}

// The signal of each layer with its standard error, or why there is none.
struct Signals {
    std::vector<double> values;
    std::vector<double> errors;
    QString error;
};

Signals layerSignalsOf(const Command& command, const std::vector<MaterialInputs>& materials,
                const std::vector<double>& thicknesses, const LayerImfps& imfps, float energy, double angle)
{
    if (!command.monteCarlo) {
        std::vector<double> values = straightLineSignals(imfps.values, thicknesses, angle);
        return {values, std::vector<double>(values.size(), 0.0), {}};
    }
    const SimulationSettings settings = simulationSettings(command.request, angle);
    const Result<std::vector<Estimate>> run =
        simulateMaterialStack(materials, thicknesses, imfps.values, energy, settings);
    if (!run)
        return {{}, {}, errorText(run)};
    Signals found;
    for (const Estimate& e : *run) {
        found.values.push_back(e.value);
        found.errors.push_back(e.error);
    }
    return found;
}

// The element of a line ("Si" of "Si 2p3/2").
QString elementOf(const LineEnergy& line)
{
    return line.line.section(u' ', 0, 0);
}

} // namespace

Result<void> writeStackReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, stackColumns(command), out);
    const ImfpForm form = formsToCompute(command.request.forms).front();
    const std::vector<double> thicknesses(command.layerThicknesses.begin(), command.layerThicknesses.end());
    for (std::size_t e = 0; e < command.request.energies.size(); ++e) {
        const float energy = command.request.energies[e];
        const LayerImfps imfps = layerImfps(materials, energy, form);
        const std::optional<LineEnergy> line = command.lines.empty() ? std::nullopt : command.lines[e];
        for (const double angle : command.request.angles) {
            const Signals found = imfps.error.isEmpty() ? layerSignalsOf(command, materials, thicknesses, imfps, energy, angle)
                                                        : Signals{{}, {}, imfps.error};
            const std::vector<double>& layerSignals = found.values;
            for (std::size_t k = 0; k < materials.size(); ++k) {
                const bool substrate = k == thicknesses.size();
                const bool known = !layerSignals.empty();
                Row row = {Cell::ofInteger(qint64(k + 1)),
                           Cell::ofText(materials[k].name),
                           substrate ? Cell::empty() : Cell::ofSingle(command.layerThicknesses[k], 2),
                           Cell::ofSingle(energy),
                           Cell::ofText(QLatin1String(formName(form))),
                           Cell::ofSingle(float(angle)),
                           Cell::ofText(command.monteCarlo ? QStringLiteral("mc") : QStringLiteral("sla")),
                           imfps.each[k] ? Cell::ofSingle(*imfps.each[k], 2) : Cell::empty(),
                           known ? Cell::ofSingle(float(layerSignals[k]), 3) : Cell::empty(),
                           known ? Cell::ofSingle(float(found.errors[k]), 3) : Cell::empty()};
                QString error = found.error;
                if (!command.lines.empty()) {
                    const QString element = line ? elementOf(*line) : QString();
                    const Result<double> atoms = line
                        ? elementAtomsPerCubicAngstrom(materials[k], atomicNumberOf(element.toStdString()))
                        : Result<double>(Failed{std::string()});
                    if (line && !atoms && error.isEmpty())
                        error = errorText(atoms);
                    const bool counted = line && atoms;
                    for (Cell cell :
                         {line ? Cell::ofText(line->line) : Cell::empty(),
                          line ? Cell::ofText(line->source) : Cell::empty(),
                          line ? Cell::ofSingle(line->bindingEnergy) : Cell::empty(),
                          line ? Cell::ofText(element) : Cell::empty(),
                          counted ? Cell::ofSingleWithExponent(float(*atoms)) : Cell::empty(),
                          counted && known ? Cell::ofSingleWithExponent(float(*atoms * layerSignals[k])) : Cell::empty(),
                          counted && known ? Cell::ofSingleWithExponent(float(*atoms * found.errors[k])) : Cell::empty()})
                        row.push_back(cell);
                }
                row.insert(row.begin() + 10, error.isEmpty() ? Cell::empty() : Cell::ofText(error));
                if (!writer->write(row))
                    return *writer->failure();
            }
        }
    }
    return writer->finish();
}

} // namespace korvane::cli
