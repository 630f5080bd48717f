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
// cell, far into the tail.
class BruteForce {
public:
    BruteForce(std::function<double(double)> phi, double step, double end) : phi_(std::move(phi)), step_(step)
    {
        for (double z = 0; z < end; z += step_) {
            cumulative_.push_back(total_ += cell(z, z + step_));
            weighted_ += cell(z, z + step_, true);
        }
    }

    double meanDepth() const { return weighted_ / total_; }

    double informationDepth(double probability) const
    {
        const double target = probability * total_;
        std::size_t i = 0;
        while (cumulative_[i] < target)
            ++i;
        const double start = i * step_;
        const double before = i == 0 ? 0 : cumulative_[i - 1];
        double low = start, high = start + step_;
        for (int k = 0; k < 60; ++k) {
            const double mid = 0.5 * (low + high);
            (before + cell(start, mid) < target ? low : high) = mid;
        }
        return 0.5 * (low + high);
    }

private:
    double cell(double a, double b, bool weighted = false) const
    {
        const auto f = [&](double z) { return (weighted ? z : 1.0) * phi_(z); };
        return (b - a) / 6.0 * (f(a) + 4.0 * f(0.5 * (a + b)) + f(b));
    }

    std::function<double(double)> phi_;
    double step_;
    double total_ = 0;
    double weighted_ = 0;
    std::vector<double> cumulative_;
};

double relative(double value, double expected)
{
    return std::abs(value - expected) / std::abs(expected);
}

TEST(SignalDepth, StraightLineClosedForms)
{
    for (const double imfp : {0.5, 12.0, 29.12, 410.0}) {
        for (const double angle : {0.0, 30.0, 45.0, 60.0, 89.0}) {
            const DepthModel model{DepthCorrection::None, imfp, angle};
            const double length = imfp * cosine(angle);
            EXPECT_LT(relative(*meanEscapeDepth(model).value, length), 1e-12) << imfp << " " << angle;
            for (const double p : {1e-6, 0.1, 0.5, 0.95, 0.999999}) {
                const double id = *informationDepth(model, p).value;
                EXPECT_LT(relative(id, -length * std::log1p(-p)), 1e-12) << imfp << " " << angle << " " << p;
                EXPECT_LT(relative(*signalFraction(model, id).value, p), 1e-12);
            }
        }
    }
    // 95 % of the signal from the top 2.996 lambda cos(angle).
    EXPECT_NEAR(*informationDepth({DepthCorrection::None, 10.0, 0.0}, 0.95).value, 29.957, 5e-4);
    EXPECT_NEAR(*informationDepth({DepthCorrection::None, 10.0, 60.0}, 0.95).value, 14.979, 5e-4);
    EXPECT_EQ(*signalFraction({DepthCorrection::None, 10.0, 0.0}, 0.0).value, 0.0);
    EXPECT_DOUBLE_EQ(*wholeSignal({DepthCorrection::None, 10.0, 60.0}).value, 5.0);
}

TEST(SignalDepth, CorrectedModelsAgainstBruteForce)
{
    std::vector<DepthModel> models;
    for (const double imfp : {3.0, 29.12, 250.0})
        for (const double angle : {0.0, 17.5, 30.0})
            models.push_back({DepthCorrection::Approx1, imfp, angle});
    for (const double effTrMfp : {2.0, 21.13, 400.0})
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
        const BruteForce brute(phi, step, 60.0 * length);
        SCOPED_TRACE(testing::Message() << first << " " << model.imfp << " " << model.effTrMfp << " " << model.angle);
        EXPECT_LT(relative(*meanEscapeDepth(model).value, brute.meanDepth()), 1e-6);
        for (const double p : {0.05, 0.5, 0.9, 0.95, 0.99})
            EXPECT_LT(relative(*informationDepth(model, p).value, brute.informationDepth(p)), 1e-6) << p;
    }
    // The correction moves the signal to the surface: shallower than straight lines.
    EXPECT_NEAR(*informationDepth({DepthCorrection::Approx1, 10.0, 0.0}, 0.95).value, 22.1192, 1e-4);
    EXPECT_NEAR(*meanEscapeDepth({DepthCorrection::Approx1, 10.0, 0.0}).value, 7.7873, 1e-4);
}

