#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The binding energies that page-data exports from xraylib for the page,
// where xraylib does not run: one line per level of an element,
// "29\t2p3/2\t932.70000000000005" (atomic number, level, eV).
namespace korvane::page {

class BindingEnergyTable {
public:
    BindingEnergyTable() = default;
    explicit BindingEnergyTable(std::string_view text);

    // The binding energy in eV of a level ("2p3/2") of the element Z.
    std::optional<double> energy(int atomicNumber, std::string_view level) const;

private:
    std::map<std::pair<int, std::string>, double, std::less<>> energies_;
};

// The table the page's binding energies come from, set once at start.
BindingEnergyTable& pageBindingEnergies();

} // namespace korvane::page
