#include "calc/ImfpCalculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace korvane {
namespace {

// The IMFP as the window shows it, "0.00".
std::string shown(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", double(value));
    return text;
}

std::string shown(const ImfpResult& result)
{
    if (!result.length)
        return "failed";
    return shown(*result.length);
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
    const float nonRelativistic = *imfpNonRelativistic(silica(50)).length;
    const float relativistic = *imfpRelativistic(silica(50)).length;
    EXPECT_EQ(shown(nonRelativistic), "7.63");
    EXPECT_EQ(shown(relativistic), "7.63");
    EXPECT_NE(nonRelativistic, relativistic);
    EXPECT_LT(std::fabs(nonRelativistic - relativistic), 0.001f);
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
    ImfpInputs in = silica(0);
    EXPECT_TRUE(both(in)) << "log of zero";
    in = silica(-50);
    EXPECT_TRUE(both(in)) << "log of a negative energy";
    in = silica(1000);
    in.mass = 0;
    EXPECT_TRUE(both(in)) << "division by a zero mass";
    in = silica(1000);
    in.density = 0;
    EXPECT_TRUE(both(in)) << "division by zero in gamma";
    in = silica(1000);
    in.valenceElectrons = 0;
    EXPECT_TRUE(both(in)) << "Ep = 0";
    in = silica(1000);
    in.density = -2.65f;
    EXPECT_TRUE(both(in)) << "square root of a negative number";
    in = silica(1000);
    in.density = -2.65f;
    in.valenceElectrons = -16;
    EXPECT_TRUE(both(in)) << "fractional power of a negative density";
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

TEST(ImfpCalculator, IsRepeatable)
{
    EXPECT_EQ(imfpNonRelativistic(silica(1234.5f)).length, imfpNonRelativistic(silica(1234.5f)).length);
}

} // namespace
} // namespace korvane