TEST(SignalDepth, BadInputGivesMessageAndNoNumber)
{
    const auto idError = [](const DepthModel& model, double p) {
        const DepthValue id = informationDepth(model, p);
        EXPECT_FALSE(id.value);
        return id.error;
    };
    EXPECT_EQ(idError({DepthCorrection::None, 0.0, 0.0}, 0.95), "the IMFP must be above 0 \u00C5");
    EXPECT_EQ(idError({DepthCorrection::None, -3.0, 0.0}, 0.95), "the IMFP must be above 0 \u00C5");
    EXPECT_EQ(idError({DepthCorrection::None, 10.0, 90.0}, 0.95),
              "the angle must be at least 0\u00B0 and below 90\u00B0");
    EXPECT_EQ(idError({DepthCorrection::None, 10.0, -1.0}, 0.95),
              "the angle must be at least 0\u00B0 and below 90\u00B0");
    EXPECT_EQ(idError({DepthCorrection::Approx1, 10.0, 30.5}, 0.95),
              "the elastic-scattering corrections hold only up to 30\u00B0 from the surface normal");
    EXPECT_EQ(idError({DepthCorrection::Approx2, 10.0, 0.0, 0.0}, 0.95), "the EffTrMFP must be above 0 \u00C5");
    for (const double p : {0.0, 1.0, -0.5, 95.0, std::nan("")})
        EXPECT_EQ(idError({DepthCorrection::None, 10.0, 0.0}, p), "the probability P must be above 0 and below 1");
    EXPECT_EQ(meanEscapeDepth({DepthCorrection::Approx2, 10.0, 45.0, 5.0}).error,
              "the elastic-scattering corrections hold only up to 30\u00B0 from the surface normal");
    EXPECT_EQ(signalFraction({DepthCorrection::None, 10.0, 0.0}, -1.0).error, "the thickness must be 0 \u00C5 or more");
    // Every result is shown as a Single.
    EXPECT_EQ(informationDepth({DepthCorrection::None, 3e38, 0.0}, 0.95).error, "the result is too large to be held");
    EXPECT_TRUE(informationDepth({DepthCorrection::None, 3e38, 0.0}, 0.5).value);
}

TEST(OverlayerThickness, OneEnergyClosedForm)
{
    for (const double imfp : {8.0, 29.12}) {
        for (const double angle : {0.0, 45.0, 75.0}) {
            for (const double q : {1e-4, 0.3, 1.0, 7.5, 1e4}) {
                const DepthValue d = overlayerThickness({imfp, imfp, angle}, q * 2.5, 2.5);
                EXPECT_LT(relative(*d.value, imfp * cosine(angle) * std::log1p(q)), 1e-13);
            }
        }
    }
}

TEST(OverlayerThickness, TwoEnergiesReproduceTheRatio)
{
    const Overlayer pairs[] = {{15.0, 31.0, 0.0}, {31.0, 15.0, 0.0}, {22.0, 23.0, 60.0}, {5.0, 100.0, 35.0}};
    for (const Overlayer& overlayer : pairs) {
        double previous = 0;
        for (int k = 0; k <= 80; ++k) {
            const double q = std::pow(10.0, -4.0 + k * 0.1);
            const double bulkRatio = 0.8;
            const DepthValue d = overlayerThickness(overlayer, q * bulkRatio, bulkRatio);
            ASSERT_TRUE(d.value) << d.error;
            EXPECT_GT(*d.value, previous); // a larger ratio needs a thicker layer
            previous = *d.value;
            const double back = *overlayerRatio(overlayer, *d.value, bulkRatio).value;
            EXPECT_LT(relative(back, q * bulkRatio), 1e-9) << overlayer.imfpOverlayer << " q " << q;
        }
    }
    EXPECT_EQ(*overlayerRatio({15.0, 31.0, 0.0}, 0.0, 0.8).value, 0.0);
}

TEST(OverlayerThickness, BadInputGivesMessageAndNoNumber)
{
    const auto error = [](const Overlayer& o, double r, double rInf) {
        const DepthValue d = overlayerThickness(o, r, rInf);
        EXPECT_FALSE(d.value);
        return d.error;
    };
    EXPECT_EQ(error({0.0, 10.0, 0.0}, 1.0, 1.0),
              "the IMFP of the overlayer at the overlayer energy must be above 0 \u00C5");
    EXPECT_EQ(error({10.0, -1.0, 0.0}, 1.0, 1.0),
              "the IMFP of the overlayer at the substrate energy must be above 0 \u00C5");
    EXPECT_EQ(error({10.0, 10.0, 90.0}, 1.0, 1.0), "the angle must be at least 0\u00B0 and below 90\u00B0");
    EXPECT_EQ(error({10.0, 12.0, 0.0}, 0.0, 1.0), "the ratio R must be above 0");
    EXPECT_EQ(error({10.0, 12.0, 0.0}, 1.0, -2.0), "the bulk ratio R\u221E must be above 0");
    EXPECT_EQ(error({10.0, 12.0, 0.0}, 1e300, 1e-300), "the ratio R / R\u221E is out of range");
    EXPECT_EQ(overlayerRatio({10.0, 12.0, 0.0}, -1.0, 1.0).error, "the thickness must be 0 \u00C5 or more");
    EXPECT_EQ(overlayerRatio({10.0, 12.0, 0.0}, 1e4, 1.0).error, "the result is too large to be held");
}

} // namespace
