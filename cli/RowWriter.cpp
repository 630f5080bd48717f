#include "cli/RowWriter.h"

#include "cli/OneLine.h"
#include "materials/NumberText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>

namespace korvane::cli {

Failure tooManyTableRows()
{
    return {QStringLiteral("a table holds at most %1 rows; use --csv or --json for more").arg(kMaxTableRows),
            kBadInput};
}

Failure outputFailure()
{
    return {QStringLiteral("the output cannot be written: %1").arg(QString::fromLocal8Bit(std::strerror(errno))),
            kNotFound};
}

namespace {

// Gathers text and hands it to the file in large pieces, checking each: a
// full disk or a closed output ends the run instead of leaving it cut short.
class Output {
public:
    explicit Output(std::FILE* out) : out_(out) { buffer_.reserve(kChunk + 1024); }

    // The text gathered so far: a writer appends to it and then settles.
    std::string& text() { return buffer_; }

    // Hands the gathered text to the file once it fills a chunk. False once
    // a write has failed; `failure` then says why.
    bool settle(std::optional<Failure>& failure) { return buffer_.size() < kChunk || flush(failure); }

    bool append(const QByteArray& text, std::optional<Failure>& failure)
    {
        buffer_.append(text.constData(), size_t(text.size()));
        return settle(failure);
    }

    bool flush(std::optional<Failure>& failure)
    {
        const bool written =
            std::fwrite(buffer_.data(), 1, buffer_.size(), out_) == buffer_.size() && std::fflush(out_) == 0;
        buffer_.clear(); // keeps the memory
        if (!written)
            failure = outputFailure();
        return written;
    }

private:
    static constexpr size_t kChunk = 1 << 16;
    std::FILE* out_;
    std::string buffer_;
};

// Appends the full value of a number cell: a whole number, or the shortest
// text that reads back as the same Single, without an exponent (100000, not
// 1e+05), so an energy reads as it was typed.
template <typename Text>
void appendNumber(Text& out, const Cell& cell)
{
    std::array<char, 64> buffer{};
    char* const begin = buffer.data();
    char* const end = begin + buffer.size();
    const float single = cell.single == 0.0f ? 0.0f : cell.single; // no sign on a negative zero
    const auto result = cell.kind == Cell::Kind::Integer ? std::to_chars(begin, end, cell.integer)
        : cell.exponent                                  ? std::to_chars(begin, end, single)
                                                         : std::to_chars(begin, end, single, std::chars_format::fixed);
    out.append(begin, result.ptr - begin);
}

QString fullNumber(const Cell& cell)
{
    QByteArray text;
    appendNumber(text, cell);
    return QString::fromLatin1(text);
}

// The encoded form of each column's text, kept while the text repeats from
// row to row (the material's name, the form), which is the common case.
class EncodedTexts {
public:
    using Encoder = QByteArray (*)(const QString&);
    EncodedTexts(size_t columns, Encoder encode) : last_(columns), encode_(encode) {}

    const QByteArray& of(size_t column, const QString& text)
    {
        auto& [source, encoded] = last_[column];
        if (encoded.isNull() || (!source.isSharedWith(text) && source != text)) {
            source = text;
            encoded = encode_(text);
        }
        return encoded;
    }

private:
    std::vector<std::pair<QString, QByteArray>> last_;
    Encoder encode_;
};

class CsvWriter : public RowWriter {
public:
    CsvWriter(const std::vector<Column>& columns, std::FILE* out) : out_(out), texts_(columns.size(), quoted)
    {
        QByteArray header;
        for (const Column& column : columns)
            header += (header.isEmpty() ? "" : ",") + QByteArray(column.key);
        // Short of a chunk, so it waits in the buffer for the first check.
        out_.append(header + '\n', failure_);
    }

    // Each cell goes straight into the output's buffer: a million rows are
    // the common case, and a copy per row costs as much as a number's text.
    bool write(const Row& row) override
    {
        std::string& line = out_.text();
        for (size_t i = 0; i < row.size(); ++i) {
            if (i)
                line += ',';
            const Cell& cell = row[i];
            if (cell.kind == Cell::Kind::Text) {
                const QByteArray& text = texts_.of(i, cell.text);
                line.append(text.constData(), size_t(text.size()));
            } else if (cell.kind != Cell::Kind::Empty) {
                appendNumber(line, cell);
            }
        }
        line += '\n';
        return out_.settle(failure_);
    }

    bool finish() override { return out_.flush(failure_); }

private:
    // Control characters as escapes; a text with a comma or a quote goes in
    // double quotes.
    static QByteArray quoted(const QString& text)
    {
        QByteArray bytes = oneLine(text).toUtf8();
        if (!bytes.contains(',') && !bytes.contains('"'))
            return bytes;
        return '"' + bytes.replace('"', "\"\"") + '"';
    }

