#include "materials/store/MaterialStore.h"

#include "materials/store/MaterialRows.h"
#include "materials/store/MaterialSchema.h"
#include "materials/store/Sqlite.h"

#include <algorithm>

namespace korvane {

namespace {

// `base` with the columns `columns` (bits 1 << column) taken from `values`;
// the ID stays that of `base`.
Material withColumns(Material base, const Material& values, unsigned columns)
{
    for (int column = int(Column::Description); column < kColumnCount; ++column) {
        if (!(columns & (1u << column)))
            continue;
        if (column == int(Column::Name))
            base.name = values.name;
        else if (column == int(Column::Description))
            base.description = values.description;
        else
            *numericField(base, Column(column)) = *numericField(values, Column(column));
    }
    return base;
}

} // namespace

struct MaterialStore::Table {
    Table(sqlite::Connection connection, QString secondColumn)
        : db(std::move(connection)), rows(db, std::move(secondColumn))
    {
    }
    sqlite::Connection db;
    MaterialRows rows;
};

MaterialStore::MaterialStore(sqlite::Connection connection, QString secondColumn)
    : table_(std::make_unique<Table>(std::move(connection), std::move(secondColumn)))
{
}

MaterialStore::~MaterialStore() = default;

int MaterialStore::storedRowCount() const
{
    return table_->rows.count();
}

Material MaterialStore::row(int index) const
{
    return table_->rows.at(index).value_or(Material{});
}

std::optional<Material> MaterialStore::readRow(int index) const
{
    return table_->rows.at(index);
}

Result<void> MaterialStore::load()
{
    return table_->rows.reload();
}

Result<void> MaterialStore::reloadRows()
{
    const Result<void> reloaded = table_->rows.reload();
    notifyRowsReread();
    return reloaded;
}

bool MaterialStore::onStoredRecord() const
{
    return position_ >= 0 && position_ < table_->rows.count() && !onDeletedRecord_;
}

bool MaterialStore::eof() const
{
    if (onDeletedRecord_)
        return false;
    return position_ >= table_->rows.count() || table_->rows.count() == 0;
}

int MaterialStore::absolutePosition() const
{
    if (bof() || eof())
        return 0;
    return position_ + 1;
}

const Material* MaterialStore::current() const
{
    if (bof() || eof() || onDeletedRecord_)
        return nullptr;
    return &currentRow_;
}

int MaterialStore::currentIndex() const
{
    if (!onStoredRecord())
        return -1;
    return position_;
}

Result<void> MaterialStore::moveToPosition(int position)
{
    // Another copy of the program may have saved since: moves show its changes.
    if (table_->rows.reloadIfChangedElsewhere())
        notifyRowsReread();
    position = std::clamp(position, -1, table_->rows.count());
    std::optional<Material> row;
    if (position >= 0 && position < table_->rows.count() && !(row = table_->rows.at(position)))
        return table_->db.failure();
    notifyWillMove();
    position_ = position;
    onDeletedRecord_ = false;
    if (row)
        currentRow_ = std::move(*row);
    notifyMoveComplete();
    return {};
}

Result<void> MaterialStore::moveFirst()
{
    if (table_->rows.count() == 0)
        return failed(QStringLiteral("The table holds no materials."));
    return moveToPosition(0);
}

Result<void> MaterialStore::moveLast()
{
    if (table_->rows.count() == 0)
        return failed(QStringLiteral("The table holds no materials."));
    return moveToPosition(table_->rows.count() - 1);
}

Result<void> MaterialStore::moveNext()
{
    if (eof())
        return failed(QStringLiteral("There is no record after the last one."));
    return moveToPosition(onDeletedRecord_ ? position_ : position_ + 1);
}

Result<void> MaterialStore::movePrevious()
{
    if (bof())
        return failed(QStringLiteral("There is no record before the first one."));
    return moveToPosition(position_ - 1);
}

Result<void> MaterialStore::move(int offset)
{
    if (onDeletedRecord_ || (offset == 0 && (bof() || eof())))
        return failed(QStringLiteral("There is no current record."));
    return moveToPosition(position_ + offset);
}

Result<void> MaterialStore::moveTo(int index)
{
    if (index < 0 || index >= table_->rows.count())
        return failed(QStringLiteral("There is no record at that place."));
    return moveToPosition(index);
}

QVariant MaterialStore::field(int column) const
{
    const Material* material = current();
    if (!material || column < 0 || column >= kColumnCount)
        return {};
    switch (Column(column)) {
    case Column::Id: return material->id;
    case Column::Description: return material->description.isNull() ? QVariant() : material->description;
    case Column::Name: return material->name.isNull() ? QVariant() : material->name;
    default: break;
    }
    const std::optional<float>& value = *numericField(*material, Column(column));
    return value ? QVariant(*value) : QVariant();
}

QVariant MaterialStore::field(const QString& name) const
{
    return field(schema::columnIndex(name));
}

void MaterialStore::addListener(MaterialStoreListener* listener)
{
    listeners_.push_back(listener);
}

void MaterialStore::removeListener(MaterialStoreListener* listener)
{
    std::erase(listeners_, listener);
}

void MaterialStore::notifyWillMove()
{
    for (MaterialStoreListener* listener : listeners_)
        listener->willMove();
}

void MaterialStore::notifyMoveComplete()
{
    for (MaterialStoreListener* listener : listeners_)
        listener->moveComplete();
}

void MaterialStore::notifyRowsReread()
{
    for (MaterialStoreListener* listener : listeners_)
        listener->rowsReread();
}

Result<void> MaterialStore::saveCurrent(const Material& values, unsigned columns)
{
    if (!onStoredRecord())
        return failed(QStringLiteral("There is no current record."));
    if (columns == 0)
        return {};
    const Material row = withColumns(currentRow_, values, columns);
    sqlite::Connection& db = table_->db;
    sqlite::Transaction transaction(db);
    if (!transaction.begun())
        return transaction.begun();
    sqlite::Statement statement(db, schema::updateColumns(table_->rows.secondColumn(), columns));
    if (!statement.ok())
        return db.failure();
    schema::bindColumns(statement, row, columns);
    if (statement.step() != SQLITE_DONE)
        return db.failure();
    if (db.changes() != 1)
        return failed(QStringLiteral("The material is no longer in the database."));
    if (!transaction.commit())
        return db.failure();
    const Result<void> reloaded = reloadRows();
    currentRow_ = row;
    return afterCommit(reloaded);
}

Result<void> MaterialStore::insert(const Material& values)
{
    sqlite::Connection& db = table_->db;
    sqlite::Transaction transaction(db);
    if (!transaction.begun())
        return transaction.begun();
    Material row = values;
    {
        sqlite::Statement maxId(db, schema::largestId());
        if (!maxId.ok() || maxId.step() != SQLITE_ROW)
            return db.failure();
        const std::optional<qint64> id = idAfter(maxId.type(0) == SQLITE_NULL ? 0 : maxId.int64(0));
        if (!id)
            return failed(QStringLiteral("No ID is left for a new material."));
        row.id = *id;
    }
    sqlite::Statement insert(db, schema::insertRow(table_->rows.secondColumn()));
    if (!insert.ok())
        return db.failure();
    schema::bindRow(insert, row);
    if (insert.step() != SQLITE_DONE || !transaction.commit())
        return db.failure();
    // The new ID is the largest, so the new material is the last row.
    const Result<void> reloaded = reloadRows();
    position_ = table_->rows.count() - 1;
    currentRow_ = std::move(row);
    onDeletedRecord_ = false;
    return afterCommit(reloaded);
}

// A table that cannot be read again after a committed write is reported;
// the write itself stays done.
Result<void> MaterialStore::afterCommit(const Result<void>& reloaded)
{
    if (!reloaded)
        return failed(
            QStringLiteral("The change was saved, but the table cannot be read again: %1").arg(errorText(reloaded)));
    return {};
}

Result<void> MaterialStore::deleteCurrent()
{
    if (currentIndex() < 0)
        return failed(QStringLiteral("There is no current record to delete."));
    sqlite::Transaction transaction(table_->db);
    if (!transaction.begun())
        return transaction.begun();
    sqlite::Statement statement(table_->db, schema::deleteRow());
    if (!statement.ok())
        return table_->db.failure();
    statement.bind(1, currentRow_.id);
    if (statement.step() != SQLITE_DONE || !transaction.commit())
        return table_->db.failure();
    const Result<void> reloaded = reloadRows();
    onDeletedRecord_ = true;
    return afterCommit(reloaded);
}

Result<void> MaterialStore::find(const std::function<bool(const QString&)>& nameMatches)
{
    const int found = table_->rows.findName(std::max(position_, 0), nameMatches);
    return moveToPosition(found >= 0 ? found : table_->rows.count());
}

MaterialStore::Bookmark MaterialStore::bookmark() const
{
    const Material* material = current();
    return material ? material->id : 0;
}

Result<void> MaterialStore::setBookmark(Bookmark bookmark)
{
    const int index = table_->rows.indexOfId(bookmark);
    if (index < 0)
        return failed(QStringLiteral("The bookmarked material is no longer in the table."));
    return moveToPosition(index);
}

} // namespace korvane
