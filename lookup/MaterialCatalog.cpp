#include "lookup/MaterialCatalog.h"

#include "materials/store/MaterialDatabase.h"
#include "materials/store/MaterialSchema.h"
#include "materials/model/ShownValenceGroups.h"

#include <limits>

namespace korvane {

namespace {

QString unreadable(qint64 place)
{
    return QStringLiteral("the material in row %1 cannot be read").arg(place);
}

} // namespace

std::optional<qint64> MaterialCatalog::bareId(const QString& text)
{
    if (text.isEmpty() || (text.size() > 1 && text[0] == u'0'))
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

Result<MaterialCatalog> MaterialCatalog::open(const QString& path, WhenMissing whenMissing)
{
    Result<CheckedDatabase> checked = openCheckedDatabase(path, /*readOnly=*/true, whenMissing);
    if (!checked)
        return checked.failure();
    return MaterialCatalog(std::move(checked->connection), std::move(checked->secondColumn));
}

MaterialCatalog::MaterialCatalog(sqlite::Connection db, QString secondColumn)
    : db_(std::move(db)), secondColumn_(std::move(secondColumn)),
      dataVersion_(std::make_unique<sqlite::Statement>(db_, schema::dataVersion()))
{
}

Result<qint64> MaterialCatalog::count() const
{
    sqlite::Statement countRows(db_, schema::countRows());
    if (!countRows.ok() || countRows.step() != SQLITE_ROW)
        return db_.failure();
    return countRows.int64(0);
}

Result<void> MaterialCatalog::forEach(const std::function<bool(const Material&)>& take) const
{
    sqlite::Statement select(db_, schema::selectRowsFromId(secondColumn_));
    if (!select.ok())
        return db_.failure();
    select.bind(1, std::numeric_limits<qint64>::min());
    qint64 place = 0;
    int rc;
    while ((rc = select.step()) == SQLITE_ROW) {
        ++place;
        ++rowsRead_;
        const std::optional<Material> row = schema::readRow(select);
        if (!row)
            return failed(unreadable(place), ErrorCode::Storage);
        if (!take(*row))
            return {};
    }
    if (rc != SQLITE_DONE)
        return failed(unreadable(place + 1), ErrorCode::Storage);
    return {};
}

Result<std::optional<Material>> MaterialCatalog::firstRow(sqlite::Statement& select) const
{
    const int rc = select.step();
    if (rc == SQLITE_DONE)
        return std::optional<Material>();
    if (rc != SQLITE_ROW)
        return db_.failure();
    ++rowsRead_;
    std::optional<Material> row = schema::readRow(select);
    if (!row)
        return failed(QStringLiteral("the material with ID %1 cannot be read").arg(select.int64(0)),
                      ErrorCode::Storage);
    return row;
}

Result<std::optional<Material>> MaterialCatalog::find(const QString& nameOrId) const
{
    const std::optional<qint64> id = bareId(nameOrId);
    return id ? findId(*id) : findName(nameOrId);
}

Result<std::optional<Material>> MaterialCatalog::findId(qint64 id) const
{
    sqlite::Statement select(db_, schema::rowWithId(secondColumn_));
    select.bind(1, id);
    return firstRow(select);
}

Result<std::optional<Material>> MaterialCatalog::findName(const QString& name) const
{
    sqlite::Statement select(db_, schema::firstRowNamed(secondColumn_));
    select.bind(1, name.isNull() ? QStringLiteral("") : name);
    select.bind(2, std::numeric_limits<qint64>::max());
    return firstRow(select);
}

Result<std::optional<Material>> MaterialCatalog::element(const QString& symbol) const
{
    sqlite::Statement select(db_, schema::firstRowNamed(secondColumn_));
    select.bind(1, symbol.isNull() ? QStringLiteral("") : symbol);
    select.bind(2, kFirstCompoundId - 1);
    return firstRow(select);
}

QString MaterialCatalog::nameInOtherCase(const QString& name) const
{
    // Letter case beyond ASCII is Qt's to fold, so SQLite asks Qt of each
    // name; this runs only when a name was not found.
    constexpr const char* kFunction = "korvane_same_name_but_case";
    const std::function<bool(const QString&)> matches = [&name](const QString& other) {
        return other.compare(name, Qt::CaseInsensitive) == 0;
    };
    if (!db_.setTextPredicate(kFunction, &matches))
        return {};
    std::optional<Material> found;
    {
        sqlite::Statement select(db_, schema::firstMatchingName(kFunction));
        select.bind(1, std::numeric_limits<qint64>::min());
        if (select.ok() && select.step() == SQLITE_ROW) {
            sqlite::Statement row(db_, schema::rowWithId(secondColumn_));
            row.bind(1, select.int64(0));
            if (Result<std::optional<Material>> read = firstRow(row); read && *read)
                found = std::move(**read);
        }
    }
    db_.setTextPredicate(kFunction, nullptr);
    return found ? found->name : QString();
}

qint64 MaterialCatalog::dataVersion() const
{
    const qint64 version = dataVersion_->step() == SQLITE_ROW ? dataVersion_->int64(0) : -1;
    dataVersion_->reset(); // ends the read, so writers need not wait for it
    return version;
}

bool MaterialCatalog::writesAhead() const
{
    sqlite::Statement mode(db_, schema::journalMode());
    return mode.ok() && mode.step() == SQLITE_ROW && mode.text(0).compare(u"wal", Qt::CaseInsensitive) == 0;
}

std::optional<float> valenceTotal(const Material& material, const ValenceTicks& groups)
{
    return ShownValenceGroups::shownFor(material, groups.spHbe, groups.spLbe, groups.d, groups.f).total();
}

} // namespace korvane
