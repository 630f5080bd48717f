#include "calc/TransportCrossSection.h"

#include "calc/AtomicUnits.h"
#include "calc/ElasticScattering.h"

#include <cmath>
#include <complex>
#include <stdexcept>
#include <vector>

namespace korvane {

namespace {

// Int |f|^2 + |g|^2 dOmega (moment 0) or Int cos(theta) (|f|^2 + |g|^2) dOmega
// (moment 1), by
//   Int P_l^2 = 2/(2l+1),  Int (P_l^1)^2 = 2l(l+1)/(2l+1),
//   Int x P_l P_l+1 = 2(l+1)/((2l+1)(2l+3)),  Int x P_l^1 P_l+1^1 = 2l(l+1)(l+2)/((2l+1)(2l+3)).
double moment(const PhaseShifts& s, int order)
{
    const PartialWaveCoefficients c = partialWaveCoefficients(s);
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

double elasticCrossSection(const PhaseShifts& shifts)
{
    return moment(shifts, 0);
}

double transportCrossSection(const PhaseShifts& shifts)
{
    return moment(shifts, 0) - moment(shifts, 1);
}

double atomTransportCrossSection(int atomicNumber, double energyEv, const PartialWaveSettings& settings)
{
    const double fine = transportCrossSection(atomPhaseShifts(atomicNumber, energyEv, settings));
    const PartialWaveSettings coarseSettings{2 * settings.stepPhase};
    const double coarse = transportCrossSection(atomPhaseShifts(atomicNumber, energyEv, coarseSettings));
    return fine + (fine - coarse) / 15;
}

} // namespace korvane
