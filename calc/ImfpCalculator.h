#pragma once

#include <optional>

namespace korvane {

// The five inputs of the TPP-2M formula, each already held as a Single.
struct ImfpInputs {
    float density = 0;          // rho, g/cm3
    float valenceElectrons = 0; // Nv per atom or molecule
    float mass = 0;             // M, g/mol
    float bandGap = 0;          // Eg, eV
    float energy = 0;           // E, eV
};

enum class ImfpForm { NonRelativistic, Relativistic };

// Inelastic mean free path in ångström by the TPP-2M formula of Tanuma,
// Powell and Penn, in its non-relativistic or relativistic form. Intermediates
// are held as Singles at the same points as the published procedure; every
// other step runs in Double. No value when the arithmetic fails (division by
// zero, square root or fractional power of a negative number, log of a
// non-positive number, a result too large for a Single).
std::optional<float> imfpNonRelativistic(const ImfpInputs& in);
std::optional<float> imfpRelativistic(const ImfpInputs& in);
std::optional<float> imfp(ImfpForm form, const ImfpInputs& in);

} // namespace korvane
