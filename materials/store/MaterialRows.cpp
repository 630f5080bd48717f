#include "materials/store/MaterialRows.h"

#include "materials/store/MaterialSchema.h"

#include <QByteArray>

#include <algorithm>

namespace korvane {

MaterialRows::MaterialRows(const sqlite::Connection& db, QString secondColumn)
    : db_(db), secondColumn_(std::move(secondColumn))
{
}

qint64 MaterialRows::dataVersion() const
{
    sqlite::Statement version(db_, schema::dataVersion());
    return version.ok() && version.step() == SQLITE_ROW ? version.int64(0) : -1;
}

bool MaterialRows::reloadIfChangedElsewhere()
{
    if (dataVersion() == dataVersion_)
        return false;
    return bool(reload());
}

Result<void> MaterialRows::reload()
{
    dataVersion_ = dataVersion();
    blocks_.clear();
    recentBlocks_.clear();
    // Counting walks every page of the table, so a damaged table shows here.
    sqlite::Statement countRows(db_, schema::countRows());
    if (!countRows.ok() || countRows.step() != SQLITE_ROW)
        return db_.failure();
    count_ = int(countRows.int64(0));
    return {};
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
    sqlite::Statement select(db_, schema::selectRows(secondColumn_, fromEnd));
    if (!select.ok() || end <= first)
        return nullptr;
    select.bind(1, qint64(end - first));
    select.bind(2, qint64(fromEnd ? count_ - end : first));
    std::vector<Material> rows;
    rows.reserve(size_t(end - first));
    int rc;
    while ((rc = select.step()) == SQLITE_ROW) {
        std::optional<Material> row = schema::readRow(select);
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
    sqlite::Statement select(db_, schema::placeOfId());
    if (!select.ok())
        return -1;
    select.bind(1, id);
    if (select.step() != SQLITE_ROW || select.int64(1) == 0)
        return -1;
    return int(select.int64(0));
}

int MaterialRows::findName(int from, const std::function<bool(const QString&)>& matches) const
{
    const std::optional<Material> start = at(from);
    if (!start)
        return -1;
    // The search runs inside SQLite, which asks the predicate of each name.
    constexpr const char* kFunction = "korvane_name_matches";
    if (!db_.setTextPredicate(kFunction, &matches))
        return -1;
    int found = -1;
    {
        sqlite::Statement select(db_, schema::firstMatchingName(kFunction));
        if (select.ok()) {
            select.bind(1, start->id);
            if (select.step() == SQLITE_ROW)
                found = indexOfId(select.int64(0));
        }
    }
    db_.setTextPredicate(kFunction, nullptr);
    return found;
}

} // namespace korvane
