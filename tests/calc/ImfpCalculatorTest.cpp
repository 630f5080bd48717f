#include "calc/ImfpCalculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace korvane {
namespace {

// The IMFP as the window shows it, "0.00".
std::string shown(const ImfpResult& result)
{
    char text[64];
    if (!result.length)
        return "failed";
    std::snprintf(text, sizeof text, "%.2f", double(*result.length));
    return text;
}

ImfpInputs silica(float energy)
{
    return {2.65f, 16, 60.08f, 9.1f, energy};
}

TEST(ImfpCalculator, SilicaAtTheWorkedEnergies)
{
    EXPECT_EQ(shown(imfpNonRelativistic(silica(1000))), "29.12");
    EXPECT_EQ(shown(imfpRelativistic(silica(1000))), "29.05");
    EXPECT_EQ(shown(imfpNonRelativistic(silica(100000))), "1449.10");
    EXPECT_EQ(shown(imfpRelativistic(silica(100000))), "1145.72");
    // At 50 eV the two forms differ only in the fourth decimal.
    const ImfpResult nonRelativistic = imfpNonRelativistic(silica(50));
    const ImfpResult relativistic = imfpRelativistic(silica(50));
    EXPECT_EQ(shown(nonRelativistic), "7.63");
    EXPECT_EQ(shown(relativistic), "7.63");
    EXPECT_NE(nonRelativistic.length, relativistic.length);
    EXPECT_LT(std::fabs(*nonRelativistic.length - *relativistic.length), 0.001f);
    EXPECT_EQ(imfp(ImfpForm::Relativistic, silica(1000)).length, imfpRelativistic(silica(1000)).length);
}

TEST(ImfpCalculator, BandGapEntersOnlyAsItsSquare)
{
    ImfpInputs noGap = silica(1000);
    noGap.bandGap = 0;
    ASSERT_TRUE(imfpNonRelativistic(noGap).length);
    ImfpInputs negative = silica(1000);
    negative.bandGap = -9.1f;
    EXPECT_EQ(imfpNonRelativistic(negative).length, imfpNonRelativistic(silica(1000)).length);
    EXPECT_EQ(imfpRelativistic(negative).length, imfpRelativistic(silica(1000)).length);
}

TEST(ImfpCalculator, ArithmeticFailuresGiveNoValue)
{
    auto both = [](ImfpInputs in) {
        const ImfpResult nonRelativistic = imfpNonRelativistic(in);
        const ImfpResult relativistic = imfpRelativistic(in);
        return !nonRelativistic.length && nonRelativistic.failure == ImfpFailure::Arithmetic && !relativistic.length
            && relativistic.failure == ImfpFailure::Arithmetic;
    };
    // Density, Nv, mass, gap, energy.
    const std::pair<ImfpInputs, const char*> cases[] = {
        {silica(0), "log of zero"},
        {{2.65f, 16, 0, 9.1f, 1000}, "division by a zero mass"},
        {{0, 16, 60.08f, 9.1f, 1000}, "division by zero in gamma"},
        {{2.65f, 0, 60.08f, 9.1f, 1000}, "Ep = 0"},
        {{-2.65f, 16, 60.08f, 9.1f, 1000}, "square root of a negative number"},
        {{-2.65f, -16, 60.08f, 9.1f, 1000}, "fractional power of a negative density"},
    };
    for (const auto& [in, why] : cases)
        EXPECT_TRUE(both(in)) << why;
}

TEST(ImfpCalculator, AnArithmeticFailureNamesTheInputItComesFrom)
{
    // Density, Nv, mass, gap, energy; each fault before the ones after it.
    const std::pair<ImfpInputs, ImfpInputFault> cases[] = {
        {{-2.65f, 0, 0, 9.1f, 0}, ImfpInputFault::Energy},
        {{-2.65f, 0, 0, 9.1f, 1000}, ImfpInputFault::ValenceElectrons},
        {{-2.65f, 16, 0, 9.1f, 1000}, ImfpInputFault::Mass},
        {{-2.65f, 16, 60.08f, 9.1f, 1000}, ImfpInputFault::Density},
        {{2.65f, 16, -60.08f, 9.1f, 1000}, ImfpInputFault::Other},
    };
    for (const auto& [in, fault] : cases) {
        for (const ImfpResult& result : {imfpNonRelativistic(in), imfpRelativistic(in)}) {
            ASSERT_EQ(result.failure, ImfpFailure::Arithmetic);
            EXPECT_EQ(result.inputFault, fault);
        }
    }
}

TEST(ImfpCalculator, ANegativeOrInfinitePathIsNoPhysicalValue)
{
    // Helium at 1000 eV: the bracket of the denominator is negative, so the
    // formula's value would be -884.50 Å.
    const ImfpInputs helium{0.125f, 2, 4.002602f, 22, 1000};
    for (const ImfpResult& result : {imfpNonRelativistic(helium), imfpRelativistic(helium)}) {
        EXPECT_FALSE(result.length);
        EXPECT_EQ(result.failure, ImfpFailure::NotPhysical);
    }
    // A vanishing plasmon energy: the path would exceed a Single.
    ImfpInputs in = silica(1000);
    in.valenceElectrons = 1e-40f;
    EXPECT_FALSE(imfpNonRelativistic(in).length);
    EXPECT_EQ(imfpNonRelativistic(in).failure, ImfpFailure::NotPhysical);
    EXPECT_EQ(imfpRelativistic(in).failure, ImfpFailure::NotPhysical);
    EXPECT_EQ(std::string(kNoPhysicalImfp), "the formula gives no physical IMFP for these values");
}

} // namespace
} // namespace korvane
