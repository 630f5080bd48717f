#pragma once

#include "materials/model/Material.h"
#include "presentation/ResultText.h"

#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace korvane {

namespace sqlite {
class Connection;
}

// Receives the store's notifications, synchronously, inside the call that
// causes them; each listener overrides those it needs.
class MaterialStoreListener {
public:
    virtual ~MaterialStoreListener() = default;
    // Before the current record moves.
    virtual void willMove() {}
    // After the current record has moved (also onto BOF or EOF).
    virtual void moveComplete() {}
    // After the rows were read afresh, following a write of this or of
    // another copy of the program: rows may have come, gone or changed.
    virtual void rowsReread() {}
};

// The materials table as a record browser uses it: all rows in ID order, a current
// record that can also stand before the first (BOF) or after the last (EOF),
// and writes that go to the database file in one transaction each, only when
// asked for. The store keeps no pending change: whoever edits a material holds
// it until it asks for the write, so no move, find or bookmark ever writes. A
// failed write leaves both the file and the rows in memory as they were.
class MaterialStore {
public:
    using Bookmark = qint64; // the ID of a record

    MaterialStore(sqlite::Connection connection, QString secondColumn);
    ~MaterialStore();
    MaterialStore(const MaterialStore&) = delete;
    MaterialStore& operator=(const MaterialStore&) = delete;

    // Reads the table's size; fails with the database's message when the
    // table cannot be read.
    Result<void> load();

    // Listeners are told in the order they were added; a listener removes
    // itself before it goes.
    void addListener(MaterialStoreListener* listener);
    void removeListener(MaterialStoreListener* listener);

    // The number of rows in the table.
    int storedRowCount() const;
    bool bof() const { return position_ < 0; }
    bool eof() const;
    // 1-based position of the current record; 0 at BOF or EOF.
    int absolutePosition() const;
    // The stored row at a 0-based index, for the name list; an empty
    // material when it cannot be read.
    Material row(int index) const;
    // The stored row at a 0-based index; nullopt when the file cannot give
    // it, which is damage.
    std::optional<Material> readRow(int index) const;
    // The current record with its stored values, or nullptr.
    const Material* current() const;
    // 0-based index of the current stored record, or -1.
    int currentIndex() const;

    // Moves; each raises willMove and moveComplete. Fails when the move is
    // not possible (past BOF or EOF, or a row that cannot be read).
    Result<void> moveFirst();
    Result<void> moveLast();
    Result<void> moveNext();
    Result<void> movePrevious();
    Result<void> move(int offset);
    Result<void> moveTo(int index);

    // A column of the current record: null, a number (ID as int, the others
    // as float) or text; an invalid QVariant when there is no current record.
    QVariant field(int column) const;
    QVariant field(const QString& name) const;

    // Writes the columns `columns` (bits 1 << column) of `values` into the
    // current record; nothing is written when no column is given.
    Result<void> saveCurrent(const Material& values, unsigned columns);
    // Writes `values` as a new material with the next free ID (its own ID is
    // not used). The new material, the last row, is then the current record;
    // this raises no move notifications: a caller that shows the current
    // record moves to it.
    Result<void> insert(const Material& values);
    // Deletes the current record; the store then stands on no record until
    // the next move.
    Result<void> deleteCurrent();

    // Moves forward from the current record (itself included) to the first
    // whose name matches; without a match the store ends at EOF.
    Result<void> find(const std::function<bool(const QString&)>& nameMatches);
    Bookmark bookmark() const;
    Result<void> setBookmark(Bookmark bookmark);

private:
    Result<void> moveToPosition(int position);
    bool onStoredRecord() const;
    Result<void> reloadRows();
    void notifyWillMove();
    void notifyMoveComplete();
    void notifyRowsReread();
    static Result<void> afterCommit(const Result<void>& reloaded);

    // The connection and the rows read through it, kept out of sight.
    struct Table;
    std::unique_ptr<Table> table_;
    Material currentRow_; // the stored values of the current record
    std::vector<MaterialStoreListener*> listeners_;
    int position_ = -1; // -1 BOF, rows_.size() EOF
    bool onDeletedRecord_ = false;
};

} // namespace korvane
