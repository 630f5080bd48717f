#include "query/RequestReader.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const RequestUse kStack = {.stack = true, .asker = "stack"};

Result<Request> readStack(NamedTexts inputs)
{
    return readRequest(inputs, kStack, optionSpelling);
}

TEST(StackRequest, ReadsLayersSubstrateAnglesAndDefaults)
{
    const Result<Request> request = readStack({{"layer", "SiO2:15"},
                                               {"layer", "TiO2:Ti:0.01"},
                                               {"substrate", "Si"},
                                               {"energy", "1000"},
                                               {"angle", "0,60.5"}});
    ASSERT_TRUE(request) << request.error();
    ASSERT_EQ(request->layers.size(), 2u);
    EXPECT_EQ(request->layers[0].material.text, "SiO2");
    EXPECT_EQ(request->layers[0].thickness, 15.0f);
    // The thickness follows the last colon.
    EXPECT_EQ(request->layers[1].material.text, "TiO2:Ti");
    EXPECT_EQ(request->layers[1].thickness, 0.01f);
    EXPECT_EQ(*request->substrate, "Si");
    EXPECT_EQ(request->angles, (std::vector<double>{0, 60.5}));
    EXPECT_EQ(request->model, "sla");
    const Result<Request> plain = readStack({{"layer", "C:5"}, {"substrate", "Au"}, {"energy", "500"}});
    ASSERT_TRUE(plain) << plain.error();
    EXPECT_EQ(plain->angles, std::vector<double>{0});
}

TEST(StackRequest, RefusesInTpp2msWords)
{
    const std::pair<NamedTexts, std::string> refused[] = {
        {{{"layer", "SiO2:0.0099"}, {"substrate", "Si"}, {"energy", "1000"}},
         "--layer: a layer is at least 0.01 \u00C5 thick (got \"SiO2:0.0099\")"},
        {{{"layer", "SiO2:-1"}}, "--layer: a layer is at least 0.01 \u00C5 thick (got \"SiO2:-1\")"},
        {{{"layer", "SiO2:thick"}}, "--layer: \"thick\" is not a number"},
        {{{"layer", "SiO2"}}, "--layer takes MATERIAL:THICKNESS (got \"SiO2\")"},
        {{{"layer", ":5"}}, "--layer takes MATERIAL:THICKNESS (got \":5\")"},
        {{{"layer", "SiO2:5"}, {"energy", "1000"}}, "stack needs --substrate"},
        {{{"substrate", "Si"}, {"energy", "1000"}}, "stack needs --layer MATERIAL:THICKNESS"},
        {{{"substrate", "Si"}, {"substrate", "Si"}}, "--substrate is given twice"},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}}, "stack needs an energy: --energy, --range, --log or --line"},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}, {"energy", "1000"}, {"model", "eal"}},
         "--model takes sla or mc (got \"eal\")"},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}, {"energy", "1000"}, {"seed", "3"}}, "--seed is for --model mc"},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}, {"energy", "1000"}, {"model", "mc"}, {"electrons", "999"}},
         "--electrons must be a whole number from 1000 to 1000000000000"},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}, {"energy", "1000"}, {"model", "mc"}, {"asymmetry", "3"}},
         "the asymmetry parameter must be from -1 to 2"},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}, {"energy", "1000"}, {"angle", "0,90"}},
         "the angle must be at least 0\u00B0 and below 90\u00B0"},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}, {"energy", "1000"}, {"relativistic", "both"}},
         "stack takes one form of the formula: --relativistic without \"both\""},
        {{{"layer", "SiO2:5"}, {"substrate", "Si"}, {"energy", "40"}},
         "stack takes energies from 50 eV to 30000 eV (got 40 eV)"},
    };
    for (const auto& [inputs, words] : refused) {
        const Result<Request> request = readStack(inputs);
        EXPECT_EQ(request.error(), words);
        EXPECT_EQ(request.code(), ErrorCode::InvalidInput) << words;
    }
}

} // namespace
} // namespace korvane
