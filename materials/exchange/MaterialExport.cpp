#include "materials/exchange/MaterialExport.h"

#include "core/TableWriter.h"
#include "materials/model/Material.h"
#include "materials/store/MaterialDatabase.h"
#include "materials/store/MaterialSchema.h"
#include "materials/store/Sqlite.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace korvane {

namespace {

std::string numberText(double value)
{
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), written.ptr);
}

// One stored value as a cell: no value for a null, a number as its text.
void writeCell(TableWriter& table, const sqlite::Statement& row, int column)
{
    switch (row.type(column)) {
    case SQLITE_NULL: return table.empty();
    case SQLITE_INTEGER: return table.number(std::to_string(row.int64(column)));
    case SQLITE_FLOAT: {
        const double value = row.real(column);
        if (std::isfinite(value))
            return table.number(numberText(value));
        return table.text(numberText(value)); // JSON has no infinity: "inf" is a text there
    }
    default: return table.text(row.text(column).toStdString());
    }
}

} // namespace

Result<void> exportMaterials(const QString& path, bool all, ExchangeFormat format, std::FILE* out,
                             WhenMissing whenMissing)
{
    // The same checks of the file as when the program opens it.
    Result<CheckedDatabase> checked = openCheckedDatabase(path, /*readOnly=*/true, whenMissing);
    if (!checked)
        return failed(QStringLiteral("the materials database %1 cannot be opened: %2").arg(path, errorText(checked)),
                      checked.code());
    sqlite::Connection& db = checked->connection;
    // One read transaction: a copy saving meanwhile does not split the export.
    if (Result<void> begun = db.exec("BEGIN"); !begun)
        return begun;
    sqlite::Statement select(db, schema::selectRowsFromId(checked->secondColumn));
    if (!select.ok())
        return db.failure();
    select.bind(1, qint64(all ? std::numeric_limits<qint64>::min() : kFirstCompoundId));

    std::vector<TableColumn> columns;
    for (const char* name : schema::kColumnNames)
        columns.push_back({name, name});
    TableWriter table(format == ExchangeFormat::Csv ? TableFormat::Csv : TableFormat::Json, std::move(columns), out,
                      text::CsvQuoting::RoundTrip);
    int rc = SQLITE_DONE;
    bool written = true;
    while (written && (rc = select.step()) == SQLITE_ROW) {
        for (int c = 0; c < kColumnCount; ++c)
            writeCell(table, select, c);
        written = table.endRow(); // a closed pipe or a full disk: the reading ends too
    }
    if (written && rc != SQLITE_DONE)
        return db.failure();
    if (!table.finish())
        return Failed{table.error(), ErrorCode::Storage};
    return {};
}

} // namespace korvane
