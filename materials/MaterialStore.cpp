#include "materials/MaterialStore.h"

#include "materials/MaterialRows.h"
#include "materials/MaterialSchema.h"
#include "materials/Sqlite.h"

#include <algorithm>

namespace korvane {

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

int MaterialStore::recordCount() const
{
    return table_->rows.count() + (editStatus_ == EditStatus::Add ? 1 : 0);
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
    if (editStatus_ == EditStatus::Add || onDeletedRecord_)
        return false;
    return position_ >= table_->rows.count() || table_->rows.count() == 0;
}

int MaterialStore::absolutePosition() const
{
    if (editStatus_ == EditStatus::Add)
        return table_->rows.count() + 1;
    if (bof() || eof())
        return 0;
    return position_ + 1;
}

const Material* MaterialStore::current() const
{
    if (editStatus_ != EditStatus::None)
        return &buffer_;
    if (bof() || eof() || onDeletedRecord_)
        return nullptr;
    return &currentRow_;
}

int MaterialStore::currentIndex() const
{
    if (editStatus_ == EditStatus::Add || !onStoredRecord())
        return -1;
    return position_;
}

Result<void> MaterialStore::moveToPosition(int position)
{
    // Leaving a record with a pending change writes it first.
    if (editStatus_ != EditStatus::None) {
        if (Result<void> written = update(); !written)
            return written;
    }
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

// A change of the current stored record starts in the buffer as a copy of it.
Result<void> MaterialStore::beginEdit()
{
    if (editStatus_ != EditStatus::None)
        return {};
    if (!current())
        return failed(QStringLiteral("There is no current record."));
    buffer_ = *current();
    dirtyColumns_ = 0;
    editStatus_ = EditStatus::InProgress;
    return {};
}

Result<void> MaterialStore::setField(int column, const QVariant& value)
{
    if (column <= int(Column::Id) || column >= kColumnCount)
        return failed(QStringLiteral("That column cannot be set."));
    if (Result<void> editing = beginEdit(); !editing)
        return editing;
    if (column == int(Column::Name) || column == int(Column::Description)) {
        QString& text = column == int(Column::Name) ? buffer_.name : buffer_.description;
        text = value.isValid() ? value.toString() : QString();
    } else {
        bool ok = true;
        const float number = value.toFloat(&ok);
        if (value.isValid() && !ok)
            return failed(QStringLiteral("\"%1\" needs a number.").arg(schema::columnName(column)));
        *numericField(buffer_, Column(column)) = value.isValid() ? std::optional<float>(number) : std::nullopt;
    }
    dirtyColumns_ |= 1u << column;
    return {};
}

Result<void> MaterialStore::addNew()
{
    if (editStatus_ != EditStatus::None) {
        if (Result<void> written = update(); !written)
            return written;
    }
    positionBeforeAdd_ = position_;
    buffer_ = Material{};
    dirtyColumns_ = 0;
    editStatus_ = EditStatus::Add;
    return {};
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

// The first listener that refuses cancels the change; those after it are not asked.
Result<void> MaterialStore::notifyWillChange(ChangeReason reason)
{
    for (MaterialStoreListener* listener : listeners_) {
        if (!listener->willChangeRecord(reason))
            return failed(QStringLiteral("The change was cancelled."));
    }
    return {};
}

void MaterialStore::notifyRowsReread()
{
    for (MaterialStoreListener* listener : listeners_)
        listener->rowsReread();
}

Result<void> MaterialStore::save(const Material& values, unsigned columns)
{
    if (Result<void> editing = beginEdit(); !editing)
        return editing;
    for (int column = int(Column::Description); column < kColumnCount; ++column) {
        if (!(columns & (1u << column)))
            continue;
        if (column == int(Column::Name))
            buffer_.name = values.name;
        else if (column == int(Column::Description))
            buffer_.description = values.description;
        else
            *numericField(buffer_, Column(column)) = *numericField(values, Column(column));
        dirtyColumns_ |= 1u << column;
    }
    return update();
}

Result<void> MaterialStore::update()
{
    if (Result<void> editing = beginEdit(); !editing)
        return editing;
    if (Result<void> allowed = notifyWillChange(ChangeReason::Update); !allowed) {
        if (editStatus_ == EditStatus::InProgress && dirtyColumns_ == 0)
            editStatus_ = EditStatus::None;
        return allowed;
    }
    if (Result<void> written = writePending(); !written)
        return written;
    editStatus_ = EditStatus::None;
    dirtyColumns_ = 0;
    return {};
}

Result<void> MaterialStore::writePending()
{
    if (editStatus_ == EditStatus::Add)
        return insertPending();
    if (dirtyColumns_ == 0)
        return {};
    return updatePending();
}

Result<void> MaterialStore::insertPending()
{
    sqlite::Connection& db = table_->db;
    sqlite::Transaction transaction(db);
    if (!transaction.begun())
        return transaction.begun();
    std::optional<qint64> id;
    {
        sqlite::Statement maxId(db, schema::largestId());
        if (!maxId.ok() || maxId.step() != SQLITE_ROW)
            return db.failure();
        id = idAfter(maxId.type(0) == SQLITE_NULL ? 0 : maxId.int64(0));
        if (!id)
            return failed(QStringLiteral("No ID is left for a new material."));
    }
    Material row = buffer_;
    row.id = *id;
    sqlite::Statement insert(db, schema::insertRow(table_->rows.secondColumn()));
    if (!insert.ok())
        return db.failure();
    schema::bindRow(insert, row);
    if (insert.step() != SQLITE_DONE || !transaction.commit())
        return db.failure();
    buffer_.id = row.id;
    // The new ID is the largest, so the new material is the last row.
    const Result<void> reloaded = reloadRows();
    position_ = table_->rows.count() - 1;
    currentRow_ = buffer_;
    onDeletedRecord_ = false;
    return afterCommit(reloaded);
}

Result<void> MaterialStore::updatePending()
{
    sqlite::Connection& db = table_->db;
    sqlite::Transaction transaction(db);
    if (!transaction.begun())
        return transaction.begun();
    sqlite::Statement statement(db, schema::updateColumns(table_->rows.secondColumn(), dirtyColumns_));
    if (!statement.ok())
        return db.failure();
    schema::bindColumns(statement, buffer_, dirtyColumns_);
    if (statement.step() != SQLITE_DONE)
        return db.failure();
    if (db.changes() != 1)
        return failed(QStringLiteral("The material is no longer in the database."));
    if (!transaction.commit())
        return db.failure();
    const Result<void> reloaded = reloadRows();
    currentRow_ = buffer_;
    return afterCommit(reloaded);
}

// A committed write ends the edit whatever follows, so that it is never
// written twice; a table that cannot be read again afterwards is reported.
Result<void> MaterialStore::afterCommit(const Result<void>& reloaded)
{
    editStatus_ = EditStatus::None;
    dirtyColumns_ = 0;
    if (!reloaded)
        return failed(
            QStringLiteral("The change was saved, but the table cannot be read again: %1").arg(errorText(reloaded)));
    return {};
}

Result<void> MaterialStore::cancelUpdate()
{
    if (Result<void> allowed = notifyWillChange(ChangeReason::CancelUpdate); !allowed)
        return allowed;
    if (editStatus_ == EditStatus::Add)
        position_ = positionBeforeAdd_;
    editStatus_ = EditStatus::None;
    dirtyColumns_ = 0;
    return {};
}

Result<void> MaterialStore::deleteCurrent()
{
    if (editStatus_ != EditStatus::None || currentIndex() < 0)
        return failed(QStringLiteral("There is no current record to delete."));
    if (Result<void> allowed = notifyWillChange(ChangeReason::Delete); !allowed)
        return allowed;
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
    if (editStatus_ != EditStatus::None) {
        if (Result<void> written = update(); !written)
            return written;
    }
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
