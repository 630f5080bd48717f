#include "Tpp2mRun.h"

#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

using DepthCommandsTest = Tpp2mFixture;

TEST_F(DepthCommandsTest, DepthGivesEachModelItsRow)
{
    // Straight lines: ID = -ln(0.05) lambda = 2.996 * 29.12, MED = lambda.
    EXPECT_EQ(output("depth SiO2 --energy 1000 --cross-section 1"),
              "Material   ID  Energy (eV)  Form              IMFP (Å)  Angle (°)  Correction  "
              "Information depth (Å)  Mean escape depth (Å)\n"
              "--------  ---  -----------  ----------------  --------  ---------  ----------  "
              "---------------------  ---------------------\n"
              "SiO2      104         1000  non-relativistic     29.12          0  none        "
              "                87.23                  29.12\n"
              "SiO2      104         1000  non-relativistic     29.12          0  cf1         "
              "                64.41                  22.68\n"
              "SiO2      104         1000  non-relativistic     29.12          0  cf2         "
              "                68.44                  23.72\n");
    // At 30° L = lambda cos 30° = 25.2177 and ID(0.5) = L ln 2. Without
    // --cross-section, S of SiO2 is computed, and only its cf2 row uses it.
    EXPECT_EQ(output("depth 104 --energy 1000 --probability 0.5 --angle 30 --json"),
              "[\n"
              "  {\"material\": \"SiO2\", \"id\": 104, \"energy_eV\": 1000, \"form\": \"non-relativistic\", "
              "\"imfp_A\": 29.11884, \"angle_deg\": 30, \"correction\": \"none\", \"cross_section_a0sq\": null, "
              "\"cross_section_from\": null, \"information_depth_A\": 17.479546, "
              "\"mean_escape_depth_A\": 25.217655, \"error\": null},\n"
              "  {\"material\": \"SiO2\", \"id\": 104, \"energy_eV\": 1000, \"form\": \"non-relativistic\", "
              "\"imfp_A\": 29.11884, \"angle_deg\": 30, \"correction\": \"cf1\", \"cross_section_a0sq\": null, "
              "\"cross_section_from\": null, \"information_depth_A\": 14.980952, "
              "\"mean_escape_depth_A\": 20.553396, \"error\": null},\n"
              "  {\"material\": \"SiO2\", \"id\": 104, \"energy_eV\": 1000, \"form\": \"non-relativistic\", "
              "\"imfp_A\": 29.11884, \"angle_deg\": 30, \"correction\": \"cf2\", \"cross_section_a0sq\": 0.90476835, "
              "\"cross_section_from\": \"formula SiO2\", \"information_depth_A\": 15.369238, "
              "\"mean_escape_depth_A\": 21.395363, \"error\": null}\n"
              "]\n");
}

TEST_F(DepthCommandsTest, DepthSaysWhyItLeavesOutCorrectionsAndNumbers)
{
    const Tpp2mRun steep = run("depth SiO2 Cu --energy 1000 --angle 45 --cross-section 1 --csv --include none");
    EXPECT_EQ(steep.status, 0);
    EXPECT_EQ(steep.out.toStdString(),
              "material,id,energy_eV,form,imfp_A,angle_deg,correction,information_depth_A,mean_escape_depth_A,error\n"
              "SiO2,104,1000,non-relativistic,,45,none,,,Nv is 0\n"
              "Cu,29,1000,non-relativistic,,45,none,,,Nv is 0\n");
    EXPECT_EQ(steep.err.toStdString(),
              "tpp2m: note: the corrections cf1 and cf2 hold only up to 30° from the surface "
              "normal; at 45° only the straight-line model is given\n");

    EXPECT_EQ(output("depth SiO2 --energy 1000 --angle 90 --csv"),
              "material,id,energy_eV,form,imfp_A,angle_deg,correction,information_depth_A,mean_escape_depth_A,error\n"
              "SiO2,104,1000,non-relativistic,29.11884,90,none,,,the angle must be at least 0° and below 90°\n");
    EXPECT_EQ(
        output("depth SiO2 --energy 1000 --probability 1 --cross-section 1 --csv"),
        "material,id,energy_eV,form,imfp_A,angle_deg,correction,information_depth_A,mean_escape_depth_A,error\n"
        "SiO2,104,1000,non-relativistic,29.11884,0,none,,29.11884,the probability P must be above 0 and below 1\n"
        "SiO2,104,1000,non-relativistic,29.11884,0,cf1,,22.67567,the probability P must be above 0 and below 1\n"
        "SiO2,104,1000,non-relativistic,29.11884,0,cf2,,23.719479,the probability P must be above 0 and below 1\n");
    EXPECT_EQ(output("depth Si --energy 1000 --cross-section 0 --csv"),
              "material,id,energy_eV,form,imfp_A,angle_deg,correction,information_depth_A,mean_escape_depth_A,error\n"
              "Si,14,1000,non-relativistic,23.863304,0,none,71.48807,23.863304,\n"
              "Si,14,1000,non-relativistic,23.863304,0,cf1,52.783737,18.583035,\n"
              "Si,14,1000,non-relativistic,23.863304,0,cf2,,,"
              "\"TrMFP cannot be formed from this density, mass and cross-section\"\n");
}

