#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The shipped table of first transport cross-sections sigma_1 of the free
// atoms Z = 1 to 103 on a logarithmic grid of electron energies from 50 eV to
// 30 keV, computed by this program's partial-wave code (the generator
// tools/transport-table writes data/transport-cross-sections.txt, which is
// compiled in). Lookups interpolate linearly in ln sigma against ln E.
namespace korvane {

constexpr double kTableLowestEnergy = 50;     // eV
constexpr double kTableHighestEnergy = 30000; // eV

// The grid's energies in eV: lowest, highest and geometric steps between.
std::vector<double> transportTableEnergies();

// The table text's comment lines and column names, and its line for one atom
// at one energy (computed now): "29\tCu\t1000\t0.2437196".
std::string transportTableHeader();
std::string transportTableLine(int atomicNumber, double energyEv);

class TransportTable {
public:
    // Reads a table text; throws std::logic_error when it is malformed or
    // leaves out an element or an energy.
    explicit TransportTable(std::string_view text);

    // sigma_1 in a0^2 interpolated at E in eV; nullopt outside 50 eV to
    // 30 keV or for Z outside 1 to 103.
    std::optional<double> crossSection(int atomicNumber, double energyEv) const;

    // The value at a grid node as the text holds it.
    double nodeValue(int atomicNumber, std::size_t energyIndex) const;
    const std::vector<double>& energies() const { return energies_; }

private:
    std::vector<double> energies_;
    std::vector<std::vector<double>> values_; // [Z - 1][energy index]
};

// The compiled-in table and its text.
const TransportTable& shippedTransportTable();
std::string_view transportTableText();

} // namespace korvane
