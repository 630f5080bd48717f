#pragma once

#include <functional>
#include <vector>

// Phase shifts of an electron scattered by a central potential, from the
// radial Dirac equations in hartree atomic units
//     P' = -kappa/r P + (E - V + 2c^2)/c Q,   Q' = -(E - V)/c P + kappa/r Q,
// for kappa = -(l+1) (spin along the orbital momentum, j = l + 1/2) and
// kappa = l (j = l - 1/2). Each wave is integrated outward (classical
// Runge-Kutta on a grid of about one step per stepPhase radians of the local
// wave) from the origin, or from inside the centrifugal barrier where it has
// fallen by exp(-12), to a radius where the potential no longer turns the
// phase, and is there matched to free Riccati-Bessel waves. The sum over l
// ends after three waves in a row whose phases are below 1e-5 of the
// largest; the rest add less than 1e-8 of sigma_1.
namespace korvane {

struct CentralPotential {
    std::function<double(double)> energy; // V(r) in hartree, r in bohr; V <= 0
    double chargeAtOrigin = 0;            // Z0 = -lim r V(r) as r -> 0, above 0
};

struct PartialWaveSettings {
    double stepPhase = 0.06; // radians of the local wave per step
};

struct PhaseShifts {
    double waveNumber = 0;        // k in 1/bohr
    std::vector<double> spinUp;   // delta for kappa = -(l+1), l = 0, 1, ...
    std::vector<double> spinDown; // delta for kappa = l; spinDown[0] = 0 is unused
};

// Relativistic wave number: (c k)^2 = E (E + 2 c^2).
double relativisticWaveNumber(double kineticEnergy);

// Phase shifts in (-pi/2, pi/2] for l = 0 up to where they have died out.
PhaseShifts diracPhaseShifts(const CentralPotential& potential, double kineticEnergy,
                             const PartialWaveSettings& settings = {});

} // namespace korvane
