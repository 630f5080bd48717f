#pragma once

#include <QString>

#include <sqlite3.h>

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
    static Connection open(const QString& path, int flags, QString* error);
    sqlite3* handle() const { return db_; }
    explicit operator bool() const { return db_ != nullptr; }
    QString errorMessage() const;
    // Runs SQL without parameters; false with the error text on failure.
    bool exec(const char* sql, QString* error = nullptr);

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
    sqlite3_stmt* handle() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// "name" with embedded double quotes doubled, for the column names with
// blanks, commas and plus signs.
QString quoted(const QString& identifier);

} // namespace korvane::sqlite
