#include "web/CrossSectionTable.h"

#include "core/NumberText.h"

#include <vector>

namespace korvane::page {

CrossSectionTable::CrossSectionTable(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::vector<std::string_view> fields;
        for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
            fields.push_back(line.substr(0, tab));
        fields.push_back(line);
        if (fields.size() != 4)
            continue;
        const std::optional<double> z = numbers::readDouble(fields[0]);
        const std::optional<double> barns = numbers::readDouble(fields[3]);
        if (z && barns)
            barns_[{int(*z), std::string(fields[1]), std::string(fields[2])}] = *barns;
    }
}

std::optional<double> CrossSectionTable::barns(int atomicNumber, std::string_view level, std::string_view sourceKey) const
{
    const auto found = barns_.find(std::tuple<int, std::string, std::string>(atomicNumber, level, sourceKey));
    if (found == barns_.end())
        return std::nullopt;
    return found->second;
}

CrossSectionTable& pageCrossSections()
{
    static CrossSectionTable table;
    return table;
}

} // namespace korvane::page
