#include "calc/ElasticCorrection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <optional>
#include <tuple>

namespace {

using korvane::correctionFactorApprox1;
using korvane::correctionFactorApprox2;
using korvane::effectiveTransportMeanFreePath;
using korvane::transportMeanFreePaths;

// Value as the calculator shows it with a fixed number of decimals.
double shown(float v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(static_cast<double>(v) * scale) / scale;
}

TEST(ElasticCorrectionApprox1, TabulatedAtTheKnotsInterpolatedBetweenFixedOutside)
{
    // At the first knot and at the last ones; IMFP 4 keeps depth / IMFP exact.
    EXPECT_EQ(correctionFactorApprox1(0.0f, 4.0f), 1.098f);
    EXPECT_EQ(correctionFactorApprox1(4.0f * 7.0f, 4.0f), 0.023f);
    EXPECT_EQ(correctionFactorApprox1(4.0f * 8.0f, 4.0f), 0.023f);
    // Between the knots, as shown with 3 decimals.
    EXPECT_DOUBLE_EQ(shown(*correctionFactorApprox1(10.0f, 25.0f), 3), 1.082);  // x = 0.4
    EXPECT_DOUBLE_EQ(shown(*correctionFactorApprox1(21.0f, 10.0f), 3), 0.723);  // 0.750 - 0.1 * 0.272 / 0.25
    EXPECT_DOUBLE_EQ(shown(*correctionFactorApprox1(150.0f, 20.0f), 3), 0.023); // flat last segment
    // Past the table and below it (no segment matches) the values are fixed, not interpolated.
    EXPECT_EQ(correctionFactorApprox1(1000.0f, 20.0f), 0.023f);
    EXPECT_EQ(correctionFactorApprox1(-5.0f, 20.0f), 0.0f);

    EXPECT_FALSE(correctionFactorApprox1(10.0f, 0.0f).has_value()); // division by zero
    EXPECT_FALSE(correctionFactorApprox1(0.0f, 0.0f).has_value());  // 0 / 0
    // A reduced depth beyond Single range fails instead of taking the tail value.
    EXPECT_FALSE(correctionFactorApprox1(3e38f, 1e-3f).has_value());
    EXPECT_FALSE(correctionFactorApprox1(-3e38f, 1e-3f).has_value());
}

TEST(ElasticCorrectionTransport, SiliconPathsAndFailures)
{
    // Silicon: rho 2.33 g/cm3, A 28.09 g/mol, N about 4.996E28 atoms per m3.
    const auto paths = transportMeanFreePaths(2.33f, 28.09f, 1.0, 30.0f);
    EXPECT_DOUBLE_EQ(shown(paths.effTrMfp.value(), 2), 21.13);
    // 1 / (4.996E28 * 2.8005266E-21 m2) in angstrom, to the last bit: with the
    // Bohr radius held as a Single, a0^2 = 2.8005265814187778E-21 m2. Taking
    // 5.292E-11 at full Double precision instead gives 71.4732132.
    EXPECT_EQ(paths.trMfp, 71.4732056f);
    // The same combination as the paths from a cross-section, on its own.
    EXPECT_EQ(effectiveTransportMeanFreePath(*paths.trMfp, 30.0f), paths.effTrMfp);

    // Zero IMFP: the effective path is 0 without failing.
    const auto noImfp = transportMeanFreePaths(2.33f, 28.09f, 1.0, 0.0f);
    EXPECT_EQ(noImfp.trMfp, paths.trMfp);
    EXPECT_EQ(noImfp.effTrMfp, 0.0f);

    // Density, mass, cross-section: 1 / (N * 0), a zero molar mass, an atom density
    // beyond a Single (about 6E59 per m3), a TrMFP beyond a Single (about 6E50).
    const std::tuple<float, float, double> cases[] = {
        {2.33f, 28.09f, 0.0}, {2.33f, 0.0f, 1.0}, {1.0f, 1e-30f, 1.0}, {1e-30f, 1.0f, 1e-20}};
    for (const auto& [density, mass, crossSection] : cases) {
        const auto p = transportMeanFreePaths(density, mass, crossSection, 30.0f);
        EXPECT_FALSE(p.trMfp.has_value() || p.effTrMfp.has_value()) << density << " " << mass << " " << crossSection;
    }
    // TrMFP + IMFP = 0: only the effective path fails.
    const auto p = transportMeanFreePaths(2.33f, 28.09f, 1.0, -*paths.trMfp);
    EXPECT_EQ(p.trMfp, paths.trMfp);
    EXPECT_FALSE(p.effTrMfp.has_value());
    EXPECT_FALSE(effectiveTransportMeanFreePath(3e38f, -2.9e38f).has_value()); // -8.7E39, beyond a Single
}

TEST(ElasticCorrectionApprox2, ShownValuesAndFailures)
{
    // exp(-0.201962) + exp(-1.25132) at the surface; a negative depth is
    // evaluated by the same formula.
    const std::pair<float, double> cases[] = {{0.0f, 1.103}, {20.0f, 0.870}, {-10.0f, 1.102}};
    for (const auto& [depth, expected] : cases)
        EXPECT_DOUBLE_EQ(shown(correctionFactorApprox2(depth, 10.0f).value(), 3), expected) << depth;
    EXPECT_EQ(correctionFactorApprox2(1e6f, 1.0f), 0.0f); // very deep: both exponentials vanish

    EXPECT_FALSE(correctionFactorApprox2(5.0f, 0.0f).has_value());   // division by zero
    EXPECT_FALSE(correctionFactorApprox2(0.0f, 0.0f).has_value());   // 0 / 0
    EXPECT_FALSE(correctionFactorApprox2(3e38f, 1e-3f).has_value()); // x beyond Single
    // x = -600: the second exponential (about 4E40) is finite in Double but not a Single.
    EXPECT_FALSE(correctionFactorApprox2(-600.0f, 1.0f).has_value());
    // x = -5000: the second exponential overflows a Double.
    EXPECT_FALSE(correctionFactorApprox2(-5000.0f, 1.0f).has_value());
}

} // namespace
