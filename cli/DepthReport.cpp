#include "cli/DepthReport.h"

#include "calc/ElasticCorrection.h"
#include "calc/SignalDepth.h"
#include "cli/CrossSectionUse.h"
#include "cli/ImfpReport.h"
#include "lookup/MaterialCrossSection.h"
#include "presentation/ResultText.h"
#include "query/Corrections.h"

namespace korvane::cli {

namespace {

const char* correctionName(DepthCorrection correction)
{
    switch (correction) {
    case DepthCorrection::Approx1: return "cf1";
    case DepthCorrection::Approx2: return "cf2";
    case DepthCorrection::None: break;
    }
    return "none";
}

std::vector<DepthCorrection> correctionsOf(const Command& command)
{
    if (command.request.angle > kMaxCorrectedAngle)
        return {DepthCorrection::None};
    return {DepthCorrection::None, DepthCorrection::Approx1, DepthCorrection::Approx2};
}

Cell lengthCell(const Result<double>& value)
{
    return value ? Cell::ofSingle(float(*value), 2) : Cell::empty();
}

} // namespace

QString depthNote(const Command& command)
{
    // An angle of 90° or more is refused before any row.
    if (command.kind != CommandKind::Depth || !(command.request.angle > kMaxCorrectedAngle))
        return {};
    return QString::fromStdString(uncorrectedAngleNote(command.request.angle));
}

Result<void> writeDepthReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    std::vector<Column> columns = materialColumns(command);
    columns.push_back({"imfp_A", QStringLiteral("IMFP (\u00C5)"), true});
    columns.push_back({"angle_deg", QStringLiteral("Angle (°)"), true});
    columns.push_back({"correction", QStringLiteral("Correction")});
    appendCrossSectionColumns(command, &columns);
    columns.push_back({"information_depth_A", QStringLiteral("Information depth (\u00C5)"), true});
    columns.push_back({"mean_escape_depth_A", QStringLiteral("Mean escape depth (\u00C5)"), true});
    columns.push_back({"error", QStringLiteral("Error"), false, true});
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, std::move(columns), out);
    for (const MaterialInputs& material : materials) {
        for (size_t e = 0; e < command.request.energies.size(); ++e) {
            for (const ImfpForm form : formsToCompute(command.request.forms)) {
                const Result<float> outcome = evaluateImfp(material, command.request.energies[e], form);
                for (const DepthCorrection correction : correctionsOf(command)) {
                    std::optional<TransportCrossSection> s; // only approximation 2 uses one
                    // The model of the row, or why there is none: no IMFP, or no EffTrMFP.
                    Result<DepthModel> model = outcome
                        ? Result<DepthModel>(DepthModel{correction, *outcome, command.request.angle})
                        : Result<DepthModel>(outcome.failure());
                    if (model && correction == DepthCorrection::Approx2) {
                        const Result<TransportCrossSection> used =
                            crossSectionUsed(command, material, command.request.energies[e]);
                        if (used)
                            s = *used;
                        const Result<float> effTrMfp = used
                            ? transportPaths(material.values.density, material.values.mass, used->a0Squared, *outcome).effTrMfp
                            : Result<float>(used.failure());
                        if (effTrMfp)
                            model->effTrMfp = *effTrMfp;
                        else
                            model = effTrMfp.failure();
                    }
                    const Result<double> id =
                        model ? informationDepth(*model, command.request.probability) : Result<double>(model.failure());
                    const Result<double> med = model ? meanEscapeDepth(*model) : Result<double>(model.failure());
                    const QString error = errorText(id ? med : id);
                    Row row = materialCells(command, material, e, form);
                    row.push_back(outcome ? Cell::ofSingle(*outcome, 2) : Cell::empty());
                    row.push_back(Cell::ofSingle(float(command.request.angle)));
                    row.push_back(Cell::ofText(QString::fromLatin1(correctionName(correction))));
                    appendCrossSectionCells(command, s, &row);
                    row.push_back(lengthCell(id));
                    row.push_back(lengthCell(med));
                    row.push_back(error.isEmpty() ? Cell::empty() : Cell::ofText(error));
                    if (!writer->write(row))
                        return *writer->failure();
                }
            }
        }
    }
    return writer->finish();
}

} // namespace korvane::cli
