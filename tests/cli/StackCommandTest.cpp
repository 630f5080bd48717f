#include "Tpp2mRun.h"

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

using StackCommandTest = Tpp2mFixture;

// SiO2 (IMFP 29.119 Å at 1000 eV) over Si: 29.12 (1 - e^(-15/29.12)) from the
// oxide and the rest from the substrate, at 0° and 60°.
TEST_F(StackCommandTest, OneRowPerAngleAndLayerWithTheLineElementsAtoms)
{
    EXPECT_EQ(output("stack --layer SiO2:15 --substrate Si --energy 1000 --angle 0,60 --csv"),
              "layer,material,thickness_A,energy_eV,form,angle_deg,model,imfp_A,signal_A,signal_sd_A,error\n"
              "1,SiO2,15,1000,non-relativistic,0,sla,29.11884,11.722585,0,\n"
              "2,Si,,1000,non-relativistic,0,sla,23.863304,14.256479,0,\n"
              "1,SiO2,15,1000,non-relativistic,60,sla,29.11884,9.362961,0,\n"
              "2,Si,,1000,non-relativistic,60,sla,23.863304,4.2585716,0,\n");
    // Si 2p by Al Kα: Si atoms in SiO2 (2.65 g/cm3, 60.08 g/mol) and in Si; none in Cu.
    const Tpp2mRun lined = run(QStringList{"stack", "--layer", "SiO2:15", "--layer", "Cu:5", "--substrate", "Si",
                                           "--line", "Si 2p", "--source", "AlKa", "--csv"});
    ASSERT_EQ(lined.status, 0) << lined.err.toStdString();
    const QStringList rows = lined.out.split(u'\n');
    EXPECT_EQ(rows[0], "layer,material,thickness_A,energy_eV,form,angle_deg,model,imfp_A,signal_A,signal_sd_A,error,"
                       "line,source,binding_energy_eV,element,atoms_per_A3,intensity,intensity_sd");
    EXPECT_TRUE(rows[1].endsWith(",Si 2p3/2,Al Kα,98.9,Si,0.026562372,0.32846308,0")) << rows[1].toStdString();
    EXPECT_TRUE(rows[2].endsWith(",Si 2p3/2,Al Kα,98.9,Si,0,0,0")) << rows[2].toStdString();
    EXPECT_TRUE(rows[3].startsWith("3,Si,,1387.7,")) << rows[3].toStdString();
    expectRefused(run("stack --layer SiO2:0.001 --substrate Si --energy 1000"), 2,
                  "--layer: a layer is at least 0.01 \u00C5 thick (got \"SiO2:0.001\")");
    expectRefused(run("stack --layer SiO2:10 --energy 1000"), 2, "stack needs --substrate");
    expectRefused(run("stack Cu --layer SiO2:10 --substrate Si --energy 1000"), 2,
                  "stack takes its materials from --layer and --substrate (got \"Cu\")");
    expectRefused(run("stack --layer Unobtainium:10 --substrate Si --energy 1000"), 1,
                  QStringLiteral("no material \"Unobtainium\" in DataBase/TPP2-data.db"));
    expectRefused(run("stack --layer SiO2:10 --substrate Si --energy 1000 --electrons 10"), 2,
                  "--electrons is not an option of stack");
}

} // namespace
} // namespace korvane::test
