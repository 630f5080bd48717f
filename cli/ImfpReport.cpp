#include "cli/ImfpReport.h"

namespace korvane::cli {

std::vector<Column> materialColumns()
{
    return {
        {"material", QStringLiteral("Material")},
        {"id", QStringLiteral("ID"), true},
        {"energy_eV", QStringLiteral("Energy (eV)"), true},
        {"form", QStringLiteral("Form")},
    };
}

Row materialCells(const MaterialInputs& material, float energy, ImfpForm form)
{
    return {Cell::ofText(material.name), Cell::ofOptional(material.id), Cell::ofSingle(energy),
            Cell::ofText(formName(form))};
}

std::optional<Failure> writeImfpReport(const Command& command, const std::vector<MaterialInputs>& materials,
                                       std::FILE* out)
{
    std::vector<Column> columns = materialColumns();
    columns.push_back({"imfp_A", QStringLiteral("IMFP (\u00C5)"), true});
    columns.push_back({"error", QStringLiteral("Error"), false, true});
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, std::move(columns), out);
    const std::vector<ImfpForm> forms = formsToCompute(command.forms);
    constexpr size_t kEnergy = 2, kImfp = 4, kError = 5;
    for (const MaterialInputs& material : materials) {
        // One row per form, filled anew for each energy: a million rows
        // should not cost a million allocations.
        std::vector<Row> rows;
        for (const ImfpForm form : forms) {
            rows.push_back(materialCells(material, 0, form));
            rows.back().resize(kError + 1);
        }
        for (const float energy : command.energies) {
            for (size_t f = 0; f < forms.size(); ++f) {
                const ImfpOutcome outcome = evaluateImfp(material, energy, forms[f]);
                Row& row = rows[f];
                row[kEnergy] = Cell::ofSingle(energy);
                row[kImfp] = outcome.imfp ? Cell::ofSingle(*outcome.imfp, 2) : Cell::empty();
                row[kError] = outcome.error.isEmpty() ? Cell::empty() : Cell::ofText(outcome.error);
                if (!writer->write(row))
                    return writer->failure();
            }
        }
    }
    return writer->finish() ? std::nullopt : writer->failure();
}

} // namespace korvane::cli
