#pragma once

#include "core/TextEscapes.h"
#include "core/TextOutput.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

enum class TableFormat {
    Csv,         // a header of the keys, then one line per row
    Json,        // an array of objects, one per row, members named by the keys
    AlignedText, // a header of the titles, a rule, columns two blanks apart
};

struct TableColumn {
    std::string key;            // CSV header and JSON member name
    std::string title{};        // aligned text's header
    bool numeric = false;       // aligned text puts it flush right
    bool hideWhenEmpty = false; // aligned text leaves it out when no row fills it
};

// Writes rows under fixed columns as CSV, JSON or aligned text, to a file or
// into memory. A row is its cells in column order, then endRow(). CSV and
// JSON stream each row out; aligned text keeps every row until finish() to
// know its column widths (counted in characters). Texts are UTF-8: in CSV as
// `quoting` says, in JSON as JSON strings, in aligned text on one line.
// Numbers come as their text and are written as they are.
class TableWriter {
public:
    // Writes to `file`, which stays open and the caller's.
    TableWriter(TableFormat format, std::vector<TableColumn> columns, std::FILE* file,
                text::CsvQuoting quoting = text::CsvQuoting::Report);
    // Keeps the text in memory, for finishedText().
    TableWriter(TableFormat format, std::vector<TableColumn> columns,
                text::CsvQuoting quoting = text::CsvQuoting::Report);

    // The cells of a row. Those that only copy their text are inline: a
    // report of a million rows spends as much on a call as on a cell's text.
    void text(std::string_view utf8);
    void number(std::string_view digits) { writeAsIs(digits); }
    // A text as this table writes it in a cell, for a caller that writes the
    // same text in many rows (a material's name, the form) to encode it once
    // and give it to encodedText() each time.
    std::string encoded(std::string_view utf8) const;
    void encodedText(std::string_view cell) { writeAsIs(cell); }
    // No value: an empty CSV cell, JSON null, blanks in aligned text.
    void empty()
    {
        if (std::string* out = streamedCell()) {
            if (format_ == TableFormat::Json)
                *out += "null";
        } else {
            alignedCell();
        }
    }
    // False once a write to the file has failed; error() says why.
    bool endRow();
    // Writes what is kept and what closes the format, and flushes the file.
    // False when any write to the file has failed.
    bool finish();
    // Why a write failed; empty while none has.
    const std::string& error() const { return output_.error(); }

    // Finishes a table kept in memory, which cannot fail, and gives its text.
    std::string finishedText();

private:
    // The output after what comes before the next cell (a comma, or JSON's
    // member name); none in aligned text, which keeps its cells.
    std::string* streamedCell()
    {
        if (format_ == TableFormat::Csv) {
            std::string& out = output_.text();
            if (column_++)
                out += ',';
            return &out;
        }
        return format_ == TableFormat::Json ? jsonMember() : nullptr;
    }
    std::string* jsonMember();
    std::string& alignedCell();
    void writeAsIs(std::string_view cell)
    {
        if (std::string* out = streamedCell())
            out->append(cell);
        else
            alignedCell().assign(cell);
    }
    void appendEncoded(std::string& out, std::string_view utf8) const;
    void writeAlignedLine(const std::vector<std::string>& cells, const std::vector<int>& widths);

    TableFormat format_;
    std::vector<TableColumn> columns_;
    text::CsvQuoting quoting_;
    TextOutput output_;
    std::vector<std::string> jsonKeys_; // each key as a JSON string, with its colon
    size_t column_ = 0;                 // the next cell's column in the row
    bool firstRow_ = true;
    std::vector<std::vector<std::string>> alignedRows_;
};

} // namespace korvane
