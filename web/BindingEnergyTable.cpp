#include "web/BindingEnergyTable.h"

#include "core/NumberText.h"

namespace korvane::page {

BindingEnergyTable::BindingEnergyTable(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos)
            continue;
        const std::optional<double> z = numbers::readDouble(line.substr(0, first));
        const std::optional<double> energy = numbers::readDouble(line.substr(second + 1));
        if (z && energy)
            energies_[{int(*z), std::string(line.substr(first + 1, second - first - 1))}] = *energy;
    }
}

std::optional<double> BindingEnergyTable::energy(int atomicNumber, std::string_view level) const
{
    const auto found = energies_.find(std::pair<int, std::string>(atomicNumber, level));
    if (found == energies_.end())
        return std::nullopt;
    return found->second;
}

BindingEnergyTable& pageBindingEnergies()
{
    static BindingEnergyTable table;
    return table;
}

} // namespace korvane::page
