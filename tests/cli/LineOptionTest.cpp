#include "Tpp2mRun.h"

#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace korvane::cli {
namespace {

Command command(const QStringList& arguments)
{
    const Result<Command> parsed = parseCommandLine(arguments);
    EXPECT_EQ(parsed.error(), "") << arguments.join(u' ').toStdString();
    return parsed ? *parsed : Command{};
}

std::string error(const QStringList& arguments)
{
    return parseCommandLine(arguments).error();
}

TEST(LineOption, ALinesKineticEnergyKeepsItsPlaceAmongTheEnergies)
{
    const Command c = command({"imfp", "Cu", "--energy", "1000", "--line", "Cu 2p3/2, Au 4f", "--source", "MgKa",
                               "--range", "100:200:100", "--line=O 1s"});
    EXPECT_EQ(c.request.energies,
              (std::vector<float>{1000, float(1253.6 - 931.1), float(1253.6 - 84.1), 100, 200, float(1253.6 - 532)}));
    ASSERT_EQ(c.lines.size(), 6u);
    for (size_t i = 0; i < c.lines.size(); ++i)
        EXPECT_EQ(bool(c.lines[i]), i == 1 || i == 2 || i == 5) << i;

    const Command synchrotron = command({"plot", "O", "--line", "O 1s", "--photon-energy", "650.5", "-o", "a.png"});
    EXPECT_EQ(synchrotron.request.energies, (std::vector<float>{float(650.5 - 532)}));
    EXPECT_EQ(synchrotron.lines.at(0)->source, QStringLiteral("650.5 eV"));
    EXPECT_TRUE(command({"imfp", "Cu", "--energy", "1000"}).lines.empty());

    const std::pair<QStringList, const char*> wrong[] = {
        {{"imfp", "O", "--line", "O 1s", "--photon-energy", "500"},
         "--line \"O 1s\": its binding energy 532 eV is not below the photon energy 500 eV"},
        {{"imfp", "O", "--line", "O 1s"}, "--line needs --source (MgKa, AlKa, AgLa, CrKa, GaKa) or --photon-energy"},
        {{"imfp", "O", "--line", "O 1s", "--source", "AlKα"},
         "unknown source \"AlKα\" (choose from MgKa, AlKa, AgLa, CrKa, GaKa)"},
        {{"imfp", "O", "--line", "O 1s", "--source", "AlKa", "--photon-energy", "1486.6"},
         "--source and --photon-energy cannot be given together"},
        {{"imfp", "O", "--line", "O 1s", "--photon-energy", "-5"}, "--photon-energy must be above 0 eV"},
        {{"imfp", "O", "--energy", "100", "--source", "AlKa"}, "--source needs --line"},
        {{"imfp", "O", "--energy", "100", "--photon-energy", "100"}, "--photon-energy needs --line"},
        {{"cf1", "--imfp", "20", "--line", "O 1s", "--source", "AlKa", "--depth", "1"},
         "an energy cannot be given with --imfp"},
    };
    for (const auto& [arguments, message] : wrong)
        EXPECT_EQ(error(arguments), message) << arguments.join(u' ').toStdString();
}

using LineOptionRun = test::Tpp2mFixture;

TEST_F(LineOptionRun, TheLinesIMFPIsThatOfItsKineticEnergy)
{
    const test::Tpp2mRun line =
        run({"imfp", "Cu", "--line", "Cu 2p3/2", "--source", "AlKa", "--relativistic", "both", "--csv"});
    EXPECT_EQ(line.status, 0);
    EXPECT_EQ(line.err, QString());
    EXPECT_EQ(line.out.toStdString(),
              "material,id,line,source,binding_energy_eV,energy_eV,form,imfp_A,error\n"
              "Cu,29,Cu 2p3/2,Al Kα,931.1,555.5,non-relativistic,10.107201,\n"
              "Cu,29,Cu 2p3/2,Al Kα,931.1,555.5,relativistic,10.095488,\n");

    // A refused line ends the run with one line; xraylib's own complaints about an unknown symbol or an empty shell
    // stay unprinted.
    test::expectRefused(run({"imfp", "O", "--line", "Cu 2s,Cu 4f", "--source", "AlKa"}), 2,
                        QStringLiteral("--line \"Cu 4f\": no binding energy is known for Cu 4f7/2"));
    test::expectRefused(run({"imfp", "O", "--line", "Qq 1s", "--source", "AlKa"}), 2,
                        QStringLiteral("--line \"Qq 1s\": unknown element \"Qq\""));
}

} // namespace
} // namespace korvane::cli
