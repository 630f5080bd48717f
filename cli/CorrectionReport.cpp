#include "cli/CorrectionReport.h"

#include "cli/CrossSectionUse.h"
#include "cli/ImfpReport.h"
#include "lookup/MaterialCrossSection.h"
#include "presentation/ResultText.h"
#include "query/Corrections.h"

#include <functional>
#include <utility>

namespace korvane::cli {

namespace {

// The paths one group of depth rows shares. The factor is formed from
// `path`, the IMFP for cf1 and EffTrMFP for cf2, or `path` says why it
// cannot be.
struct Paths {
    Row leading; // material, energy and form, when computed from a material
    std::optional<float> imfp;
    std::optional<float> trMfp; // cf2 only
    Result<float> path;
    std::optional<TransportCrossSection> crossSection = {}; // the S used, for a material's cf2
};

// TrMFP and EffTrMFP into `paths`, EffTrMFP as the path of cf2.
void formTransportPaths(Paths& paths, std::optional<float> density, std::optional<float> mass, double crossSection,
                        float imfp)
{
    FormedPaths formed = transportPaths(density, mass, crossSection, imfp);
    paths.trMfp = formed.trMfp;
    paths.path = std::move(formed.effTrMfp);
}

// Hands each group of paths to `write` as it is formed, so that no run holds
// more than one group; stops when `write` returns false.
bool forEachPaths(const Command& command, const std::vector<MaterialInputs>& materials,
                  const std::function<bool(const Paths&)>& write)
{
    const bool cf2 = command.kind == CommandKind::Cf2;
    if (command.effTrMfp)
        return write(Paths{{}, std::nullopt, std::nullopt, *command.effTrMfp});
    if (command.imfp) {
        Paths given{{}, command.imfp, std::nullopt, *command.imfp};
        if (cf2)
            formTransportPaths(given, command.transportDensity, command.transportMass, *command.request.crossSection,
                               *command.imfp);
        return write(given);
    }
    for (const MaterialInputs& material : materials) {
        for (size_t e = 0; e < command.request.energies.size(); ++e) {
            for (const ImfpForm form : formsToCompute(command.request.forms)) {
                const float energy = command.request.energies[e];
                const Result<float> outcome = evaluateImfp(material, energy, form);
                Paths paths{materialCells(command, material, e, form),
                            outcome ? std::optional<float>(*outcome) : std::nullopt, std::nullopt, outcome};
                if (cf2 && outcome) {
                    const Result<TransportCrossSection> used = crossSectionUsed(command, material, energy);
                    if (used) {
                        paths.crossSection = *used;
                        formTransportPaths(paths, material.values.density, material.values.mass, used->a0Squared, *outcome);
                    } else {
                        paths.path = used.failure();
                    }
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

Result<void> writeCorrectionReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    const bool cf2 = command.kind == CommandKind::Cf2;
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, columnsOf(command), out);
    const bool written = forEachPaths(command, materials, [&](const Paths& paths) {
        for (const float depth : command.request.depths) {
            Row row = paths.leading;
            if (!command.effTrMfp)
                row.push_back(paths.imfp ? Cell::ofSingle(*paths.imfp, 2) : Cell::empty());
            appendCrossSectionCells(command, paths.crossSection, &row);
            if (cf2 && !command.effTrMfp)
                row.push_back(paths.trMfp ? Cell::ofSingle(*paths.trMfp, 2) : Cell::empty());
            if (cf2)
                row.push_back(paths.path ? Cell::ofSingle(*paths.path, 2) : Cell::empty());
            row.push_back(Cell::ofSingle(depth));
            const Result<float> factor = !paths.path ? Result<float>(paths.path.failure())
                : cf2                                ? correctionFactor2(depth, *paths.path)
                                                     : correctionFactor1(depth, *paths.path);
            const QString error = errorText(factor);
            row.push_back(factor ? Cell::ofSingle(*factor, 3) : Cell::empty());
            row.push_back(error.isEmpty() ? Cell::empty() : Cell::ofText(error));
            if (!writer->write(row))
                return false;
        }
        return true;
    });
    if (!written)
        return *writer->failure();
    return writer->finish();
}

} // namespace korvane::cli
