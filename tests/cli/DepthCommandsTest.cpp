#include "Tpp2mRun.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

using DepthCommandsTest = Tpp2mFixture;

TEST_F(DepthCommandsTest, DepthGivesEachModelItsRowUpTo30Degrees)
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
    // Beyond 30° only the straight line, so no S either, and a note why.
    const Tpp2mRun steep = run("depth SiO2 --energy 1000 --angle 45 --csv --include none");
    EXPECT_EQ(steep.out.toStdString(),
              "material,id,energy_eV,form,imfp_A,angle_deg,correction,information_depth_A,mean_escape_depth_A,error\n"
              "SiO2,104,1000,non-relativistic,,45,none,,,Nv is 0\n");
    EXPECT_EQ(steep.err.toStdString(),
              "tpp2m: note: the corrections cf1 and cf2 hold only up to 30° from the surface "
              "normal; at 45° only the straight-line model is given\n");
}

TEST_F(DepthCommandsTest, ThicknessOfAnOverlayer)
{
    // The overlayer and its energy come first, in whatever order they are given.
    EXPECT_EQ(output("thickness --substrate Si --overlayer SiO2 --substrate-energy 1400 --overlayer-energy 1000 "
                     "--ratio 2 --bulk-ratio 0.5 --angle 60 --relativistic"),
              "Overlayer  Substrate  E overlayer (eV)  E substrate (eV)  IMFP overlayer (Å)  "
              "IMFP substrate in overlayer (Å)  Angle (°)  R   R∞  Model  Thickness (Å)\n"
              "---------  ---------  ----------------  ----------------  ------------------  "
              "-------------------------------  ---------  -  ---  -----  -------------\n"
              "SiO2       Si                     1000              1400               29.05  "
              "                          37.68         60  2  0.5  sla            28.89\n");
}

// A value out of its range ends the run with one line and status 2 in every
// command, before any row (they were error rows with status 0); a plot with
// no curve writes no picture and fails.
TEST_F(DepthCommandsTest, OutOfRangeValuesExitTwoAndAPlotWithoutACurveFails)
{
    const QString thickness =
        QStringLiteral("thickness --overlayer SiO2 --substrate Si --overlayer-energy 1000 --substrate-energy 1400 ");
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("depth SiO2 --energy 1000 --angle 90"),
         QStringLiteral("the angle must be at least 0° and below 90°")},
        {thickness + QStringLiteral("--ratio 0 --bulk-ratio 1"), QStringLiteral("the ratio R must be above 0")},
        {thickness + QStringLiteral("--ratio 1 --bulk-ratio 1 --angle -1"),
         QStringLiteral("the angle must be at least 0° and below 90°")},
        {QStringLiteral("transport --formula Og --energy 1000"),
         QStringLiteral("unknown element \"Og\" in the formula \"Og\"")},
    };
    for (const auto& [line, message] : cases)
        expectRefused(run(line), 2, message, line.toStdString());

    const Tpp2mRun empty = run(QStringLiteral("plot SiO2 --energy 100,1000 --include none -o empty.png"));
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err.toStdString(),
              "tpp2m: note: 2 of the energies give no positive IMFP for SiO2 and are left out of the plot\n"
              "tpp2m: nothing to plot: no energy gives a positive IMFP\n");
    EXPECT_FALSE(QFileInfo::exists(database.folder() + QStringLiteral("/empty.png")));
}

} // namespace
} // namespace korvane::test