    Output out_;
    EncodedTexts texts_;
};

class JsonWriter : public RowWriter {
public:
    JsonWriter(const std::vector<Column>& columns, std::FILE* out) : out_(out), texts_(columns.size(), quoted)
    {
        for (const Column& column : columns)
            keys_.push_back('"' + QByteArray(column.key) + "\": ");
        out_.append("[", failure_);
    }

    bool write(const Row& row) override
    {
        object_.resize(0);
        object_ += first_ ? "\n  {" : ",\n  {";
        first_ = false;
        for (size_t i = 0; i < row.size(); ++i) {
            if (i)
                object_ += ", ";
            object_ += keys_[i];
            const Cell& cell = row[i];
            if (cell.kind == Cell::Kind::Empty)
                object_ += "null";
            else if (cell.kind == Cell::Kind::Text)
                object_ += texts_.of(i, cell.text);
            else
                appendNumber(object_, cell);
        }
        object_ += '}';
        return out_.append(object_, failure_);
    }

    bool finish() override { return out_.append(first_ ? "]\n" : "\n]\n", failure_) && out_.flush(failure_); }

private:
    static QByteArray quoted(const QString& text)
    {
        QByteArray escaped = "\"";
        for (const char c : text.toUtf8()) {
            if (c == '"' || c == '\\')
                escaped += '\\';
            if (static_cast<unsigned char>(c) < 0x20)
                escaped += QByteArray("\\u00") + QByteArray::number(c, 16).rightJustified(2, '0');
            else
                escaped += c;
        }
        return escaped + '"';
    }

    Output out_;
    EncodedTexts texts_;
    std::vector<QByteArray> keys_;
    QByteArray object_;
    bool first_ = true;
};

class TableWriter : public RowWriter {
public:
    TableWriter(std::vector<Column> columns, std::FILE* out) : columns_(std::move(columns)), out_(out) {}

    bool write(const Row& row) override
    {
        if (rows_.size() >= size_t(kMaxTableRows)) {
            failure_ = tooManyTableRows();
            return false;
        }
        std::vector<QString> texts;
        texts.reserve(row.size());
        for (const Cell& cell : row)
            texts.push_back(shown(cell));
        rows_.push_back(std::move(texts));
        return true;
    }

    bool finish() override
    {
        std::vector<qsizetype> widths(columns_.size(), 0);
        for (size_t c = 0; c < columns_.size(); ++c) {
            for (const std::vector<QString>& row : rows_)
                widths[c] = std::max(widths[c], row[c].size());
            if (widths[c] == 0 && columns_[c].hideWhenEmpty)
                widths[c] = -1; // left out
            else
                widths[c] = std::max(widths[c], columns_[c].title.size());
        }
        std::vector<QString> header, rule;
        for (size_t c = 0; c < columns_.size(); ++c) {
            header.push_back(columns_[c].title);
            rule.push_back(QString(std::max<qsizetype>(widths[c], 0), u'-'));
        }
        bool written = line(header, widths) && line(rule, widths);
        for (size_t r = 0; written && r < rows_.size(); ++r)
            written = line(rows_[r], widths);
        return written && out_.flush(failure_);
    }

private:
    static QString shown(const Cell& cell)
    {
        switch (cell.kind) {
        case Cell::Kind::Empty: return {};
        case Cell::Kind::Text: return oneLine(cell.text);
        case Cell::Kind::Integer: return QString::number(cell.integer);
        case Cell::Kind::Single:
            return cell.decimals < 0 ? fullNumber(cell) : numbertext::fixed(cell.single, cell.decimals, QLocale::c());
        }
        return {};
    }

    // Columns two blanks apart, numbers flush right, no blanks at the end.
    bool line(const std::vector<QString>& texts, const std::vector<qsizetype>& widths)
    {
        QString text;
        bool first = true;
        for (size_t c = 0; c < columns_.size(); ++c) {
            if (widths[c] < 0)
                continue;
            if (!first)
                text += QLatin1String("  ");
            first = false;
            text += columns_[c].numeric ? texts[c].rightJustified(widths[c]) : texts[c].leftJustified(widths[c]);
        }
        while (text.endsWith(u' '))
            text.chop(1);
        return out_.append((text + u'\n').toUtf8(), failure_);
    }

    std::vector<Column> columns_;
    std::vector<std::vector<QString>> rows_;
    Output out_;
};

} // namespace

std::unique_ptr<RowWriter> makeRowWriter(OutputFormat format, std::vector<Column> columns, std::FILE* out)
{
    switch (format) {
    case OutputFormat::Csv: return std::make_unique<CsvWriter>(columns, out);
    case OutputFormat::Json: return std::make_unique<JsonWriter>(columns, out);
    case OutputFormat::Table: break;
    }
    return std::make_unique<TableWriter>(std::move(columns), out);
}

} // namespace korvane::cli
