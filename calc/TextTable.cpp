#include "calc/TextTable.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace korvane::texttable {

void forEachRow(std::string_view text,
                const std::function<void(const std::vector<std::string_view>& fields, std::string_view line)>& row)
{
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || line.front() == 'Z')
            continue;
        fields.clear();
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        row(fields, line);
    }
}

double number(std::string_view field, const char* table)
{
    double value = 0;
#if defined(__cpp_lib_to_chars)
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    const bool whole = ec == std::errc() && end == field.data() + field.size();
#else
    // A standard library without floating-point from_chars (the browser
    // page's): strtod, whose C locale there always reads the full stop.
    const std::string text(field);
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    const bool whole = !text.empty() && end == text.c_str() + text.size();
#endif
    if (!whole)
        throw std::logic_error(std::string(table) + ": not a number: " + std::string(field));
    return value;
}

} // namespace korvane::texttable
