#include "calc/TransportTable.h"

#include "calc/ScreeningFunction.h"
#include "calc/TextTable.h"
#include "calc/TransportCrossSection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace korvane {

namespace {

// 50 energies per decade keep the interpolation error below 0.2 % (largest
// where sigma_1 has a minimum at low energy, for the heavy atoms).
constexpr int kEnergyCount = 140;

std::string formatted(const char* pattern, double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace

std::vector<double> transportTableEnergies()
{
    std::vector<double> energies;
    const double ratio = kTableHighestEnergy / kTableLowestEnergy;
    for (int i = 0; i < kEnergyCount; ++i)
        energies.push_back(kTableLowestEnergy * std::pow(ratio, static_cast<double>(i) / (kEnergyCount - 1)));
    energies.back() = kTableHighestEnergy;
    return energies;
}

std::string transportTableHeader()
{
    return "# First transport cross-sections sigma_1 of free neutral atoms, in units of a0^2\n"
           "# (a0 = 0.529177210903e-8 cm), for electrons of 50 eV to 30 keV.\n"
           "# Dirac partial waves in the electrostatic potential of a point nucleus screened\n"
           "# by the Dirac-Hartree-Fock-Slater screening function (data/dhfs-screening.tsv)\n"
           "# plus Furness-McCarthy exchange. Written by tools/transport-table; do not edit.\n"
           "Z\tsymbol\tenergy_eV\tsigma1_a0sq\n";
}

std::string transportTableLine(int atomicNumber, double energyEv)
{
    return std::to_string(atomicNumber) + '\t' + std::string(elementSymbol(atomicNumber)) + '\t'
        + formatted("%.10g", energyEv) + '\t' + formatted("%.7g", atomTransportCrossSection(atomicNumber, energyEv))
        + '\n';
}

TransportTable::TransportTable(std::string_view text) : values_(kLastElement)
{
    texttable::forEachRow(text, [this](const std::vector<std::string_view>& fields, std::string_view line) {
        if (fields.size() != 4)
            throw std::logic_error("transport table: a row without four fields: " + std::string(line));
        auto number = [](std::string_view field) { return texttable::number(field, "transport table"); };
        const int z = static_cast<int>(number(fields[0]));
        if (z < 1 || z > kLastElement || fields[1] != elementSymbol(z))
            throw std::logic_error("transport table: unknown element in: " + std::string(line));
        const double energy = number(fields[2]);
        std::vector<double>& row = values_[static_cast<std::size_t>(z - 1)];
        if (z == 1)
            energies_.push_back(energy);
        else if (row.size() >= energies_.size() || energies_[row.size()] != energy)
            throw std::logic_error("transport table: energies differ in: " + std::string(line));
        row.push_back(number(fields[3]));
    });
    for (const std::vector<double>& row : values_)
        if (row.size() != energies_.size() || row.empty())
            throw std::logic_error("transport table: an element lacks energies");
}

double TransportTable::nodeValue(int atomicNumber, std::size_t energyIndex) const
{
    return values_.at(static_cast<std::size_t>(atomicNumber - 1)).at(energyIndex);
}

std::optional<double> TransportTable::crossSection(int atomicNumber, double energyEv) const
{
    if (atomicNumber < 1 || atomicNumber > kLastElement || !(energyEv >= energies_.front())
        || !(energyEv <= energies_.back()))
        return std::nullopt;
    const std::vector<double>& row = values_[static_cast<std::size_t>(atomicNumber - 1)];
    const auto above = std::upper_bound(energies_.begin(), energies_.end(), energyEv);
    if (above == energies_.end())
        return row.back();
    const std::size_t i = static_cast<std::size_t>(above - energies_.begin()) - 1;
    if (energyEv == energies_[i])
        return row[i];
    const double t = std::log(energyEv / energies_[i]) / std::log(energies_[i + 1] / energies_[i]);
    return std::exp((1 - t) * std::log(row[i]) + t * std::log(row[i + 1]));
}

const TransportTable& shippedTransportTable()
{
    static const TransportTable table(transportTableText());
    return table;
}

} // namespace korvane
