#include "calc/AtomPotential.h"
#include "calc/AtomicUnits.h"
#include "calc/ScreeningFunction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

using namespace korvane;

TEST(ScreeningFunction, TableReadsEveryElementWithItsSymbol)
{
    EXPECT_EQ(elementSymbol(1), "H");
    EXPECT_EQ(elementSymbol(103), "Lr");
    EXPECT_EQ(atomicNumberOf("Cu"), 29);
    EXPECT_EQ(atomicNumberOf("cu"), 0);
    EXPECT_THROW(screeningFunction(0), std::out_of_range);
    EXPECT_THROW(screeningFunction(104), std::out_of_range);
    // Neon's third amplitude is zero within rounding, and written as zero.
    EXPECT_EQ(screeningFunction(10).amplitude[2], 0.0);
}

// The density from Poisson's equation holds Z electrons: 4 pi Int rho r^2 dr
// by Simpson's rule in ln r. The potential is a bare nucleus near the centre.
TEST(AtomPotential, DensityHoldsTheAtomsElectronsAndTheNucleusShowsAtTheCentre)
{
    for (int z : {1, 10, 29, 103}) {
        const AtomPotential atom(screeningFunction(z), 10.0);
        const double t0 = std::log(1e-8), t1 = std::log(200.0);
        const int n = 20000;
        const double h = (t1 - t0) / n;
        double sum = 0;
        for (int i = 0; i <= n; ++i) {
            const double r = std::exp(t0 + i * h);
            const double w = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
            sum += w * 4 * atomic::kPi * atom.electronDensity(r) * r * r * r;
        }
        EXPECT_NEAR(sum * h / 3, z, 1e-6 * z) << "Z = " << z;
        EXPECT_NEAR(-1e-9 * atom.electrostatic(1e-9), z, 1e-6 * z);
        EXPECT_LT(atom.exchange(1.0), 0.0);
    }
}

// Far from the atom the exchange energy tends to -pi rho / (E - V_st), its
// first order in the density.
TEST(AtomPotential, ExchangeFollowsItsWeakDensityLimit)
{
    const AtomPotential atom(screeningFunction(29), 2.0);
    const double r = 10.0;
    const double weak = -atomic::kPi * atom.electronDensity(r) / (2.0 - atom.electrostatic(r));
    EXPECT_NEAR(atom.exchange(r) / weak, 1.0, 1e-5);
}

} // namespace
