#pragma once

#include "materials/model/Material.h"
#include "presentation/ResultText.h"
#include "materials/store/Sqlite.h"

#include <QString>

#include <list>
#include <map>
#include <optional>
#include <vector>

namespace korvane {

// The rows of the materials table by their place in ID order, read from the
// database in blocks as they are asked for. A large table costs nothing
// until its rows are looked at.
class MaterialRows {
public:
    MaterialRows(const sqlite::Connection& db, QString secondColumn);

    // Counts the rows again and forgets every block read so far; after a
    // write. Fails with the database's message when the table cannot be read.
    Result<void> reload();

    // Reloads when another connection has changed the file since the last
    // look; true when it did and the rows could be counted.
    bool reloadIfChangedElsewhere();

    int count() const { return count_; }
    // The row at a 0-based place; nullopt when it cannot be read.
    std::optional<Material> at(int index) const;
    // The place of the row with this ID, or -1 when there is none.
    int indexOfId(qint64 id) const;
    // The place of the first row at or after `from` whose name matches, or -1.
    int findName(int from, const std::function<bool(const QString&)>& matches) const;
    // The name of the table's second column, which may differ from file to file.
    const QString& secondColumn() const { return secondColumn_; }

private:
    static constexpr int kBlockSize = 256;
    static constexpr size_t kBlocksKept = 64;

    const std::vector<Material>* block(int number) const;
    qint64 dataVersion() const;

    const sqlite::Connection& db_;
    QString secondColumn_;
    int count_ = 0;
    qint64 dataVersion_ = -1;
    mutable std::map<int, std::vector<Material>> blocks_;
    mutable std::list<int> recentBlocks_; // most recent first
};

} // namespace korvane
