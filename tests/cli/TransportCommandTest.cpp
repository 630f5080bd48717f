#include "Tpp2mRun.h"

#include "calc/TransportTable.h"
#include "cli/CommandLine.h"
#include "materials/MaterialTransport.h"

#include <gtest/gtest.h>

#include <charconv>

namespace korvane::test {
namespace {

// A value as tpp2m writes it in CSV: the shortest text of the Single.
std::string csv(double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value)).ptr;
    return std::string(buffer, end);
}

double atom(int z, double energy)
{
    return *shippedTransportTable().crossSection(z, energy);
}

std::string sRow(const std::string& leading, double s)
{
    return leading + csv(s) + "," + csv(s * bohrRadiusSquaredCm2()) + ",\n";
}

using TransportCommandTest = Tpp2mFixture;

TEST_F(TransportCommandTest, ElementsByIdCompoundsByFormulaAndTheRowsWithout)
{
    const Tpp2mRun result = run("transport Cu SiO2 --energy 1000,20 --formula Al2O3 --element Au --element Qq --csv");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err.toStdString(), "");
    const std::string outside = "no transport cross-section outside 50 eV to 30000 eV";
    EXPECT_EQ(result.out.toStdString(),
              "material,id,energy_eV,transport_cross_section_a0sq,transport_cross_section_cm2,error\n"
                  + sRow("Cu,29,1000,", atom(29, 1000)) + "Cu,29,20,,," + outside + "\n"
                  + sRow("SiO2,104,1000,", atom(14, 1000) + 2 * atom(8, 1000)) + "SiO2,104,20,,," + outside + "\n"
                  + sRow("Al2O3,,1000,", 2 * atom(13, 1000) + 3 * atom(8, 1000)) + "Al2O3,,20,,," + outside + "\n"
                  + sRow("Au,79,1000,", atom(79, 1000)) + "Au,79,20,,," + outside + "\n"
                  + "Qq,,1000,,,no element has the symbol Qq\nQq,,20,,,no element has the symbol Qq\n");

    FixtureDatabase glass({material(200, "Glass", 2.2f, 60.08f, 9, std::nullopt, std::nullopt, std::nullopt, 16)});
    ASSERT_TRUE(glass.created());
    const Tpp2mRun named = run("transport Glass --energy 500 --json --database " + glass.path());
    EXPECT_EQ(
        named.out.toStdString(),
        "[\n  {\"material\": \"Glass\", \"id\": 200, \"energy_eV\": 500, \"transport_cross_section_a0sq\": null, "
        "\"transport_cross_section_cm2\": null, \"error\": \"neither an element nor a chemical formula: Glass\"}\n]\n");
}

TEST_F(TransportCommandTest, Cf2WithoutCrossSectionComputesAndNamesIt)
{
    const Tpp2mRun result = run("cf2 Si SiC --energy 1000 --depth 5 --csv");
    EXPECT_EQ(result.status, 0);
    const QStringList lines = result.out.split(u'\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              QStringLiteral("material,id,energy_eV,form,imfp_A,cross_section_a0sq,cross_section_from,"
                             "trmfp_A,efftrmfp_A,depth_A,cf2,error"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Si,14,1000,non-relativistic,23.863304,")
                                    + QString::fromStdString(csv(atom(14, 1000))) + QStringLiteral(",Si (Z = 14),")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(QString::fromStdString(csv(atom(14, 1000) + atom(6, 1000)))
                                  + QStringLiteral(",formula SiC,")))
        << lines[2].toStdString();
}

TEST_F(TransportCommandTest, DepthWithoutCrossSectionComputesAndNamesIt)
{
    const std::string header = "material,id,energy_eV,form,imfp_A,angle_deg,correction,cross_section_a0sq,"
                               "cross_section_from,information_depth_A,mean_escape_depth_A,error\n";
    const Tpp2mRun result = run("depth Cu --energy 1000,20 --csv");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(
        result.out.toStdString(),
        header + "Cu,29,1000,non-relativistic,15.448975,0,none,,,46.28099,15.448975,\n"
            + "Cu,29,1000,non-relativistic,15.448975,0,cf1,,,34.171906,12.030557,\n"
            + "Cu,29,1000,non-relativistic,15.448975,0,cf2," + csv(atom(29, 1000))
            + ",Cu (Z = 29),34.414696,12.016999,\n"
            + "Cu,29,20,non-relativistic,0.55717194,0,none,,,1.669138,0.55717194,\n"
            + "Cu,29,20,non-relativistic,0.55717194,0,cf1,,,1.2324202,0.43388566,\n"
            + "Cu,29,20,non-relativistic,0.55717194,0,cf2,,,,,no transport cross-section outside 50 eV to 30000 eV\n");

    // A material that is neither an element nor a formula says why in its cf2 row.
    FixtureDatabase glass({material(200, "Glass", 2.2f, 60.08f, 9, std::nullopt, std::nullopt, std::nullopt, 16)});
    ASSERT_TRUE(glass.created());
    const QStringList rows = run("depth Glass --energy 1000 --csv --database " + glass.path()).out.split(u'\n');
    ASSERT_EQ(rows.size(), 5);
    EXPECT_TRUE(rows[3].endsWith(QStringLiteral(",cf2,,,,,neither an element nor a chemical formula: Glass")))
        << rows[3].toStdString();

    // Beyond 30° there is no approximation 2 and so no S.
    EXPECT_EQ(run("depth Cu --energy 1000 --angle 40 --csv").out.toStdString(),
              "material,id,energy_eV,form,imfp_A,angle_deg,correction,information_depth_A,mean_escape_depth_A,error\n"
              "Cu,29,1000,non-relativistic,15.448975,40,none,35.453297,11.834601,\n");
}

TEST(TransportCommandLine, NeedsAMaterialAndAnEnergy)
{
    using cli::parseCommandLine;
    const auto parse = [](const char* line) { return parseCommandLine(QString::fromLatin1(line).split(u' ')); };
    EXPECT_EQ(parse("transport --energy 100").error,
              QStringLiteral("transport needs a material: a name, an ID, --formula or --element"));
    EXPECT_EQ(parse("transport Cu").error,
              QStringLiteral("transport needs an energy: --energy, --range, --log or --line"));
    EXPECT_EQ(parse("transport Cu --energy 100 --depth 3").error,
              QStringLiteral("--depth is not an option of transport"));
}

} // namespace
} // namespace korvane::test
