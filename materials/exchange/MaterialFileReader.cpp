#include "materials/exchange/MaterialFileReader.h"

#include "materials/exchange/CsvRecords.h"
#include "materials/store/MaterialSchema.h"
#include "presentation/ResultText.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <array>
#include <charconv>
#include <cmath>

namespace korvane {

namespace {

const QString kTooManyRows = QStringLiteral("the file holds more than %1 materials; import it in parts").arg(kMaxRows);

const QString kRequired = QStringLiteral("Name, Density, Atomic wght, Energy gap 300 K, valel s+p,n, "
                                         "valel s+p,n+1, valel d, valel f");

bool isRequired(int column)
{
    return column != int(Column::Id) && column != int(Column::Description);
}

// The column a header or member name stands for; letter case does not count.
int columnOf(const QString& name)
{
    return schema::columnIndex(name.trimmed());
}

// Text of one cell: UTF-8 without NUL bytes.
Result<QString> cellText(const QByteArray& bytes, const QString& where)
{
    if (bytes.contains('\0'))
        return failed(QStringLiteral("%1 holds a NUL byte: this is not a text file of materials").arg(where),
                      ErrorCode::InvalidInput);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return failed(QStringLiteral("%1 is not UTF-8 text").arg(where), ErrorCode::InvalidInput);
    return text;
}

// Maps the names of a header or object to columns.
struct Header {
    std::vector<int> columns; // per cell
    std::array<bool, kColumnCount> has{};
};

QString readHeader(const std::vector<QString>& names, Header* header)
{
    for (const QString& name : names) {
        const int column = columnOf(name);
        if (column < 0)
            return QStringLiteral("unknown column \"%1\"; the columns are ID, Description, %2").arg(name, kRequired);
        if (header->has[size_t(column)])
            return QStringLiteral("the column \"%1\" is named twice").arg(schema::columnName(column));
        header->has[size_t(column)] = true;
        header->columns.push_back(column);
    }
    for (int column = 0; column < kColumnCount; ++column) {
        if (isRequired(column) && !header->has[size_t(column)])
            return QStringLiteral("the column \"%1\" is missing; a file of materials needs %2")
                .arg(schema::columnName(column), kRequired);
    }
    return {};
}

Result<MaterialFile> readCsv(QFile& file)
{
    MaterialFile result;
    CsvRecords reader(file, kMaxRecordBytes);
    std::vector<QByteArray> cells;
    bool blankLines = false;
    bool read = false;
    // Blank lines before the header are passed over, as between the rows.
    while ((read = reader.next(&cells)) && cells.size() == 1 && cells[0].isNull())
        blankLines = true;
    if (!read && !reader.error().isEmpty())
        return failed(reader.error(), ErrorCode::InvalidInput);
    if (!read)
        return failed(blankLines ? QStringLiteral("the file holds only blank lines, and no header of material columns")
                                 : QStringLiteral("the file is empty"),
                      ErrorCode::InvalidInput);
    const QString headerLine = QStringLiteral("line %1").arg(reader.recordLine());
    std::vector<QString> names;
    for (const QByteArray& cell : cells) {
        Result<QString> name = cellText(cell, headerLine);
        if (!name)
            return name.failure();
        names.push_back(std::move(*name));
    }
    Header header;
    if (const QString problem = readHeader(names, &header); !problem.isEmpty())
        return failed(QStringLiteral("%1 is not a header of material columns: %2").arg(headerLine, problem),
                      ErrorCode::InvalidInput);
    result.hasColumn = header.has;
    while (reader.next(&cells)) {
        if (cells.size() == 1 && cells[0].isNull())
            continue; // a blank line
        if (result.rows.size() == size_t(kMaxRows))
            return failed(kTooManyRows, ErrorCode::OutOfRange);
        FileRow row;
        row.where = QStringLiteral("line %1").arg(reader.recordLine());
        if (cells.size() != header.columns.size()) {
            row.problem = QStringLiteral("it has %1 cells, the header %2").arg(cells.size()).arg(header.columns.size());
        } else {
            for (size_t i = 0; i < cells.size(); ++i) {
                if (cells[i].isNull())
                    continue;
                Result<QString> text = cellText(cells[i], row.where);
                if (!text)
                    return text.failure();
                row.cells[size_t(header.columns[i])] = std::move(*text);
            }
        }
        result.rows.push_back(std::move(row));
    }
    if (!reader.error().isEmpty())
        return failed(reader.error(), ErrorCode::InvalidInput);
    return result;
}

// A JSON number as the shortest text that reads back as the same Double; a
// whole number (an ID) without an exponent.
QString numberText(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return QString::fromLatin1(buffer.data(), written.ptr - buffer.data());
}

FileRow jsonRow(const QJsonValue& value, qsizetype index, std::array<bool, kColumnCount>& hasColumn)
{
    FileRow row;
    row.where = QStringLiteral("row %1").arg(index + 1);
    if (!value.isObject()) {
        row.problem = QStringLiteral("it is not an object of columns");
        return row;
    }
    const QJsonObject object = value.toObject();
    std::array<bool, kColumnCount> named{};
    for (auto member = object.begin(); member != object.end(); ++member) {
        const int column = columnOf(member.key());
        if (column < 0 || named[size_t(column)]) {
            row.problem = QString::fromLatin1(column < 0 ? "unknown column \"%1\"" : "the column \"%1\" is named twice")
                              .arg(member.key());
            return row;
        }
        named[size_t(column)] = hasColumn[size_t(column)] = true;
        const QJsonValue cell = member.value();
        if (cell.isString())
            row.cells[size_t(column)] = cell.toString();
        else if (cell.isDouble())
            row.cells[size_t(column)] = numberText(cell.toDouble());
        else if (!cell.isNull())
            row.problem = QStringLiteral("\"%1\" must be a number, a text or null").arg(schema::columnName(column));
    }
    for (int column = 0; column < kColumnCount && row.problem.isEmpty(); ++column) {
        if (isRequired(column) && !named[size_t(column)])
            row.problem = QStringLiteral("the column \"%1\" is missing").arg(schema::columnName(column));
    }
    return row;
}

Result<MaterialFile> readJson(QFile& file)
{
    if (file.size() > kMaxJsonBytes)
        return failed(QStringLiteral("the JSON file is larger than %1 MiB; write it as CSV, which has no limit")
                          .arg(kMaxJsonBytes / (1024 * 1024)),
                      ErrorCode::OutOfRange);
    const QByteArray bytes = file.readAll();
    if (bytes.contains('\0'))
        return failed(QStringLiteral("the file holds a NUL byte: this is not a text file of materials"),
                      ErrorCode::InvalidInput);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const qsizetype offset = parseError.offset;
        const qint64 line = bytes.left(offset).count('\n') + 1;
        return failed(QStringLiteral("line %1 is not valid JSON: %2").arg(line).arg(parseError.errorString()),
                      ErrorCode::InvalidInput);
    }
    if (!document.isArray())
        return failed(QStringLiteral("the JSON file must hold an array of materials"), ErrorCode::InvalidInput);
    const QJsonArray array = document.array();
    if (array.size() > kMaxRows)
        return failed(kTooManyRows, ErrorCode::OutOfRange);
    MaterialFile result;
    for (qsizetype i = 0; i < array.size(); ++i)
        result.rows.push_back(jsonRow(array[i], i, result.hasColumn));
    return result;
}

// Whether the file starts, after blanks and a byte-order mark, as JSON does.
bool looksLikeJson(QFile& file)
{
    const QByteArray start = file.peek(4096);
    qsizetype i = start.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < start.size() && (start[i] == ' ' || start[i] == '\t' || start[i] == '\r' || start[i] == '\n'))
        ++i;
    return i < start.size() && (start[i] == '[' || start[i] == '{');
}

} // namespace

Result<MaterialFile> readMaterialFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("the file cannot be read: %1").arg(file.errorString()), ErrorCode::Storage);
    if (looksLikeJson(file))
        return readJson(file);
    if (file.peek(3) == "\xEF\xBB\xBF")
        file.read(3);
    return readCsv(file);
}

} // namespace korvane
