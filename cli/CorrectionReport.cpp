#include "cli/CorrectionReport.h"

#include "cli/CrossSectionUse.h"
#include "cli/ImfpReport.h"
#include "lookup/MaterialCrossSection.h"
#include "materials/ResultText.h"
#include "query/Corrections.h"

#include <functional>

namespace korvane::cli {

namespace {

// The paths one group of depth rows shares, and what went wrong forming them.
struct Paths {
    Row leading; // material, energy and form, when computed from a material
    std::optional<float> imfp;
    TransportPaths transport;
    QString error;
    TransportCrossSection crossSection = {}; // the S used, for a material's cf2
};

// TrMFP and EffTrMFP into `paths`, and why EffTrMFP cannot be formed into its error.
void formTransportPaths(Paths& paths, std::optional<float> density, std::optional<float> mass, double crossSection,
                        float imfp)
{
    const FormedPaths formed = transportPaths(density, mass, crossSection, imfp);
    paths.transport = {formed.trMfp, formed.effTrMfp ? std::optional<float>(*formed.effTrMfp) : std::nullopt};
    if (!formed.effTrMfp)
        paths.error = errorText(formed.effTrMfp);
}

// Hands each group of paths to `write` as it is formed, so that no run holds
// more than one group; stops when `write` returns false.
bool forEachPaths(const Command& command, const std::vector<MaterialInputs>& materials,
                  const std::function<bool(const Paths&)>& write)
{
    const bool cf2 = command.kind == CommandKind::Cf2;
    if (command.effTrMfp)
        return write(Paths{{}, std::nullopt, {std::nullopt, command.effTrMfp}, {}});
    if (command.imfp) {
        Paths given{{}, command.imfp, {}, {}};
        if (cf2)
            formTransportPaths(given, command.transportDensity, command.transportMass, *command.crossSection,
                               *command.imfp);
        return write(given);
    }
    for (const MaterialInputs& material : materials) {
        for (size_t e = 0; e < command.energies.size(); ++e) {
            for (const ImfpForm form : formsToCompute(command.forms)) {
                const float energy = command.energies[e];
                const Result<float> outcome = evaluateImfp(material, energy, form);
                Paths paths{materialCells(command, material, e, form),
                            outcome ? std::optional<float>(*outcome) : std::nullopt,
                            {},
                            errorText(outcome)};
                if (cf2 && outcome) {
                    paths.crossSection = crossSectionUsed(command, material, energy);
                    if (paths.crossSection.a0Squared)
                        formTransportPaths(paths, material.density, material.mass, *paths.crossSection.a0Squared,
                                           *outcome);
                    else
                        paths.error = paths.crossSection.error;
                }
                if (!write(paths))
                    return false;
            }
        }
    }
    return true;
}

std::vector<Column> columnsOf(const Command& command)
{
    const bool cf2 = command.kind == CommandKind::Cf2;
    std::vector<Column> columns = command.materials.empty() ? std::vector<Column>{} : materialColumns(command);
    if (!command.effTrMfp)
        columns.push_back({"imfp_A", QStringLiteral("IMFP (\u00C5)"), true});
    appendCrossSectionColumns(command, &columns);
    if (cf2 && !command.effTrMfp)
        columns.push_back({"trmfp_A", QStringLiteral("TrMFP (\u00C5)"), true});
    if (cf2)
        columns.push_back({"efftrmfp_A", QStringLiteral("EffTrMFP (\u00C5)"), true});
    columns.push_back({"depth_A", QStringLiteral("Depth (\u00C5)"), true});
    columns.push_back(cf2 ? Column{"cf2", QStringLiteral("CF2"), true} : Column{"cf1", QStringLiteral("CF1"), true});
    columns.push_back({"error", QStringLiteral("Error"), false, true});
    return columns;
}

} // namespace

std::optional<Failure> writeCorrectionReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                             std::FILE* out)
{
    const bool cf2 = command.kind == CommandKind::Cf2;
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, columnsOf(command), out);
    const bool written = forEachPaths(command, materials, [&](const Paths& paths) {
        for (const float depth : command.depths) {
            Row row = paths.leading;
            if (!command.effTrMfp)
                row.push_back(paths.imfp ? Cell::ofSingle(*paths.imfp, 2) : Cell::empty());
            appendCrossSectionCells(command, paths.crossSection, &row);
            if (cf2 && !command.effTrMfp)
                row.push_back(paths.transport.trMfp ? Cell::ofSingle(*paths.transport.trMfp, 2) : Cell::empty());
            if (cf2)
                row.push_back(paths.transport.effTrMfp ? Cell::ofSingle(*paths.transport.effTrMfp, 2) : Cell::empty());
            row.push_back(Cell::ofSingle(depth));
            std::optional<float> factor;
            QString error = paths.error;
            if (error.isEmpty()) {
                const Result<float> cf = cf2 ? correctionFactor2(depth, *paths.transport.effTrMfp)
                                             : correctionFactor1(depth, *paths.imfp);
                if (cf)
                    factor = *cf;
                else
                    error = QString::fromStdString(cf.error());
            }
            row.push_back(factor ? Cell::ofSingle(*factor, 3) : Cell::empty());
            row.push_back(error.isEmpty() ? Cell::empty() : Cell::ofText(error));
            if (!writer->write(row))
                return false;
        }
        return true;
    });
    return written && writer->finish() ? std::nullopt : writer->failure();
}

} // namespace korvane::cli
