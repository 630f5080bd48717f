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
const std::string kSilicaRow = "material.found=1&material.id=104&material.name=SiO2&material.density=2.65"
                               "&material.mass=60.08&material.gap=9.1&material.f=16";

std::map<std::string, ShownResult> shownById(const PageResults& results)
{
    std::map<std::string, ShownResult> shown;
    for (const ShownResult& result : results.shown)
        shown[result.id] = result;
    return shown;
}

} // namespace

TEST(PageResultsTest, CopperAt1000eVShowsTheWindowsTextsAndTpp2msValues)
{
    const PageResults results = evaluatePage(PageQuery(kCopperRow + "&energy=1000&depth=10"));
    EXPECT_TRUE(results.errors.empty());
    auto shown = shownById(results);
    EXPECT_EQ(shown["imfp"].text, "15.45 \u00C5");
    EXPECT_EQ(shown["imfp"].value, "15.448975");
    EXPECT_EQ(shown["imfp-relativistic"].text, "15.41 \u00C5");
    EXPECT_EQ(shown["cf1"].text, "1.054");
    EXPECT_EQ(shown["cf1"].value, "1.0536116");
    // S of copper's atom, and CF2 with it, as tpp2m cf2 computes them.
    EXPECT_EQ(shown["transport-cross-section"].value, "1.1463349");
    EXPECT_EQ(shown["transport-cross-section"].text, "1.14633");
    EXPECT_EQ(shown["cf2"].value, "1.0316441");
    EXPECT_EQ(shown["information-depth-none"].text, "46.28 \u00C5");
    EXPECT_EQ(shown["information-depth-cf1"].value, "34.171906");
    EXPECT_EQ(shown["mean-escape-depth-cf2"].value, "12.016999");
}

TEST(PageResultsTest, ACompoundsSIsItsFormulasSum)
{
    auto shown = shownById(evaluatePage(PageQuery("material=SiO2&" + kSilicaRow + "&energy=1000&depth=10")));
    EXPECT_EQ(shown["transport-cross-section"].value, "0.90476835");
    EXPECT_EQ(shown["cf2"].value, "1.0799104");
    EXPECT_EQ(shown["information-depth-cf2"].value, "68.814445");
}

TEST(PageResultsTest, TypedValuesAreReadAsTpp2mReadsThem)
{
    auto shown = shownById(evaluatePage(PageQuery("density=2.2&mass=60.08&gap=9&nv=16&energy=1000")));
    EXPECT_EQ(shown["imfp"].value, "30.214905");
    // No row and no formula, so no S to compute; CF2 says so, as tpp2m cf2 does.
    EXPECT_EQ(shown.count("transport-cross-section"), 0u);
    EXPECT_EQ(evaluatePage(PageQuery("density=2.2&mass=60.08&gap=9&nv=16&energy=1000&depth=10")).errors,
              std::vector<std::string>{"CF2 needs a transport cross-section S for a material given by its values, "
                                       "which has no formula to compute S from"});
}

TEST(PageResultsTest, AFormulasNvAndMassAreSummedFromTheElementRowsAsTpp2mSumsThem)
{
    // Silicon's and oxygen's rows as the page's script hands them over.
    const std::string elements = "&element.Si.found=1&element.Si.mass=28.084999084472656&element.Si.hbe=8"
                                 "&element.Si.lbe=4&element.O.found=1&element.O.mass=15.99899959564209"
                                 "&element.O.hbe=2&element.O.lbe=6";
    const std::string silica = "formula=SiO2&density=2.65&gap=9.1&energy=1000" + elements;
    PageResults results = evaluatePage(PageQuery(silica));
    EXPECT_TRUE(results.errors.empty());
    EXPECT_EQ(shownById(results)["imfp"].value, "29.118425");
    // With both s+p groups counted, as tpp2m --include hbe,lbe.
    EXPECT_EQ(shownById(evaluatePage(PageQuery(silica + "&include=hbe,+lbe")))["imfp"].value, "48.07035");

    struct Case {
        std::string query, error;
    };
    const Case cases[] = {
        {"formula=Si2Xx&density=2&gap=0&energy=1000" + elements, "unknown element \"Xx\" in the formula \"Si2Xx\""},
        {"formula=Si(O&density=2&gap=0&energy=1000" + elements, "\"(\" at position 3 of \"Si(O\" is not closed"},
        {silica + "&include=x", "unknown valence group \"x\" in valence groups (choose from hbe, lbe, d, f, or none)"},
        // As tpp2m refuses them: a formula's mass and Nv are its elements' sums.
        {silica + "&mass=60", "mass cannot be given with formula: it is summed from the elements"},
        {silica + "&nv=16", "Nv cannot be given with formula: it is summed from the elements"},
    };
    for (const Case& c : cases) {
        results = evaluatePage(PageQuery(c.query));
        EXPECT_EQ(results.errors, std::vector<std::string>{c.error}) << c.query;
        EXPECT_TRUE(results.shown.empty()) << c.query;
    }
    EXPECT_EQ(formulaSymbols("Ca(OH)2"), (std::vector<std::string>{"Ca", "O", "H"}));
    EXPECT_TRUE(formulaSymbols("Ca(OH").empty());
}

