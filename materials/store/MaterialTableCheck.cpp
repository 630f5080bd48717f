#include "materials/store/MaterialTableCheck.h"

#include "materials/store/MaterialSchema.h"
#include "query/MaterialTableRules.h"

namespace korvane {

namespace {

// What the table's name is in the file: a view is refused before any of its
// rows, which a query makes, is asked for.
Result<void> checkTableType(const sqlite::Connection& db)
{
    sqlite::Statement type(db, schema::tableType());
    if (!type.ok())
        return db.failure();
    const int rc = type.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return db.failure();
    return checkMaterialTableType(rc == SQLITE_ROW ? type.text(0).toStdString() : std::string());
}

// The table's columns and their key flags, judged by the query layer's rules.
Result<MaterialColumns> tableColumns(const sqlite::Connection& db)
{
    sqlite::Statement info(db, schema::tableInfo());
    if (!info.ok())
        return db.failure();
    std::vector<TableColumnInfo> columns;
    int rc;
    while ((rc = info.step()) == SQLITE_ROW)
        columns.push_back({info.text(1).toStdString(), info.int64(5) > 0});
    if (rc != SQLITE_DONE)
        return db.failure();
    return checkMaterialColumns(columns);
}

// Every page of the file, read once: damage that counting rows would not show.
Result<void> checkPages(const sqlite::Connection& db)
{
    sqlite::Statement check(db, schema::quickCheck());
    if (!check.ok() || check.step() != SQLITE_ROW)
        return db.failure();
    return checkQuickCheck(check.text(0).toStdString());
}

CellValue cellValue(const sqlite::Statement& select, int column)
{
    switch (select.type(column)) {
    case SQLITE_INTEGER: return {CellValue::Type::Integer, std::to_string(select.int64(column))};
    case SQLITE_FLOAT: return {CellValue::Type::Real, select.text(column).toStdString()};
    case SQLITE_TEXT: return {CellValue::Type::Text, select.text(column).toStdString()};
    case SQLITE_BLOB: return {CellValue::Type::Blob, {}};
    default: return {};
    }
}

// The first row with an ID that is not a whole number, binary data for a
// name, or text or binary data in a numeric column.
Result<void> checkValues(const sqlite::Connection& db, bool idIsKey)
{
    sqlite::Statement select(db, schema::firstUnreadableRow(!idIsKey));
    if (!select.ok())
        return db.failure();
    const int rc = select.step();
    if (rc == SQLITE_DONE)
        return {};
    if (rc != SQLITE_ROW)
        return db.failure();
    std::vector<CellValue> row;
    for (int c = 0; c + 1 < kColumnCount; ++c)
        row.push_back(cellValue(select, c));
    return checkUnreadableRow(row);
}

// Without "ID" as its primary key a table may hold an ID twice, and then
// neither the name list nor a save could tell the two rows apart.
Result<void> checkIdsUnique(const sqlite::Connection& db)
{
    sqlite::Statement twice(db, schema::repeatedId());
    if (!twice.ok())
        return db.failure();
    const int rc = twice.step();
    if (rc == SQLITE_ROW)
        return repeatedId(twice.int64(0));
    if (rc != SQLITE_DONE)
        return db.failure();
    return {};
}

} // namespace

Result<QString> checkMaterialTable(const sqlite::Connection& db)
{
    if (const Result<void> type = checkTableType(db); !type)
        return type.failure();
    const Result<MaterialColumns> columns = tableColumns(db);
    if (!columns)
        return columns.failure();
    Result<void> check = checkPages(db);
    if (check)
        check = checkValues(db, columns->idIsKey);
    if (check && !columns->idIsKey)
        check = checkIdsUnique(db);
    if (!check)
        return check.failure();
    return QString::fromStdString(columns->secondColumn);
}

} // namespace korvane
