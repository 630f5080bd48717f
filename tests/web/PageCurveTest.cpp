#include "web/PageCurve.h"

#include <gtest/gtest.h>

#include <regex>

using namespace korvane::page;

namespace {

// Copper's and silica's rows as the page's script hands them over for the
// curve's materials "Cu" and "104".
const std::string kCurveRows = "database=TPP2-data.db&curve.0=Cu&curve.0.found=1&curve.0.id=29&curve.0.name=Cu"
                               "&curve.0.density=8.96&curve.0.mass=63.546&curve.0.gap=0"
                               "&curve.0.hbe=8&curve.0.lbe=1&curve.0.d=10"
                               "&curve.1=104&curve.1.found=1&curve.1.id=104&curve.1.name=SiO2"
                               "&curve.1.density=2.65&curve.1.mass=60.08&curve.1.gap=9.1&curve.1.f=16";

const korvane::ValenceTicks kTicks = *korvane::readIncludedGroups("lbe,d,f");

// The curve of `query`, which no input refuses.
std::optional<PageCurve> curveOf(const std::string& query)
{
    Outcome<PageCurve> evaluated = evaluateCurve(PageQuery(query), kTicks);
    EXPECT_TRUE(evaluated.errors.empty());
    return std::move(evaluated.value);
}

} // namespace

TEST(PageCurveTest, ThePointsAndTheCsvAreTpp2mImfps)
{
    const std::string query = "materials=Cu,+104,29&log=100:1000:3&range=1500:1600:100&relativistic=both&" + kCurveRows
        + "&curve.2=29&curve.2.found=1&curve.2.id=29&curve.2.name=Cu&curve.2.density=8.96";
    const std::optional<PageCurve> found = curveOf(query);
    ASSERT_TRUE(found);
    const PageCurve& curve = *found;
    EXPECT_EQ(curve.energies, (std::vector<float>{100, 316.227753f, 1000, 1500, 1600}));
    ASSERT_EQ(curve.series.size(), 4u); // Cu named twice, drawn once
    EXPECT_EQ(curve.series[0].label, "Cu (non-relativistic)");
    EXPECT_EQ(curve.series[3].label, "SiO2 (relativistic)");
    EXPECT_EQ(curve.series[3].material, 1);
    EXPECT_TRUE(curve.series[3].relativistic);
    EXPECT_EQ(curve.series[0].imfp[2], 15.448975f); // tpp2m imfp Cu --energy 1000
    // The CSV's bytes are compared with tpp2m imfp --csv's in page.test.mjs.
    EXPECT_TRUE(curve.notes.empty());
    // Without "relativistic", the non-relativistic form alone, named by the material.
    const std::optional<PageCurve> one = curveOf("materials=Cu&log=10:1000:3&" + kCurveRows);
    ASSERT_TRUE(one);
    ASSERT_EQ(one->series.size(), 1u);
    EXPECT_EQ(one->series[0].label, "Cu");
    EXPECT_FALSE(one->series[0].relativistic);
    // tpp2m imfp Cu --log 10:1000:3 says so too.
    EXPECT_EQ(one->notes,
              std::vector<std::string>{"the formula is not valid for energies below 50 eV and above 200000 eV"});
}

// Its CSV rows, with the reason, are the one writer's (tests/query/CurveTest).
TEST(PageCurveTest, AMaterialWithoutAValueGivesEmptyPoints)
{
    const std::string query = "materials=Odd&range=100:200:100&database=x.db&curve.0=Odd&curve.0.found=1"
                              "&curve.0.id=700&curve.0.name=Odd,+one&curve.0.mass=10&curve.0.gap=0&curve.0.f=4";
    const std::optional<PageCurve> curve = curveOf(query);
    ASSERT_TRUE(curve);
    EXPECT_EQ(curve->series[0].imfp, (std::vector<std::optional<float>>{std::nullopt, std::nullopt}));
}

TEST(PageCurveTest, AWrongInputGivesTpp2msWordsWithTheFieldsNameAndNoCurve)
{
    struct Case {
        std::string query, error;
    };
    const Case cases[] = {
        {"materials=Cu&range=10:100:5:1", "energies needs FROM:TO:STEP (got \"10:100:5:1\")"},
        {"materials=Cu&log=50:5000:x", "log energies: \"x\" is not a number"},
        {"materials=Cu&log=5000:50:10", "log energies must run upwards (TO must be above FROM)"},
        {"materials=Cu&range=100:200:0", "the step of energies must be above 0"},
        // The browser holds every point: fewer than tpp2m computes in a run.
        {"materials=Cu&log=50:5000:100001", "log energies gives more than 100000 energies"},
        {"materials=Cu&log=50:5000:60000&range=1:60000:1", "more than 100000 energies in one run"},
        {"materials=Cu&log=50:5000:10&relativistic=no", "form takes no value or \"both\" (got \"no\")"},
    };
    for (const Case& c : cases) {
        const PageQuery query(c.query + "&" + kCurveRows.substr(0, kCurveRows.find("&curve.1")));
        EXPECT_EQ(pageCurveJson(query, 100),
                  "{\"errors\":[\"" + std::regex_replace(c.error, std::regex("\""), "\\\"")
                      + "\"],\"notes\":[],\"curve\":null}")
            << c.query;
        EXPECT_EQ(pageCurveCsv(query), "") << c.query;
    }
    // No materials or no energies: no curve, and nothing to say.
    for (const std::string query : {"log=50:5000:10", "materials=Cu", "materials=+,+&log=50:5000:10"})
        EXPECT_EQ(pageCurveJson(PageQuery(query + "&" + kCurveRows), 100),
                  "{\"errors\":[],\"notes\":[],\"curve\":null}")
            << query;
}

TEST(PageCurveTest, TheMaterialsAreNamesBetweenCommas)
{
    EXPECT_EQ(curveMaterialNames(" Cu, SiO2,,104 ,Cu"), (std::vector<std::string>{"Cu", "SiO2", "104"}));
    EXPECT_TRUE(curveMaterialNames(" ").empty());
}

// At most the points asked for, the first and the last among them, in
// ascending energy: a range after a log grid falls into place.
TEST(PageCurveTest, TheCurveReachesTheScriptAsJsonWithAtMostThePointsAsked)
{
    const PageCurve curve{
        {100, 1000.5f, 2000, 50, 3000}, {{"Cu \"x\"", 1, true, {15.5f, std::nullopt, 20, 2, 30}}}, {}};
    EXPECT_EQ(curveJson(curve, 3),
              "{\"energies\":[100,2000,3000],\"series\":[{\"label\":\"Cu \\\"x\\\"\",\"material\":1,"
              "\"colour\":\"#D55E00\",\"relativistic\":true,\"imfp\":[15.5,20,30]}]}");
    EXPECT_EQ(curveJson(curve, 100).substr(0, 37), "{\"energies\":[50,100,1000.5,2000,3000]");
}
