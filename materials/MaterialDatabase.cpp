#include "materials/MaterialDatabase.h"

#include "materials/ShippedMaterials.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace korvane {

namespace {

QString createTableSql()
{
    QString sql = QStringLiteral("CREATE TABLE %1 (\"ID\" INTEGER PRIMARY KEY, \"Description\" TEXT, \"Name\" TEXT")
                      .arg(QLatin1String(kTableName));
    for (int c = int(Column::Density); c < kColumnCount; ++c)
        sql += u',' + sqlite::quoted(columnName(c)) + QStringLiteral(" REAL");
    return sql + u')';
}

bool writeRows(sqlite::Connection& db, const std::vector<Material>& rows, QString* error)
{
    if (!db.exec("BEGIN IMMEDIATE", error))
        return false;
    if (!db.exec(createTableSql().toUtf8().constData(), error))
        return false;
    QString columns;
    QString values;
    for (int c = 0; c < kColumnCount; ++c) {
        columns += (c ? QStringLiteral(",") : QString()) + sqlite::quoted(columnName(c));
        values += c ? QStringLiteral(",?") : QStringLiteral("?");
    }
    sqlite::Statement insert(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                     .arg(QLatin1String(kTableName), columns, values));
    for (const Material& m : rows) {
        sqlite3_reset(insert.handle());
        insert.bind(1, qint64(m.id));
        insert.bind(2, m.description);
        insert.bind(3, m.name);
        for (int c = int(Column::Density); c < kColumnCount; ++c)
            insert.bind(c + 1, *numericField(m, Column(c)));
        if (insert.step() != SQLITE_DONE) {
            *error = db.errorMessage();
            return false;
        }
    }
    return db.exec("COMMIT", error);
}

// The column names of the table in table order, or an error.
QStringList tableColumns(const sqlite::Connection& db, QString* error)
{
    sqlite::Statement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(kTableName)));
    if (!info.ok()) {
        *error = db.errorMessage();
        return {};
    }
    QStringList names;
    int rc;
    while ((rc = info.step()) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.handle(), 1)));
    if (rc != SQLITE_DONE)
        *error = db.errorMessage();
    else if (names.isEmpty())
        *error = QStringLiteral("it has no table %1").arg(QLatin1String(kTableName));
    return names;
}

QString checkColumns(const QStringList& names)
{
    for (int c = 0; c < kColumnCount; ++c) {
        if (c == int(Column::Description))
            continue; // the second column may hold anything
        if (!names.contains(columnName(c), Qt::CaseInsensitive))
            return QStringLiteral("the table %1 has no column \"%2\"").arg(QLatin1String(kTableName), columnName(c));
    }
    if (names.value(0).compare(columnName(0), Qt::CaseInsensitive) != 0
        || names.value(2).compare(columnName(2), Qt::CaseInsensitive) != 0 || names.size() < 3)
        return QStringLiteral("the table %1 must have \"ID\" as its first and \"Name\" as its third column")
            .arg(QLatin1String(kTableName));
    return {};
}

struct Contents {
    QString secondColumn;
    QString error;
    bool needsRollback = false;
};

// Checks that the table and its columns are there.
Contents inspect(sqlite::Connection& db)
{
    Contents contents;
    const QStringList columns = tableColumns(db, &contents.error);
    if (contents.error.isEmpty())
        contents.error = checkColumns(columns);
    if (contents.error.isEmpty())
        contents.secondColumn = columns[1];
    contents.needsRollback = sqlite3_extended_errcode(db.handle()) == SQLITE_READONLY_ROLLBACK;
    return contents;
}

} // namespace

bool createMaterialDatabase(const QString& path, const std::vector<Material>& rows, QString* error)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        *error = QStringLiteral("the folder %1 cannot be created").arg(target.absolutePath());
        return false;
    }
    // Build the database beside its final place, then link it there: the
    // link fails rather than replace a file that appeared meanwhile.
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    QFile::remove(partial + QStringLiteral("-journal"));
    bool written = false;
    {
        sqlite::Connection db = sqlite::Connection::open(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
        written = db && db.exec("PRAGMA synchronous=FULL", error) && writeRows(db, rows, error);
    }
    if (written && ::link(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = QStringLiteral("the file cannot be created: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        written = false;
    }
    QFile::remove(partial);
    return written;
}

OpenedDatabase openMaterialDatabase(const QString& path, bool readOnly)
{
    OpenedDatabase result;
    if (!QFileInfo::exists(path)) {
        const ShippedMaterials shipped = readShippedMaterials(shippedMaterialsText());
        if (!shipped.error.isEmpty()) {
            result.error = QStringLiteral("the shipped materials cannot be read (%1)").arg(shipped.error);
            return result;
        }
        if (!createMaterialDatabase(path, shipped.materials, &result.error))
            return result;
    }
    // Look at the file read-only first, so a file that is not ours stays as
    // it was. Only a file left with an interrupted write of our own (a hot
    // journal) needs the writable connection to be read, which rolls it back.
    sqlite::Connection db = sqlite::Connection::open(path, SQLITE_OPEN_READONLY, &result.error);
    if (!db)
        return result;
    Contents contents = inspect(db);
    if (contents.needsRollback) {
        db = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE, &result.error);
        if (!db)
            return result;
        contents = inspect(db);
    }
    if (!contents.error.isEmpty()) {
        result.error = contents.error;
        return result;
    }
    if (!readOnly) {
        db = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE, &result.error);
        if (!db || !db.exec("PRAGMA synchronous=FULL", &result.error))
            return result;
    }
    sqlite3_busy_timeout(db.handle(), 2000);
    auto store = std::make_unique<MaterialStore>(std::move(db), contents.secondColumn);
    if (store->load(&result.error))
        result.store = std::move(store);
    return result;
}

} // namespace korvane
