#pragma once

#include <string>
#include <vector>

// A table of rows that the page shows as tpp2m prints it for the same
// inputs: tpp2m's field names as columns, each cell with the text the page
// shows and the value tpp2m's --csv and --json write; the errors and notes
// in tpp2m's words.
namespace korvane::page {

struct TableCell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text;  // as shown: "11.723"
    std::string value; // as tpp2m --csv writes it: "11.722585"

    static TableCell empty() { return {}; }
    static TableCell ofText(std::string text) { return {Kind::Text, text, text}; }
    // A Single in its shortest form without an exponent, shown with `decimals` (all when negative).
    static TableCell ofSingle(float value, int decimals = -1);
    // A Single in its shortest form, with an exponent where that is shorter.
    static TableCell ofSingleWithExponent(float value);
    static TableCell ofInteger(long long value);
};

struct PageTable {
    std::vector<std::string> columns;
    std::vector<std::vector<TableCell>> rows;
    std::vector<std::string> errors;
    std::vector<std::string> notes;
};

// {"columns":[..],"rows":[[{"text":..,"value":..},..]],"errors":[..],"notes":[..]}; an empty cell is null.
std::string tableJson(const PageTable& table);

// The rows as tpp2m --csv writes them: the field names, then a line a row.
std::string tableCsv(const PageTable& table);

} // namespace korvane::page
