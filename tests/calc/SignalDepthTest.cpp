#include "calc/ElasticCorrection.h"
#include "calc/OverlayerThickness.h"
#include "calc/SignalDepth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using namespace korvane;

double cosine(double degrees)
{
    return std::cos(degrees * std::numbers::pi / 180.0);
}

// Brute force, by another road than the program: the program's own CF
// functions sampled on a uniform grid and summed by Simpson's rule, cell by
// cell, from the surface to `end`.
double simpson(const std::function<double(double)>& f, double end, double step, double start = 0)
{
    double sum = 0;
    for (double a = start; a < end; a += step) {
        const double b = std::min(a + step, end);
        sum += (b - a) / 6.0 * (f(a) + 4.0 * f(0.5 * (a + b)) + f(b));
    }
    return sum;
}

double relative(double value, double expected)
{
    return std::abs(value - expected) / std::abs(expected);
}

TEST(SignalDepth, StraightLineClosedForms)
{
    // Near P = 0 and P = 1 the depth keeps its digits: -lambda ln(1 - P) by log1p.
    for (const double p : {1e-6, 0.999999})
        EXPECT_LT(relative(*informationDepth({DepthCorrection::None, 10.0, 0.0}, p), -10.0 * std::log1p(-p)), 1e-12);
    // 95 % of the signal from the top 2.996 lambda cos(angle).
    EXPECT_NEAR(*informationDepth({DepthCorrection::None, 10.0, 0.0}, 0.95), 29.957, 5e-4);
    EXPECT_NEAR(*informationDepth({DepthCorrection::None, 10.0, 60.0}, 0.95), 14.979, 5e-4);
    EXPECT_EQ(*signalFraction({DepthCorrection::None, 10.0, 0.0}, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(*wholeSignal({DepthCorrection::None, 10.0, 60.0}), 5.0);
}

TEST(SignalDepth, CorrectedModelsAgainstBruteForce)
{
    std::vector<DepthModel> models;
    for (const double imfp : {3.0, 250.0})
        for (const double angle : {0.0, 30.0})
            models.push_back({DepthCorrection::Approx1, imfp, angle});
    for (const double effTrMfp : {2.0, 400.0})
        for (const double angle : {0.0, 30.0})
            models.push_back({DepthCorrection::Approx2, 30.0, angle, effTrMfp});
    for (const DepthModel& model : models) {
        const bool first = model.correction == DepthCorrection::Approx1;
        const double length = model.imfp * cosine(model.angle);
        const auto phi = [&](double z) {
            const std::optional<float> cf = first ? correctionFactorApprox1(float(z), float(model.imfp))
                                                  : correctionFactorApprox2(float(z), float(model.effTrMfp));
            return double(*cf) * std::exp(-z / length);
        };
        const double step = first ? model.imfp / 2000.0 : std::min(model.effTrMfp, length) / 400.0;
        const double whole = simpson(phi, 60.0 * length, step);
        SCOPED_TRACE(testing::Message() << first << " " << model.imfp << " " << model.effTrMfp << " " << model.angle);
        const double mean = simpson([&](double z) { return z * phi(z); }, 60.0 * length, step) / whole;
        EXPECT_LT(relative(*meanEscapeDepth(model), mean), 1e-6);
        // The fraction of the signal above ID(P) is P, to 5e-7 of P or of 1 - P.
        for (const double p : {0.05, 0.5, 0.9, 0.95, 0.99}) {
            const double fraction = simpson(phi, *informationDepth(model, p), step) / whole;
            EXPECT_LT(std::abs(fraction - p) / std::min(p, 1 - p), 5e-7) << p;
        }
    }
    // The correction moves the signal to the surface: shallower than straight lines.
    EXPECT_NEAR(*informationDepth({DepthCorrection::Approx1, 10.0, 0.0}, 0.95), 22.1192, 1e-4);
    EXPECT_NEAR(*meanEscapeDepth({DepthCorrection::Approx1, 10.0, 0.0}), 7.7873, 1e-4);
}

// Near P = 1 the depth comes from the tail of the signal beneath it, which
// keeps its digits: the tail is 1 - P of the whole to 1e-6 of itself down to
// 1 - P = 1e-13 (SiO2 at 1486.6 eV with S = 1.2 was 2.7 % off there).
TEST(SignalDepth, Approximation2NearPOfOneAgainstAnIndependentQuadratureOfTheTail)
{
    const double imfp = 37.43;
    const DepthModel model{DepthCorrection::Approx2, imfp, 0.0,
                           *transportMeanFreePaths(2.65f, 60.08f, 1.2, float(imfp)).effTrMfp};
    const auto phi = [&](double z) { return depthDistribution(model, z); };
    const double step = std::min(model.effTrMfp, imfp) / 400.0;
    const double whole = simpson(phi, 60.0 * imfp, step);
    for (const double rest : {1e-3, 1e-6, 1e-9, 1e-10, 1e-11, 1e-12, 1e-13}) {
        const double p = 1.0 - rest;
        const double depth = *informationDepth(model, p);
        const double tail = simpson(phi, depth + 60.0 * imfp, step, depth);
        EXPECT_LT(relative(tail / whole, 1.0 - p), 1e-6) << rest;
    }
}

TEST(SignalDepth, BadInputGivesMessageAndNoNumber)
{
    // Refused input, which the Python module reports as a wrong input.
    const auto idError = [](const DepthModel& model, double p) {
        const Result<double> id = informationDepth(model, p);
        EXPECT_EQ(id.code(), ErrorCode::InvalidInput);
        return id.error();
    };
    EXPECT_EQ(idError({DepthCorrection::None, 0.0, 0.0}, 0.95), "the IMFP must be above 0 \u00C5");
    EXPECT_EQ(idError({DepthCorrection::None, 10.0, 90.0}, 0.95),
              "the angle must be at least 0\u00B0 and below 90\u00B0");
    EXPECT_EQ(idError({DepthCorrection::Approx1, 10.0, 30.5}, 0.95),
              "the elastic-scattering corrections hold only up to 30\u00B0 from the surface normal");
    EXPECT_EQ(idError({DepthCorrection::Approx2, 10.0, 0.0, 0.0}, 0.95), "the EffTrMFP must be above 0 \u00C5");
    for (const double p : {0.0, 1.0, -0.5, 95.0, std::nan("")})
        EXPECT_EQ(idError({DepthCorrection::None, 10.0, 0.0}, p), "the probability P must be above 0 and below 1");
    EXPECT_EQ(meanEscapeDepth({DepthCorrection::Approx2, 10.0, 45.0, 5.0}).error(),
              "the elastic-scattering corrections hold only up to 30\u00B0 from the surface normal");
    EXPECT_EQ(signalFraction({DepthCorrection::None, 10.0, 0.0}, -1.0).error(),
              "the thickness must be 0 \u00C5 or more");
    // Every result is shown as a Single.
    const Result<double> tooDeep = informationDepth({DepthCorrection::None, 3e38, 0.0}, 0.95);
    EXPECT_EQ(tooDeep.error(), "the result is too large to be held");
    EXPECT_EQ(tooDeep.code(), ErrorCode::OutOfRange);
    EXPECT_TRUE(informationDepth({DepthCorrection::None, 3e38, 0.0}, 0.5));
}

TEST(OverlayerThickness, OneEnergyClosedFormAndTwoEnergiesReproduceTheRatio)
{
    // lambda cos(angle) ln(1 + R / Rinf) with R / Rinf = e - 1: one lambda cos(angle).
    EXPECT_LT(relative(*overlayerThickness({29.12, 29.12, 60.0}, (std::numbers::e - 1) * 2.5, 2.5), 14.56), 1e-13);
    const Overlayer pairs[] = {{15.0, 31.0, 0.0}, {31.0, 15.0, 0.0}, {22.0, 23.0, 60.0}};
    for (const Overlayer& overlayer : pairs) {
        double previous = 0;
        for (int k = 0; k <= 80; ++k) {
            const double q = std::pow(10.0, -4.0 + k * 0.1);
            const double bulkRatio = 0.8;
            const Result<double> d = overlayerThickness(overlayer, q * bulkRatio, bulkRatio);
            ASSERT_TRUE(d) << d.error();
            EXPECT_GT(*d, previous); // a larger ratio needs a thicker layer
            previous = *d;
            const double back = *overlayerRatio(overlayer, *d, bulkRatio);
            EXPECT_LT(relative(back, q * bulkRatio), 1e-9) << overlayer.imfpOverlayer << " q " << q;
        }
    }
    EXPECT_EQ(*overlayerRatio({15.0, 31.0, 0.0}, 0.0, 0.8), 0.0);
}

TEST(OverlayerThickness, BadInputGivesMessageAndNoNumber)
{
    const auto error = [](const Overlayer& o, double r, double rInf) { return overlayerThickness(o, r, rInf).error(); };
    EXPECT_EQ(error({0.0, 10.0, 0.0}, 1.0, 1.0),
              "the IMFP of the overlayer at the overlayer energy must be above 0 \u00C5");
    EXPECT_EQ(error({10.0, -1.0, 0.0}, 1.0, 1.0),
              "the IMFP of the overlayer at the substrate energy must be above 0 \u00C5");
    EXPECT_EQ(error({10.0, 10.0, 90.0}, 1.0, 1.0), "the angle must be at least 0\u00B0 and below 90\u00B0");
    EXPECT_EQ(error({10.0, 12.0, 0.0}, 0.0, 1.0), "the ratio R must be above 0");
    EXPECT_EQ(error({10.0, 12.0, 0.0}, 1.0, -2.0), "the bulk ratio R\u221E must be above 0");
    EXPECT_EQ(error({10.0, 12.0, 0.0}, 1e300, 1e-300), "the ratio R / R\u221E is out of range");
    // Only the quotient of two valid ratios is out of range rather than wrong.
    EXPECT_EQ(overlayerThickness({10.0, 12.0, 0.0}, 1e300, 1e-300).code(), ErrorCode::OutOfRange);
    EXPECT_EQ(overlayerThickness({10.0, 12.0, 0.0}, 0.0, 1.0).code(), ErrorCode::InvalidInput);
    EXPECT_EQ(overlayerThickness({10.0, 12.0, 90.0}, 1.0, 1.0).code(), ErrorCode::InvalidInput);
    EXPECT_EQ(overlayerRatio({10.0, 12.0, 0.0}, -1.0, 1.0).error(), "the thickness must be 0 \u00C5 or more");
    EXPECT_EQ(overlayerRatio({10.0, 12.0, 0.0}, 1e4, 1.0).error(), "the result is too large to be held");
}

} // namespace
