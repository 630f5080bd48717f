#pragma once

#include <span>
#include <string_view>

namespace korvane {

// A laboratory X-ray source and the energy of its photons.
struct XraySource {
    std::string_view key;  // as typed on the command line: "AlKa"
    std::string_view name; // as shown: "Al Kα" (UTF-8)
    double photonEnergy;   // eV
};

// Mg Kα, Al Kα, Ag Lα, Cr Kα and Ga Kα, by rising photon energy.
std::span<const XraySource> xraySources();

// The source of a key such as "AlKa", or null.
const XraySource* findXraySource(std::string_view key);

} // namespace korvane
