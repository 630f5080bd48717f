#include "web/PageQuantify.h"

#include <gtest/gtest.h>

using namespace korvane::page;

namespace {

// Cu2O's row as the page's script hands it over for the matrix, carbon's for the layer.
const std::string kRows = "database=TPP2-data.db&material.found=1&material.id=109&material.name=Cu2O"
                          "&material.density=6&material.mass=143&material.gap=2.2&material.f=28"
                          "&row.C.found=1&row.C.id=6&row.C.name=C&row.C.density=3.515&row.C.mass=12.011"
                          "&row.C.gap=5.5&row.C.hbe=2&row.C.lbe=4";

} // namespace

// tpp2m quantify Cu2O --source AlKa --peak "Cu 2p3/2=1000" --peak "O 1s=250" --layer C:10 --angle 30 --csv
TEST(PageQuantifyTest, Cu2OUnderCarbonGivesEveryFactorAsTpp2mWritesIt)
{
    const PageTable table = pageQuantification(
        PageQuery(kRows + "&material=Cu2O&source=AlKa&peak=Cu+2p3/2=1000&peak=O+1s=250&layer=C:10&angle=30"));
    ASSERT_EQ(table.errors, std::vector<std::string>());
    // The IMFPs are tpp2m imfp's for Cu2O at 555.5 and 954.6 eV; O = exp(-10 / (lambda_C cos 30°)).
    EXPECT_EQ(tableCsv(table),
              "line,element,binding_energy_eV,kinetic_energy_eV,area,cross_section_b,asymmetry,angular_factor,imfp_A,"
              "transmission,overlayer_attenuation,sensitivity,atomic_percent,error\n"
              "Cu 2p3/2,Cu,931.1,555.5,1000,228543.66,,1,12.298027,1,0.53424937,1501580.5,55.91343,\n"
              "O 1s,O,532,954.6,250,39967.617,2,1,18.192017,1,0.654801,476100.25,44.08657,\n");
    EXPECT_EQ(table.rows[0][5].text, "228544");
    EXPECT_EQ(table.rows[0][12].text, "55.91");
}

TEST(PageQuantifyTest, NothingTypedSaysNothingAndARefusalNamesTheFieldAndStopsEveryRow)
{
    EXPECT_TRUE(pageQuantification(PageQuery(kRows + "&source=AlKa")).errors.empty());
    const std::pair<std::string, std::string> refused[] = {
        {"&material=Cu2O&source=AlKa&peak=Cu+2p=1000&peak=Cu+3p=5",
         "peak \"Cu 3p\": a second peak of Cu: give one peak per element"},
        {"&material=Cu2O&source=AlKa&peak=Cu+2p=1000&source-angle=90",
         "peak \"Cu 2p\": a level other than s needs its asymmetry parameter beta \"Cu 2p=BETA\" away from the magic "
         "angle (source angle 90)"},
        {"&peak=O+1s=250&source=AlKa", "the quantification needs a material: name or ID, or formula with density and band gap"},
        {"&material=Cu2O&source=AlKa&peak=O+1s=250&layer=Xx:5", "no material \"Xx\" in TPP2-data.db"},
    };
    for (const auto& [inputs, words] : refused) {
        const PageTable table = pageQuantification(PageQuery(kRows + inputs));
        EXPECT_EQ(table.errors, std::vector<std::string>{words}) << inputs;
        EXPECT_TRUE(table.rows.empty()) << inputs;
    }
}
