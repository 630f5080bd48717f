#include "calc/TransportCrossSection.h"

#include "calc/AtomPotential.h"
#include "calc/AtomicUnits.h"

#include <cmath>
#include <complex>
#include <stdexcept>
#include <vector>

namespace korvane {

namespace {

using Complex = std::complex<double>;

// a_l and b_l, the coefficients of P_l in 2ik f and of P_l^1 in 2ik g.
struct Coefficients {
    std::vector<Complex> direct;
    std::vector<Complex> spinFlip;
};

Coefficients coefficients(const PhaseShifts& s)
{
    Coefficients c;
    for (std::size_t l = 0; l < s.spinUp.size(); ++l) {
        const Complex up = std::polar(1.0, 2 * s.spinUp[l]) - 1.0;
        const Complex down = std::polar(1.0, 2 * s.spinDown[l]) - 1.0;
        const double dl = static_cast<double>(l);
        c.direct.push_back((dl + 1) * up + dl * down);
        c.spinFlip.push_back(l == 0 ? Complex() : down - up);
    }
    // One zero wave beyond the last keeps the neighbour sums simple.
    c.direct.emplace_back();
    c.spinFlip.emplace_back();
    return c;
}

// Int |f|^2 + |g|^2 dOmega (moment 0) or Int cos(theta) (|f|^2 + |g|^2) dOmega
// (moment 1), by
//   Int P_l^2 = 2/(2l+1),  Int (P_l^1)^2 = 2l(l+1)/(2l+1),
//   Int x P_l P_l+1 = 2(l+1)/((2l+1)(2l+3)),  Int x P_l^1 P_l+1^1 = 2l(l+1)(l+2)/((2l+1)(2l+3)).
double moment(const PhaseShifts& s, int order)
{
    const Coefficients c = coefficients(s);
    double sum = 0;
    for (std::size_t i = 0; i + 1 < c.direct.size(); ++i) {
        const double l = static_cast<double>(i);
        if (order == 0) {
            sum += std::norm(c.direct[i]) * 2 / (2 * l + 1) + std::norm(c.spinFlip[i]) * 2 * l * (l + 1) / (2 * l + 1);
        } else {
            const double across = (2 * l + 1) * (2 * l + 3);
            sum += 2 * std::real(c.direct[i] * std::conj(c.direct[i + 1])) * 2 * (l + 1) / across
                + 2 * std::real(c.spinFlip[i] * std::conj(c.spinFlip[i + 1])) * 2 * l * (l + 1) * (l + 2) / across;
        }
    }
    const double k = s.waveNumber;
    return 2 * atomic::kPi * sum / (4 * k * k);
}

} // namespace

double transportCrossSection(const PhaseShifts& shifts)
{
    return moment(shifts, 0) - moment(shifts, 1);
}

double atomTransportCrossSection(int atomicNumber, double energyEv, const PartialWaveSettings& settings)
{
    if (!(energyEv > 0) || !std::isfinite(energyEv))
        throw std::invalid_argument("the electron energy must be above 0 eV");
    const double energy = energyEv / atomic::kHartreeEv;
    const AtomPotential atom(screeningFunction(atomicNumber), energy);
    const CentralPotential potential{[&atom](double r) { return atom.total(r); }, atom.nuclearCharge()};
    const double fine = transportCrossSection(diracPhaseShifts(potential, energy, settings));
    const PartialWaveSettings coarseSettings{2 * settings.stepPhase};
    const double coarse = transportCrossSection(diracPhaseShifts(potential, energy, coarseSettings));
    return fine + (fine - coarse) / 15;
}

} // namespace korvane
