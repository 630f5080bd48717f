#include "web/PageStack.h"

#include <gtest/gtest.h>

using namespace korvane::page;

namespace {

// The rows of SiO2 and Si as the page's script hands them over for the layers.
const std::string kRows = "database=TPP2-data.db&row.SiO2.found=1&row.SiO2.id=104&row.SiO2.name=SiO2"
                          "&row.SiO2.density=2.65&row.SiO2.mass=60.08&row.SiO2.gap=9.1&row.SiO2.f=16"
                          "&row.Si.found=1&row.Si.id=14&row.Si.name=Si&row.Si.density=2.329&row.Si.mass=28.085"
                          "&row.Si.gap=1.12&row.Si.lbe=4";

std::vector<std::string> column(const PageTable& table, const std::string& name)
{
    const auto at = std::find(table.columns.begin(), table.columns.end(), name) - table.columns.begin();
    std::vector<std::string> values;
    for (const std::vector<TableCell>& row : table.rows)
        values.push_back(row.at(at).value);
    return values;
}

} // namespace

// tpp2m stack --layer SiO2:15 --substrate Si --line "O 1s" --source AlKa --angle 0,70 --csv
TEST(PageStackTest, ALinesRowsHoldTheElementsAtomsAndIntensityAsTpp2mWritesThem)
{
    const PageTable table = pageStack(PageQuery(kRows + "&layer=SiO2:15&substrate=Si&line=O+1s&source=AlKa&angle=0,70"));
    ASSERT_EQ(table.errors, std::vector<std::string>());
    EXPECT_EQ(tableCsv(table),
              "layer,material,thickness_A,energy_eV,form,angle_deg,model,imfp_A,signal_A,signal_sd_A,error,line,source,"
              "binding_energy_eV,element,atoms_per_A3,intensity,intensity_sd\n"
              "1,SiO2,15,954.6,non-relativistic,0,sla,28.105362,11.623601,0,,O 1s,Al K\u03B1,532,O,0.053124744,0.61750084,0\n"
              "2,Si,,954.6,non-relativistic,0,sla,23.017353,13.498013,0,,O 1s,Al K\u03B1,532,O,0,0,0\n"
              "1,SiO2,15,954.6,non-relativistic,70,sla,28.105362,7.593559,0,,O 1s,Al K\u03B1,532,O,0.053124744,0.40340585,0\n"
              "2,Si,,954.6,non-relativistic,70,sla,23.017353,1.6535274,0,,O 1s,Al K\u03B1,532,O,0,0,0\n");
    // Shown as tpp2m's table shows them.
    EXPECT_EQ(table.rows[0][2].text, "15.00");
    EXPECT_EQ(table.rows[0][7].text, "28.11");
    EXPECT_EQ(table.rows[0][8].text, "11.624");
}

TEST(PageStackTest, NothingTypedSaysNothingAndARefusalNamesTheFieldAndStopsEveryRow)
{
    EXPECT_TRUE(pageStack(PageQuery(kRows + "&energy=1000")).errors.empty());
    const std::pair<std::string, std::string> refused[] = {
        {"&layer=SiO2:0.001&substrate=Si&energy=1000", "layer: a layer is at least 0.01 \u00C5 thick (got \"SiO2:0.001\")"},
        {"&layer=SiO2:15&energy=1000", "the layered sample needs substrate"},
        {"&layer=SiO2:15&substrate=Si&energy=1000&relativistic=both",
         "the layered sample takes one form of the formula: form without \"both\""},
        {"&layer=Xx:15&substrate=Si&energy=1000", "no material \"Xx\" in TPP2-data.db"},
        {"&layer=SiO2:15&substrate=Si&line=Au+1s&source=AlKa", "core level \"Au 1s\": its binding energy 80724.9 eV is not below the photon energy 1486.6 eV"},
    };
    for (const auto& [inputs, words] : refused) {
        const PageTable table = pageStack(PageQuery(kRows + inputs));
        EXPECT_EQ(table.errors, std::vector<std::string>{words}) << inputs;
        EXPECT_TRUE(table.rows.empty()) << inputs;
    }
    const PageTable plain = pageStack(PageQuery(kRows + "&layer=SiO2:15&substrate=Si&energy=1000&angle=0,70"));
    EXPECT_EQ(column(plain, "signal_A"), (std::vector<std::string>{"11.722585", "14.257942", "7.750629", "1.8101655"}));
    EXPECT_EQ(plain.columns.back(), "error"); // no line, no line's fields
}
