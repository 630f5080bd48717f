#include "query/RequestReader.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Names every input in brackets, so that a refusal shows which inputs it names.
std::string bracketed(std::string_view name)
{
    return "<" + std::string(name) + ">";
}

Result<Request> read(const NamedTexts& inputs, const RequestUse& use = {})
{
    return readRequest(inputs, use, bracketed);
}

TEST(RequestReader, ReadsTheInputsInTheOrderGiven)
{
    const Result<Request> request = readRequest({{"material", "Cu"},
                                                 {"energy", "1000,2000"},
                                                 {"id", "105"},
                                                 {"line", "Cu 2p3/2, O 1s"},
                                                 {"log", "10:1000:3"},
                                                 {"source", "AlKa"},
                                                 {"formula", "SiO2"},
                                                 {"density", "2.2"},
                                                 {"gap", "9"},
                                                 {"include", "hbe,lbe"},
                                                 {"relativistic", "both"},
                                                 {"depth", "5,10"}},
                                                {}, optionSpelling);
    ASSERT_TRUE(request) << request.error();
    ASSERT_EQ(request->materials.size(), 3u);
    EXPECT_EQ(std::get<MaterialByName>(request->materials[1]).by, MaterialByName::By::Id);
    const auto& formula = std::get<MaterialByFormula>(request->materials[2]);
    EXPECT_EQ(formula.formula, "SiO2");
    EXPECT_EQ(formula.density, 2.2f);
    EXPECT_EQ(request->energies, (std::vector<float>{1000, 2000, 0, 0, 10, 100, 1000}));
    ASSERT_EQ(request->lines.size(), 2u);
    EXPECT_EQ(request->lines[1].text, "O 1s");
    EXPECT_EQ(request->lines[1].energyIndex, 3u);
    EXPECT_EQ(request->groups, (ValenceTicks{true, true, false, false}));
    EXPECT_EQ(request->forms, RequestedForms::Both);
    EXPECT_EQ(request->depths, (std::vector<float>{5, 10}));
    EXPECT_EQ(tickedGroupNames(kDefaultValenceTicks), (std::vector<std::string>{"lbe", "d", "f"}));
}

TEST(RequestReader, RefusesInTpp2msWordsAndNamesTheInputsTheFrontEndsWay)
{
    struct Case {
        NamedTexts inputs;
        std::string words;
    };
    const Case cases[] = {
        {{{"density", "2,5"}}, "<density>: \"2,5\" is not a number"},
        {{{"energy", "1000,1e39"}}, "<energy>: \"1e39\" is out of range"},
        {{{"density", "2"}, {"density", "3"}}, "<density> is given twice"},
        {{{"density", "-1"}}, "the density must be above 0"},
        {{{"cross-section", "0"}}, "the transport cross-section S must be above 0"},
        {{{"id", " 7"}}, "<id>: \" 7\" is not a whole number"},
        {{{"id", "99999999999999999999"}}, "<id>: \"99999999999999999999\" is not a whole number"},
        {{{"log", "50:5000"}}, "<log> needs FROM:TO:COUNT (got \"50:5000\")"},
        {{{"range", "10:20:0"}}, "the step of <range> must be above 0"},
        {{{"include", "d,p"}}, "unknown valence group \"p\" in <include> (choose from hbe, lbe, d, f, or none)"},
        {{{"relativistic", "yes"}}, "<relativistic> takes no value or \"both\" (got \"yes\")"},
        // The combinations.
        {{{"source", "AlKa"}}, "<source> needs <line>"},
        {{{"photon-energy", "1000"}}, "<photon-energy> needs <line>"},
        {{{"line", "O 1s"}}, "<line> needs <source> (MgKa, AlKa, AgLa, CrKa, GaKa) or <photon-energy>"},
        {{{"line", "O 1s"}, {"source", "AlKa"}, {"photon-energy", "2000"}},
         "<source> and <photon-energy> cannot be given together"},
        {{{"line", "O 1s"}, {"photon-energy", "0"}}, "<photon-energy> must be above 0 eV"},
        {{{"line", "O 1s"}, {"source", "AlKb"}}, "unknown source \"AlKb\" (choose from MgKa, AlKa, AgLa, CrKa, GaKa)"},
        {{{"formula", "SiO2"}, {"density", "2"}, {"gap", "9"}, {"nv", "16"}},
         "<nv> cannot be given with <formula>: it is summed from the elements"},
        {{{"formula", "SiO2"}, {"gap", "9"}}, "<formula> needs <density>"},
        {{{"density", "2"}, {"mass", "60"}, {"nv", "16"}}, "a material given by its values needs <gap>"},
    };
    for (const Case& c : cases) {
        const Result<Request> request = read(c.inputs);
        EXPECT_EQ(request.error(), c.words);
        EXPECT_EQ(request.code(), ErrorCode::InvalidInput) << c.words;
    }
    // The range of a run's energies, and of a front end's.
    EXPECT_EQ(read({{"log", "1:2:3"}, {"range", "1:10:1"}}, {.mostEnergies = 10}).error(),
              "more than 10 energies in one run");
    EXPECT_EQ(read({{"log", "1:20:11"}}, {.mostEnergies = 10}).error(), "<log> gives more than 10 energies");
}

