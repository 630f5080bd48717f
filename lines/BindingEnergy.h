#pragma once

#include "lines/CoreLevel.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvane::lines {

// The elements whose levels xraylib knows: hydrogen (1) to lawrencium (103).
constexpr int kFirstElement = 1;
constexpr int kLastElement = 103;

// The atomic number of an element symbol ("Cu" gives 29; letter case counts),
// or none.
std::optional<int> atomicNumber(std::string_view symbol);

// The symbol of an element from kFirstElement to kLastElement.
std::string elementSymbol(int atomicNumber);

// The binding energy of a level in eV, relative to the Fermi level: xraylib's
// absorption-edge energy of its shell. None when xraylib has no energy for
// that level of that element (the level is empty, or a valence level it
// leaves out).
std::optional<double> bindingEnergy(int atomicNumber, const CoreLevel& level);

} // namespace korvane::lines
