#include "Tpp2mRun.h"
#include "cli/ExitStatus.h"

#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace korvane::test {
namespace {

using Tpp2mTest = Tpp2mFixture;

TEST_F(Tpp2mTest, TheWindowsOwnChecksComeOutIdentically)
{
    // The IMFPs at 100000 eV and 50 eV are the calculator's test.
    EXPECT_EQ(output("imfp SiO2 --energy 1000 --relativistic both"),
              "Material   ID  Energy (eV)  Form              IMFP (Å)\n"
              "--------  ---  -----------  ----------------  --------\n"
              "SiO2      104         1000  non-relativistic     29.12\n"
              "SiO2      104         1000  relativistic         29.05\n");
    EXPECT_EQ(output("imfp 104 --energy 1000 --density 2.65 --mass 60.08 --gap 9.1 --nv 16 --csv"),
              "material,id,energy_eV,form,imfp_A,error\n"
              "SiO2,104,1000,non-relativistic,29.11884,\n"
              "(inline),,1000,non-relativistic,29.11884,\n");
    EXPECT_EQ(output("cf1 --imfp 25 --depth 10"),
              "IMFP (Å)  Depth (Å)    CF1\n"
              "--------  ---------  -----\n"
              "   25.00         10  1.082\n");
    EXPECT_EQ(output("cf2 --density 2.33 --mass 28.09 --cross-section 1 --imfp 30 --depth 10"),
              "IMFP (Å)  TrMFP (Å)  EffTrMFP (Å)  Depth (Å)    CF2\n"
              "--------  ---------  ------------  ---------  -----\n"
              "   30.00      71.47         21.13         10  1.075\n");
    EXPECT_EQ(output("cf2 --eff-trmfp 10 --depth 20"),
              "EffTrMFP (Å)  Depth (Å)    CF2\n"
              "------------  ---------  -----\n"
              "       10.00         20  0.870\n");
}

TEST_F(Tpp2mTest, AFormulaSumsNvAndMassOverTheElementRows)
{
    // Si 28.085 + 2 O 15.999 = 60.083 against the row's 60.08: a different
    // last digit of the full value.
    EXPECT_EQ(output("imfp SiO2 --formula SiO2 --density 2.65 --gap 9.1 --energy 1000 --csv"),
              "material,id,energy_eV,form,imfp_A,error\n"
              "SiO2,104,1000,non-relativistic,29.11884,\n"
              "SiO2,,1000,non-relativistic,29.118425,\n");
}

// JSON is shown with the odd names of Tpp2mDefenceTest.
TEST_F(Tpp2mTest, RowsThatFail)
{
    // SiO2 keeps its total in the f group: without it Nv is 0. An energy of
    // 0 fails too, and under 50 eV earns the note; the run goes on.
    const Tpp2mRun failing = run("imfp SiO2 --energy 0,1000 --include lbe");
    EXPECT_EQ(failing.status, 0);
    EXPECT_EQ(failing.out.toStdString(),
              "Material   ID  Energy (eV)  Form              IMFP (Å)  Error\n"
              "--------  ---  -----------  ----------------  --------  -------------------------\n"
              "SiO2      104            0  non-relativistic            energy must be above 0 eV\n"
              "SiO2      104         1000  non-relativistic            Nv is 0\n");
    EXPECT_EQ(failing.err.toStdString(),
              "tpp2m: note: the formula is not valid for energies below 50 eV and above 200000 eV\n");
    // A cross-section so small that TrMFP is too long to be held (0 is refused).
    EXPECT_EQ(output("cf2 Si --energy 1000 --cross-section 1e-300 --depth 5 --csv"),
              "material,id,energy_eV,form,imfp_A,trmfp_A,efftrmfp_A,depth_A,cf2,error\n"
              "Si,14,1000,non-relativistic,23.863304,,,5,,"
              "\"TrMFP cannot be formed from this density, mass and cross-section\"\n");
}

TEST_F(Tpp2mTest, BadInputEndsTheRunWithOneLineAndNoOutput)
{
    struct Case {
        const char* line;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"imfp Xyz --energy 1000", 1, "no material \"Xyz\" in DataBase/TPP2-data.db"},
        {"imfp si --energy 1000", 1, "no material \"si\" in DataBase/TPP2-data.db (did you mean \"Si\"?)"},
        {"imfp --formula Ca(OH)2 --density 2.2 --gap 5 --energy 1000", 2,
         "unknown element \"Ca\" in the formula \"Ca(OH)2\""},
        {"imfp --formula SiO2) --density 2.2 --gap 5 --energy 1000", 2,
         "--formula: \")\" at position 5 of \"SiO2)\" has no matching \"(\""},
    };
    for (const Case& c : cases)
        expectRefused(run(c.line), c.status, QString::fromUtf8(c.message), c.line);
}

// Where there is no database yet, tpp2m makes the shipped one: Tpp2mFirstStart.
TEST_F(Tpp2mTest, ListsTheTableWithoutChangingIt)
{
    const QByteArray before = fileHash(database.path());
    EXPECT_EQ(output("list"),
              " ID  Name  Density (g/cm³)  Mass (g/mol)  Gap (eV)  Nv\n"
              "---  ----  ---------------  ------------  --------  --\n"
              "  8  O               1.568        15.999         0   6\n"
              " 14  Si               2.33        28.085      1.12   4\n"
              " 29  Cu               8.96        63.546         0  11\n"
              "104  SiO2             2.65         60.08       9.1  16\n"
              "105  Cu2O                6           143       2.2  28\n"
              "110  SiC              3.21        40.096      2.36   8\n");
    EXPECT_EQ(fileHash(database.path()), before);
}

// The PNG of the default size is Tpp2mDefenceTest's.
TEST_F(Tpp2mTest, PlotsAnSvgOfTheRequestedSize)
{
    const Tpp2mRun svg = run("plot SiO2 --energy 0,100,1000 -o imfp.svg --size 640x480");
    EXPECT_EQ(svg.status, 0);
    EXPECT_TRUE(svg.err.contains(QStringLiteral(
        "tpp2m: note: 1 of the energies give no positive IMFP for SiO2 and are left out of the plot\n")));
    const QSvgRenderer renderer(database.folder() + QStringLiteral("/imfp.svg"));
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 640, 480));

    const Tpp2mRun unwritable = run("plot SiO2 --energy 100,1000 -o no/such/folder/imfp.png");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(
        unwritable.err.contains(QStringLiteral("tpp2m: the plot cannot be written to no/such/folder/imfp.png")));
}

// tpp2m --help: 1 when something cannot be had (a material, the database, a
// file, a curve to plot), 2 when the command line is wrong. Every kind of
// failure ends with one of the two.
TEST(ExitStatus, EachKindOfFailureEndsWithTheStatusTheHelpNames)
{
    const std::pair<ErrorCode, cli::ExitStatus> statuses[] = {
        {ErrorCode::NotFound, cli::kNotFound},        {ErrorCode::Storage, cli::kNotFound},
        {ErrorCode::NoPhysicalValue, cli::kNotFound}, {ErrorCode::InvalidInput, cli::kBadInput},
        {ErrorCode::OutOfRange, cli::kBadInput},      {ErrorCode::Ambiguous, cli::kBadInput},
        {ErrorCode::Failed, cli::kBadInput},
    };
    for (const auto& [code, status] : statuses)
        EXPECT_EQ(cli::exitStatusOf(code), status) << int(code);
}

} // namespace
} // namespace korvane::test
