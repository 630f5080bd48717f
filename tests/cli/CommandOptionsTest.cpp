#include "cli/CommandLine.h"
#include "cli/CommandOptions.h"
#include "cli/CommandTable.h"
#include "cli/HelpText.h"

#include <QRegularExpression>

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace korvane::cli {
namespace {

const std::string kMaterial = "--name --id --density --mass --gap --nv --formula";
const std::string kEnergies = "--energy --range --log --line --source --photon-energy";
const std::string kBoth = kMaterial + " " + kEnergies;

// Each command's options, in the order of the option table.
const std::pair<const char*, std::string> kCommandOptions[] = {
    {"list", "--database --include --csv --json"},
    {"imfp", kBoth + " --database --include --relativistic --csv --json"},
    {"cf1", kBoth + " --database --include --relativistic --csv --json --imfp --depth"},
    {"cf2", kBoth + " --database --include --relativistic --csv --json --imfp --depth --cross-section --eff-trmfp"},
    {"plot", kBoth + " --database --include --relativistic --output -o --size"},
    {"depth", kBoth + " --database --include --relativistic --csv --json --cross-section --angle --probability"},
    {"thickness",
     "--database --include --relativistic --csv --json --angle --electrons --seed --threads --model "
     "--overlayer --substrate --overlayer-energy --substrate-energy --ratio --bulk-ratio"},
    {"export", "--database --csv --json --all"},
    {"import", "--database --replace"},
    {"transport", "--name --id --formula " + kEnergies + " --database --csv --json --element"},
    {"dcs", "--name --id --formula " + kEnergies + " --database --csv --json"},
    {"simulate",
     kBoth
         + " --database --include --relativistic --csv --json --angle --probability --electrons --seed --threads "
           "--asymmetry --source-angle --step --profile"},
    {"quantify",
     "--name --id --density --mass --gap --nv --formula --source --photon-energy --database --include --relativistic "
     "--csv --json --angle --source-angle --layer --peak --beta --transmission-exponent"},
};

std::vector<QString> spellings(const OptionRow& row)
{
    std::vector<QString> names{QString::fromLatin1(row.name)};
    if (row.alias)
        names.push_back(QString::fromLatin1(row.alias));
    return names;
}

// The option as typed on its own: with a value when it takes one.
QStringList typed(const OptionRow& row, const QString& name)
{
    const bool takesValue = row.value != OptionValue::Flag && row.value != OptionValue::FormChoice;
    return {takesValue ? name + QStringLiteral("=1") : name};
}

// Each command takes exactly these options, in either spelling, and refuses
// every other option of the table in today's words.
TEST(CommandOptions, EachCommandTakesItsOptionsAndRefusesTheOthers)
{
    for (const auto& [command, expected] : kCommandOptions) {
        QStringList taken;
        for (const OptionRow& row : optionTable()) {
            for (const QString& name : spellings(row)) {
                const QString error = QString::fromStdString(
                    parseCommandLine(QStringList{QString::fromLatin1(command)} + typed(row, name)).error());
                if (error != QStringLiteral("%1 is not an option of %2").arg(name, QLatin1String(command))) {
                    EXPECT_FALSE(error.startsWith(QStringLiteral("unknown option"))) << error.toStdString();
                    taken.append(name);
                }
            }
        }
        EXPECT_EQ(taken.join(u' ').toStdString(), expected) << command;
    }
    EXPECT_EQ(optionName(Option::Output), QStringLiteral("--output"));
    EXPECT_EQ(findOption(u"-o"), &optionRow(Option::Output));
}

// Only a whole option name is one: not a prefix, not another letter case.
TEST(CommandOptions, AnUnknownOptionIsRefusedInTodaysWords)
{
    const std::pair<const char*, const char*> cases[] = {
        {"imfp Cu --energ 1000", "unknown option --energ"},
        {"imfp Cu --Energy 1000", "unknown option --Energy"},
        {"imfp Cu --energy 1000 --csv-", "unknown option --csv-"},
        {"plot Cu --energy 1000 -O a.png", "unknown option -O"},
        {"cf1 --imfp 10 --depth 1 -d=1", "unknown option -d"},
        {"list --", "unknown option --"},
    };
    for (const auto& [line, message] : cases)
        EXPECT_EQ(parseCommandLine(QString::fromLatin1(line).split(u' ')).error(), message) << line;
    EXPECT_EQ(findOption(u"--energ"), nullptr);
}

// Every option is named in the help, as a whole word, and each option line of
// the table starts a line of the help.
TEST(CommandOptions, TheHelpNamesEveryOptionAndShowsItsLine)
{
    const QString help = helpText();
    for (const OptionRow& row : optionTable()) {
        for (const QString& name : spellings(row)) {
            const QRegularExpression word(
                QStringLiteral("(^|[^a-z-])%1([^a-z-]|$)").arg(QRegularExpression::escape(name)),
                QRegularExpression::MultilineOption);
            EXPECT_TRUE(word.match(help).hasMatch()) << name.toStdString();
        }
        if (row.help.label) {
            const QString line = QStringLiteral("\n  %1").arg(QLatin1String(row.help.label));
            EXPECT_TRUE(help.contains(line)) << row.help.label;
        }
    }
    EXPECT_TRUE(help.contains(QStringLiteral("\n  -o, --output FILE     the picture to write (plot): a regular file or "
                                             "a new name\n  --size WxH            its size in pixels")));
}

// Each command has one row, found by its name; the help lays its rows out in
// columns: a name too long for its column stands on a line of its own, the
// lines of a usage or an example go on under its first.
TEST(CommandTable, EachCommandHasOneRowAndItsPlaceInTheHelp)
{
    for (int kind = int(CommandKind::Help); kind <= int(CommandKind::Quantify); ++kind) {
        const auto rows = std::count_if(commandTable().begin(), commandTable().end(),
                                        [&](const CommandRow& row) { return row.kind == CommandKind(kind); });
        EXPECT_EQ(rows, 1) << kind;
    }
    for (const CommandRow& row : commandTable()) {
        ASSERT_NE(findCommand(QString::fromLatin1(row.name)), nullptr) << row.name;
        EXPECT_EQ(findCommand(QString::fromLatin1(row.name))->kind, row.kind) << row.name;
    }
    EXPECT_EQ(findCommand(u"--help"), nullptr);
    EXPECT_EQ(findCommand(u"List"), nullptr);

    const QString help = helpText();
    for (const char* piece : {
             "\n  tpp2m simulate MATERIAL... ENERGIES [--angle DEG] [--probability P] [--electrons N]\n"
             "             [--seed S] [--threads N] [--asymmetry BETA] [--source-angle PSI]\n",
             "\n  tpp2m --help\n\nCommands:\n  list   Every material with its ID,",
             "\n  export The materials added by users",
             "\n  thickness\n         The thickness of an overlayer O",
             "\n           tpp2m thickness --overlayer SiO2 --substrate Si --overlayer-energy 1383\n"
             "             --substrate-energy 1387 --ratio 0.8 --bulk-ratio 0.9\n  export",
             "\n           tpp2m cf2 Si --energy 1000 --cross-section 1.2 --depth 5,10\n"
             "         Without --cross-section, S of each material is computed as by\n",
             "--database ~/other/TPP2-data.db\n\n  transport\n",
             "--profile --csv\n\n  stack  The no-loss signal",
             "--source AlKa --angle 0,70\n\n  quantify\n         The atomic percent",
             "--peak \"O 1s=900\" --layer C:10\n\nMATERIAL is a name",
         })
        EXPECT_TRUE(help.contains(QString::fromUtf8(piece))) << piece;
}

} // namespace
} // namespace korvane::cli
