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
    expectRefused(run("stack --layer SiO2:10 --substrate Si --energy 1000 --electrons 2000"), 2,
                  "--electrons is for --model mc");
    expectRefused(run("stack --layer SiO2:10 --substrate Si --energy 1000 --model eal"), 2,
                  "--model takes sla or mc (got \"eal\")");
}

// The simulation: the same bytes on any number of threads, the signals with
// their standard errors, the oxide's above its straight line and the
// substrate's below (paths turned back stay in the top layer).
TEST_F(StackCommandTest, MonteCarloRowsAreTheSameBytesOnAnyThreads)
{
    const QString command =
        QStringLiteral("stack --layer SiO2:15 --substrate Si --energy 1000 --model mc --electrons 4000 --csv --threads ");
    const std::string one = output(command + "1");
    EXPECT_EQ(output(command + "3"), one);
    const QStringList rows = QString::fromStdString(one).split(u'\n');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[1].startsWith("1,SiO2,15,1000,non-relativistic,0,mc,29.11884,")) << rows[1].toStdString();
    EXPECT_GT(rows[1].section(u',', 8, 8).toDouble(), 11.722585);
    EXPECT_LT(rows[2].section(u',', 8, 8).toDouble(), 14.256479);
    EXPECT_GT(rows[2].section(u',', 9, 9).toDouble(), 0);
}

// Ratios of four angles, one row each with the one thickness that fits them
// all, by the straight line or with the simulated attenuation lengths; one
// angle keeps the one row without the fit's columns.
TEST_F(StackCommandTest, ThicknessFromSeveralAnglesAndAsManyRatios)
{
    const QString thickness = QStringLiteral(
        "thickness --overlayer SiO2 --substrate Si --overlayer-energy 1383 --substrate-energy 1387 --bulk-ratio 0.9 --csv ");
    const QStringList rows = outputLines(thickness + "--angle 0,30,60,75 --ratio 0.8,1.2,2,4");
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], "overlayer,substrate,overlayer_energy_eV,substrate_energy_eV,imfp_overlayer_A,"
                       "imfp_substrate_in_overlayer_A,angle_deg,ratio,bulk_ratio,model,thickness_A,predicted_ratio,"
                       "residual,error");
    EXPECT_TRUE(rows[1].contains(",0,0.8,0.9,sla,")) << rows[1].toStdString();
    EXPECT_TRUE(rows[4].contains(",75,4,0.9,sla,")) << rows[4].toStdString();
    EXPECT_EQ(rows[1].section(u',', 10, 10), rows[4].section(u',', 10, 10));
    EXPECT_EQ(output(thickness + "--angle 30 --ratio 0.8"), output(thickness + "--ratio 0.8 --angle 30"));
    EXPECT_FALSE(QString::fromStdString(output(thickness + "--angle 30 --ratio 0.8")).contains("residual"));
    expectRefused(run(thickness + "--angle 0,30 --ratio 0.8"), 2, "--ratio gives 1 ratios for 2 angles: give one per angle");
    expectRefused(run(thickness + "--ratio 0.8,x"), 2, "--ratio: \"x\" is not a number");
    expectRefused(run(thickness + "--angle 0,90 --ratio 1,2"), 2, "the angle must be at least 0\u00B0 and below 90\u00B0");

    // eal with two simulations per angle: the ratios its fit predicts, fed back,
    // give its thickness back with nothing left over.
    const QString eal = thickness + "--model eal --electrons 20000 --angle 0,45,75 --ratio ";
    const QStringList fitted = outputLines(eal + "0.8,1.5,4");
    ASSERT_EQ(fitted.size(), 5) << fitted.join(u'\n').toStdString();
    EXPECT_TRUE(fitted[3].contains(",75,4,0.9,eal,")) << fitted[3].toStdString();
    const double thicknessFitted = fitted[1].section(u',', 10, 10).toDouble();
    const QStringList again = outputLines(eal + fitted[1].section(u',', 11, 11) + "," +
                                          fitted[2].section(u',', 11, 11) + "," + fitted[3].section(u',', 11, 11));
    ASSERT_EQ(again.size(), 5) << again.join(u'\n').toStdString();
    EXPECT_NEAR(again[2].section(u',', 10, 10).toDouble(), thicknessFitted, 1e-4);
    EXPECT_LT(again[2].section(u',', 12, 12).toDouble(), 1e-6);
    EXPECT_GT(fitted[2].section(u',', 12, 12).toDouble(), 0.01);
}

} // namespace
} // namespace korvane::test
