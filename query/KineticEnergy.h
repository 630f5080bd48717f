#pragma once

// Takes: a photoelectron line's name and binding energy (from xraylib on the
// desktop, from a table in the browser), and the photon energy or the key of
// a laboratory source ("AlKa").
// Gives: the kinetic energy of the photoelectrons in eV, or the words for why
// there is none; the source of a key; an energy's text ("1486.6 eV").

#include "core/Result.h"
#include "query/XraySource.h"

#include <string>
#include <string_view>

namespace korvane {

// An energy as tpp2m and the line window write it: up to 15 significant
// digits and " eV".
std::string electronVolts(double energy);

// The source of a key, or "unknown source "AlKb" (choose from MgKa, AlKa, ...)".
Result<const XraySource*> sourceOfKey(std::string_view key);

// The keys of the sources, in order: "MgKa, AlKa, AgLa, CrKa, GaKa".
std::string sourceKeys();

// Photon energy minus binding energy, referenced like the binding energy to
// the Fermi level (the spectrometer's work function is left out). A line
// whose binding energy is not below the photon energy gives none: "its
// binding energy 8979 eV is not below the photon energy 1486.6 eV".
Result<double> kineticEnergy(double bindingEnergy, double photonEnergy);

} // namespace korvane
