#include "web/BindingEnergyTable.h"
#include "web/PageDatabaseCheck.h"
#include "web/PageMaterial.h"
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

// What the browser tests cannot reach: refusals of inputs the page's fields
// rarely produce, judged as tpp2m judges them. The numbers and the common
// refusals are compared with tpp2m's in tests/web/page.test.mjs.
TEST(PageResultsTest, AnErrorIsSaidOnceAndStopsTheNumbersItConcerns)
{
    const std::string elements = "&element.Si.found=1&element.Si.mass=28.084999084472656&element.Si.hbe=8"
                                 "&element.Si.lbe=4&element.O.found=1&element.O.mass=15.99899959564209"
                                 "&element.O.hbe=2&element.O.lbe=6";
    const std::string silica = "formula=SiO2&density=2.65&gap=9.1&energy=1000" + elements;
    struct Case {
        std::string query, error;
        bool imfpShown;
    };
    const Case cases[] = {
        // Written as numbers, but no Double or no Single holds them: as tpp2m says.
        {kCopperRow + "&energy=1e-50", "energy: \"1e-50\" is out of range", false},
        {"density=1e39&mass=1&gap=0&nv=4&energy=100", "density: \"1e39\" is out of range", false},
        // A row's infinite density (SQLite's 1e999) is there: the formula fails, as tpp2m says.
        {"material=X&material.found=1&material.density=Infinity&material.mass=1&material.gap=0&material.f=4"
         "&energy=100",
         "the TPP-2M formula fails for these values", false},
        {"density=2&mass=1&gap=0&nv=0&energy=100", "Nv is 0", false},
        {kCopperRow + "&energy=1000&angle=90", "the angle must be at least 0\u00B0 and below 90\u00B0", true},
        {kCopperRow + "&energy=1000&depth=5&cross-section=-1", "the transport cross-section S must be above 0", true},
        {"density=2.2&mass=60.08&gap=9&nv=16&energy=1000&depth=10",
         "CF2 needs a transport cross-section S for a material given by its values, "
         "which has no formula to compute S from",
         true},
        {"formula=Si(O&density=2&gap=0&energy=1000" + elements, "\"(\" at position 3 of \"Si(O\" is not closed", false},
        {silica + "&include=x", "unknown valence group \"x\" in valence groups (choose from hbe, lbe, d, f, or none)",
         false},
        // As tpp2m refuses them: a formula's mass and Nv are its elements' sums.
        {silica + "&mass=60", "mass cannot be given with formula: it is summed from the elements", false},
        {silica + "&nv=16", "Nv cannot be given with formula: it is summed from the elements", false},
        // One result of each: two energies stop everything, two depths the correction factors only.
        {kCopperRow + "&energy=1000,2000", "energy asks for more than one energy: give one", false},
        {kCopperRow + "&energy=1000&depth=5,10", "depth asks for more than one depth: give one", true},
        {kCopperRow + "&energy=1000&source=AlKa", "source needs core level", false},
    };
    for (const Case& c : cases) {
        const PageResults results = evaluatePage(PageQuery(c.query));
        EXPECT_EQ(results.errors, std::vector<std::string>{c.error}) << c.query;
        const auto shown = shownById(results);
        EXPECT_EQ(shown.count("imfp"), c.imfpShown ? 1u : 0u) << c.query;
        EXPECT_EQ(shown.count("cf2"), 0u) << c.query;
    }
    EXPECT_EQ(shownById(evaluatePage(PageQuery(kCopperRow + "&energy=1000&depth=5,10"))).count("cf1"), 0u);
    EXPECT_EQ(formulaSymbols("Ca(OH)2"), (std::vector<std::string>{"Ca", "O", "H"}));
    EXPECT_TRUE(formulaSymbols("Ca(OH").empty());
}

TEST(PageResultsTest, TheResultsReachTheScriptAsJsonEscapedAsJsonMust)
{
    const PageResults results{{{"imfp", "15.45 \u00C5", "15.448975"}}, {"no material \"Xx\" in C:\\db\n\t\x01"}, {"a note"}};
    EXPECT_EQ(resultsJson(results),
              "{\"shown\":[{\"id\":\"imfp\",\"text\":\"15.45 \u00C5\",\"value\":\"15.448975\"}],"
              "\"errors\":[\"no material \\\"Xx\\\" in C:\\\\db\\u000a\\u0009\\u0001\"],\"notes\":[\"a note\"]}");
}

TEST(BindingEnergyTableTest, ReadsTheExportedLines)
{
    const BindingEnergyTable table("29\t2p3/2\t932.70000000000005\n29\t2p1/2\t952.29999999999995\nbad line\n");
    EXPECT_EQ(table.energy(29, "2p3/2"), 932.70000000000005);
    EXPECT_EQ(table.energy(29, "2p1/2"), 952.29999999999995);
    EXPECT_EQ(table.energy(29, "3d5/2"), std::nullopt);
}

// What the browser's files cannot easily show: a damaged file and a binary
// name; the missing table, column, a view and a repeated ID are in page.test.mjs.
TEST(PageDatabaseCheckTest, AFileIsRefusedWithTheDesktopsReason)
{
    const std::string columns =
        "table-type=table&column.0=ID&column.0.key=1&column.1=Description&column.2=Name&column.3=Density"
        "&column.4=Atomic+wght&column.5=Energy+gap+300+K&column.6=valel+s%2Bp%2Cn"
        "&column.7=valel+s%2Bp%2Cn%2B1&column.8=valel+d&column.9=valel+f";
    EXPECT_TRUE(checkDatabase(PageQuery(columns + "&quick-check=ok"), "a.db").errors.empty());
    struct Case {
        std::string facts, error;
    };
    const Case cases[] = {
        {columns + "&quick-check=row+1+missing", "the database disk image is malformed (row 1 missing)"},
        {columns + "&quick-check=ok&keyed-row.0=7&keyed-row.0.type=integer&keyed-row.1.type=blob",
         "the material with ID 7 has binary data for a name"},
    };
    for (const Case& c : cases) {
        const PageResults results = checkDatabase(PageQuery(c.facts), "a.db");
        EXPECT_EQ(results.errors, std::vector<std::string>{"the materials database a.db cannot be opened: " + c.error})
            << c.facts;
    }
    EXPECT_EQ(unusableDatabase("b.db", "").errors,
              std::vector<std::string>{"the materials database b.db cannot be opened: it is not a materials database"});
}
