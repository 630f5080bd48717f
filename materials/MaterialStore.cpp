#include "materials/MaterialStore.h"

#include <algorithm>

namespace korvane {

namespace {

// Runs one write in its own transaction; a failing step rolls it back so
// the file keeps what was saved before.
class Transaction {
public:
    explicit Transaction(sqlite::Connection& db) : db_(db)
    {
        begun_ = db_.exec("BEGIN IMMEDIATE", &error_);
    }
    ~Transaction()
    {
        if (begun_ && !committed_)
            db_.exec("ROLLBACK");
    }
    bool begun() const { return begun_; }
    bool commit()
    {
        committed_ = db_.exec("COMMIT", &error_);
        return committed_;
    }
    QString error() const { return error_; }

private:
    sqlite::Connection& db_;
    bool begun_ = false;
    bool committed_ = false;
    QString error_;
};

} // namespace

MaterialStore::MaterialStore(sqlite::Connection connection, QString secondColumn)
    : db_(std::move(connection)), rows_(db_, std::move(secondColumn))
{
}

bool MaterialStore::load(QString* error)
{
    return rows_.reload(error);
}

int MaterialStore::recordCount() const
{
    return rows_.count() + (editStatus_ == EditStatus::Add ? 1 : 0);
}

void MaterialStore::reloadRows()
{
    rows_.reload();
    ++generation_;
}

bool MaterialStore::onStoredRecord() const
{
    return position_ >= 0 && position_ < rows_.count() && !onDeletedRecord_;
}

bool MaterialStore::eof() const
{
    if (editStatus_ == EditStatus::Add || onDeletedRecord_)
        return false;
    return position_ >= rows_.count() || rows_.count() == 0;
}

int MaterialStore::absolutePosition() const
{
    if (editStatus_ == EditStatus::Add)
        return rows_.count() + 1;
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

bool MaterialStore::fail(const QString& message)
{
    lastError_ = message;
    return false;
}

bool MaterialStore::moveToPosition(int position)
{
    // Leaving a record with a pending change writes it first.
    if (editStatus_ != EditStatus::None && !update())
        return false;
    // Another copy of the program may have saved since: moves show its changes.
    if (rows_.reloadIfChangedElsewhere())
        ++generation_;
    position = std::clamp(position, -1, rows_.count());
    std::optional<Material> row;
    if (position >= 0 && position < rows_.count() && !(row = rows_.at(position)))
        return fail(db_.errorMessage());
    if (observer_)
        observer_->willMove();
    position_ = position;
    onDeletedRecord_ = false;
    if (row)
        currentRow_ = std::move(*row);
    if (observer_)
        observer_->moveComplete();
    return true;
}

bool MaterialStore::moveFirst()
{
    if (rows_.count() == 0)
        return fail(QStringLiteral("The table holds no materials."));
    return moveToPosition(0);
}

bool MaterialStore::moveLast()
{
    if (rows_.count() == 0)
        return fail(QStringLiteral("The table holds no materials."));
    return moveToPosition(rows_.count() - 1);
}

bool MaterialStore::moveNext()
{
    if (eof())
        return fail(QStringLiteral("There is no record after the last one."));
    return moveToPosition(onDeletedRecord_ ? position_ : position_ + 1);
}

bool MaterialStore::movePrevious()
{
    if (bof())
        return fail(QStringLiteral("There is no record before the first one."));
    return moveToPosition(position_ - 1);
}

bool MaterialStore::move(int offset)
{
    if (onDeletedRecord_ || (offset == 0 && (bof() || eof())))
        return fail(QStringLiteral("There is no current record."));
    return moveToPosition(position_ + offset);
}

bool MaterialStore::moveTo(int index)
{
    if (index < 0 || index >= rows_.count())
        return fail(QStringLiteral("There is no record at that place."));
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
    return field(columnIndex(name));
}

bool MaterialStore::setField(int column, const QVariant& value)
{
    if (column <= int(Column::Id) || column >= kColumnCount)
        return fail(QStringLiteral("That column cannot be set."));
    if (editStatus_ == EditStatus::None) {
        if (!current())
            return fail(QStringLiteral("There is no current record."));
        buffer_ = *current();
        editStatus_ = EditStatus::InProgress;
        dirtyColumns_ = 0;
    }
    if (column == int(Column::Name) || column == int(Column::Description)) {
        QString& text = column == int(Column::Name) ? buffer_.name : buffer_.description;
        text = value.isValid() ? value.toString() : QString();
    } else {
        bool ok = true;
        const float number = value.toFloat(&ok);
        if (value.isValid() && !ok)
            return fail(QStringLiteral("\"%1\" needs a number.").arg(columnName(column)));
        *numericField(buffer_, Column(column)) = value.isValid() ? std::optional<float>(number) : std::nullopt;
    }
    dirtyColumns_ |= 1u << column;
    return true;
}

bool MaterialStore::addNew()
{
    if (editStatus_ != EditStatus::None && !update())
        return false;
    positionBeforeAdd_ = position_;
    buffer_ = Material{};
    dirtyColumns_ = 0;
    editStatus_ = EditStatus::Add;
    return true;
}

bool MaterialStore::notifyWillChange(ChangeReason reason)
{
    if (observer_ && !observer_->willChangeRecord(reason))
        return fail(QStringLiteral("The change was cancelled."));
    return true;
}

bool MaterialStore::update()
{
    if (editStatus_ == EditStatus::None) {
        if (!current())
            return fail(QStringLiteral("There is no current record."));
        buffer_ = *current();
        dirtyColumns_ = 0;
        editStatus_ = EditStatus::InProgress;
    }
    if (!notifyWillChange(ChangeReason::Update)) {
        if (editStatus_ == EditStatus::InProgress && dirtyColumns_ == 0)
            editStatus_ = EditStatus::None;
        return false;
    }
    if (!writePending())
        return false;
    editStatus_ = EditStatus::None;
    dirtyColumns_ = 0;
    return true;
}

bool MaterialStore::writePending()
{
    if (editStatus_ == EditStatus::Add)
        return insertPending();
    if (dirtyColumns_ == 0)
        return true;
    return updatePending();
}

bool MaterialStore::insertPending()
{
    Transaction transaction(db_);
    if (!transaction.begun())
        return fail(transaction.error());
    qint64 id = kFirstCompoundId;
    {
        sqlite::Statement maxId(db_, QStringLiteral("SELECT max(\"ID\") FROM ") + QLatin1String(kTableName));
        if (!maxId.ok() || maxId.step() != SQLITE_ROW)
            return fail(db_.errorMessage());
        if (sqlite3_column_type(maxId.handle(), 0) != SQLITE_NULL) {
            const qint64 largest = sqlite3_column_int64(maxId.handle(), 0);
            if (largest == std::numeric_limits<qint64>::max())
                return fail(QStringLiteral("No ID is left for a new material."));
            id = std::max(id, largest + 1);
        }
    }
    QString columns = QStringLiteral("\"ID\"");
    QString values = QStringLiteral("?");
    for (int c = int(Column::Name); c < kColumnCount; ++c) {
        columns += u',' + sqlite::quoted(columnName(c));
        values += QStringLiteral(",?");
    }
    sqlite::Statement insert(db_, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(QLatin1String(kTableName), columns, values));
    if (!insert.ok())
        return fail(db_.errorMessage());
    insert.bind(1, id);
    insert.bind(2, buffer_.name);
    for (int c = int(Column::Density); c < kColumnCount; ++c)
        insert.bind(c, *numericField(buffer_, Column(c)));
    if (insert.step() != SQLITE_DONE || !transaction.commit())
        return fail(db_.errorMessage());
    buffer_.id = id;
    // The new ID is the largest, so the new material is the last row.
    reloadRows();
    position_ = rows_.count() - 1;
    currentRow_ = buffer_;
    onDeletedRecord_ = false;
    return true;
}

bool MaterialStore::updatePending()
{
    Transaction transaction(db_);
    if (!transaction.begun())
        return fail(transaction.error());
    QString assignments;
    for (int c = int(Column::Description); c < kColumnCount; ++c) {
        if (!(dirtyColumns_ & (1u << c)))
            continue;
        if (!assignments.isEmpty())
            assignments += u',';
        const QString name = c == int(Column::Description) ? rows_.secondColumn() : columnName(c);
        assignments += sqlite::quoted(name) + QStringLiteral("=?");
    }
    sqlite::Statement statement(db_, QStringLiteral("UPDATE %1 SET %2 WHERE \"ID\"=?")
                                         .arg(QLatin1String(kTableName), assignments));
    if (!statement.ok())
        return fail(db_.errorMessage());
    int index = 1;
    for (int c = int(Column::Description); c < kColumnCount; ++c) {
        if (!(dirtyColumns_ & (1u << c)))
            continue;
        if (c == int(Column::Description))
            statement.bind(index++, buffer_.description);
        else if (c == int(Column::Name))
            statement.bind(index++, buffer_.name);
        else
            statement.bind(index++, *numericField(buffer_, Column(c)));
    }
    statement.bind(index, qint64(buffer_.id));
    if (statement.step() != SQLITE_DONE)
        return fail(db_.errorMessage());
    if (sqlite3_changes(db_.handle()) != 1)
        return fail(QStringLiteral("The material is no longer in the database."));
    if (!transaction.commit())
        return fail(db_.errorMessage());
    reloadRows();
    currentRow_ = buffer_;
    return true;
}

bool MaterialStore::cancelUpdate()
{
    if (!notifyWillChange(ChangeReason::CancelUpdate))
        return false;
    if (editStatus_ == EditStatus::Add)
        position_ = positionBeforeAdd_;
    editStatus_ = EditStatus::None;
    dirtyColumns_ = 0;
    return true;
}

bool MaterialStore::deleteCurrent()
{
    if (editStatus_ != EditStatus::None || currentIndex() < 0)
        return fail(QStringLiteral("There is no current record to delete."));
    if (!notifyWillChange(ChangeReason::Delete))
        return false;
    Transaction transaction(db_);
    if (!transaction.begun())
        return fail(transaction.error());
    sqlite::Statement statement(db_, QStringLiteral("DELETE FROM %1 WHERE \"ID\"=?").arg(QLatin1String(kTableName)));
    if (!statement.ok())
        return fail(db_.errorMessage());
    statement.bind(1, qint64(currentRow_.id));
    if (statement.step() != SQLITE_DONE || !transaction.commit())
        return fail(db_.errorMessage());
    reloadRows();
    onDeletedRecord_ = true;
    return true;
}

bool MaterialStore::find(const std::function<bool(const QString&)>& nameMatches)
{
    if (editStatus_ != EditStatus::None && !update())
        return false;
    const int found = rows_.findName(std::max(position_, 0), nameMatches);
    return moveToPosition(found >= 0 ? found : rows_.count());
}

MaterialStore::Bookmark MaterialStore::bookmark() const
{
    const Material* material = current();
    return material ? material->id : 0;
}

bool MaterialStore::setBookmark(Bookmark bookmark)
{
    const int index = rows_.indexOfId(bookmark);
    if (index < 0)
        return fail(QStringLiteral("The bookmarked material is no longer in the table."));
    return moveToPosition(index);
}

} // namespace korvane
