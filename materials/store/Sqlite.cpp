#include "materials/store/Sqlite.h"

namespace korvane::sqlite {

Result<Connection> Connection::open(const QString& path, int flags)
{
    // A name that begins "file:" is still a file name, never a URI.
    const QString name = path.startsWith(QLatin1String("file:")) ? QStringLiteral("./") + path : path;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(name.toUtf8().constData(), &db, flags, nullptr);
    Connection connection(db);
    if (rc != SQLITE_OK)
        return failed(db ? connection.errorMessage() : QString::fromUtf8(sqlite3_errstr(rc)), ErrorCode::Storage);
    sqlite3_extended_result_codes(db, 1);
    // While another copy of the program commits, wait for it rather than
    // fail at once, from the first statement on.
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return connection;
}

QString Connection::errorMessage() const
{
    return QString::fromUtf8(sqlite3_errmsg(db_));
}

Result<void> Connection::exec(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    const QString reason = QString::fromUtf8(message ? message : "unknown error");
    sqlite3_free(message);
    return failed(reason, ErrorCode::Storage);
}

bool Connection::setTextPredicate(const char* name, const std::function<bool(const QString&)>* predicate) const
{
    auto call = [](sqlite3_context* context, int, sqlite3_value** values) {
        const auto* holds = static_cast<const std::function<bool(const QString&)>*>(sqlite3_user_data(context));
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
        const QString argument = text ? QString::fromUtf8(text, sqlite3_value_bytes(values[0])) : QString();
        sqlite3_result_int(context, (*holds)(argument) ? 1 : 0);
    };
    void* data = const_cast<std::function<bool(const QString&)>*>(predicate);
    return sqlite3_create_function_v2(db_, name, 1, SQLITE_UTF8, data, predicate ? +call : nullptr, nullptr, nullptr,
                                      nullptr)
        == SQLITE_OK;
}

Statement::Statement(const Connection& connection, const QString& sql)
{
    sqlite3_prepare_v2(connection.handle(), sql.toUtf8().constData(), -1, &stmt_, nullptr);
}

QString Statement::text(int column) const
{
    if (type(column) == SQLITE_NULL)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                             sqlite3_column_bytes(stmt_, column));
}

void Statement::bind(int index, const std::optional<float>& value)
{
    if (value)
        sqlite3_bind_double(stmt_, index, double(*value));
    else
        sqlite3_bind_null(stmt_, index);
}

void Statement::bind(int index, const QString& value)
{
    if (value.isNull()) {
        sqlite3_bind_null(stmt_, index);
        return;
    }
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(stmt_, index, value);
}

QString quoted(const QString& identifier)
{
    QString text = identifier;
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

} // namespace korvane::sqlite
