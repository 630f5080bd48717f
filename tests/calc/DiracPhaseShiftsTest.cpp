#include "calc/AtomPotential.h"
#include "calc/AtomicUnits.h"
#include "calc/DiracPhaseShifts.h"
#include "calc/RiccatiBessel.h"
#include "calc/TransportCrossSection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using namespace korvane;

constexpr double kC = atomic::kSpeedOfLight;
constexpr double kPi = atomic::kPi;

// An independent route to a phase shift: the variable-phase equation,
// integrated from the origin with small classical Runge-Kutta steps,
//     Dirac:       d delta/dr = -V/(c f) [ (cos d jhat_l - sin d yhat_l)^2 + f^2 (cos d jhat_lbar - sin d yhat_lbar)^2
//     ], Schroedinger: d delta/dr = -2V/k (cos d jhat_l - sin d yhat_l)^2,
// with f = c k / (E + 2c^2) and lbar = l + 1 for kappa < 0, l - 1 for kappa > 0.
// The relativistic form follows from the radial Dirac equations written as
// A(r) (cos d u - sin d w) with u, w the free solutions.
struct VariablePhase {
    std::function<double(double)> potential;
    double energy;
    bool relativistic;

    double waveNumber() const { return relativistic ? relativisticWaveNumber(energy) : std::sqrt(2 * energy); }

    double slope(double r, double delta, int l, int kappa) const
    {
        const double k = waveNumber();
        const int lbar = kappa < 0 ? l + 1 : l - 1;
        const auto free = riccatiBessel(k * r, l + 1);
        const double c = std::cos(delta), s = std::sin(delta);
        const double big = c * free.regular[l] - s * free.irregular[l];
        if (!relativistic)
            return -2 * potential(r) / k * big * big;
        const double f = kC * k / (energy + 2 * kC * kC);
        const double small = c * free.regular[lbar] - s * free.irregular[lbar];
        return -potential(r) / (kC * f) * (big * big + f * f * small * small);
    }

    double phase(int l, int kappa, double rMax) const
    {
        const double k = waveNumber();
        double r = 1e-7, delta = 0;
        while (r < rMax) {
            const double h = std::min(0.002 * r, 0.004 / k);
            const double k1 = slope(r, delta, l, kappa);
            const double k2 = slope(r + h / 2, delta + h / 2 * k1, l, kappa);
            const double k3 = slope(r + h / 2, delta + h / 2 * k2, l, kappa);
            const double k4 = slope(r + h, delta + h * k3, l, kappa);
            delta += h / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
            r += h;
        }
        return std::remainder(delta, kPi);
    }
};

TEST(DiracPhaseShifts, PureYukawaAgreesWithTheVariablePhaseIntegration)
{
    // V = -2 exp(-r) / r at 100 eV.
    const auto yukawa = [](double r) { return -2 * std::exp(-r) / r; };
    const double energy = 100 / atomic::kHartreeEv;
    const PhaseShifts shifts = diracPhaseShifts({yukawa, 2.0}, energy, {0.015});
    const VariablePhase reference{yukawa, energy, true};
    ASSERT_GE(shifts.spinUp.size(), 6u);
    for (int l = 0; l <= 5; ++l) {
        EXPECT_NEAR(shifts.spinUp[l], reference.phase(l, -(l + 1), 40), 1e-7) << "l = " << l;
        if (l > 0) {
            EXPECT_NEAR(shifts.spinDown[l], reference.phase(l, l, 40), 1e-7) << "l = " << l;
        }
    }
    // An attractive potential pulls every phase forward; spin-orbit
    // coupling binds j = l - 1/2 a little more than j = l + 1/2.
    EXPECT_GT(shifts.spinDown[1], shifts.spinUp[1]);
    EXPECT_LT(shifts.spinDown[1] - shifts.spinUp[1], 1e-3 * shifts.spinUp[1]);
}

// Schroedinger partial waves for carbon at 100 eV, closed sum
// 4 pi / k^2 sum (l+1) sin^2(delta_l+1 - delta_l), against the Dirac result:
// the spin-orbit and relativistic terms are of the order (Z/c)^2 = 2e-3.
TEST(DiracPhaseShifts, SchroedingerLimitForCarbonAtLowEnergy)
{
    const double energy = 100 / atomic::kHartreeEv;
    const AtomPotential carbon(screeningFunction(6), energy);
    const VariablePhase schroedinger{[&carbon](double r) { return carbon.total(r); }, energy, false};
    const double k = schroedinger.waveNumber();
    std::vector<double> delta;
    for (int l = 0; l <= 16; ++l)
        delta.push_back(schroedinger.phase(l, 0, 30));
    double sum = 0;
    for (std::size_t l = 0; l + 1 < delta.size(); ++l)
        sum += (l + 1) * std::pow(std::sin(delta[l + 1] - delta[l]), 2);
    const double nonRelativistic = 4 * kPi / (k * k) * sum;
    const double dirac = atomTransportCrossSection(6, 100);
    EXPECT_NEAR(dirac / nonRelativistic, 1.0, 2e-3);
}

// The atom's nucleus is a point charge. A nucleus of uniform charge within
// 1.2 A^(1/3) fm (gold: 1.32e-4 bohr) changes sigma_1 by far less than 1e-3.
TEST(DiracPhaseShifts, FiniteNucleusChangesGoldByLessThanAThousandth)
{
    const double radius = 1.2e-15 * std::cbrt(197.0) / 0.529177210903e-10;
    for (double energyEv : {1000.0, 30000.0}) {
        const double energy = energyEv / atomic::kHartreeEv;
        const AtomPotential gold(screeningFunction(79), energy);
        const auto point = [&gold](double r) { return gold.total(r); };
        const auto finite = [&gold, radius](double r) {
            const double v = gold.total(r);
            return r >= radius ? v : v + 79 / r - 79 * (3 - r * r / (radius * radius)) / (2 * radius);
        };
        const double sigmaPoint = transportCrossSection(diracPhaseShifts({point, 79}, energy));
        const double sigmaFinite = transportCrossSection(diracPhaseShifts({finite, 79}, energy));
        EXPECT_NEAR(sigmaFinite / sigmaPoint, 1.0, 1e-3) << energyEv << " eV";
        EXPECT_NE(sigmaFinite, sigmaPoint);
    }
}

} // namespace
