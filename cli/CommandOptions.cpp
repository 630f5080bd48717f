#include "cli/CommandOptions.h"

#include <algorithm>
#include <array>

namespace korvane::cli {

namespace {

using enum Option;
using enum OptionValue;
using enum HelpSection;

// The commands an option belongs to, as bits.
constexpr unsigned commands(auto... kinds)
{
    return ((1u << unsigned(kinds)) | ...);
}

constexpr unsigned kList = commands(CommandKind::List), kImfp = commands(CommandKind::Imfp),
                   kCf1 = commands(CommandKind::Cf1), kCf2 = commands(CommandKind::Cf2),
                   kPlot = commands(CommandKind::Plot), kDepth = commands(CommandKind::Depth),
                   kThickness = commands(CommandKind::Thickness), kExport = commands(CommandKind::Export),
                   kImport = commands(CommandKind::Import), kTransport = commands(CommandKind::Transport),
                   kDcs = commands(CommandKind::Dcs), kSimulate = commands(CommandKind::Simulate),
                   kStack = commands(CommandKind::Stack), kQuantify = commands(CommandKind::Quantify);
constexpr unsigned kComputing = kImfp | kCf1 | kCf2 | kPlot | kDepth | kSimulate;
constexpr unsigned kEnergies = kComputing | kTransport | kDcs;
// A quantification's matrix is given as the IMFP's material is.
constexpr unsigned kMatrix = kEnergies | kQuantify;
constexpr unsigned kMatrixValues = kComputing | kQuantify;
constexpr unsigned kFormatted =
    kList | kImfp | kCf1 | kCf2 | kDepth | kThickness | kExport | kTransport | kDcs | kSimulate | kStack | kQuantify;
// A stack takes energies but its materials only from its layers and substrate.
constexpr unsigned kEnergyInputs = kEnergies | kStack;
// The photons of lines, or of a quantification's peaks.
constexpr unsigned kPhotons = kEnergyInputs | kQuantify;

// clang-format off
constexpr std::array kOptions = std::to_array<OptionRow>({
    // Ways of giving a material.
    {Name, "--name", Request, kMatrix, {}, {Material, "--name NAME",
        "a name that looks like an ID or an\noption, e.g. --name 105, --name=-x"}},
    {Id, "--id", Request, kMatrix, {}, {Material, "--id ID", "an ID that is also another's name"}},
    {Density, "--density", Request, kMatrixValues, {}, {Material,
        "--density D --mass M --gap EG --nv NV", "a material given by its values"}},
    {Mass, "--mass", Request, kMatrixValues},
    {Gap, "--gap", Request, kMatrixValues},
    {Nv, "--nv", Request, kMatrixValues},
    {Formula, "--formula", Request, kMatrix, {}, {Material, "--formula F --density D --gap EG",
        "a material given by its chemical\n"
        "formula, e.g. SiO2, C22H10N2O5, Ca(OH)2;\n"
        "Nv and the mass are summed from the\n"
        "elements' rows of the database"}},

    // Ways of giving energies.
    {Energy, "--energy", Request, kEnergyInputs, {}, {Energies, "--energy E[,E...]", "single energies"}},
    {Range, "--range", Request, kEnergyInputs, {}, {Energies, "--range FROM:TO:STEP", "FROM, FROM+STEP, ... up to TO"}},
    {Log, "--log", Request, kEnergyInputs, {}, {Energies, "--log FROM:TO:COUNT",
        "COUNT energies evenly spaced on a log scale"}},
    {Line, "--line", Request, kEnergyInputs, {}, {Energies, "--line \"EL LEVEL\"[,...]",
        "the kinetic energy of the photoelectrons of a core\n"
        "level, e.g. \"Cu 2p3/2\", \"O 1s\", \"Au 4f\", excited by"}},
    {Source, "--source", Request, kPhotons, {}, {Energies, "  --source SOURCE",
        "MgKa (1253.6 eV), AlKa (1486.6 eV), AgLa (2984.3 eV),\n"
        "CrKa (5414.8 eV) or GaKa (9251.7 eV), or by"}},
    {PhotonEnergy, "--photon-energy", Request, kPhotons, {}, {Energies, "  --photon-energy E",
        "photons of E eV (a synchrotron, say)"}},

    // The options of several commands.
    {Database, "--database", Special, kList | kPhotons | kThickness | kExport | kImport, {}, {Options,
        "--database PATH",
        "the materials database, which must exist (default\n"
        "DataBase/TPP2-data.db under the current folder, created\n"
        "from the shipped materials when missing); only import\n"
        "writes to it"}},
    {Include, "--include", Request, kList | kComputing | kThickness | kStack | kQuantify, {}, {Options, "--include GROUPS",
        "the valence-electron groups that make up Nv, from\n"
        "hbe (s+p, higher binding energy), lbe (s+p, lower\n"
        "binding energy), d and f, separated by commas, or none;\n"
        "default lbe,d,f, as the window starts"}},
    {Relativistic, "--relativistic", FormChoice, kComputing | kThickness | kStack | kQuantify, {}, {Options, "--relativistic",
        "the relativistic form of the formula; \"both\" gives both forms"}},
    {Csv, "--csv", Flag, kFormatted, {}, {Options, "--csv, --json",
        "full single-precision values for scripts and spreadsheets;\n"
        "the default table rounds as the window shows\n"
        "(lengths 0.00, correction factors 0.000) and holds at\n"
        "most 100000 rows"}},
    {Json, "--json", Flag, kFormatted},
    {All, "--all", Flag, kExport, {}, {Options, "--all", "export every material, the elements included"}},
    {Replace, "--replace", Flag, kImport, {}, {Options, "--replace", "import over the materials of the same name"}},
    {Output, "--output", Special, kPlot, {}, {Options, "-o, --output FILE",
        "the picture to write (plot): a regular file or a new name"}, "-o"},
    {Size, "--size", Special, kPlot, {}, {Options, "--size WxH", "its size in pixels, each from 100 to 10000"}},

    // The options of one or a few commands, explained with their commands.
    {Element, "--element", Special, kTransport},
    {Imfp, "--imfp", Single, kCf1 | kCf2, PositiveInput::Imfp},
    {Depth, "--depth", Request, kCf1 | kCf2},
    {CrossSection, "--cross-section", Request, kCf2 | kDepth},
    {EffTrMfp, "--eff-trmfp", Single, kCf2, PositiveInput::EffTrMfp},
    {Angle, "--angle", Request, kDepth | kThickness | kSimulate | kStack | kQuantify},
    {Probability, "--probability", Request, kDepth | kSimulate},
    {Electrons, "--electrons", Request, kSimulate | kThickness | kStack},
    {Seed, "--seed", Request, kSimulate | kThickness | kStack},
    {Threads, "--threads", Request, kSimulate | kThickness | kStack},
    {Model, "--model", Request, kThickness | kStack},
    {Asymmetry, "--asymmetry", Request, kSimulate | kStack},
    {SourceAngle, "--source-angle", Request, kSimulate | kStack | kQuantify},
    {Step, "--step", Request, kSimulate},
    {Profile, "--profile", Flag, kSimulate},
    {Overlayer, "--overlayer", Text, kThickness},
    {Substrate, "--substrate", Request, kThickness | kStack},
    {OverlayerEnergy, "--overlayer-energy", Single, kThickness},
    {SubstrateEnergy, "--substrate-energy", Single, kThickness},
    {Ratio, "--ratio", Special, kThickness},
    {BulkRatio, "--bulk-ratio", CheckedSingle, kThickness},
    {Layer, "--layer", Request, kStack | kQuantify},
    {Peak, "--peak", Request, kQuantify},
    {Beta, "--beta", Request, kQuantify},
    {TransmissionExponent, "--transmission-exponent", Request, kQuantify},
});
// clang-format on

// Each option's row sits at its own place, so optionRow is an index.
constexpr bool rowsInOptionOrder()
{
    for (size_t i = 0; i < kOptions.size(); ++i)
        if (kOptions[i].option != Option(i))
            return false;
    return true;
}
static_assert(rowsInOptionOrder() && kOptions.size() == size_t(TransmissionExponent) + 1,
              "one row per option, in order");

} // namespace

std::span<const OptionRow> optionTable()
{
    return kOptions;
}

const OptionRow& optionRow(Option option)
{
    return kOptions[size_t(option)];
}

const OptionRow* findOption(QStringView name)
{
    const auto found = std::find_if(kOptions.begin(), kOptions.end(), [&](const OptionRow& row) {
        return name == QLatin1String(row.name) || (row.alias && name == QLatin1String(row.alias));
    });
    return found == kOptions.end() ? nullptr : &*found;
}

QString optionName(Option option)
{
    return QString::fromLatin1(optionRow(option).name);
}

bool takesOption(CommandKind command, const OptionRow& row)
{
    return (row.commands & (1u << unsigned(command))) != 0;
}

} // namespace korvane::cli
