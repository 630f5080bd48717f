#include "materials/store/MaterialTableCheck.h"

#include "materials/store/MaterialSchema.h"

#include <QStringList>

namespace korvane {

namespace {

using schema::columnName;

QString table()
{
    return QLatin1String(schema::kTableName);
}

struct TableColumns {
    QStringList names;    // in table order
    bool idIsKey = false; // "ID" alone is the primary key, so no ID is there twice
};

Result<TableColumns> tableColumns(const sqlite::Connection& db)
{
    TableColumns columns;
    sqlite::Statement info(db, schema::tableInfo());
    if (!info.ok())
        return db.failure();
    int keyColumns = 0;
    bool idInKey = false;
    int rc;
    while ((rc = info.step()) == SQLITE_ROW) {
        columns.names << info.text(1);
        if (info.int64(5) > 0) {
            ++keyColumns;
            idInKey = idInKey || columns.names.last().compare(columnName(0), Qt::CaseInsensitive) == 0;
        }
    }
    columns.idIsKey = keyColumns == 1 && idInKey;
    if (rc != SQLITE_DONE)
        return db.failure();
    if (columns.names.isEmpty())
        return failed(QStringLiteral("it has no table %1").arg(table()));
    return columns;
}

Result<void> checkColumns(const QStringList& names)
{
    for (int c = 0; c < kColumnCount; ++c) {
        if (c == int(Column::Description))
            continue; // the second column may hold anything
        if (!names.contains(columnName(c), Qt::CaseInsensitive))
            return failed(QStringLiteral("the table %1 has no column \"%2\"").arg(table(), columnName(c)));
    }
    if (names.value(0).compare(columnName(0), Qt::CaseInsensitive) != 0
        || names.value(2).compare(columnName(2), Qt::CaseInsensitive) != 0 || names.size() < 3)
        return failed(
            QStringLiteral("the table %1 must have \"ID\" as its first and \"Name\" as its third column").arg(table()));
    return {};
}

// Every page of the file, read once: damage that counting rows would not show.
Result<void> checkPages(const sqlite::Connection& db)
{
    sqlite::Statement check(db, schema::quickCheck());
    if (!check.ok() || check.step() != SQLITE_ROW)
        return db.failure();
    const QString result = check.text(0);
    if (result == QLatin1String("ok"))
        return {};
    return failed(QStringLiteral("the database disk image is malformed (%1)").arg(result.simplified()));
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
    if (select.type(0) != SQLITE_INTEGER)
        return failed(
            select.type(0) == SQLITE_NULL
                ? QStringLiteral("a material has no ID")
                : QStringLiteral("a material has the ID \"%1\", which is not a whole number").arg(select.text(0)));
    const QString id = QString::number(select.int64(0));
    if (select.type(1) == SQLITE_BLOB)
        return failed(QStringLiteral("the material with ID %1 has binary data for a name").arg(id));
    for (int c = int(Column::Density); c < kColumnCount; ++c) {
        const int type = select.type(c - 1);
        if (type == SQLITE_TEXT)
            return failed(QStringLiteral("the material with ID %1 holds the text \"%2\" in the column \"%3\", "
                                         "where a number belongs")
                              .arg(id, select.text(c - 1), columnName(c)));
        if (type == SQLITE_BLOB)
            return failed(QStringLiteral("the material with ID %1 holds binary data in the column \"%2\", "
                                         "where a number belongs")
                              .arg(id, columnName(c)));
    }
    return {};
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
        return failed(QStringLiteral("two materials have the ID %1").arg(twice.int64(0)));
    if (rc != SQLITE_DONE)
        return db.failure();
    return {};
}

} // namespace

Result<QString> checkMaterialTable(const sqlite::Connection& db)
{
    const Result<TableColumns> columns = tableColumns(db);
    if (!columns)
        return columns.failure();
    Result<void> check = checkColumns(columns->names);
    if (check)
        check = checkPages(db);
    if (check)
        check = checkValues(db, columns->idIsKey);
    if (check && !columns->idIsKey)
        check = checkIdsUnique(db);
    if (!check)
        return check.failure();
    return columns->names[1];
}

} // namespace korvane
