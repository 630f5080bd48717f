#pragma once

// Hartree atomic units (CODATA 2018) in which the scattering physics works:
// lengths in bohr, energies in hartree, the electron's mass and charge 1.
namespace korvane::atomic {

constexpr double kHartreeEv = 27.211386245988;  // eV per hartree
constexpr double kSpeedOfLight = 137.035999084; // c in atomic units, 1/alpha
// CODATA, for the cross-sections; ElasticCorrection.cpp keeps its rounded Single to hold its figures.
constexpr double kBohrRadiusCm = 0.529177210903e-8;
constexpr double kBohrRadiusSquaredCm2 = kBohrRadiusCm * kBohrRadiusCm;
constexpr double kPi = 3.14159265358979323846;

} // namespace korvane::atomic
