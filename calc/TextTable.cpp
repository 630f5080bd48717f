#include "calc/TextTable.h"

#include "core/NumberText.h"

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
    const std::optional<double> value = numbers::readDouble(field);
    if (!value)
        throw std::logic_error(std::string(table) + ": not a number: " + std::string(field));
    return *value;
}

} // namespace korvane::texttable