// Nothing left blank without a word: a formula's S and CF2 as tpp2m cf2
// --formula gives them, the material's own values as used, tpp2m's note
// beyond 30°, and a line without photons asks for them.
TEST(PageResultsTest, AFormulasSTheValuesUsedAndTheNotes)
{
    const std::string alumina =
        "formula=Al2O3&density=3.98&gap=8.8&energy=1500&depth=15"
        "&element.Al.found=1&element.Al.mass=26.981538772583008&element.Al.hbe=8&element.Al.lbe=3"
        "&element.O.found=1&element.O.mass=15.99899959564209&element.O.hbe=2&element.O.lbe=6";
    PageResults results = evaluatePage(PageQuery(alumina));
    EXPECT_TRUE(results.errors.empty());
    auto shown = shownById(results);
    EXPECT_EQ(shown["transport-cross-section"].value, "0.78559667");
    EXPECT_EQ(shown["cf2"].value, "1.0716189");
    EXPECT_EQ(shown["material-mass"].text, "101.960075 g/mol");
    EXPECT_EQ(shown["material-density"].text, "3.98 g/cm\u00B3");

    shown = shownById(evaluatePage(PageQuery(kCopperRow + "&energy=1000")));
    EXPECT_EQ(shown["material-density"].text, "8.96 g/cm\u00B3");
    EXPECT_EQ(shown["material-mass"].text, "63.546 g/mol");
    EXPECT_EQ(shown["material-gap"].text, "0 eV");
    EXPECT_EQ(shown["material-nv"].text, "11");

    results = evaluatePage(PageQuery(kSilicaRow + "&material=SiO2&energy=1486.6&angle=45.5&depth=10"));
    EXPECT_EQ(results.notes,
              std::vector<std::string>{"the corrections cf1 and cf2 hold only up to 30\u00B0 from the "
                                       "surface normal; at 45.5\u00B0 only the straight-line model is given"});
    EXPECT_EQ(shownById(results).count("information-depth-cf1"), 0u);
}

TEST(PageResultsTest, AnErrorIsSaidOnceAndStopsTheNumbersItConcerns)
{
    struct Case {
        std::string query, error;
        bool imfpShown;
    };
    const Case cases[] = {
        {kCopperRow + "&energy=abc", "energy: \"abc\" is not a number", false},
        // Written as numbers, but no Double or no Single holds them: as tpp2m says.
        {kCopperRow + "&energy=1e400", "energy: \"1e400\" is out of range", false},
        {kCopperRow + "&energy=1e-50", "energy: \"1e-50\" is out of range", false},
        {"density=1e39&mass=1&gap=0&nv=4&energy=100", "density: \"1e39\" is out of range", false},
        {"material=Xx&database=mine.db&material.found=0&energy=1000", "no material \"Xx\" in mine.db", false},
        {"density=0&mass=1&gap=0&nv=4&energy=100", "the density must be above 0", false},
        // A row's infinite density (SQLite's 1e999) is there: the formula fails, as tpp2m says.
        {"material=X&material.found=1&material.density=Infinity&material.mass=1&material.gap=0&material.f=4"
         "&energy=100",
         "the TPP-2M formula fails for these values", false},
        {"density=2&mass=1&gap=0&nv=0&energy=100", "Nv is 0", false},
        {kCopperRow + "&energy=1000&angle=90", "the angle must be at least 0\u00B0 and below 90\u00B0", true},
        {kCopperRow + "&energy=1000&depth=5&cross-section=-1", "the transport cross-section S must be above 0", true},
    };
    for (const Case& c : cases) {
        const PageResults results = evaluatePage(PageQuery(c.query));
        EXPECT_EQ(results.errors, std::vector<std::string>{c.error}) << c.query;
        const auto shown = shownById(results);
        EXPECT_EQ(shown.count("imfp"), c.imfpShown ? 1u : 0u) << c.query;
        EXPECT_EQ(shown.count("cf2"), 0u) << c.query;
    }
}

TEST(PageResultsTest, InputsThatTpp2mReadsAsSeveralRowsAreRefusedTogetherWithNoResult)
{
    const std::string silicaByName = "material=SiO2&" + kSilicaRow;
    struct Case {
        std::string query, error;
    };
    const Case cases[] = {
        {silicaByName + "&density=5&mass=10&gap=1&nv=3&energy=1000",
         "name or ID and density, mass, band gap, Nv ask for two materials: give one of them"},
        {kCopperRow + "&formula=Al2O3&density=3.98&gap=8.8&energy=1000",
         "name or ID and formula ask for two materials: give one of them"},
        {silicaByName + "&energy=1486.6&line=Si%202p&source=AlKa",
         "energy and core level ask for more than one energy: give one of them"},
        {kCopperRow + "&energy=1000,2000", "energy asks for more than one energy: give one"},
        {kCopperRow + "&energy=1000&depth=5,10", "depth asks for more than one depth: give one"},
        // As tpp2m refuses them, where the page once let them pass unsaid.
        {kCopperRow + "&energy=1000&relativistic=true", "form takes no value or \"both\" (got \"true\")"},
        {kCopperRow + "&energy=1000&source=AlKa", "source needs core level"},
        {kCopperRow + "&line=Cu+2p3%2F2", "core level needs source (MgKa, AlKa, AgLa, CrKa, GaKa) or photon energy"},
    };
    for (const Case& c : cases) {
        const PageResults results = evaluatePage(PageQuery(c.query));
        EXPECT_EQ(results.errors, std::vector<std::string>{c.error}) << c.query;
        // Two depths stop the correction factors only.
        const bool depths = c.error.starts_with("depth");
        EXPECT_EQ(results.shown.empty(), !depths) << c.query;
        EXPECT_EQ(shownById(results).count("cf1"), 0u) << c.query;
    }
}

