#include "query/CurveCsv.h"
#include "query/CurveStyle.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace korvane;

namespace {

// The relative luminance of an sRGB colour, as contrast ratios take it.
double luminance(std::uint32_t rgb)
{
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = double((rgb >> (16 - 8 * i)) & 0xFF) / 255;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

} // namespace

TEST(Curve, EveryColourStandsOutOnWhite)
{
    for (int i = 0; i < kCurveColourCount; ++i)
        EXPECT_GE(1.05 / (luminance(curveColourRgb(i)) + 0.05), 3.0) << curveColourText(i);
    EXPECT_EQ(curveColourText(kCurveColourCount + 4), "#B07400");
}

// A point without an IMFP keeps its row, with the words for why, as tpp2m imfp --csv writes it.
TEST(Curve, TheCsvHasARowForEveryEnergyAndForm)
{
    const CurveCsvMaterial odd{"Odd, one", 700, [](float energy, ImfpForm form) -> Result<float> {
                                   if (energy < 150)
                                       return Failed{"Nv is 0"};
                                   return form == ImfpForm::Relativistic ? 1.5f : 0.1f + 0.2f;
                               }};
    EXPECT_EQ(curveCsv({odd, {"Si", std::nullopt, odd.imfpAt}}, {100, 316.22775f},
                       {ImfpForm::NonRelativistic, ImfpForm::Relativistic}),
              "material,id,energy_eV,form,imfp_A,error\n"
              "\"Odd, one\",700,100,non-relativistic,,Nv is 0\n"
              "\"Odd, one\",700,100,relativistic,,Nv is 0\n"
              "\"Odd, one\",700,316.22775,non-relativistic,0.3,\n"
              "\"Odd, one\",700,316.22775,relativistic,1.5,\n"
              "Si,,100,non-relativistic,,Nv is 0\n"
              "Si,,100,relativistic,,Nv is 0\n"
              "Si,,316.22775,non-relativistic,0.3,\n"
              "Si,,316.22775,relativistic,1.5,\n");
}
