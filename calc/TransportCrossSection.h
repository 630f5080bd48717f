#pragma once

#include "calc/DiracPhaseShifts.h"

// The first transport cross-section of elastic scattering,
//     sigma_1 = 2 pi Int (1 - cos theta) (|f|^2 + |g|^2) sin theta dtheta,
// with f and g the direct and spin-flip amplitudes of Dirac partial waves
//     f = 1/(2ik) sum_l [(l+1)(exp(2i delta_-(l+1)) - 1) + l (exp(2i delta_l) - 1)] P_l(cos theta),
//     g = 1/(2ik) sum_l [exp(2i delta_l) - exp(2i delta_-(l+1))] P_l^1(cos theta).
// The integral is done in closed form by the orthogonality of the Legendre
// functions. Areas are in bohr^2 (a0^2).
namespace korvane {

double transportCrossSection(const PhaseShifts& shifts);

// The total elastic cross-section sigma_el = Int (|f|^2 + |g|^2) dOmega, in
// closed form by the same orthogonality, in a0^2.
double elasticCrossSection(const PhaseShifts& shifts);

// sigma_1 of a free neutral atom Z = 1 to 103 for an electron of kinetic
// energy E in eV, by Dirac partial waves in the screened-nucleus potential
// with exchange (calc/AtomPotential.h). In a0^2. The radial integration's
// error falls as the fourth power of the step, so the result is extrapolated
// from the given step and twice it (Richardson): converged to about 1e-5. Throws std::out_of_range
// for another Z and std::invalid_argument for E <= 0.
double atomTransportCrossSection(int atomicNumber, double energyEv, const PartialWaveSettings& settings = {});

} // namespace korvane
