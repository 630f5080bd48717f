#pragma once

#include "calc/DiracPhaseShifts.h"

#include <complex>
#include <vector>

// Elastic scattering of an electron by free atoms, angle by angle: the
// differential cross-section
//     dsigma/dOmega(theta) = |f(theta)|^2 + |g(theta)|^2
// from the direct and spin-flip amplitudes of the Dirac partial waves (see
// calc/TransportCrossSection.h), and the total elastic cross-section
// sigma_el, its integral over all directions. Areas are in bohr^2 (a0^2).
namespace korvane {

// a_l and b_l, the coefficients of P_l(cos theta) in 2ik f and of
// P_l^1(cos theta) in 2ik g, for l = 0 to the last wave, and one zero wave
// beyond the last so that sums over neighbours need no end case.
struct PartialWaveCoefficients {
    std::vector<std::complex<double>> direct;
    std::vector<std::complex<double>> spinFlip;
};
PartialWaveCoefficients partialWaveCoefficients(const PhaseShifts& shifts);

// dsigma/dOmega in a0^2/sr at each polar angle (radians, 0 to pi).
std::vector<double> differentialCrossSections(const PhaseShifts& shifts, const std::vector<double>& angles);

// The phase shifts of a free neutral atom Z = 1 to 103 for an electron of
// kinetic energy E in eV, in the screened-nucleus potential with exchange.
// Throws std::out_of_range for another Z and std::invalid_argument for E <= 0.
PhaseShifts atomPhaseShifts(int atomicNumber, double energyEv, const PartialWaveSettings& settings = {});

// `count` (at least 2) polar angles in radians from 0 to pi inclusive, spaced
// as the square of an even step so that the forward peak is finely resolved.
std::vector<double> scatteringAngles(std::size_t count);

// One atom of a formula unit and how many of it the unit holds.
struct FormulaAtom {
    int atomicNumber = 0;
    double count = 0;
};

// The elastic scattering of one formula unit, its atoms scattering
// independently: the cross-sections of the atoms summed with their counts.
struct FormulaScattering {
    std::vector<double> angles; // radians, from scatteringAngles
    std::vector<double> dcs;    // dsigma/dOmega at those angles, a0^2/sr
    double elastic = 0;         // sigma_el, a0^2
    double transport = 0;       // sigma_1, a0^2
};

// The angles at which FormulaScattering is tabulated for simulations.
inline constexpr std::size_t kSimulationAngleCount = 2001;

// Throws as atomPhaseShifts does; std::invalid_argument for no atoms.
FormulaScattering formulaScattering(const std::vector<FormulaAtom>& atoms, double energyEv,
                                    std::size_t angleCount = kSimulationAngleCount);

// The mean free path in Å between collisions of cross-section sigma (a0^2
// per formula unit) in a solid of density rho (g/cm3) and formula mass M
// (g/mol): 1 / (N sigma), N = rho N_A / M formula units per volume.
double meanFreePath(double density, double mass, double crossSection);

} // namespace korvane
