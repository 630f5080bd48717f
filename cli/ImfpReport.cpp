#include "cli/ImfpReport.h"

#include "presentation/ResultText.h"

namespace korvane::cli {

std::vector<Column> materialColumns(const Command& command)
{
    std::vector<Column> columns = {
        {"material", QStringLiteral("Material")},
        {"id", QStringLiteral("ID"), true},
    };
    if (!command.lines.empty()) {
        columns.push_back({"line", QStringLiteral("Line")});
        columns.push_back({"source", QStringLiteral("Source")});
        columns.push_back({"binding_energy_eV", QStringLiteral("Binding energy (eV)"), true});
    }
    columns.push_back({"energy_eV", QStringLiteral("Energy (eV)"), true});
    columns.push_back({"form", QStringLiteral("Form")});
    return columns;
}

namespace {

// The cells setEnergyCells writes: the line, its source and binding energy
// when lines were named, and the energy.
size_t energyCellCount(const Command& command)
{
    return command.lines.empty() ? 1 : 4;
}

} // namespace

void setEnergyCells(Row& row, const Command& command, size_t energyIndex)
{
    size_t column = 2;
    if (!command.lines.empty()) {
        const std::optional<LineEnergy>& line = command.lines[energyIndex];
        row[column++] = line ? Cell::ofText(line->line) : Cell::empty();
        row[column++] = line ? Cell::ofText(line->source) : Cell::empty();
        row[column++] = line ? Cell::ofSingle(line->bindingEnergy) : Cell::empty();
    }
    row[column] = Cell::ofSingle(command.request.energies[energyIndex]);
}

Row materialCells(const Command& command, const MaterialInputs& material, size_t energyIndex, ImfpForm form)
{
    // Material, ID, the energy cells and the form: the material columns,
    // counted rather than built, since every row of a report asks.
    Row row(2 + energyCellCount(command) + 1);
    row.front() = Cell::ofText(material.name);
    row[1] = Cell::ofOptional(material.id);
    setEnergyCells(row, command, energyIndex);
    row.back() = Cell::ofText(QLatin1String(formName(form)));
    return row;
}

Result<void> writeImfpReport(const Command& command, const std::vector<MaterialInputs>& materials, std::FILE* out)
{
    std::vector<Column> columns = materialColumns(command);
    columns.push_back({"imfp_A", QStringLiteral("IMFP (\u00C5)"), true});
    columns.push_back({"error", QStringLiteral("Error"), false, true});
    const size_t imfpColumn = columns.size() - 2, errorColumn = columns.size() - 1;
    const std::unique_ptr<RowWriter> writer = makeRowWriter(command.format, std::move(columns), out);
    const std::vector<ImfpForm> forms = formsToCompute(command.request.forms);
    for (const MaterialInputs& material : materials) {
        // One row per form, filled anew for each energy: a million rows
        // should not cost a million allocations.
        std::vector<Row> rows;
        for (const ImfpForm form : forms) {
            rows.push_back(materialCells(command, material, 0, form));
            rows.back().resize(errorColumn + 1);
        }
        for (size_t e = 0; e < command.request.energies.size(); ++e) {
            for (size_t f = 0; f < forms.size(); ++f) {
                const Result<float> outcome = evaluateImfp(material, command.request.energies[e], forms[f]);
                Row& row = rows[f];
                setEnergyCells(row, command, e);
                row[imfpColumn] = outcome ? Cell::ofSingle(*outcome, 2) : Cell::empty();
                row[errorColumn] = outcome ? Cell::empty() : Cell::ofText(errorText(outcome));
                if (!writer->write(row))
                    return *writer->failure();
            }
        }
    }
    return writer->finish();
}

} // namespace korvane::cli