TEST_F(DepthCommandsTest, ThicknessOfAnOverlayer)
{
    // One energy: d = lambda ln(1 + R / Rinf) = 29.11884 ln 2.
    EXPECT_EQ(output("thickness --overlayer SiO2 --substrate 14 --overlayer-energy 1000 --substrate-energy 1000 "
                     "--ratio 1 --bulk-ratio 1 --csv"),
              "overlayer,substrate,overlayer_energy_eV,substrate_energy_eV,imfp_overlayer_A,"
              "imfp_substrate_in_overlayer_A,angle_deg,ratio,bulk_ratio,thickness_A,error\n"
              "SiO2,Si,1000,1000,29.11884,29.11884,0,1,1,20.183641,\n");
    EXPECT_EQ(output("thickness --overlayer SiO2 --substrate Si --overlayer-energy 1000 --substrate-energy 1400 "
                     "--ratio 2 --bulk-ratio 0.5 --angle 60 --relativistic"),
              "Overlayer  Substrate  E overlayer (eV)  E substrate (eV)  IMFP overlayer (Å)  "
              "IMFP substrate in overlayer (Å)  Angle (°)  R   R∞  Thickness (Å)\n"
              "---------  ---------  ----------------  ----------------  ------------------  "
              "-------------------------------  ---------  -  ---  -------------\n"
              "SiO2       Si                     1000              1400               29.05  "
              "                          37.68         60  2  0.5          28.89\n");
    EXPECT_EQ(output("thickness --overlayer SiO2 --substrate Si --overlayer-energy 1000 --substrate-energy 1400 "
                     "--ratio 2 --bulk-ratio -1 --json"),
              "[\n  {\"overlayer\": \"SiO2\", \"substrate\": \"Si\", \"overlayer_energy_eV\": 1000, "
              "\"substrate_energy_eV\": 1400, \"imfp_overlayer_A\": 29.11884, "
              "\"imfp_substrate_in_overlayer_A\": 37.805874, \"angle_deg\": 0, \"ratio\": 2, \"bulk_ratio\": -1, "
              "\"thickness_A\": null, \"error\": \"the bulk ratio R∞ must be above 0\"}\n]\n");
}

TEST_F(DepthCommandsTest, WrongCommandLinesAreRefused)
{
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"thickness --overlayer SiO2 --substrate Si --overlayer-energy 1000 --ratio 1 --bulk-ratio 1",
         "thickness needs --substrate-energy"},
        {"thickness SiO2 --overlayer SiO2 --substrate Si --overlayer-energy 1000 --substrate-energy 1000 --ratio 1 "
         "--bulk-ratio 1",
         "thickness takes its materials from --overlayer and --substrate (got \"SiO2\")"},
        {"thickness --overlayer SiO2 --substrate Si --overlayer-energy 1000 --substrate-energy 1000 --ratio 1 "
         "--bulk-ratio 1 --relativistic both",
         "thickness takes one form of the formula: --relativistic without \"both\""},
        {"thickness --overlayer SiO2 --substrate Si --overlayer-energy 1000 --substrate-energy 1000 --ratio 1 "
         "--bulk-ratio 1 --energy 5",
         "--energy is not an option of thickness"},
        {"depth SiO2 --energy 1000 --angle 10 --angle 20", "--angle is given twice"},
        {"depth SiO2 --energy 1000 --depth 10", "--depth is not an option of depth"},
    };
    for (const auto& c : cases) {
        const Tpp2mRun result = run(c.line);
        EXPECT_EQ(result.status, 2) << c.line;
        EXPECT_EQ(result.err.toStdString(), std::string("tpp2m: ") + c.message + "\n") << c.line;
    }
    const Tpp2mRun missing = run("thickness --overlayer SiO3 --substrate Si --overlayer-energy 1000 "
                                 "--substrate-energy 1000 --ratio 1 --bulk-ratio 1");
    EXPECT_EQ(missing.status, 1);
}

// The overlayer and its energy come first, in whatever order they are given;
// the numbers parsed are shown in the rows of ThicknessOfAnOverlayer.
TEST(DepthCommandLine, ThicknessTurnsItsOptionsIntoMaterialsAndEnergies)
{
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(
        QStringLiteral("thickness --substrate 14 --overlayer SiO2 --ratio 0.25 --bulk-ratio 1.5 --angle 12.5 "
                       "--substrate-energy 1387 --overlayer-energy 1383")
            .split(u' '));
    ASSERT_EQ(parsed.error.toStdString(), "");
    const cli::Command& c = parsed.command;
    ASSERT_EQ(c.materials.size(), 2u);
    EXPECT_EQ(std::get<cli::NamedMaterial>(c.materials[0]).nameOrId, QStringLiteral("SiO2"));
    EXPECT_EQ(std::get<cli::NamedMaterial>(c.materials[1]).nameOrId, QStringLiteral("14"));
    EXPECT_EQ(c.energies, (std::vector<float>{1383, 1387}));
}

} // namespace
} // namespace korvane::test
