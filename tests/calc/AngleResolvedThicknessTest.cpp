#include "calc/AngleResolvedThickness.h"
#include "calc/AttenuatedOverlayer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

TEST(AngleResolvedThickness, RatiosOfTheModelAtFourAnglesGiveTheirThicknessBack)
{
    const double angles[] = {0, 30, 60, 75};
    std::vector<AngleRatio> measured;
    for (const double angle : angles)
        measured.push_back({angle, *overlayerRatio({37.44, 37.53, angle}, 18.5, 0.9)});
    const Result<AngleResolvedFit> fit = angleResolvedThickness(37.44, 37.53, measured, 0.9);
    ASSERT_TRUE(fit) << fit.error();
    EXPECT_NEAR(fit->thickness, 18.5, 1e-6);
    EXPECT_NEAR(fit->residual, 0, 1e-9);
    for (std::size_t i = 0; i < measured.size(); ++i)
        EXPECT_NEAR(fit->predicted[i], measured[i].ratio, 1e-9 * measured[i].ratio);

    // Ratios that no one thickness makes: the fit lies between the angles' own
    // thicknesses and its slope of the sum of squares is 0 there.
    measured[3].ratio *= 1.5;
    const Result<AngleResolvedFit> scattered = angleResolvedThickness(37.44, 37.53, measured, 0.9);
    ASSERT_TRUE(scattered);
    const double own = *overlayerThickness({37.44, 37.53, 75}, measured[3].ratio, 0.9);
    EXPECT_GT(scattered->thickness, 18.5);
    EXPECT_LT(scattered->thickness, own);
    EXPECT_GT(scattered->residual, 0.01);

    // One angle is the exact solution; a refused ratio is refused in the same words.
    const Result<AngleResolvedFit> one = angleResolvedThickness(37.44, 37.53, std::span(measured).first(1), 0.9);
    EXPECT_EQ(one->thickness, *overlayerThickness({37.44, 37.53, 0}, measured[0].ratio, 0.9));
    measured[1].ratio = 0;
    EXPECT_EQ(angleResolvedThickness(37.44, 37.53, measured, 0.9).error(), "the ratio R must be above 0");
}

// Attenuation lengths of their own at each angle, smooth in d: the ratios they
// give at a known thickness give that thickness back after the rounds.
TEST(AngleResolvedThickness, AttenuationLengthsOfEachAngleGiveTheirThicknessBack)
{
    const double angles[] = {0, 30, 60, 75};
    std::vector<AttenuationLengths> lengths;
    std::vector<AngleRatio> measured;
    for (const double angle : angles) {
        const auto own = [angle](double d) { return 30 + 4 * std::sin(d / 10) - angle / 15; };
        const auto crossing = [angle](double d) { return 36 + d / 8 - angle / 25; };
        lengths.push_back({own, crossing});
        measured.push_back({angle, *overlayerRatio({own(18.5), crossing(18.5), angle}, 18.5, 0.9)});
    }
    const Result<AngleResolvedFit> fit = attenuatedAngleResolvedThickness({37.44, 37.53}, lengths, measured, 0.9);
    ASSERT_TRUE(fit) << fit.error();
    EXPECT_NEAR(fit->thickness, 18.5, 1e-6);
    EXPECT_NEAR(fit->residual, 0, 1e-7);
    for (std::size_t i = 0; i < measured.size(); ++i)
        EXPECT_NEAR(fit->predicted[i], measured[i].ratio, 1e-7 * measured[i].ratio);

    lengths[2].crossing = [](double d) { return d < 10 ? 36.0 : NAN; };
    EXPECT_EQ(attenuatedAngleResolvedThickness({37.44, 37.53}, lengths, measured, 0.9).error(),
              "the attenuation length is not known at this thickness");
}

} // namespace
} // namespace korvane
