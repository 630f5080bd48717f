#pragma once

#include "lines/CoreLevel.h"

#include <optional>
#include <string_view>

namespace korvane::lines {

// Scofield's photoionisation cross-section of one level of an element for
// photons of the given energy (eV), in barns per atom: xraylib's partial
// cross-section of the level's shell (CS_Photo_Partial, cm^2/g) times the
// element's atomic weight over Avogadro's number. None when xraylib has
// none (the photons do not reach the level, or it tabulates no value there).
std::optional<double> photoionisationCrossSection(int atomicNumber, const CoreLevel& level, double photonEnergy);

// The cross-section of a peak as analysts integrate it, for a level as
// written: its one shell ("2p3/2", "1s"), or the sum of both components of
// a spin-orbit pair written without its spin-orbit part ("2p", "3d", "4f").
// None when either shell has none.
std::optional<double> peakCrossSection(int atomicNumber, std::string_view levelName, double photonEnergy);

} // namespace korvane::lines
