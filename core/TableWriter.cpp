#include "core/TableWriter.h"

#include <algorithm>

namespace korvane {

namespace {

// The characters of a UTF-8 text: the bytes that do not continue one.
int characterCount(std::string_view utf8)
{
    return int(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

TableWriter::TableWriter(TableFormat format, std::vector<TableColumn> columns, std::FILE* file,
                         text::CsvQuoting quoting)
    : format_(format), columns_(std::move(columns)), quoting_(quoting), output_(file)
{
    std::string& out = output_.text();
    switch (format_) {
    case TableFormat::Csv:
        for (size_t c = 0; c < columns_.size(); ++c) {
            if (c)
                out += ',';
            text::appendCsvCell(out, columns_[c].key, quoting_);
        }
        out += '\n';
        break;
    case TableFormat::Json:
        for (const TableColumn& column : columns_) {
            std::string key;
            text::appendJsonString(key, column.key);
            jsonKeys_.push_back(key + ": ");
        }
        out += '[';
        break;
    case TableFormat::AlignedText: break;
    }
}

TableWriter::TableWriter(TableFormat format, std::vector<TableColumn> columns, text::CsvQuoting quoting)
    : TableWriter(format, std::move(columns), nullptr, quoting)
{
}

std::string* TableWriter::jsonMember()
{
    std::string& out = output_.text();
    if (column_ == 0) {
        out += firstRow_ ? "\n  {" : ",\n  {";
        firstRow_ = false;
    } else {
        out += ", ";
    }
    out += jsonKeys_[column_++];
    return &out;
}

std::string& TableWriter::alignedCell()
{
    if (column_++ == 0)
        alignedRows_.emplace_back().reserve(columns_.size());
    return alignedRows_.back().emplace_back();
}

void TableWriter::text(std::string_view utf8)
{
    if (std::string* out = streamedCell())
        appendEncoded(*out, utf8);
    else
        appendEncoded(alignedCell(), utf8);
}

std::string TableWriter::encoded(std::string_view utf8) const
{
    std::string cell;
    appendEncoded(cell, utf8);
    return cell;
}

void TableWriter::appendEncoded(std::string& out, std::string_view utf8) const
{
    switch (format_) {
    case TableFormat::Csv: return text::appendCsvCell(out, utf8, quoting_);
    case TableFormat::Json: return text::appendJsonString(out, utf8);
    case TableFormat::AlignedText: return text::appendOneLine(out, utf8);
    }
}

bool TableWriter::endRow()
{
    column_ = 0;
    if (format_ == TableFormat::Csv)
        output_.text() += '\n';
    else if (format_ == TableFormat::Json)
        output_.text() += '}';
    return output_.settle();
}

bool TableWriter::finish()
{
    if (format_ == TableFormat::Json)
        output_.text() += firstRow_ ? "]\n" : "\n]\n";
    if (format_ != TableFormat::AlignedText)
        return output_.finish();
    // A column's width is that of its widest cell or title; -1 leaves it out.
    std::vector<int> widths(columns_.size(), 0);
    std::vector<std::string> titles, rules;
    for (size_t c = 0; c < columns_.size(); ++c) {
        for (const std::vector<std::string>& row : alignedRows_)
            widths[c] = std::max(widths[c], characterCount(row[c]));
        if (widths[c] == 0 && columns_[c].hideWhenEmpty)
            widths[c] = -1;
        else
            widths[c] = std::max(widths[c], characterCount(columns_[c].title));
        titles.push_back(columns_[c].title);
        rules.emplace_back(size_t(std::max(widths[c], 0)), '-');
    }
    writeAlignedLine(titles, widths);
    writeAlignedLine(rules, widths);
    for (const std::vector<std::string>& row : alignedRows_) {
        writeAlignedLine(row, widths);
        if (!output_.settle())
            break;
    }
    return output_.finish();
}

std::string TableWriter::finishedText()
{
    finish();
    return std::move(output_.text());
}

// Columns two blanks apart, numbers flush right, no blanks at the end.
void TableWriter::writeAlignedLine(const std::vector<std::string>& cells, const std::vector<int>& widths)
{
    std::string& out = output_.text();
    const size_t begin = out.size();
    bool first = true;
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (widths[c] < 0)
            continue;
        if (!first)
            out += "  ";
        first = false;
        const size_t padding = size_t(widths[c] - characterCount(cells[c]));
        if (columns_[c].numeric)
            out.append(padding, ' ');
        out += cells[c];
        if (!columns_[c].numeric)
            out.append(padding, ' ');
    }
    while (out.size() > begin && out.back() == ' ')
        out.pop_back();
    out += '\n';
}

} // namespace korvane
