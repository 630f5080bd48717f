#include "materials/MaterialImport.h"

#include "materials/MaterialDatabase.h"
#include "materials/MaterialValidation.h"
#include "materials/NumberText.h"
#include "materials/SecondColumn.h"
#include "materials/ValenceGroups.h"

#include <QHash>

#include <limits>

namespace korvane {

namespace {

// Numbers in a file always have a full stop as decimal point and no group
// separators, whatever the user's locale, so "1,5" is never read as 15.
QLocale fileLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    return locale;
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

// A row that passed the checks, and where it goes.
struct CheckedRow {
    Material material;
    qint64 replacesId = -1; // the material it overwrites, or -1 for a new one
};

class RowChecker {
public:
    RowChecker(QHash<QString, QList<qint64>> stored, bool replace)
        : stored_(std::move(stored)), replace_(replace)
    {
    }

    // The row's problems, in the order the window's Save reports them.
    QStringList check(const FileRow& row, CheckedRow* checked)
    {
        if (!row.problem.isEmpty())
            return {row.problem};
        numbers_ = {};
        QStringList problems;
        const auto text = [&row](Column column) { return row.cells[size_t(column)].value_or(QString()); };
        Material& m = checked->material;
        m.name = text(Column::Name);
        m.description = row.cells[size_t(Column::Description)].value_or(QString());
        if (hasControlCharacter(m.name))
            problems << QStringLiteral("the name holds a control character");
        if (m.description.contains(QChar(0)))
            problems << QStringLiteral("the description holds a NUL character");

        // The four groups hold what a user could type into their fields.
        const std::array<Column, 4> groups = {Column::ValenceSpHbe, Column::ValenceSpLbe, Column::ValenceD,
                                              Column::ValenceF};
        for (Column group : groups)
            readNumber(text(group), group, &problems);
        // Nv as the window forms it when the material is shown.
        const ValenceGroups shown{{text(Column::ValenceSpHbe), false},
                                  {text(Column::ValenceSpLbe), true},
                                  {text(Column::ValenceD), true},
                                  {text(Column::ValenceF), true}};
        const std::optional<float> total = shown.total();
        MaterialTexts texts{m.name, text(Column::Density), total ? numbertext::shortest(*total, QLocale::c()) : QString(),
                            text(Column::AtomicWeight), text(Column::EnergyGap)};
        const MaterialProblems saveProblems = checkMaterial(texts, fileLocale());
        for (const QString& list : {saveProblems.blank, saveProblems.notNumeric})
            problems << list.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        if (saveProblems.ok()) {
            readNumber(texts.density, Column::Density, &problems);
            readNumber(texts.mass, Column::AtomicWeight, &problems);
            readNumber(texts.energyGap, Column::EnergyGap, &problems);
        }
        for (int c = int(Column::Density); c < kColumnCount; ++c)
            *numericField(m, Column(c)) = numbers_[size_t(c)];

        if (!m.name.trimmed().isEmpty())
            checkName(m.name, row.where, checked, &problems);
        return problems;
    }

private:
    // A blank text is no value; any other must be a number that fits a Single.
    void readNumber(const QString& text, Column column, QStringList* problems)
    {
        numbers_[size_t(column)].reset();
        if (text.trimmed().isEmpty())
            return;
        numbers_[size_t(column)] = storableNumber(text, fileLocale());
        if (!numbers_[size_t(column)])
            *problems << QStringLiteral("%1: %2").arg(columnName(int(column)), notStorableMessage(text));
    }

    void checkName(const QString& name, const QString& where, CheckedRow* checked, QStringList* problems)
    {
        if (const auto earlier = inFile_.constFind(name); earlier != inFile_.constEnd())
            *problems << QStringLiteral("the name is also in %1").arg(*earlier);
        else
            inFile_.insert(name, where);
        const QList<qint64> ids = stored_.value(name);
        if (ids.isEmpty())
            return;
        QStringList idTexts;
        for (qint64 id : ids)
            idTexts << QString::number(id);
        if (!replace_)
            *problems << QStringLiteral("the name is already in the database (ID %1)").arg(idTexts.join(u", "));
        else if (ids.front() < kFirstCompoundId)
            *problems << QStringLiteral("the name is an element's (ID %1); elements are never written").arg(idTexts[0]);
        else if (ids.size() > 1)
            *problems << QStringLiteral("the name is in the database more than once (IDs %1)").arg(idTexts.join(u", "));
        else
            checked->replacesId = ids.front();
    }

