#include "materials/store/MaterialSchema.h"

#include "materials/store/Sqlite.h"

namespace korvane::schema {

namespace {

QString table()
{
    return QLatin1String(kTableName);
}

QString column(int index)
{
    return sqlite::quoted(columnName(index));
}

QString id()
{
    return column(int(Column::Id));
}

// Every column in table order, the second by the name the file gives it.
QString allColumns(const QString& secondColumn)
{
    QString columns = id() + u',' + sqlite::quoted(secondColumn);
    for (int c = int(Column::Name); c < kColumnCount; ++c)
        columns += u',' + column(c);
    return columns;
}

QString parameters(int count)
{
    QString list;
    for (int i = 1; i <= count; ++i)
        list += (i > 1 ? QStringLiteral(",?") : QStringLiteral("?")) + QString::number(i);
    return list;
}

} // namespace

int columnIndex(const QString& name)
{
    for (int i = 0; i < kColumnCount; ++i) {
        if (name.compare(QLatin1String(kColumnNames[size_t(i)]), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString createTable()
{
    QString sql = QStringLiteral("CREATE TABLE %1 (%2 INTEGER PRIMARY KEY, %3 TEXT, %4 TEXT")
                      .arg(table(), id(), column(int(Column::Description)), column(int(Column::Name)));
    for (int c = int(Column::Density); c < kColumnCount; ++c)
        sql += u',' + column(c) + QStringLiteral(" REAL");
    return sql + u')';
}

QString insertRow(const QString& secondColumn)
{
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table(), allColumns(secondColumn), parameters(kColumnCount));
}

void bindRow(sqlite::Statement& insert, const Material& material)
{
    insert.bind(1, material.id);
    insert.bind(2, material.description);
    insert.bind(3, material.name);
    for (int c = int(Column::Density); c < kColumnCount; ++c)
        insert.bind(c + 1, *numericField(material, Column(c)));
}

QString updateColumns(const QString& secondColumn, unsigned columns)
{
    QString assignments;
    int parameter = 0;
    for (int c = int(Column::Description); c < kColumnCount; ++c) {
        if (!(columns & (1u << c)))
            continue;
        if (parameter > 0)
            assignments += u',';
        const QString name = c == int(Column::Description) ? sqlite::quoted(secondColumn) : column(c);
        assignments += name + QStringLiteral("=?") + QString::number(++parameter);
    }
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3=?%4").arg(table(), assignments, id()).arg(parameter + 1);
}

void bindColumns(sqlite::Statement& update, const Material& material, unsigned columns)
{
    int index = 1;
    for (int c = int(Column::Description); c < kColumnCount; ++c) {
        if (!(columns & (1u << c)))
            continue;
        if (c == int(Column::Description))
            update.bind(index++, material.description);
        else if (c == int(Column::Name))
            update.bind(index++, material.name);
        else
            update.bind(index++, *numericField(material, Column(c)));
    }
    update.bind(index, material.id);
}

QString deleteRow()
{
    return QStringLiteral("DELETE FROM %1 WHERE %2=?1").arg(table(), id());
}

QString largestId()
{
    return QStringLiteral("SELECT max(%2) FROM %1").arg(table(), id());
}

QString selectRows(const QString& secondColumn, bool fromEnd)
{
    return QStringLiteral("SELECT %1 FROM %2 ORDER BY %3%4 LIMIT ?1 OFFSET ?2")
        .arg(allColumns(secondColumn), table(), id(), fromEnd ? QStringLiteral(" DESC") : QString());
}

QString selectRowsFromId(const QString& secondColumn)
{
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3>=?1 ORDER BY %3").arg(allColumns(secondColumn), table(), id());
}

QString idsAndNames()
{
    return QStringLiteral("SELECT %2,%3 FROM %1 ORDER BY %2").arg(table(), id(), column(int(Column::Name)));
}

QString firstRowNamed(const QString& secondColumn)
{
    return QStringLiteral(
               "SELECT %1 FROM %2 WHERE ?1 <> '' AND CAST(%4 AS TEXT) = ?1 COLLATE BINARY AND %3 <= ?2 ORDER "
               "BY %3 LIMIT 1")
        .arg(allColumns(secondColumn), table(), id(), column(int(Column::Name)));
}

QString rowWithId(const QString& secondColumn)
{
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?1 LIMIT 1").arg(allColumns(secondColumn), table(), id());
}

QString countRows()
{
    return QStringLiteral("SELECT count(*) FROM %1").arg(table());
}

QString placeOfId()
{
    return QStringLiteral("SELECT (SELECT count(*) FROM %1 WHERE %2 < ?1), EXISTS (SELECT 1 FROM %1 WHERE %2 = ?1)")
        .arg(table(), id());
}

QString firstMatchingName(const char* function)
{
    return QStringLiteral("SELECT %2 FROM %1 WHERE %2 >= ?1 AND %3(%4) ORDER BY %2 LIMIT 1")
        .arg(table(), id(), QLatin1String(function), column(int(Column::Name)));
}

QString dataVersion()
{
    return QStringLiteral("PRAGMA data_version");
}

std::optional<Material> readRow(const sqlite::Statement& select)
{
    if (select.type(0) != SQLITE_INTEGER)
        return std::nullopt;
    Material m;
    m.id = select.int64(0);
    m.description = select.text(1);
    m.name = select.text(2);
    for (int c = int(Column::Density); c < kColumnCount; ++c) {
        const int type = select.type(c);
        if (type == SQLITE_TEXT || type == SQLITE_BLOB)
            return std::nullopt;
        if (type != SQLITE_NULL)
            *numericField(m, Column(c)) = float(select.real(c));
    }
    return m;
}

QString journalMode()
{
    return QStringLiteral("PRAGMA journal_mode");
}

QString tableType()
{
    return QStringLiteral("SELECT type FROM sqlite_master WHERE name = '%1' COLLATE NOCASE AND type <> 'trigger'")
        .arg(QLatin1String(kTableName));
}

QString tableInfo()
{
    return QStringLiteral("PRAGMA table_info(%1)").arg(table());
}

QString quickCheck()
{
    return QStringLiteral("PRAGMA quick_check(1)");
}

// SQLite orders every number before every text and every text before every
// blob, so comparing with the empty text and the empty blob finds them at a
// quarter of the cost of typeof(); an ID that is the table's key is always a
// whole number, so only other IDs are looked at.
QString firstUnreadableRow(bool checkIds)
{
    QString columns = id();
    for (int c = int(Column::Name); c < kColumnCount; ++c)
        columns += u',' + column(c);
    QString wrong = column(int(Column::Name)) + QStringLiteral(" >= x''");
    if (checkIds)
        wrong += QStringLiteral(" OR typeof(%1) <> 'integer'").arg(id());
    for (int c = int(Column::Density); c < kColumnCount; ++c)
        wrong += QStringLiteral(" OR %1 >= ''").arg(column(c));
    // The ID's kind and text in SQLite's words close the row, for a reader
    // whose numbers do not tell 3.0 from 3.
    columns += QStringLiteral(",typeof(%1),CAST(%1 AS TEXT)").arg(id());
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3 LIMIT 1").arg(columns, table(), wrong);
}

QString repeatedId()
{
    return QStringLiteral("SELECT %2 FROM %1 GROUP BY %2 HAVING count(*) > 1 LIMIT 1").arg(table(), id());
}

} // namespace korvane::schema
