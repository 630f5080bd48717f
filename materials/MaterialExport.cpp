#include "materials/MaterialExport.h"

#include "materials/Material.h"
#include "materials/MaterialDatabase.h"
#include "materials/MaterialSchema.h"
#include "materials/Sqlite.h"

#include <array>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace korvane {

namespace {

QByteArray csvText(const QByteArray& text)
{
    const bool needsQuotes = text.isEmpty() || text.contains(',') || text.contains('"') || text.contains('\n')
        || text.contains('\r') || text.startsWith(' ') || text.endsWith(' ');
    if (!needsQuotes)
        return text;
    QByteArray quoted = text;
    quoted.replace("\"", "\"\"");
    return '"' + quoted + '"';
}

QByteArray jsonText(const QByteArray& text)
{
    QByteArray escaped = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': escaped += "\\\""; break;
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        case '\t': escaped += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                escaped +=
                    QByteArray("\\u00") + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
            else
                escaped += c;
        }
    }
    return escaped + '"';
}

QByteArray numberText(double value)
{
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return QByteArray(buffer.data(), written.ptr - buffer.data());
}

// One stored value in the chosen format.
QByteArray cell(const sqlite::Statement& row, int column, ExchangeFormat format)
{
    const bool csv = format == ExchangeFormat::Csv;
    switch (row.type(column)) {
    case SQLITE_NULL: return csv ? QByteArray() : QByteArray("null");
    case SQLITE_INTEGER: return QByteArray::number(row.int64(column));
    case SQLITE_FLOAT: {
        const double value = row.real(column);
        if (std::isfinite(value))
            return numberText(value);
        return csv ? numberText(value) : jsonText(numberText(value)); // JSON has no infinity
    }
    default: {
        const QByteArray text = row.text(column).toUtf8();
        return csv ? csvText(text) : jsonText(text);
    }
    }
}

class Output {
public:
    explicit Output(std::FILE* out) : out_(out) {}
    void append(const QByteArray& text)
    {
        buffer_ += text;
        if (buffer_.size() >= (1 << 16))
            flush();
    }
    bool flush()
    {
        if (!buffer_.isEmpty()
            && std::fwrite(buffer_.constData(), 1, size_t(buffer_.size()), out_) != size_t(buffer_.size()))
            failed_ = true;
        buffer_.resize(0);
        return !failed_;
    }
    bool failed() const { return failed_; }
    bool finish() { return flush() && std::fflush(out_) == 0 && !std::ferror(out_); }

private:
    std::FILE* out_;
    QByteArray buffer_;
    bool failed_ = false;
};

} // namespace

Result<void> exportMaterials(const QString& path, bool all, ExchangeFormat format, std::FILE* out,
                             WhenMissing whenMissing)
{
    // The same checks of the file as when the program opens it.
    Result<CheckedDatabase> checked = openCheckedDatabase(path, /*readOnly=*/true, whenMissing);
    if (!checked)
        return failed(QStringLiteral("the materials database %1 cannot be opened: %2").arg(path, errorText(checked)),
                      checked.code());
    sqlite::Connection& db = checked->connection;
    // One read transaction: a copy saving meanwhile does not split the export.
    if (Result<void> begun = db.exec("BEGIN"); !begun)
        return begun;
    sqlite::Statement select(db, schema::selectRowsFromId(checked->secondColumn));
    if (!select.ok())
        return db.failure();
    select.bind(1, qint64(all ? std::numeric_limits<qint64>::min() : kFirstCompoundId));

    Output output(out);
    const bool csv = format == ExchangeFormat::Csv;
    if (csv) {
        QByteArrayList header;
        for (const char* name : schema::kColumnNames)
            header << csvText(name);
        output.append(header.join(',') + '\n');
    } else {
        output.append("[");
    }
    int rc;
    bool first = true;
    while ((rc = select.step()) == SQLITE_ROW) {
        QByteArrayList cells;
        for (int c = 0; c < kColumnCount; ++c) {
            const QByteArray value = cell(select, c, format);
            cells << (csv ? value : jsonText(schema::kColumnNames[size_t(c)]) + ": " + value);
        }
        if (csv)
            output.append(cells.join(',') + '\n');
        else
            output.append(QByteArray(first ? "\n  {" : ",\n  {") + cells.join(", ") + '}');
        first = false;
        if (output.failed())
            break; // a closed pipe or a full disk: the reading ends too
    }
    if (rc != SQLITE_DONE && !output.failed())
        return db.failure();
    if (!csv)
        output.append(first ? "]\n" : "\n]\n");
    if (!output.finish())
        return failed(QStringLiteral("the output cannot be written: %1").arg(QString::fromLocal8Bit(strerror(errno))),
                      ErrorCode::Storage);
    return {};
}

} // namespace korvane
