#pragma once

#include "lines/CoreLevel.h"

#include <optional>

namespace korvane::lines {

// Scofield's photoionisation cross-section of one level of an element for
// photons of the given energy (eV), in barns per atom: xraylib's partial
// cross-section of the level's shell (CS_Photo_Partial, cm^2/g) times the
// element's atomic weight over Avogadro's number. None when xraylib has
// none (the photons do not reach the level, or it tabulates no value there).
std::optional<double> photoionisationCrossSection(int atomicNumber, const CoreLevel& level, double photonEnergy);

} // namespace korvane::lines