    QHash<QString, QList<qint64>> stored_;
    QHash<QString, QString> inFile_; // names seen so far, and where
    bool replace_;
    std::array<std::optional<float>, kColumnCount> numbers_;
};

// "line 5 ("SiO2"): density must be numeric; Atomic mass must be filled in"
QString badRow(const FileRow& row, const QString& name, const QStringList& problems)
{
    const QString who = name.trimmed().isEmpty() ? row.where : QStringLiteral("%1 (\"%2\")").arg(row.where, name);
    return QStringLiteral("%1: %2").arg(who, problems.join(QStringLiteral("; ")));
}

// The ID a file gives, when it gives one: a whole number.
std::optional<qint64> fileId(const FileRow& row, QStringList* problems)
{
    const std::optional<QString>& cell = row.cells[size_t(Column::Id)];
    if (!cell || cell->trimmed().isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 id = cell->trimmed().toLongLong(&ok);
    if (!ok)
        *problems << QStringLiteral("the ID \"%1\" is not a whole number").arg(*cell);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

class ImportWriter {
public:
    ImportWriter(sqlite::Connection& db, QString secondColumn, bool writeDescription)
        : db_(db), second_(std::move(secondColumn)), writeDescription_(writeDescription)
    {
    }

    bool prepare(QString* error)
    {
        QString values = QStringLiteral("?");
        QString assignments = writeDescription_ ? sqlite::quoted(second_) + QStringLiteral("=?2,") : QString();
        for (int c = int(Column::Description); c < kColumnCount; ++c)
            values += QStringLiteral(",?");
        for (int c = int(Column::Name); c < kColumnCount; ++c)
            assignments += QStringLiteral("%1=?%2%3").arg(sqlite::quoted(columnName(c))).arg(c + 1)
                               .arg(c + 1 < kColumnCount ? QStringLiteral(",") : QString());
        const QString columns = quotedColumns(second_);
        const QString table = QLatin1String(kTableName);
        insert_ = std::make_unique<sqlite::Statement>(
            db_, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns, values));
        update_ = std::make_unique<sqlite::Statement>(
            db_, QStringLiteral("UPDATE %1 SET %2 WHERE \"ID\"=?1").arg(table, assignments));
        if (!insert_->ok() || !update_->ok()) {
            *error = db_.errorMessage();
            return false;
        }
        return true;
    }

    bool write(qint64 id, const Material& m, bool replacing, QString* error)
    {
        sqlite::Statement& statement = replacing ? *update_ : *insert_;
        sqlite3_reset(statement.handle());
        statement.bind(1, id);
        statement.bind(2, m.description);
        statement.bind(3, m.name);
        for (int c = int(Column::Density); c < kColumnCount; ++c)
            statement.bind(c + 1, *numericField(m, Column(c)));
        if (statement.step() != SQLITE_DONE) {
            *error = db_.errorMessage();
            return false;
        }
        return true;
    }

private:
    sqlite::Connection& db_;
    QString second_;
    bool writeDescription_;
    std::unique_ptr<sqlite::Statement> insert_;
    std::unique_ptr<sqlite::Statement> update_;
};

// The IDs of the stored materials by name, and the largest ID.
QHash<QString, QList<qint64>> storedNames(const sqlite::Connection& db, qint64* maxId, QString* error)
{
    QHash<QString, QList<qint64>> names;
    *maxId = 0;
    sqlite::Statement select(db, QStringLiteral("SELECT \"ID\",\"Name\" FROM %1 ORDER BY \"ID\"")
                                     .arg(QLatin1String(kTableName)));
    int rc = SQLITE_ERROR;
    while (select.ok() && (rc = select.step()) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(select.handle(), 0);
        const char* name = reinterpret_cast<const char*>(sqlite3_column_text(select.handle(), 1));
        if (name)
            names[QString::fromUtf8(name, sqlite3_column_bytes(select.handle(), 1))].push_back(id);
        *maxId = std::max(*maxId, id);
    }
    if (rc != SQLITE_DONE)
        *error = db.errorMessage();
    return names;
}

} // namespace

ImportResult importMaterials(const QString& path, const MaterialFile& file, bool replace)
{
    ImportResult result;
    // The same checks of the file as when the window opens it.
    if (const OpenedDatabase opened = openMaterialDatabase(path); !opened.store) {
        result.error = QStringLiteral("the materials database %1 cannot be opened: %2").arg(path, opened.error);
        return result;
    }
    sqlite::Connection db = sqlite::Connection::open(path, SQLITE_OPEN_READWRITE, &result.error);
    if (!db || !db.exec("PRAGMA synchronous=FULL", &result.error))
        return result;
    // Another copy's write is waited for as long as Save waits.
    sqlite3_busy_timeout(db.handle(), 2000);
    if (!db.exec("BEGIN IMMEDIATE", &result.error)) {
        if (sqlite3_extended_errcode(db.handle()) == SQLITE_BUSY)
            result.error = QStringLiteral("another copy of the program is writing to %1; try again").arg(path);
        return result;
    }
    // From here every early return rolls the transaction back.
    struct Rollback {
        sqlite::Connection& db;
        bool committed = false;
        ~Rollback()
        {
            if (!committed)
                db.exec("ROLLBACK");
        }
    } rollback{db};

    qint64 maxId = 0;
    RowChecker checker(storedNames(db, &maxId, &result.error), replace);
    if (!result.error.isEmpty())
        return result;
    std::vector<CheckedRow> rows;
    rows.reserve(file.rows.size());
    for (const FileRow& row : file.rows) {
        QStringList problems;
        const std::optional<qint64> id = fileId(row, &problems);
        if (id && *id < kFirstCompoundId && row.problem.isEmpty()) {
            ++result.elementsLeftOut;
            continue;
        }
        CheckedRow checked;
        problems << checker.check(row, &checked);
        if (!problems.isEmpty())
            result.badRows << badRow(row, checked.material.name, problems);
        else if (result.badRows.isEmpty())
            rows.push_back(std::move(checked));
    }
    if (!result.badRows.isEmpty())
        return result;

    ImportWriter writer(db, secondColumnName(db), file.hasColumn[size_t(Column::Description)]);
    if (!writer.prepare(&result.error))
        return result;
    qint64 nextId = std::max<qint64>(maxId + 1, kFirstCompoundId);
    for (const CheckedRow& row : rows) {
        const bool replacing = row.replacesId >= 0;
        if (!replacing && nextId > std::numeric_limits<std::int32_t>::max()) {
            result.error = QStringLiteral("no ID is left for a new material");
            return result;
        }
        if (!writer.write(replacing ? row.replacesId : nextId++, row.material, replacing, &result.error))
            return result;
        ++(replacing ? result.replaced : result.added);
    }
    if (!db.exec("COMMIT", &result.error)) {
        result.added = result.replaced = 0;
        return result;
    }
    rollback.committed = true;
    return result;
}

} // namespace korvane