TEST(RequestReader, AFrontEndThatShowsOneResultNamesTheInputsThatGoTogether)
{
    const RequestUse one{.oneResult = true};
    const NamedTexts values = {{"density", "5"}, {"mass", "10"}, {"gap", "1"}, {"nv", "3"}};
    NamedTexts named = values;
    named.insert(named.begin(), {"material", "SiO2"});
    EXPECT_EQ(read(named, one).error(), "<material> and <density>, <mass>, <gap>, <nv> ask for two materials: give one of them");
    EXPECT_TRUE(read(values, one));
    EXPECT_EQ(read({{"material", "Cu"}, {"formula", "Al2O3"}, {"density", "3.98"}, {"gap", "8.8"}}, one).error(),
              "<material> and <formula> ask for two materials: give one of them");
    EXPECT_EQ(read({{"energy", "1486.6"}, {"line", "Si 2p"}, {"source", "AlKa"}}, one).error(),
              "<energy> and <line> ask for more than one energy: give one of them");
    EXPECT_EQ(read({{"energy", "1,2"}}, one).error(), "<energy> asks for more than one energy: give one");
    EXPECT_TRUE(read({{"material", "Cu"}, {"line", "Cu 2p3/2"}, {"source", "AlKa"}}, one));
}

TEST(RequestReader, JudgesTheDepthsAndTheSimulationsSettings)
{
    const RequestUse simulate{.simulation = true, .asker = "simulate"};
    EXPECT_EQ(read({{"angle", "90"}}, {.depthValues = true}).error(), "the angle must be at least 0\u00B0 and below 90\u00B0");
    EXPECT_EQ(read({{"angle", "90"}}).error(), ""); // read, not judged, where no depth is computed
    EXPECT_EQ(read({{"electrons", "999"}}, simulate).error(), "<electrons> must be a whole number from 1000 to 1000000000000");
    EXPECT_EQ(read({{"threads", "2.5"}}, simulate).error(), "<threads> must be a whole number from 1 to 1024");
    EXPECT_EQ(read({{"step", "0.1"}}, simulate).error(), "<step> is for <profile>");
    EXPECT_EQ(read({{"energy", "40"}}, simulate).error(), "simulate takes energies from 50 eV to 30000 eV (got 40 eV)");
    const Result<Request> request =
        read({{"seed", "7"}, {"profile", ""}, {"step", "0.5"}, {"angle", "30"}, {"energy", "30000"}}, simulate);
    ASSERT_TRUE(request) << request.error();
    EXPECT_EQ(request->seed, 7u);
    EXPECT_EQ(request->step, 0.5);
    EXPECT_EQ(request->angle, 30.0);
    EXPECT_EQ(request->electrons, 1'000'000u);
}

} // namespace
} // namespace korvane
