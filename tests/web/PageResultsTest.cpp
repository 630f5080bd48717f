#include "web/PageNumbers.h"
#include "web/PageResults.h"

#include <gtest/gtest.h>

#include <map>

using namespace korvane::page;

namespace {

// Copper's row of the shipped materials as the page's script hands it over.
const std::string kCopperRow = "material=Cu&database=TPP2-data.db&material.found=1&material.id=29&material.name=Cu"
                               "&material.density=8.96&material.mass=63.546&material.gap=0"
                               "&material.hbe=8&material.lbe=1&material.d=10";

std::map<std::string, ShownResult> shownById(const PageResults& results)
{
    std::map<std::string, ShownResult> shown;
    for (const ShownResult& result : results.shown)
        shown[result.id] = result;
    return shown;
}

} // namespace

// The values are tpp2m's --json for the same inputs.
TEST(PageResultsTest, CopperAt1000eVShowsTheWindowsTextsAndTpp2msValues)
{
    const PageResults results = evaluatePage(PageQuery(kCopperRow + "&energy=1000&depth=10&cross-section=1.2"));
    EXPECT_TRUE(results.errors.empty());
    auto shown = shownById(results);
    EXPECT_EQ(shown["imfp"].text, "15.45 \u00C5");
    EXPECT_EQ(shown["imfp"].value, "15.448975");
    EXPECT_EQ(shown["imfp-relativistic"].text, "15.41 \u00C5");
    EXPECT_EQ(shown["imfp-relativistic"].value, "15.414831");
    EXPECT_EQ(shown["cf1"].text, "1.054");
    EXPECT_EQ(shown["cf1"].value, "1.0536116");
    EXPECT_EQ(shown["information-depth-none"].text, "46.28 \u00C5");
    EXPECT_EQ(shown["information-depth-none"].value, "46.28099");
    EXPECT_EQ(shown["information-depth-cf1"].value, "34.171906");
    EXPECT_EQ(shown["mean-escape-depth-cf1"].value, "12.030557");
    EXPECT_EQ(shown.count("cf2"), 1u);
    EXPECT_EQ(shown.count("information-depth-cf2"), 1u);
}

TEST(PageResultsTest, AnErrorIsSaidOnceAndShowsNoNumber)
{
    const std::pair<std::string, std::string> cases[] = {
        {kCopperRow + "&energy=abc", "energy: \"abc\" is not a number"},
        {"material=Xx&database=mine.db&material.found=0&energy=1000", "no material \"Xx\" in mine.db"},
        {"density=2&mass=1&gap=0&nv=0&energy=100", "Nv is 0"},
        {"density=2&mass=1&gap=0&energy=100", "no Nv in the database"},
    };
    for (const auto& [query, error] : cases) {
        const PageResults results = evaluatePage(PageQuery(query));
        EXPECT_EQ(results.errors, std::vector<std::string>{error}) << query;
        EXPECT_TRUE(results.shown.empty()) << query;
    }
    const PageResults beyond = evaluatePage(PageQuery(kCopperRow + "&energy=1000&angle=90"));
    EXPECT_EQ(beyond.errors, std::vector<std::string>{"the angle must be at least 0\u00B0 and below 90\u00B0"});
    EXPECT_EQ(shownById(beyond).count("information-depth-none"), 0u);
}

TEST(PageResultsTest, BeyondThirtyDegreesOnlyTheStraightLineIsGiven)
{
    auto shown = shownById(evaluatePage(PageQuery(kCopperRow + "&energy=1000&angle=45&cross-section=1.2")));
    EXPECT_EQ(shown.count("information-depth-none"), 1u);
    EXPECT_EQ(shown.count("information-depth-cf1") + shown.count("information-depth-cf2"), 0u);
}

TEST(PageResultsTest, TheResultsReachTheScriptAsJson)
{
    const PageResults results{{{"imfp", "15.45 \u00C5", "15.448975"}}, {"no \"x\""}, {"a note"}};
    EXPECT_EQ(resultsJson(results), "{\"shown\":[{\"id\":\"imfp\",\"text\":\"15.45 \u00C5\",\"value\":\"15.448975\"}],"
                                    "\"errors\":[\"no \\\"x\\\"\"],\"notes\":[\"a note\"]}");
    EXPECT_EQ(resultsJson(unusableDatabase("x.db")),
              "{\"shown\":[],\"errors\":[\"the materials database x.db cannot be opened: it is not a materials "
              "database\"],\"notes\":[]}");
}

TEST(PageNumbersTest, TextsAreTheDesktops)
{
    EXPECT_EQ(shortest(4.0f), "4");
    EXPECT_EQ(shortest(4.5f), "4.5");
    EXPECT_EQ(shortest(0.1f), "0.1");
    EXPECT_EQ(shortest(15.448975f), "15.448975");
    EXPECT_EQ(shortest(3.2100646e-17f), "3.2100646e-17");
    EXPECT_EQ(fixed(-3.1, 2), "-3.10");
    EXPECT_EQ(fixed(-0.001, 2), "0.00");
    EXPECT_EQ(fixed(1.0005, 3), "1.000");
    EXPECT_EQ(lengthText(15.448975f), "15.45 \u00C5");
    EXPECT_EQ(readDouble(" 1e3 "), 1000.0);
    EXPECT_EQ(readDouble("1,5"), std::nullopt);
    EXPECT_EQ(readDouble(""), std::nullopt);
    EXPECT_EQ(readDouble("inf"), std::nullopt);
    EXPECT_EQ(readSingle("1e39"), std::nullopt);
}
