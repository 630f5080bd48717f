#pragma once

// Takes: the matrix's IMFP as a function of kinetic energy, an optional
// contamination layer over it (its IMFP function and thickness), the emission
// angle, the angle between the X-ray source and the analyser, the analyser's
// transmission exponent, and the peaks (the line as typed, its element,
// binding energy, photon energy, cross-section, whether it is an s level, its
// asymmetry parameter if given, and its area).
// Gives: one row per peak with every factor of its sensitivity
// S = sigma W lambda T O and the element's atomic percent, or the first
// refusal in one line, with the inputs named as the front end spells them.

#include "calc/MagicAngle.h"
#include "core/Result.h"
#include "query/RequestReader.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The IMFP in Å at a kinetic energy in eV, or the words for why there is none.
using ImfpOfEnergy = std::function<Result<float>(float kineticEnergy)>;

struct QuantificationPeak {
    std::string line;                // as typed: "Cu 2p3/2"
    std::string element;             // "Cu"
    double bindingEnergy = 0;        // eV; the stronger component of a doublet written without its spin-orbit part
    double photonEnergy = 0;         // eV
    double crossSection = 0;         // barns per atom; the whole doublet for "Cu 2p"
    bool sLevel = false;             // "O 1s": one shell, beta 2 unless given
    std::optional<double> asymmetry; // beta as given
    double area = 0;
};

// A contamination layer over the sample.
struct QuantificationOverlayer {
    ImfpOfEnergy imfp;
    double thickness = 0; // Å
};

struct QuantificationInputs {
    ImfpOfEnergy matrixImfp;
    std::optional<QuantificationOverlayer> overlayer = std::nullopt;
    double emissionAngle = 0;         // theta, degrees from the surface normal
    double sourceAngle = kMagicAngle; // psi, degrees between the source and the analyser
    double transmissionExponent = 0;  // n of T = E^-n; 0 for areas already divided by the transmission
    std::vector<QuantificationPeak> peaks;
};

// A peak's factors and its element's share. A peak whose IMFP has no value
// holds the words in `error` and NaN from the IMFP on; then no peak has an
// atomic percent (NaN).
struct QuantificationRow {
    std::string line;
    std::string element;
    double bindingEnergy = 0; // eV
    float kineticEnergy = 0;  // eV, held as the IMFP takes it
    double area = 0;
    double crossSection = 0;         // barns per atom
    double asymmetry = 0;            // beta used
    double angularFactor = 0;        // W
    double imfp = 0;                 // lambda in Å
    double transmission = 0;         // T
    double overlayerAttenuation = 0; // O
    double sensitivity = 0;          // S
    double atomicPercent = 0;
    std::string error = {};
};

// The tolerance in degrees around the magic angle within which a level
// without an asymmetry parameter is taken with W = 1.
inline constexpr double kMagicAngleTolerance = 0.1;

// Below this kinetic energy (eV) a peak is refused: the IMFP formula does not reach there.
inline constexpr double kLowestQuantifiedEnergy = 50;

// The refusal of a quantification without peaks: "no peak to quantify: give --peak "LINE=AREA"".
std::string noPeakToQuantify(const InputSpelling& spelling);

// The emission angle at least 0° and below 90°, the source angle from 0 to
// 180 degrees, or the words that refuse them.
Result<void> checkQuantificationAngles(double emissionAngle, double sourceAngle, const InputSpelling& spelling);

// The fields of a row, in order: line, element, binding_energy_eV, ...
std::span<const std::string_view> quantificationFields();

// W = 1 + (beta/2)((3/2) sin^2 psi - 1), psi in degrees.
double angularFactor(double asymmetry, double sourceAngle);

// The rows of the peaks in their order, or the first refusal: no peak, an
// area not above 0, two peaks of one element, a level the photons cannot
// ionise or that leaves below 50 eV, a level other than s without beta away
// from the magic angle, a W of 0 or below.
Result<std::vector<QuantificationRow>> quantify(const QuantificationInputs& inputs,
                                                const InputSpelling& spelling = optionSpelling);

} // namespace korvane
