#pragma once

#include "presentation/ResultText.h"

#include <QString>

#include <sqlite3.h>

#include <functional>
#include <optional>
#include <utility>

// Small RAII wrappers over the SQLite C interface. Every value enters a
// statement as a bound parameter, never as text pasted into the SQL.
namespace korvane::sqlite {

// How long a statement waits for another connection's write to end.
inline constexpr int kBusyTimeoutMs = 2000;

class Connection {
public:
    Connection() = default;
    explicit Connection(sqlite3* db) : db_(db) {}
    Connection(Connection&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}
    Connection& operator=(Connection&& other) noexcept
    {
        std::swap(db_, other.db_);
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { sqlite3_close_v2(db_); }

    // Opens the file at `path` (a plain file name, never a URI) with a busy
    // timeout of kBusyTimeoutMs.
    static Result<Connection> open(const QString& path, int flags);
    sqlite3* handle() const { return db_; }
    explicit operator bool() const { return db_ != nullptr; }
    QString errorMessage() const;
    // The last error, as a failure of the database.
    Failed failure() const { return failed(errorMessage(), ErrorCode::Storage); }
    // Runs SQL without parameters.
    Result<void> exec(const char* sql);
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const { return sqlite3_changes(db_); }
    int extendedErrorCode() const { return sqlite3_extended_errcode(db_); }
    // Makes `name(text)` an SQL function that gives 1 where `predicate` holds
    // for the text (a null text reads as a null QString); a null predicate
    // removes the function. The predicate must outlive its use.
    bool setTextPredicate(const char* name, const std::function<bool(const QString&)>* predicate) const;

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(const Connection& connection, const QString& sql);
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(stmt_); }

    bool ok() const { return stmt_ != nullptr; }
    void bind(int index, const std::optional<float>& value);
    void bind(int index, const QString& value);
    void bind(int index, qint64 value);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return sqlite3_step(stmt_); }
    // Ready to run again with new values.
    void reset() { sqlite3_reset(stmt_); }

    // The columns of the current row.
    int type(int column) const { return sqlite3_column_type(stmt_, column); }
    qint64 int64(int column) const { return sqlite3_column_int64(stmt_, column); }
    double real(int column) const { return sqlite3_column_double(stmt_, column); }
    // The text of a column, or a null QString for an SQL null.
    QString text(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs one write in its own transaction (BEGIN IMMEDIATE): a failing step
// leaves it uncommitted, and the guard then rolls it back, so the file keeps
// what was saved before.
class Transaction {
public:
    explicit Transaction(Connection& db) : db_(db), begun_(db_.exec("BEGIN IMMEDIATE")) {}
    ~Transaction()
    {
        // A failed rollback leaves nothing to do here: SQLite rolls the
        // transaction back itself when the connection closes.
        if (begun_ && !committed_)
            static_cast<void>(db_.exec("ROLLBACK"));
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    const Result<void>& begun() const { return begun_; }
    Result<void> commit()
    {
        Result<void> committed = db_.exec("COMMIT");
        committed_ = bool(committed);
        return committed;
    }

private:
    Connection& db_;
    Result<void> begun_;
    bool committed_ = false;
};

// "name" with embedded double quotes doubled, for the column names with
// blanks, commas and plus signs.
QString quoted(const QString& identifier);

} // namespace korvane::sqlite
