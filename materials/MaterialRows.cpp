#include "materials/MaterialRows.h"

#include <QByteArray>

#include <algorithm>

namespace korvane {

namespace {

QString table()
{
    return QLatin1String(kTableName);
}

// A row as the file holds it; nullopt when a column holds what it cannot
// (an ID that is not a whole number, text in a numeric column).
std::optional<Material> readMaterial(sqlite3_stmt* s)
{
    if (sqlite3_column_type(s, 0) != SQLITE_INTEGER)
        return std::nullopt;
    auto text = [s](int c) {
        if (sqlite3_column_type(s, c) == SQLITE_NULL)
            return QString();
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c));
    };
    Material m;
    m.id = sqlite3_column_int64(s, 0);
    m.description = text(1);
    m.name = text(2);
    for (int c = int(Column::Density); c < kColumnCount; ++c) {
        const int type = sqlite3_column_type(s, c);
        if (type == SQLITE_TEXT || type == SQLITE_BLOB)
            return std::nullopt;
        if (type != SQLITE_NULL)
            *numericField(m, Column(c)) = float(sqlite3_column_double(s, c));
    }
    return m;
}

// Name matching for a search inside SQLite: the search's predicate is
// handed in as the function's user data.
void nameMatchesFunction(sqlite3_context* context, int, sqlite3_value** values)
{
    const auto* matches = static_cast<const std::function<bool(const QString&)>*>(sqlite3_user_data(context));
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const QString name = text ? QString::fromUtf8(text, sqlite3_value_bytes(values[0])) : QString();
    sqlite3_result_int(context, (*matches)(name) ? 1 : 0);
}

} // namespace

MaterialRows::MaterialRows(const sqlite::Connection& db, QString secondColumn)
    : db_(db), secondColumn_(std::move(secondColumn))
{
}

QString MaterialRows::selectColumns() const
{
    QString columns = QStringLiteral("\"ID\",") + sqlite::quoted(secondColumn_);
    for (int c = int(Column::Name); c < kColumnCount; ++c)
        columns += u',' + sqlite::quoted(columnName(c));
    return columns;
}

qint64 MaterialRows::dataVersion() const
{
    sqlite::Statement version(db_, QStringLiteral("PRAGMA data_version"));
    return version.ok() && version.step() == SQLITE_ROW ? sqlite3_column_int64(version.handle(), 0) : -1;
}

bool MaterialRows::reloadIfChangedElsewhere()
{
    if (dataVersion() == dataVersion_)
        return false;
    return reload();
}

bool MaterialRows::reload(QString* error)
{
    dataVersion_ = dataVersion();
    blocks_.clear();
    recentBlocks_.clear();
    // Counting walks every page of the table, so a damaged table shows here.
    sqlite::Statement countRows(db_, QStringLiteral("SELECT count(*) FROM ") + table());
    if (!countRows.ok() || countRows.step() != SQLITE_ROW) {
        if (error)
            *error = db_.errorMessage();
        return false;
    }
    count_ = sqlite3_column_int(countRows.handle(), 0);
    return true;
}

const std::vector<Material>* MaterialRows::block(int number) const
{
    if (const auto found = blocks_.find(number); found != blocks_.end()) {
        recentBlocks_.remove(number);
        recentBlocks_.push_front(number);
        return &found->second;
    }
    // Blocks in the second half of the table are read from its end, so no
    // read skips more than half the table.
    const int first = number * kBlockSize;
    const int end = std::min(count_, first + kBlockSize);
    const bool fromEnd = first > count_ / 2;
    sqlite::Statement select(db_, QStringLiteral("SELECT %1 FROM %2 ORDER BY \"ID\" %3 LIMIT ? OFFSET ?")
                                      .arg(selectColumns(), table(), fromEnd ? QStringLiteral("DESC") : QString()));
    if (!select.ok() || end <= first)
        return nullptr;
    select.bind(1, qint64(end - first));
    select.bind(2, qint64(fromEnd ? count_ - end : first));
    std::vector<Material> rows;
    rows.reserve(size_t(end - first));
    int rc;
    while ((rc = select.step()) == SQLITE_ROW) {
        std::optional<Material> row = readMaterial(select.handle());
        if (!row)
            return nullptr;
        rows.push_back(std::move(*row));
    }
    if (rc != SQLITE_DONE)
        return nullptr;
    if (fromEnd)
        std::reverse(rows.begin(), rows.end());
    if (recentBlocks_.size() >= kBlocksKept) {
        blocks_.erase(recentBlocks_.back());
        recentBlocks_.pop_back();
    }
    recentBlocks_.push_front(number);
    return &(blocks_[number] = std::move(rows));
}

std::optional<Material> MaterialRows::at(int index) const
{
    if (index < 0 || index >= count_)
        return std::nullopt;
    const std::vector<Material>* rows = block(index / kBlockSize);
    const size_t offset = size_t(index % kBlockSize);
    if (!rows || offset >= rows->size())
        return std::nullopt;
    return (*rows)[offset];
}

int MaterialRows::indexOfId(qint64 id) const
{
    sqlite::Statement select(db_, QStringLiteral("SELECT (SELECT count(*) FROM %1 WHERE \"ID\" < ?1),"
                                                 " EXISTS (SELECT 1 FROM %1 WHERE \"ID\" = ?1)")
                                      .arg(table()));
    if (!select.ok())
        return -1;
    select.bind(1, qint64(id));
    if (select.step() != SQLITE_ROW || sqlite3_column_int(select.handle(), 1) == 0)
        return -1;
    return sqlite3_column_int(select.handle(), 0);
}

int MaterialRows::findName(int from, const std::function<bool(const QString&)>& matches) const
{
    const std::optional<Material> start = at(from);
    if (!start)
        return -1;
    auto* matchesPointer = const_cast<std::function<bool(const QString&)>*>(&matches);
    if (sqlite3_create_function_v2(db_.handle(), "korvane_name_matches", 1, SQLITE_UTF8, matchesPointer,
                                   nameMatchesFunction, nullptr, nullptr, nullptr) != SQLITE_OK)
        return -1;
    int found = -1;
    {
        sqlite::Statement select(db_, QStringLiteral("SELECT \"ID\" FROM %1 WHERE \"ID\" >= ? AND "
                                                     "korvane_name_matches(\"Name\") ORDER BY \"ID\" LIMIT 1")
                                          .arg(table()));
        if (select.ok()) {
            select.bind(1, qint64(start->id));
            if (select.step() == SQLITE_ROW)
                found = indexOfId(sqlite3_column_int64(select.handle(), 0));
        }
    }
    sqlite3_create_function_v2(db_.handle(), "korvane_name_matches", 1, SQLITE_UTF8, nullptr, nullptr, nullptr,
                               nullptr, nullptr);
    return found;
}

} // namespace korvane
