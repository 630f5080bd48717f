#include "calc/ElasticScattering.h"

#include "calc/AtomPotential.h"
#include "calc/AtomicUnits.h"
#include "calc/TransportCrossSection.h"

#include <cmath>
#include <stdexcept>

namespace korvane {

PartialWaveCoefficients partialWaveCoefficients(const PhaseShifts& s)
{
    using Complex = std::complex<double>;
    PartialWaveCoefficients c;
    for (std::size_t l = 0; l < s.spinUp.size(); ++l) {
        const Complex up = std::polar(1.0, 2 * s.spinUp[l]) - 1.0;
        const Complex down = std::polar(1.0, 2 * s.spinDown[l]) - 1.0;
        const double dl = static_cast<double>(l);
        c.direct.push_back((dl + 1) * up + dl * down);
        c.spinFlip.push_back(l == 0 ? Complex() : down - up);
    }
    c.direct.emplace_back();
    c.spinFlip.emplace_back();
    return c;
}

std::vector<double> differentialCrossSections(const PhaseShifts& shifts, const std::vector<double>& angles)
{
    using Complex = std::complex<double>;
    const PartialWaveCoefficients c = partialWaveCoefficients(shifts);
    const double k = shifts.waveNumber;
    std::vector<double> dcs;
    dcs.reserve(angles.size());
    for (const double theta : angles) {
        // P_l and P_l^1 by their upward recurrences in l.
        const double x = std::cos(theta);
        Complex f, g;
        double p0 = 1, p1 = x;
        double q0 = 0, q1 = std::sin(theta);
        for (std::size_t l = 0; l + 1 < c.direct.size(); ++l) {
            const double dl = static_cast<double>(l);
            f += c.direct[l] * p0;
            g += c.spinFlip[l] * q0;
            const double p2 = ((2 * dl + 3) * x * p1 - (dl + 1) * p0) / (dl + 2);
            const double q2 = ((2 * dl + 3) * x * q1 - (dl + 2) * q0) / (dl + 1);
            p0 = p1, p1 = p2, q0 = q1, q1 = q2;
        }
        dcs.push_back((std::norm(f) + std::norm(g)) / (4 * k * k));
    }
    return dcs;
}

PhaseShifts atomPhaseShifts(int atomicNumber, double energyEv, const PartialWaveSettings& settings)
{
    if (!(energyEv > 0) || !std::isfinite(energyEv))
        throw std::invalid_argument("the electron energy must be above 0 eV");
    const double energy = energyEv / atomic::kHartreeEv;
    const AtomPotential atom(screeningFunction(atomicNumber), energy);
    const CentralPotential potential{[&atom](double r) { return atom.total(r); }, atom.nuclearCharge()};
    return diracPhaseShifts(potential, energy, settings);
}

std::vector<double> scatteringAngles(std::size_t count)
{
    std::vector<double> angles(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(count - 1);
        angles[i] = atomic::kPi * t * t;
    }
    angles.back() = atomic::kPi;
    return angles;
}

FormulaScattering formulaScattering(const std::vector<FormulaAtom>& atoms, double energyEv, std::size_t angleCount)
{
    if (atoms.empty())
        throw std::invalid_argument("a formula unit needs at least one atom");
    FormulaScattering sum;
    sum.angles = scatteringAngles(angleCount);
    sum.dcs.assign(angleCount, 0.0);
    for (const FormulaAtom& atom : atoms) {
        const PhaseShifts shifts = atomPhaseShifts(atom.atomicNumber, energyEv);
        const std::vector<double> dcs = differentialCrossSections(shifts, sum.angles);
        for (std::size_t i = 0; i < angleCount; ++i)
            sum.dcs[i] += atom.count * dcs[i];
        sum.elastic += atom.count * elasticCrossSection(shifts);
        sum.transport += atom.count * transportCrossSection(shifts);
    }
    return sum;
}

double meanFreePath(double density, double mass, double crossSection)
{
    constexpr double kAvogadro = 6.02214076e23; // 1/mol
    constexpr double kAngstromPerCm = 1e8;
    const double perCm3 = density * kAvogadro / mass;
    return kAngstromPerCm / (perCm3 * crossSection * atomic::kBohrRadiusSquaredCm2);
}

} // namespace korvane
