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

// Why the formula gives no IMFP for a set of inputs.
enum class ImfpFailure {
    Arithmetic,  // the arithmetic fails on the way (see below)
    NotPhysical, // the formula's bracket is zero or negative, or its length too large for a Single
};

// The input an arithmetic failure comes from, in the order a user checks
// them: an energy not above 0, no valence electrons, no mass, a density not
// above 0; Other when the inputs look usable and the formula still fails.
enum class ImfpInputFault { Other, Energy, ValenceElectrons, Mass, Density };

// What the user is told when the formula's value is no length at all.
inline constexpr const char* kNoPhysicalImfp = "the formula gives no physical IMFP for these values";

// The IMFP in ångström, or why there is none.
struct ImfpResult {
    std::optional<float> length;
    ImfpFailure failure = ImfpFailure::Arithmetic;  // meaningful only without a length
    ImfpInputFault inputFault = ImfpInputFault::Other; // meaningful only with ImfpFailure::Arithmetic
};

// Inelastic mean free path in ångström by the TPP-2M formula of Tanuma,
// Powell and Penn, in its non-relativistic or relativistic form. Intermediates
// are held as Singles at the same points as the published procedure; every
// other step runs in Double. No value when the arithmetic fails (division by
// zero, square root or fractional power of a negative number, log of a
// non-positive number, an intermediate too large for a Single), and none when
// the formula's value is no physical length: for some parameter sets the
// bracket of the denominator is zero or negative, which would give an
// infinite or negative path.
ImfpResult imfpNonRelativistic(const ImfpInputs& in);
ImfpResult imfpRelativistic(const ImfpInputs& in);
ImfpResult imfp(ImfpForm form, const ImfpInputs& in);

// "non-relativistic" or "relativistic", as tables, legends and files name the forms.
inline const char* formName(ImfpForm form)
{
    return form == ImfpForm::Relativistic ? "relativistic" : "non-relativistic";
}

} // namespace korvane
