#include "calc/MagicAngle.h"
#include "query/RequestReader.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const RequestUse kQuantify = {.quantification = true, .asker = "quantify"};

Result<Request> readQuantification(NamedTexts inputs)
{
    return readRequest(inputs, kQuantify, optionSpelling);
}

TEST(QuantificationRequest, ReadsPeaksTheirAsymmetriesLayerAndDefaults)
{
    const Result<Request> request = readQuantification({{"material", "Cu2O"},
                                                        {"source", "AlKa"},
                                                        {"peak", "Cu  2p3/2=1000"},
                                                        {"peak", "O 1s = 250.5"},
                                                        {"beta", "Cu 2p3/2=1.37"},
                                                        {"layer", "C:10"},
                                                        {"transmission-exponent", "0.5"},
                                                        {"angle", "30"}});
    ASSERT_TRUE(request) << request.error();
    ASSERT_EQ(request->peaks.size(), 2u);
    EXPECT_EQ(request->peaks[0].line, "Cu 2p3/2");
    EXPECT_EQ(request->peaks[0].area, 1000);
    EXPECT_EQ(request->peaks[0].asymmetry, 1.37);
    EXPECT_EQ(request->peaks[1].line, "O 1s");
    EXPECT_EQ(request->peaks[1].area, 250.5);
    EXPECT_FALSE(request->peaks[1].asymmetry);
    ASSERT_EQ(request->layers.size(), 1u);
    EXPECT_EQ(request->layers[0].material.text, "C");
    EXPECT_EQ(request->layers[0].thickness, 10.0f);
    EXPECT_EQ(request->transmissionExponent, 0.5);
    EXPECT_EQ(request->angle, 30);
    EXPECT_EQ(request->sourceAngle, kMagicAngle);
    EXPECT_EQ(*request->photons.sourceKey, "AlKa");
}

TEST(QuantificationRequest, RefusesInTpp2msWords)
{
    const std::pair<NamedTexts, std::string> refused[] = {
        {{{"peak", "O 1s"}}, "--peak takes \"LINE=AREA\" (got \"O 1s\")"},
        {{{"peak", "=5"}}, "--peak takes \"LINE=AREA\" (got \"=5\")"},
        {{{"peak", "O 1s=lots"}}, "--peak: \"lots\" is not a number"},
        {{{"beta", "O 1s=1"}, {"beta", "O  1s=2"}}, "--beta \"O 1s\" is given twice"},
        {{{"peak", "O 1s=1"}}, "--peak needs --source (MgKa, AlKa, AgLa, CrKa, GaKa) or --photon-energy"},
        {{{"peak", "O 1s=1"}, {"source", "AlKa"}, {"beta", "Ag 3d=1.1"}}, "--beta \"Ag 3d\": no --peak of that line"},
        {{{"peak", "O 1s=1"}, {"source", "AlKa"}, {"layer", "C:5"}, {"layer", "C:5"}}, "quantify takes one --layer"},
        {{{"peak", "O 1s=1"}, {"source", "AlKa"}, {"angle", "90"}},
         "the angle must be at least 0\u00B0 and below 90\u00B0"},
        {{{"peak", "O 1s=1"}, {"source", "AlKa"}, {"source-angle", "181"}},
         "--source-angle must be from 0 to 180 degrees"},
    };
    for (const auto& [inputs, words] : refused) {
        const Result<Request> request = readQuantification(inputs);
        EXPECT_EQ(request.error(), words);
    }
}

} // namespace
} // namespace korvane
