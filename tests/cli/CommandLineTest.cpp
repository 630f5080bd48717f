#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace korvane::cli {
namespace {

Result<Command> parse(const char* line)
{
    return parseCommandLine(QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts));
}

Command command(const char* line)
{
    const Result<Command> parsed = parse(line);
    EXPECT_EQ(parsed.error(), "") << line;
    return parsed ? *parsed : Command{};
}

TEST(CommandLine, ReadsEnergiesInTheOrderGivenAndTheValenceGroups)
{
    const Command c = command("imfp SiO2 104 --energy 1000,1486.6 --range 50:60:5 --log=10:1000:3 "
                              "--energy 7 --relativistic both --include hbe,d --csv --database other.db");
    EXPECT_EQ(c.request.energies, (std::vector<float>{1000, 1486.6f, 50, 55, 60, 10, 100, 1000, 7}));
    EXPECT_EQ(c.request.groups, (ValenceTicks{true, false, true, false}));
    EXPECT_EQ(command("imfp Cu --energy 1000").request.groups, (ValenceTicks{false, true, true, true}))
        << "as the window starts";
    // A range keeps its end even when the steps add up to a little less.
    EXPECT_EQ(command("imfp Cu --range 0.1:0.3:0.1").request.energies, (std::vector<float>{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(command("cf1 --help --bogus").kind, CommandKind::Help);
}

// Numbers near both ends of the range: what can be held is taken, zero in
// any spelling included.
TEST(CommandLine, NumbersAtTheEndsOfTheRangeAreTakenWhenTheyCanBeHeld)
{
    EXPECT_EQ(command("imfp Cu --energy 1e-40,0e-400,0.0,-0,3.4e38").request.energies,
              (std::vector<float>{1e-40f, 0, 0, 0, 3.4e38f}));
    EXPECT_EQ(command("cf2 Cu --energy 1000 --cross-section 1e-300 --depth 1").request.crossSection, 1e-300);
}

TEST(CommandLine, EachMistakeIsNamedInOneLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "no command given; try tpp2m --help"},
        {"lsit", "unknown command \"lsit\"; try tpp2m --help"},
        // Found by fuzzing: a typed line break broke the message over two lines.
        {"cf2\n)n\t", "unknown command \"cf2\\n)n\\t\"; try tpp2m --help"},
        {"--csv list", "the command comes first; try tpp2m --help"},
        {"imfp Cu --energy 1000 --frobnicate", "unknown option --frobnicate"},
        {"imfp Cu --energy 1000 --depth 10", "--depth is not an option of imfp"},
        {"list SiO2", "list takes no material (got \"SiO2\")"},
        {"imfp Cu --energy", "--energy needs a value"},
        {"imfp Cu --energy 1000 --csv=yes", "--csv takes no value"},
        {"imfp Cu --energy 1000 --csv --json", "choose one of --csv and --json"},
        {"cf2 Cu --energy 1000 --cross-section 1e309 --depth 1", "--cross-section: \"1e309\" is out of range"},
        {"imfp Cu --energy inf", "--energy: \"inf\" is not a number"},
        {"imfp Cu --range 10:100", "--range needs FROM:TO:STEP (got \"10:100\")"},
        {"imfp Cu", "imfp needs an energy: --energy, --range, --log or --line"},
        {"imfp --energy 1000", "imfp needs a material: a name, an ID, --formula or --density --mass --gap --nv"},
        {"imfp --density 2 --mass 60 --gap 9 --energy 1000", "a material given by its values needs --nv"},
        {"imfp --formula SiO2 --density 2 --energy 1000", "--formula needs --gap"},
        {"cf1 --imfp 25", "cf1 needs --depth"},
        {"cf1 SiO2 --imfp 25 --depth 1", "a material cannot be given with --imfp"},
        {"cf2 --imfp 30 --cross-section 1 --density 2 --depth 1", "cf2 with --imfp needs --mass"},
        {"cf2 --imfp 30 --density 2 --mass 28 --depth 1", "cf2 needs --cross-section (or --eff-trmfp)"},
        {"cf2 --eff-trmfp 10 --cross-section 1 --depth 1", "--cross-section cannot be given with --eff-trmfp"},
        {"plot Cu --energy 100,1000", "plot needs -o FILE.png or -o FILE.svg"},
        {"plot Cu --energy 100 -o a.gif", "the plot file must end in .png or .svg (got \"a.gif\")"},
        {"plot Cu --energy 100 -o a.png --size 800x60",
         "--size must be WIDTHxHEIGHT in pixels, each from 100 to 10000 (got \"800x60\")"},
        {"list --database=", "--database needs a file name"},
        {"export", "export needs --csv or --json"},
        {"import", "import needs the FILE to read"},
        {"import a.csv b.csv", "import reads one file (got \"a.csv\" and \"b.csv\")"},
        {"import a.csv --csv", "--csv is not an option of import"},
        {"transport --energy 100", "transport needs a material: a name, an ID, --formula or --element"},
        {"transport Cu", "transport needs an energy: --energy, --range, --log or --line"},
        {"thickness --overlayer SiO2 --substrate Si --overlayer-energy 1000 --ratio 1 --bulk-ratio 1",
         "thickness needs --substrate-energy"},
        {"thickness SiO2 --overlayer SiO2 --substrate Si --overlayer-energy 1 --substrate-energy 1 --ratio 1 "
         "--bulk-ratio 1",
         "thickness takes its materials from --overlayer and --substrate (got \"SiO2\")"},
        {"thickness --overlayer SiO2 --substrate Si --overlayer-energy 1 --substrate-energy 1 --ratio 1 "
         "--bulk-ratio 1 --relativistic both",
         "thickness takes one form of the formula: --relativistic without \"both\""},
    };
    for (const auto& [line, message] : cases)
        EXPECT_EQ(parse(line).error(), message) << line;
}

// A path given directly at 0 or below would still give a plausible-looking
// number; tpp2m refuses it in one line (the request's own quantities are
// refused by its reader, tests/query).
TEST(CommandLine, PathsThatExistOnlyAboveZeroAreRefusedAtZeroAndBelow)
{
    EXPECT_EQ(parse("cf2 --density 2.65 --mass 60.08 --cross-section 1 --imfp -0 --depth 1").error(),
              "the IMFP must be above 0");
    EXPECT_EQ(parse("cf2 --eff-trmfp -10 --depth 1").error(), "the EffTrMFP must be above 0");
    // The gap and Nv may be 0 (a metal; a row whose IMFP then says why not).
    EXPECT_EQ(command("imfp --density 1e-40 --mass 1 --gap 0 --nv 0 --energy 1").materials.size(), 1u);
}

} // namespace
} // namespace korvane::cli
