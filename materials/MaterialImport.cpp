#include "materials/MaterialImport.h"

#include "materials/LineBreaks.h"
#include "materials/MaterialDatabase.h"
#include "materials/MaterialValidation.h"
#include "materials/NumberText.h"
#include "materials/MaterialSchema.h"
#include "materials/Sqlite.h"
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
    RowChecker(QHash<QString, QList<qint64>> stored, bool replace) : stored_(std::move(stored)), replace_(replace) {}

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
        MaterialTexts texts{m.name, text(Column::Density),
                            total ? numbertext::shortest(*total, QLocale::c()) : QString(), text(Column::AtomicWeight),
                            text(Column::EnergyGap)};
        const MaterialProblems saveProblems = checkMaterial(texts, fileLocale());
        for (const QString& list : {saveProblems.blank, saveProblems.notNumeric})
            problems << linesOf(list);
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
            *problems << QStringLiteral("%1: %2").arg(schema::columnName(int(column)), notStorableMessage(text));
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

// Writes the checked rows: new materials as whole rows, replaced ones
// column by column (the second column only when the file has it).
class ImportWriter {
public:
    ImportWriter(const sqlite::Connection& db, const QString& secondColumn, bool writeDescription)
        : db_(db), insert_(db, schema::insertRow(secondColumn)),
          replacedColumns_(allColumnsBut(writeDescription ? Column::Id : Column::Description)),
          update_(db, schema::updateColumns(secondColumn, replacedColumns_))
    {
    }

    Result<void> prepared() const
    {
        if (!insert_.ok() || !update_.ok())
            return Failed{db_.errorMessage()};
        return {};
    }

    Result<void> write(const Material& material, bool replacing)
    {
        sqlite::Statement& statement = replacing ? update_ : insert_;
        statement.reset();
        if (replacing)
            schema::bindColumns(statement, material, replacedColumns_);
        else
            schema::bindRow(statement, material);
        if (statement.step() != SQLITE_DONE)
            return Failed{db_.errorMessage()};
        return {};
    }

private:
    // Every column but the ID and `left`.
    static unsigned allColumnsBut(Column left)
    {
        return ((1u << kColumnCount) - 1) & ~(1u << int(Column::Id)) & ~(1u << int(left));
    }

    const sqlite::Connection& db_;
    sqlite::Statement insert_;
    unsigned replacedColumns_;
    sqlite::Statement update_;
};

// The IDs of the stored materials by name, and the largest ID.
Result<QHash<QString, QList<qint64>>> storedNames(const sqlite::Connection& db, qint64* maxId)
{
    QHash<QString, QList<qint64>> names;
    *maxId = 0;
    sqlite::Statement select(db, schema::idsAndNames());
    int rc = SQLITE_ERROR;
    while (select.ok() && (rc = select.step()) == SQLITE_ROW) {
        const qint64 id = select.int64(0);
        const QString name = select.text(1);
        if (!name.isNull())
            names[name].push_back(id);
        *maxId = std::max(*maxId, id);
    }
    if (rc != SQLITE_DONE)
        return Failed{db.errorMessage()};
    return names;
}

} // namespace

ImportResult importMaterials(const QString& path, const MaterialFile& file, bool replace, WhenMissing whenMissing)
{
    ImportResult result;
    // The same checks of the file as when the window opens it; another
    // copy's write is waited for as long as Save waits (the connection's busy
    // timeout).
    Result<CheckedDatabase> checked = openCheckedDatabase(path, /*readOnly=*/false, whenMissing);
    if (!checked) {
        result.error = QStringLiteral("the materials database %1 cannot be opened: %2").arg(path, checked.error());
        return result;
    }
    sqlite::Connection& db = checked->connection;
    // Every early return from here rolls the transaction back.
    sqlite::Transaction transaction(db);
    if (!transaction.begun()) {
        result.error = db.extendedErrorCode() == SQLITE_BUSY
            ? QStringLiteral("another copy of the program is writing to %1; try again").arg(path)
            : transaction.begun().error();
        return result;
    }
    qint64 maxId = 0;
    Result<QHash<QString, QList<qint64>>> stored = storedNames(db, &maxId);
    if (!stored) {
        result.error = stored.error();
        return result;
    }
    RowChecker checker(std::move(*stored), replace);
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

    ImportWriter writer(db, checked->secondColumn, file.hasColumn[size_t(Column::Description)]);
    if (const Result<void> prepared = writer.prepared(); !prepared) {
        result.error = prepared.error();
        return result;
    }
    std::optional<qint64> nextId = idAfter(maxId);
    for (const CheckedRow& row : rows) {
        const bool replacing = row.replacesId >= 0;
        if (!replacing && !nextId) {
            result.error = QStringLiteral("no ID is left for a new material");
            return result;
        }
        Material material = row.material;
        material.id = replacing ? row.replacesId : *nextId;
        if (!replacing)
            nextId = idAfter(*nextId);
        if (const Result<void> written = writer.write(material, replacing); !written) {
            result.error = written.error();
            return result;
        }
        ++(replacing ? result.replaced : result.added);
    }
    if (const Result<void> committed = transaction.commit(); !committed) {
        result.error = committed.error();
        result.added = result.replaced = 0;
    }
    return result;
}

} // namespace korvane