TEST(PageResultsTest, TheOverlayersThicknessIsTpp2msAndTheLinesEnergyTheWindows)
{
    const std::string overlayer = "overlayer=SiO2&substrate=Si&overlayer.found=1&overlayer.id=104&overlayer.name=SiO2"
                                  "&overlayer.density=2.65&overlayer.mass=60.08&overlayer.gap=9.1&overlayer.f=16"
                                  "&substrate.found=1&substrate.id=14&substrate.name=Si&substrate.density=2.329"
                                  "&substrate.mass=28.085&substrate.gap=1.12&substrate.hbe=8&substrate.lbe=4"
                                  "&overlayer-energy=1383&substrate-energy=1387&ratio=0.8&bulk-ratio=0.9&angle=20";
    auto shown = shownById(evaluatePage(PageQuery(overlayer)));
    EXPECT_EQ(shown["thickness"].value, "22.401964");
    EXPECT_EQ(shown["thickness"].text, "22.40 \u00C5");

    shown = shownById(evaluatePage(PageQuery(kCopperRow + "&line=Cu+2p3%2F2&source=AlKa")));
    EXPECT_EQ(shown["kinetic-energy"].text, "555.5 eV");
    EXPECT_EQ(shown["kinetic-energy"].value, "555.5");
    EXPECT_EQ(shown["imfp"].value, "10.107201");
}

TEST(PageResultsTest, TheResultsReachTheScriptAsJson)
{
    const PageResults results{{{"imfp", "15.45 \u00C5", "15.448975"}}, {"no \"x\""}, {"a note"}};
    EXPECT_EQ(resultsJson(results),
              "{\"shown\":[{\"id\":\"imfp\",\"text\":\"15.45 \u00C5\",\"value\":\"15.448975\"}],"
              "\"errors\":[\"no \\\"x\\\"\"],\"notes\":[\"a note\"]}");
}

TEST(PageResultsTest, TheJsonEscapesWhatJsonMust)
{
    const PageResults results{{}, {"no material \"Xx\" in C:\\db\n\t\x01"}, {}};
    EXPECT_EQ(resultsJson(results),
              "{\"shown\":[],\"errors\":[\"no material \\\"Xx\\\" in "
              "C:\\\\db\\u000a\\u0009\\u0001\"],\"notes\":[]}");
}

TEST(BindingEnergyTableTest, ReadsTheExportedLines)
{
    const BindingEnergyTable table("29\t2p3/2\t932.70000000000005\n29\t2p1/2\t952.29999999999995\nbad line\n");
    EXPECT_EQ(table.energy(29, "2p3/2"), 932.70000000000005);
    EXPECT_EQ(table.energy(29, "2p1/2"), 952.29999999999995);
    EXPECT_EQ(table.energy(29, "3d5/2"), std::nullopt);
    EXPECT_EQ(table.energy(28, "2p3/2"), std::nullopt);
}

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
        {"", "it has no table tblIMFPdata"},
        {"table-type=view&" + columns.substr(17), "its tblIMFPdata is a view, not a table"},
        {columns.substr(0, columns.find("&column.9")), "the table tblIMFPdata has no column \"valel f\""},
        {columns + "&quick-check=row+1+missing", "the database disk image is malformed (row 1 missing)"},
        {columns + "&quick-check=ok&keyed-row.0=7&keyed-row.0.type=integer&keyed-row.1.type=blob",
         "the material with ID 7 has binary data for a name"},
        // With "ID" not the key, the IDs are looked at and may be there twice.
        {"table-type=table&column.0=ID&" + columns.substr(columns.find("&column.1") + 1)
             + "&quick-check=ok&repeated-id=3",
         "two materials have the ID 3"},
    };
    for (const Case& c : cases) {
        const PageResults results = checkDatabase(PageQuery(c.facts), "a.db");
        EXPECT_EQ(results.errors, std::vector<std::string>{"the materials database a.db cannot be opened: " + c.error})
            << c.facts;
    }
    EXPECT_EQ(unusableDatabase("b.db", "").errors,
              std::vector<std::string>{"the materials database b.db cannot be opened: it is not a materials database"});
    EXPECT_EQ(unusableDatabase("c.db", "file is not a database").errors,
              std::vector<std::string>{"the materials database c.db cannot be opened: file is not a database"});
}
