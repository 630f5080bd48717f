#include "Tpp2mRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

using SimulateCommandTest = Tpp2mFixture;

TEST_F(SimulateCommandTest, DcsRowsFromZeroTo180DegreesDenserForward)
{
    const QStringList lines = outputLines("dcs Cu --energy 1000 --csv");
    ASSERT_EQ(lines.size(), 1 + 601 + 1); // header, angles, the empty text after the last line break
    EXPECT_EQ(lines[0], "material,energy_eV,angle_deg,dcs_cm2_sr");
    EXPECT_EQ(lines[1], "Cu,1000,0,1.2309868e-15");
    EXPECT_EQ(lines[2], "Cu,1000,0.0005,1.2309868e-15");
    EXPECT_EQ(lines[601], "Cu,1000,180,5.2871457e-18");
    EXPECT_EQ(lines[602], "");
    // A formula unit is its atoms summed: one row of each.
    const QStringList silica = outputLines("dcs --formula SiO2 --energy 500 --csv");
    EXPECT_TRUE(silica[1].startsWith(QStringLiteral("SiO2,500,0,"))) << silica[1].toStdString();
    expectRefused(run("dcs Cu --energy 40000"), 2, "dcs takes energies from 50 eV to 30000 eV (got 40000 eV)");
    expectRefused(run("dcs --energy 1000"), 2, "dcs needs a material: a name, an ID or --formula");
}

TEST_F(SimulateCommandTest, SummaryIsTheSameBytesOnAnyThreadCount)
{
    const std::string expected =
        "material,id,energy_eV,form,angle_deg,electrons,seed,imfp_A,elastic_mfp_A,transport_mfp_A,albedo,"
        "mean_escape_depth_A,mean_escape_depth_sd_A,information_depth_A,information_depth_sd_A,error\n"
        "Cu,29,1000,non-relativistic,0,2000,1,15.448975,9.3127985,36.686394,0.29632425,11.875593,0.074367195,"
        "34.521202,0.24537525,\n";
    EXPECT_EQ(output("simulate Cu --energy 1000 --electrons 2000 --threads 1 --csv"), expected);
    EXPECT_EQ(output("simulate Cu --energy 1000 --electrons 2000 --threads 3 --csv"), expected);
    // Another seed, other numbers; the seed is in the row.
    const std::string other = output("simulate Cu --energy 1000 --electrons 2000 --seed 2 --csv");
    EXPECT_NE(other, expected);
    EXPECT_NE(other.find(",2000,2,15.448975,"), std::string::npos);
}

TEST_F(SimulateCommandTest, ProfileRowsWithTheApproximationsOnlyUpTo30Degrees)
{
    const QStringList normal = outputLines("simulate Cu --energy 1000 --electrons 2000 --profile --csv");
    EXPECT_EQ(normal[0], "material,energy_eV,form,angle_deg,depth_A,phi,phi_sd,cf,cf_sd,eal_A,cf1,cf2,error");
    // The first depth is one step, 0.02 IMFP; cf1 and cf2 stand beside the simulation.
    EXPECT_TRUE(normal[1].startsWith(QStringLiteral("Cu,1000,non-relativistic,0,0.30897948,")))
        << normal[1].toStdString();
    EXPECT_TRUE(normal[1].endsWith(QStringLiteral(",1.1020979,"))) << normal[1].toStdString();
    const QStringList tilted = outputLines("simulate Cu --energy 1000 --electrons 2000 --angle 60 --asymmetry 1 "
                                           "--source-angle 40 --step 0.01 --profile --csv");
    EXPECT_TRUE(tilted[1].startsWith(QStringLiteral("Cu,1000,non-relativistic,60,0.07724487,")))
        << tilted[1].toStdString();
    EXPECT_TRUE(tilted[1].endsWith(QStringLiteral(",,,"))) << tilted[1].toStdString();
    // Down to phi at 1e-4 of the surface's: about ln(1e4) / step depths.
    EXPECT_GT(tilted.size(), 800);
    EXPECT_LT(tilted.size(), 1200);
}

