#include "calc/ImfpCalculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>

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

TEST(ImfpCalculator, SilicaAtTheWorkedEnergiesWhateverTheSignOfTheGap)
{
    const std::tuple<float, const char*, const char*> worked[] = {
        {1000, "29.12", "29.05"}, {100000, "1449.10", "1145.72"}, {50, "7.63", "7.63"}};
    for (const auto& [energy, nonRelativistic, relativistic] : worked) {
        EXPECT_EQ(shown(imfpNonRelativistic(silica(energy))), nonRelativistic) << energy;
        EXPECT_EQ(shown(imfpRelativistic(silica(energy))), relativistic) << energy;
    }
    // At 50 eV the two forms differ only in the fourth decimal.
    const ImfpResult nonRelativistic = imfpNonRelativistic(silica(50));
    const ImfpResult relativistic = imfpRelativistic(silica(50));
    EXPECT_NE(nonRelativistic.length, relativistic.length);
    EXPECT_LT(std::fabs(*nonRelativistic.length - *relativistic.length), 0.001f);
    // The band gap enters only as its square.
    ImfpInputs negative = silica(1000);
    negative.bandGap = -9.1f;
    EXPECT_EQ(imfpNonRelativistic(negative).length, imfpNonRelativistic(silica(1000)).length);
    EXPECT_EQ(imfpRelativistic(negative).length, imfpRelativistic(silica(1000)).length);
}

// A failure of the arithmetic gives no value in either form and names the
// input it comes from: energy, Nv, mass, density, each before the ones after it.
TEST(ImfpCalculator, AnArithmeticFailureGivesNoValueAndNamesTheInputItComesFrom)
{
    // Density, Nv, mass, gap, energy.
    const std::tuple<ImfpInputs, ImfpInputFault, const char*> cases[] = {
        {silica(0), ImfpInputFault::Energy, "log of zero"},
        {{2.65f, 16, 0, 9.1f, 1000}, ImfpInputFault::Mass, "division by a zero mass"},
        {{0, 16, 60.08f, 9.1f, 1000}, ImfpInputFault::Density, "division by zero in gamma"},
        {{2.65f, 0, 60.08f, 9.1f, 1000}, ImfpInputFault::ValenceElectrons, "Ep = 0"},
        {{-2.65f, 16, 60.08f, 9.1f, 1000}, ImfpInputFault::Density, "square root of a negative number"},
        {{-2.65f, -16, 60.08f, 9.1f, 1000}, ImfpInputFault::Density, "fractional power of a negative density"},
        {{-2.65f, 0, 0, 9.1f, 0}, ImfpInputFault::Energy, "every input at fault"},
        {{-2.65f, 0, 0, 9.1f, 1000}, ImfpInputFault::ValenceElectrons, "all but the energy"},
        {{-2.65f, 16, 0, 9.1f, 1000}, ImfpInputFault::Mass, "mass and density"},
        {{2.65f, 16, -60.08f, 9.1f, 1000}, ImfpInputFault::Other, "a negative mass"},
    };
    for (const auto& [in, fault, why] : cases) {
        for (const ImfpResult& result : {imfpNonRelativistic(in), imfpRelativistic(in)}) {
            EXPECT_FALSE(result.length) << why;
            EXPECT_EQ(result.failure, ImfpFailure::Arithmetic) << why;
            EXPECT_EQ(result.inputFault, fault) << why;
        }
    }
}

// Helium at 1000 eV: the bracket of the denominator is negative, so the
// formula's value would be -884.50 Å; a vanishing plasmon energy: the path
// would exceed a Single.
TEST(ImfpCalculator, ANegativeOrInfinitePathIsNoPhysicalValue)
{
    ImfpInputs vanishing = silica(1000);
    vanishing.valenceElectrons = 1e-40f;
    for (const ImfpInputs& in : {ImfpInputs{0.125f, 2, 4.002602f, 22, 1000}, vanishing})
        for (const ImfpResult& result : {imfpNonRelativistic(in), imfpRelativistic(in)}) {
            EXPECT_FALSE(result.length);
            EXPECT_EQ(result.failure, ImfpFailure::NotPhysical);
        }
}

} // namespace
} // namespace korvane
