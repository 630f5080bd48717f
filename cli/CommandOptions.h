#pragma once

#include "cli/CommandLine.h"
#include "query/PositiveInputs.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace korvane::cli {

// Every option of tpp2m. The parser and its checks name options by these, so
// a misspelt option does not compile; the spelling on the command line is
// written once, in the option table.
enum class Option {
    Name,
    Id,
    Density,
    Mass,
    Gap,
    Nv,
    Formula,
    Energy,
    Range,
    Log,
    Line,
    Source,
    PhotonEnergy,
    Database,
    Include,
    Relativistic,
    Csv,
    Json,
    All,
    Replace,
    Output,
    Size,
    Element,
    Imfp,
    Depth,
    CrossSection,
    EffTrMfp,
    Angle,
    Probability,
    Electrons,
    Seed,
    Threads,
    Model,
    Asymmetry,
    SourceAngle,
    Step,
    Profile,
    Overlayer,
    Substrate,
    OverlayerEnergy,
    SubstrateEnergy,
    Ratio,
    BulkRatio,
    Layer,
    Peak,
    Beta,
    TransmissionExponent,
};

// How an option's value is read, and where the parser keeps it.
enum class OptionValue {
    Flag,          // no value
    FormChoice,    // no value, or "both"
    Request,       // an input of the request, read and judged by query/RequestReader under the name without "--"
    Single,        // a number held as Single, kept until the command is checked
    CheckedSingle, // a number that must fit a Single and is kept in double
    Text,          // a text, kept until the command is checked
    Special,       // read by the option's own reader
};

// The part of tpp2m --help that explains an option: its commands' texts, or
// a list of option lines.
enum class HelpSection { Commands, Material, Energies, Options };

// An option's line in tpp2m --help.
struct OptionHelp {
    HelpSection section = HelpSection::Commands;
    const char* label = nullptr; // the left column: the option and its value, "--energy E[,E...]"
    const char* text = nullptr;  // the right column; lines separated by '\n'
};

struct OptionRow {
    Option option;
    const char* name; // as typed, "--energy"
    OptionValue value;
    unsigned commands;                          // bit k for the command of CommandKind k
    std::optional<PositiveInput> positive = {}; // a quantity that exists only above 0
    OptionHelp help = {};
    const char* alias = nullptr; // a second spelling ("-o")
};

// Every option, in the order of the help text within each of its sections.
std::span<const OptionRow> optionTable();

const OptionRow& optionRow(Option option);

// The option typed as `name` (either spelling); nullptr for none.
const OptionRow* findOption(QStringView name);

// The option's spelling in messages.
QString optionName(Option option);

bool takesOption(CommandKind command, const OptionRow& row);

} // namespace korvane::cli
