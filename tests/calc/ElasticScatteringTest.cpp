#include "calc/ElasticScattering.h"
#include "calc/TransportCrossSection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace korvane;

constexpr double kPi = 3.14159265358979323846;

// 2 pi Int w(cos theta) dsigma/dOmega dcos(theta) over the tabulated angles,
// by the trapezoidal rule in cos theta.
template <typename Weight>
double integrated(const FormulaScattering& t, Weight weight)
{
    double sum = 0;
    for (std::size_t i = 0; i + 1 < t.angles.size(); ++i) {
        const double a = std::cos(t.angles[i]), b = std::cos(t.angles[i + 1]);
        sum += (a - b) * (weight(a) * t.dcs[i] + weight(b) * t.dcs[i + 1]) / 2;
    }
    return 2 * kPi * sum;
}

TEST(ElasticScattering, TabulatedAngularDistributionAgreesWithTheClosedSums)
{
    for (const auto& [z, energy] : {std::pair{79, 1000.0}, {79, 50.0}, {29, 500.0}, {6, 30000.0}}) {
        const FormulaScattering t = formulaScattering({{z, 1}}, energy);
        const double elastic = integrated(t, [](double) { return 1.0; });
        const double transport = integrated(t, [](double mu) { return 1 - mu; });
        EXPECT_NEAR(elastic / t.elastic, 1.0, 0.01) << "Z = " << z << ", " << energy << " eV";
        EXPECT_NEAR(transport / t.transport, 1.0, 0.001) << "Z = " << z << ", " << energy << " eV";
        // sigma_1 is the shipped quantity: the same phase shifts give it.
        EXPECT_NEAR(t.transport / atomTransportCrossSection(z, energy), 1.0, 1e-4);
        EXPECT_GT(t.elastic, t.transport / 2);
    }
}

TEST(ElasticScattering, FormulaUnitSumsItsAtomsAndTheAngleGrid)
{
    const FormulaScattering silica = formulaScattering({{14, 1}, {8, 2}}, 1500, 601);
    const FormulaScattering si = formulaScattering({{14, 1}}, 1500, 601);
    const FormulaScattering o = formulaScattering({{8, 1}}, 1500, 601);
    ASSERT_EQ(silica.angles.size(), 601u);
    EXPECT_EQ(silica.angles.front(), 0.0);
    EXPECT_EQ(silica.angles.back(), kPi);
    // Denser at small angles: the first step is far below the last.
    EXPECT_LT(silica.angles[1] - silica.angles[0], 1e-3 * (silica.angles[600] - silica.angles[599]));
    for (std::size_t i : {0u, 100u, 600u})
        EXPECT_DOUBLE_EQ(silica.dcs[i], si.dcs[i] + 2 * o.dcs[i]);
    EXPECT_DOUBLE_EQ(silica.elastic, si.elastic + 2 * o.elastic);
    // Forward scattering dominates: the cross-section falls by orders of magnitude.
    EXPECT_GT(si.dcs.front(), 100 * si.dcs.back());
    EXPECT_THROW(formulaScattering({}, 1000), std::invalid_argument);
    EXPECT_THROW(formulaScattering({{104, 1}}, 1000), std::out_of_range);
    EXPECT_THROW(formulaScattering({{6, 1}}, 0), std::invalid_argument);
}

} // namespace
