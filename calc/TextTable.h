#pragma once

#include <functional>
#include <string_view>
#include <vector>

// The data tables compiled into the program (screening functions, transport
// cross-sections) are text: a row a line, its fields separated by tabs. Lines
// that start with '#' are comments, the line that starts with "Z" names the
// columns. A malformed table is a fault of the build and throws
// std::logic_error, naming the table.
namespace korvane::texttable {

// Calls `row` with the fields of each data row of `text` and the line they
// come from (a carriage return before the line feed left out).
void forEachRow(std::string_view text,
                const std::function<void(const std::vector<std::string_view>& fields, std::string_view line)>& row);

// A whole field read as a number.
double number(std::string_view field, const char* table);

} // namespace korvane::texttable
