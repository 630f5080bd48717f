#pragma once

#include <string>
#include <string_view>

// How a text (UTF-8) is written into a cell of a CSV or JSON file, or into a
// line that must stay one line whatever the user typed.
namespace korvane::text {

// Appends `text` so that it stays on one line: a line feed, carriage return
// and tab as \n, \r and \t, every other control character and the Unicode
// line and paragraph separators as \uXXXX (lower-case hex).
void appendOneLine(std::string& out, std::string_view text);
std::string oneLine(std::string_view text);

// Appends `text` as a JSON string, in double quotes: a quote and a backslash
// behind a backslash, control characters below U+0020 as \u00XX, all other
// characters (non-ASCII included) as their UTF-8 bytes.
void appendJsonString(std::string& out, std::string_view text);

// The two rules for a text in a CSV cell.
enum class CsvQuoting {
    // For a person and a spreadsheet: the text kept on one line as
    // appendOneLine writes it, in double quotes when it holds a comma or a
    // quote.
    Report,
    // For a reader that must get back the same bytes: the text as it is, in
    // double quotes when it holds a comma, a quote, a line feed or a
    // carriage return, begins or ends with a blank, or is empty (so that an
    // empty text differs from an empty cell, which is no value).
    RoundTrip,
};

// Appends `text` as one CSV cell, a quote in a quoted cell doubled.
void appendCsvCell(std::string& out, std::string_view text, CsvQuoting quoting);

} // namespace korvane::text
