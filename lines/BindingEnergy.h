#pragma once

#include "lines/CoreLevel.h"

#include <optional>

namespace korvane::lines {

// The binding energy of a level in eV, relative to the Fermi level: xraylib's
// absorption-edge energy of its shell. None when xraylib has no energy for
// that level of that element (the level is empty, or a valence level it
// leaves out).
std::optional<double> bindingEnergy(int atomicNumber, const CoreLevel& level);

} // namespace korvane::lines