TEST_F(SimulateCommandTest, AProfileThatCannotBeGivenIsARowWithWhyAsInTheSummary)
{
    // A material given by its values has no atoms to scatter: its row says so
    // after Cu's rows, in a whole document, and tpp2m exits 0.
    const QString both =
        QStringLiteral("simulate Cu --density 1 --mass 4 --gap 1 --nv 2 --energy 1000 --electrons 2000 --profile");
    const QStringList csv = outputLines(both + " --csv");
    EXPECT_EQ(csv[csv.size() - 2],
              "(inline),1000,non-relativistic,0,,,,,,,,,neither an element nor a chemical formula: (inline)");
    const QJsonArray json = QJsonDocument::fromJson(QByteArray::fromStdString(output(both + " --json"))).array();
    ASSERT_EQ(json.size(), csv.size() - 2);
    EXPECT_EQ(json.last()["error"], "neither an element nor a chemical formula: (inline)");
    EXPECT_EQ(json.first()["error"], QJsonValue::Null);

    // A null information depth or standard error says why.
    EXPECT_NE(output("simulate Cu --energy 1000 --electrons 2000 --probability 0.9999999999 --csv")
                  .find(",,too few electrons reached the information depth at this probability to give its standard "
                        "error: more electrons are needed\n"),
              std::string::npos);

    // Near where the dipole weight vanishes, phi and CF are divided by it; the
    // approximations, for isotropic emission, stand aside.
    const QStringList faint =
        outputLines("simulate Cu --energy 1000 --electrons 2000 --asymmetry 2 --source-angle 0.001 --profile --csv");
    EXPECT_TRUE(faint[1].endsWith(QStringLiteral(
        ",,,the dipole weight towards the analyser is only 4.5e-10 at this source angle and asymmetry (it vanishes at "
        "a source angle of 0° for an asymmetry of 2): φ and CF are divided by it")))
        << faint[1].toStdString();
    EXPECT_TRUE(outputLines("simulate Cu --energy 1000 --electrons 2000 --asymmetry 1 --profile --csv")[1].endsWith(",,,"));

    // The profile's depths are bounded: a finer step is refused before the run.
    expectRefused(run("simulate Cu --energy 1000 --profile --step 1e-300"), 2,
                  "a profile has at most 1000000 depths, down to 28 IMFP: at this angle the step must be at least "
                  "2.8e-05");
    expectRefused(run("simulate Cu --energy 1000 --profile --angle 89.9999 --step 1"), 2,
                  "a profile has at most 1000000 depths, down to 28 IMFP: at this angle even a step of 1 gives more; a "
                  "profile needs an angle of at most 89.9983°");
    // The summary at 89.9999° reads the information depth from bins as fine as the bound allows.
    EXPECT_NE(output("simulate Cu --energy 1000 --electrons 1000 --angle 89.9999 --threads 1 --csv")
                  .find(",89.9999,1000,1,15.448975,9.3127985,36.686394,0.29632425,1.4218156,0.06527898,8.170792,"
                        "0.3826231,\n"),
              std::string::npos);
}

TEST_F(SimulateCommandTest, ThicknessWithSimulatedAttenuationLengths)
{
    const QString given = QStringLiteral("thickness --substrate Si --overlayer SiO2 --substrate-energy 1400 "
                                         "--overlayer-energy 1000 --ratio 2 --bulk-ratio 0.5 --angle 60 --csv");
    const std::string header = "overlayer,substrate,overlayer_energy_eV,substrate_energy_eV,imfp_overlayer_A,"
                               "imfp_substrate_in_overlayer_A,angle_deg,ratio,bulk_ratio,model,thickness_A,error\n";
    EXPECT_EQ(output(given), header + "SiO2,Si,1000,1400,29.11884,37.805874,60,2,0.5,sla,28.981781,\n");
    EXPECT_EQ(output(given + " --model sla"), output(given));
    // Elastic scattering shortens the attenuation lengths, and so the thickness.
    EXPECT_EQ(output(given + " --model eal --electrons 20000"),
              header + "SiO2,Si,1000,1400,29.11884,37.805874,60,2,0.5,eal,25.715475,\n");
    expectRefused(run(given + " --model x"), 2, "--model takes sla or eal (got \"x\")");
    expectRefused(run(given + " --electrons 5000"), 2, "--electrons is for --model eal");
    // The request's reader judges every value (tests/query); here, that its
    // refusal ends the run in one line with status 2.
    expectRefused(run("simulate Cu --energy 1000 --angle 10 --source-angle 100"), 2,
                  "the X-ray source must lie above the surface: the source angle less the emission angle must be "
                  "between -90 and 90 degrees");
}

} // namespace
} // namespace korvane::test
