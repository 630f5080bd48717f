#include "cli/RowWriter.h"

#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"

#include <array>
#include <charconv>

namespace korvane::cli {

Failed tooManyTableRows()
{
    return failed(QStringLiteral("a table holds at most %1 rows; use --csv or --json for more").arg(kMaxTableRows),
                  ErrorCode::OutOfRange);
}

Failed outputFailure()
{
    return {outputFailureText(), ErrorCode::Storage};
}

namespace {

TableFormat tableFormat(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Csv: return TableFormat::Csv;
    case OutputFormat::Json: return TableFormat::Json;
    case OutputFormat::Table: break;
    }
    return TableFormat::AlignedText;
}

std::vector<TableColumn> tableColumns(const std::vector<Column>& columns)
{
    std::vector<TableColumn> table;
    for (const Column& column : columns)
        table.push_back({column.key, column.title.toStdString(), column.numeric, column.hideWhenEmpty});
    return table;
}

} // namespace

RowWriter::RowWriter(OutputFormat format, const std::vector<Column>& columns, std::FILE* out)
    : format_(format), table_(tableFormat(format), tableColumns(columns), out), lastTexts_(columns.size())
{
}

bool RowWriter::write(const Row& row)
{
    if (format_ == OutputFormat::Table && rows_++ >= kMaxTableRows) {
        failure_ = tooManyTableRows();
        return false;
    }
    for (size_t i = 0; i < row.size(); ++i) {
        const Cell& cell = row[i];
        switch (cell.kind) {
        case Cell::Kind::Empty: table_.empty(); break;
        case Cell::Kind::Text: table_.encodedText(encoded(i, cell.text)); break;
        case Cell::Kind::Integer:
        case Cell::Kind::Single: writeNumber(cell); break;
        }
    }
    return written(table_.endRow());
}

Result<void> RowWriter::finish()
{
    if (!written(table_.finish()))
        return *failure_;
    return {};
}

bool RowWriter::written(bool output)
{
    if (!output)
        failure_ = Failed{table_.error(), ErrorCode::Storage};
    return output;
}

std::string_view RowWriter::encoded(size_t column, const QString& text)
{
    auto& [source, cell] = lastTexts_[column];
    if (source.isNull() || (!source.isSharedWith(text) && source != text)) {
        source = text;
        cell = table_.encoded(text.toStdString());
    }
    return cell;
}

// A number's full value: a whole number, or the shortest text that reads back
// as the same Single, without an exponent (100000, not 1e+05) so an energy
// reads as it was typed. The table shows a Single with its `decimals`,
// rounded like the window.
void RowWriter::writeNumber(const Cell& cell)
{
    if (format_ == OutputFormat::Table && cell.kind == Cell::Kind::Single && cell.decimals >= 0)
        return table_.number(numbertext::fixed(cell.single, cell.decimals, QLocale::c()).toStdString());
    std::array<char, 64> buffer{};
    char* const begin = buffer.data();
    char* const end = begin + buffer.size();
    const float single = cell.single == 0.0f ? 0.0f : cell.single; // no sign on a negative zero
    const auto result = cell.kind == Cell::Kind::Integer ? std::to_chars(begin, end, cell.integer)
        : cell.exponent                                  ? std::to_chars(begin, end, single)
                                                         : std::to_chars(begin, end, single, std::chars_format::fixed);
    table_.number({begin, size_t(result.ptr - begin)});
}

std::unique_ptr<RowWriter> makeRowWriter(OutputFormat format, std::vector<Column> columns, std::FILE* out)
{
    return std::make_unique<RowWriter>(format, columns, out);
}

} // namespace korvane::cli
