#include "cli/DepthReport.h"

#include "calc/ElasticCorrection.h"
#include "calc/SignalDepth.h"
#include "cli/CrossSectionUse.h"
#include "cli/ImfpReport.h"
#include "lookup/MaterialCrossSection.h"
#include "materials/ResultText.h"
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
    if (command.angle > kMaxCorrectedAngle)
        return {DepthCorrection::None};
    return {DepthCorrection::None, DepthCorrection::Approx1, DepthCorrection::Approx2};
}

// The two depths of one model, or why there are none.
struct Depths {
    std::optional<double> information;
    std::optional<double> meanEscape;
    QString error;
};

Depths depthsOf(const DepthModel& model, double probability)
{
    const DepthValue id = informationDepth(model, probability);
    const DepthValue med = meanEscapeDepth(model);
    return {id.value, med.value, QString::fromStdString(id.error.empty() ? med.error : id.error)};
}

Cell lengthCell(const std::optional<double>& value)
{
    return value ? Cell::ofSingle(float(*value), 2) : Cell::empty();
}

} // namespace

QString depthNote(const Command& command)
{
    // An angle of 90° or more is refused before any row.
    if (command.kind != CommandKind::Depth || !(command.angle > kMaxCorrectedAngle))
        return {};
    return QStringLiteral("the corrections cf1 and cf2 hold only up to 30° from the surface normal; "
                          "at %1° only the straight-line model is given")
        .arg(command.angle);
}

std::optional<Failure> writeDepthReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                        std::FILE* out)
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
        for (size_t e = 0; e < command.energies.size(); ++e) {
            for (const ImfpForm form : formsToCompute(command.forms)) {
                const Result<float> outcome = evaluateImfp(material, command.energies[e], form);
                for (const DepthCorrection correction : correctionsOf(command)) {
                    Depths depths{{}, {}, errorText(outcome)};
                    TransportCrossSection s; // only approximation 2 uses one
                    if (outcome) {
                        DepthModel model{correction, *outcome, command.angle};
                        if (correction == DepthCorrection::Approx2) {
                            s = crossSectionUsed(command, material, command.energies[e]);
                            const Result<float> effTrMfp = s.a0Squared
                                ? transportPaths(material.density, material.mass, *s.a0Squared, *outcome).effTrMfp
                                : Failed{s.error.toStdString()};
                            if (effTrMfp)
                                model.effTrMfp = *effTrMfp;
                            else
                                depths.error = errorText(effTrMfp);
                        }
                        if (depths.error.isEmpty())
                            depths = depthsOf(model, command.probability);
                    }
                    Row row = materialCells(command, material, e, form);
                    row.push_back(outcome ? Cell::ofSingle(*outcome, 2) : Cell::empty());
                    row.push_back(Cell::ofSingle(float(command.angle)));
                    row.push_back(Cell::ofText(QString::fromLatin1(correctionName(correction))));
                    appendCrossSectionCells(command, s, &row);
                    row.push_back(lengthCell(depths.information));
                    row.push_back(lengthCell(depths.meanEscape));
                    row.push_back(depths.error.isEmpty() ? Cell::empty() : Cell::ofText(depths.error));
                    if (!writer->write(row))
                        return writer->failure();
                }
            }
        }
    }
    return writer->finish() ? std::nullopt : writer->failure();
}

} // namespace korvane::cli
