#include "materials/exchange/MaterialImport.h"

#include "presentation/LineBreaks.h"
#include "materials/store/MaterialDatabase.h"
#include "materials/model/MaterialValidation.h"
#include "presentation/LocaleNumberText.h"
#include "materials/store/MaterialSchema.h"
#include "materials/store/Sqlite.h"
#include "query/ValenceGroups.h"

#include <QFileInfo>
#include <QHash>

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
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

// The name without the blanks around it, which no one sees or types.
QString withoutBlanksAround(const QString& name)
{
    qsizetype first = 0, end = name.size();
    while (first < end && name[first] == u' ')
        ++first;
    while (end > first && name[end - 1] == u' ')
        --end;
    return name.isNull() ? name : name.mid(first, end - first);
}

// Whether the command line can name the material.
Result<void> checkReachableName(const QString& name)
{
    if (!name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return Failed{"the name is a bare number, which tpp2m reads as an ID", ErrorCode::InvalidInput};
    if (name.startsWith(u'-'))
        return Failed{"the name starts with \"-\", which tpp2m reads as an option", ErrorCode::InvalidInput};
    return {};
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
    qint64 replacesId = -1;    // the material it overwrites, or -1 for a new one
    bool alreadyThere = false; // a stored row is the same in every column the file has but the ID
};

// The stored materials by name.
using StoredRows = QHash<QString, QList<Material>>;

class RowChecker {
public:
    RowChecker(StoredRows stored, bool replace, bool fileHasDescription)
        : stored_(std::move(stored)), replace_(replace), fileHasDescription_(fileHasDescription)
    {
    }

    // Whether a stored element (ID below the first compound's) has this name.
    bool isElementName(const QString& name) const
    {
        const QList<Material> rows = stored_.value(name);
        return std::any_of(rows.begin(), rows.end(), [](const Material& m) { return m.id < kFirstCompoundId; });
    }

    // The row's problems, in the order checkMaterial reports them on a save.
    QStringList check(const FileRow& row, CheckedRow* checked)
    {
        if (!row.problem.isEmpty())
            return {row.problem};
        numbers_ = {};
        QStringList problems;
        const auto text = [&row](Column column) { return row.cells[size_t(column)].value_or(QString()); };
        Material& m = checked->material;
        m.name = withoutBlanksAround(text(Column::Name));
        m.description = row.cells[size_t(Column::Description)].value_or(QString());
        if (hasControlCharacter(m.name))
            problems << QStringLiteral("the name holds a control character");
        if (const Result<void> reachable = checkReachableName(m.name); !reachable)
            problems << errorText(reachable);
        if (m.description.contains(QChar(0)))
            problems << QStringLiteral("the description holds a NUL character");
        if (m.description.size() > kMaxDescriptionLength)
            problems << QStringLiteral("the description is longer than %1 characters").arg(kMaxDescriptionLength);

        // The four groups hold what a user could type into their fields.
        const std::array<Column, 4> groups = {Column::ValenceSpHbe, Column::ValenceSpLbe, Column::ValenceD,
                                              Column::ValenceF};
        const qsizetype beforeGroups = problems.size();
        for (Column group : groups)
            readNumber(text(group), group, &problems);
        const bool groupsRead = problems.size() == beforeGroups;
        // Nv as formed from the default ticks.
        const std::optional<float> total = valenceTotal(
            {text(Column::ValenceSpHbe).toStdString(), text(Column::ValenceSpLbe).toStdString(),
             text(Column::ValenceD).toStdString(), text(Column::ValenceF).toStdString()},
            kDefaultValenceTicks);
        MaterialTexts texts{m.name, text(Column::Density),
                            // A group that cannot be read has said so: Nv is then not blank.
                            total ? numbertext::shortest(*total, QLocale::c())
                                  : (groupsRead ? QString() : QStringLiteral("0")),
                            text(Column::AtomicWeight), text(Column::EnergyGap)};
        const MaterialProblems saveProblems = checkMaterial(texts, fileLocale());
        for (const QString& list : {saveProblems.blank, saveProblems.notNumeric, saveProblems.notText, saveProblems.tooLong})
            problems << linesOf(list);
        if (saveProblems.ok()) {
            readNumber(texts.density, Column::Density, &problems);
            readNumber(texts.mass, Column::AtomicWeight, &problems);
            readNumber(texts.energyGap, Column::EnergyGap, &problems);
        }
        for (int c = int(Column::Density); c < kColumnCount; ++c)
            *numericField(m, Column(c)) = numbers_[size_t(c)];

        if (!m.name.trimmed().isEmpty())
            checkName(m.name, row.where, problems.isEmpty(), checked, &problems);
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
        // A number too small for a Single would be stored as 0.
        else if (*numbers_[size_t(column)] == 0 && numbertext::toDouble(text, fileLocale()) != 0.0)
            *problems << QStringLiteral("%1: \"%2\" is out of range").arg(schema::columnName(int(column)), text);
    }

    // A stored row with the same values in every column the file has, but the ID.
    bool isStored(const Material& material, const QList<Material>& rows) const
    {
        return std::any_of(rows.begin(), rows.end(), [&](const Material& stored) {
            Material same = material;
            same.id = stored.id;
            if (!fileHasDescription_)
                same.description = stored.description;
            return same == stored;
        });
    }

    void checkName(const QString& name, const QString& where, bool readWhole, CheckedRow* checked,
                   QStringList* problems)
    {
        if (const auto earlier = inFile_.constFind(name); earlier != inFile_.constEnd())
            *problems << QStringLiteral("the name is also in %1").arg(*earlier);
        else
            inFile_.insert(name, where);
        const QList<Material> rows = stored_.value(name);
        if (rows.isEmpty())
            return;
        if (readWhole && isStored(checked->material, rows)) {
            checked->alreadyThere = true;
            return;
        }
        QList<qint64> ids;
        QStringList idTexts;
        for (const Material& row : rows) {
            ids << row.id;
            idTexts << QString::number(row.id);
        }
        if (!replace_)
            *problems << QStringLiteral("the name is already in the database (ID %1)").arg(idTexts.join(u", "));
        else if (ids.front() < kFirstCompoundId)
            *problems << QStringLiteral("the name is an element's (ID %1); elements are never written").arg(idTexts[0]);
        else if (ids.size() > 1)
            *problems << QStringLiteral("the name is in the database more than once (IDs %1)").arg(idTexts.join(u", "));
        else
            checked->replacesId = ids.front();
    }

    StoredRows stored_;
    QHash<QString, QString> inFile_; // names seen so far, and where
    bool replace_;
    bool fileHasDescription_;
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
            return db_.failure();
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
            return db_.failure();
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

// Whether this user can write the database file at `path`: the file itself,
// and its folder, where a write keeps its journal. Fails, as Storage, with the
// cause.
Result<void> checkWritable(const QString& path)
{
    const auto denied = [](const QString& place) {
        return ::access(QFile::encodeName(place).constData(), W_OK) != 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                                                         : QString();
    };
    if (const QString error = denied(path); !error.isEmpty())
        return failed(QStringLiteral("the file is read-only for this user (%1)").arg(error), ErrorCode::Storage);
    const QString folder = QFileInfo(path).absolutePath();
    if (const QString error = denied(folder); !error.isEmpty())
        return failed(
            QStringLiteral("its folder %1 is read-only for this user, and a write keeps its journal there (%2)")
                .arg(folder, error),
            ErrorCode::Storage);
    return {};
}

// The stored materials by name, and the largest ID.
Result<StoredRows> storedRows(const sqlite::Connection& db, const QString& secondColumn, qint64* maxId)
{
    StoredRows names;
    *maxId = 0;
    sqlite::Statement select(db, schema::selectRowsFromId(secondColumn));
    select.bind(1, std::numeric_limits<qint64>::min());
    int rc = SQLITE_ERROR;
    while (select.ok() && (rc = select.step()) == SQLITE_ROW) {
        std::optional<Material> row = schema::readRow(select);
        if (!row)
            return failed(QStringLiteral("a row of the table cannot be read"));
        *maxId = std::max(*maxId, row->id);
        if (!row->name.isNull())
            names[row->name].push_back(std::move(*row));
    }
    if (rc != SQLITE_DONE)
        return db.failure();
    return names;
}

} // namespace

Result<ImportResult> importMaterials(const QString& path, const MaterialFile& file, bool replace,
                                     WhenMissing whenMissing)
{
    ImportResult result;
    // The same checks of the file as when the program opens it; another
    // copy's write is waited for as long as Save waits (the connection's busy
    // timeout).
    Result<CheckedDatabase> checked = openCheckedDatabase(path, /*readOnly=*/false, whenMissing);
    if (!checked)
        return failed(QStringLiteral("the materials database %1 cannot be opened: %2").arg(path, errorText(checked)),
                      checked.code());
    if (const Result<void> writable = checkWritable(path); !writable)
        return failed(QStringLiteral("the materials database %1 cannot be written: %2").arg(path, errorText(writable)),
                      ErrorCode::Storage);
    sqlite::Connection& db = checked->connection;
    // Every early return from here rolls the transaction back.
    sqlite::Transaction transaction(db);
    if (!transaction.begun()) {
        if (db.extendedErrorCode() == SQLITE_BUSY)
            return failed(QStringLiteral("another copy of the program is writing to %1; try again").arg(path),
                          ErrorCode::Storage);
        return transaction.begun().failure();
    }
    qint64 maxId = 0;
    Result<StoredRows> stored = storedRows(db, checked->secondColumn, &maxId);
    if (!stored)
        return stored.failure();
    RowChecker checker(std::move(*stored), replace, file.hasColumn[size_t(Column::Description)]);
    std::vector<CheckedRow> rows;
    rows.reserve(file.rows.size());
    for (const FileRow& row : file.rows) {
        QStringList problems;
        const std::optional<qint64> id = fileId(row, &problems);
        // An element's row, as an export of every material holds it: the
        // file's IDs are not the database's, so the name tells, with the ID.
        if (id && *id < kFirstCompoundId && row.problem.isEmpty()
            && checker.isElementName(withoutBlanksAround(row.cells[size_t(Column::Name)].value_or(QString())))) {
            ++result.elementsLeftOut;
            continue;
        }
        CheckedRow checked;
        problems << checker.check(row, &checked);
        if (!problems.isEmpty())
            result.badRows << badRow(row, checked.material.name, problems);
        else if (checked.alreadyThere)
            ++result.alreadyThere;
        else if (result.badRows.isEmpty())
            rows.push_back(std::move(checked));
    }
    if (!result.badRows.isEmpty())
        return result;

    ImportWriter writer(db, checked->secondColumn, file.hasColumn[size_t(Column::Description)]);
    if (const Result<void> prepared = writer.prepared(); !prepared)
        return prepared.failure();
    std::optional<qint64> nextId = idAfter(maxId);
    for (const CheckedRow& row : rows) {
        const bool replacing = row.replacesId >= 0;
        if (!replacing && !nextId)
            return failed(QStringLiteral("no ID is left for a new material"));
        Material material = row.material;
        material.id = replacing ? row.replacesId : *nextId;
        if (!replacing)
            nextId = idAfter(*nextId);
        if (const Result<void> written = writer.write(material, replacing); !written)
            return written.failure();
        ++(replacing ? result.replaced : result.added);
    }
    if (Result<void> committed = transaction.commit(); !committed)
        return committed.failure();
    return result;
}

} // namespace korvane
