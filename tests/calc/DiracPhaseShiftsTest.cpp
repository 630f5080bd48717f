#include "calc/AtomicUnits.h"
#include "calc/DiracPhaseShifts.h"
#include "calc/RiccatiBessel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using namespace korvane;

constexpr double kC = atomic::kSpeedOfLight;
constexpr double kPi = atomic::kPi;

// An independent route to a phase shift: the variable-phase equation,
// integrated from the origin with small classical Runge-Kutta steps,
//     d delta/dr = -V/(c f) [ (cos d jhat_l - sin d yhat_l)^2 + f^2 (cos d jhat_lbar - sin d yhat_lbar)^2 ],
// with f = c k / (E + 2c^2) and lbar = l + 1 for kappa < 0, l - 1 for kappa > 0.
// It follows from the radial Dirac equations written as A(r) (cos d u - sin d w)
// with u, w the free solutions.
struct VariablePhase {
    std::function<double(double)> potential;
    double energy;

    double slope(double r, double delta, int l, int kappa) const
    {
        const double k = relativisticWaveNumber(energy);
        const int lbar = kappa < 0 ? l + 1 : l - 1;
        const auto free = riccatiBessel(k * r, l + 1);
        const double c = std::cos(delta), s = std::sin(delta);
        const double big = c * free.regular[l] - s * free.irregular[l];
        const double f = kC * k / (energy + 2 * kC * kC);
        const double small = c * free.regular[lbar] - s * free.irregular[lbar];
        return -potential(r) / (kC * f) * (big * big + f * f * small * small);
    }

    double phase(int l, int kappa, double rMax) const
    {
        const double k = relativisticWaveNumber(energy);
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
    const VariablePhase reference{yukawa, energy};
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

} // namespace
