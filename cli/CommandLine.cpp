#include "cli/CommandLine.h"

#include "calc/OverlayerThickness.h"
#include "calc/TransportTable.h"
#include "cli/EnergyGrid.h"
#include "cli/LineEnergies.h"
#include "cli/MaterialSimulation.h"
#include "cli/OneLine.h"
#include "materials/NumberText.h"
#include "query/PositiveInputs.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

namespace korvane::cli {

namespace {

// The commands an option belongs to, as bits.
enum : unsigned {
    kList = 1u << unsigned(CommandKind::List),
    kImfp = 1u << unsigned(CommandKind::Imfp),
    kCf1 = 1u << unsigned(CommandKind::Cf1),
    kCf2 = 1u << unsigned(CommandKind::Cf2),
    kPlot = 1u << unsigned(CommandKind::Plot),
    kDepth = 1u << unsigned(CommandKind::Depth),
    kThickness = 1u << unsigned(CommandKind::Thickness),
    kExport = 1u << unsigned(CommandKind::Export),
    kImport = 1u << unsigned(CommandKind::Import),
    kTransport = 1u << unsigned(CommandKind::Transport),
    kDcs = 1u << unsigned(CommandKind::Dcs),
    kSimulate = 1u << unsigned(CommandKind::Simulate),
    kComputing = kImfp | kCf1 | kCf2 | kPlot | kDepth | kSimulate,
    kEnergies = kComputing | kTransport | kDcs,
};

struct OptionInfo {
    const char* name;
    bool takesValue;
    unsigned commands;
};

constexpr std::array<OptionInfo, 44> kOptions = {{
    {"--database", true, kList | kEnergies | kThickness | kExport | kImport},
    {"--include", true, kList | kComputing | kThickness},
    {"--csv", false, kList | kImfp | kCf1 | kCf2 | kDepth | kThickness | kExport | kTransport | kDcs | kSimulate},
    {"--json", false, kList | kImfp | kCf1 | kCf2 | kDepth | kThickness | kExport | kTransport | kDcs | kSimulate},
    {"--all", false, kExport},
    {"--replace", false, kImport},
    {"--energy", true, kEnergies},
    {"--range", true, kEnergies},
    {"--log", true, kEnergies},
    {"--line", true, kEnergies},
    {"--source", true, kEnergies},
    {"--photon-energy", true, kEnergies},
    {"--relativistic", false, kComputing | kThickness},
    {"--density", true, kComputing},
    {"--mass", true, kComputing},
    {"--gap", true, kComputing},
    {"--nv", true, kComputing},
    {"--formula", true, kEnergies},
    {"--name", true, kEnergies},
    {"--id", true, kEnergies},
    {"--element", true, kTransport},
    {"--imfp", true, kCf1 | kCf2},
    {"--depth", true, kCf1 | kCf2},
    {"--cross-section", true, kCf2 | kDepth},
    {"--angle", true, kDepth | kThickness | kSimulate},
    {"--probability", true, kDepth | kSimulate},
    {"--electrons", true, kSimulate | kThickness},
    {"--seed", true, kSimulate | kThickness},
    {"--threads", true, kSimulate | kThickness},
    {"--model", true, kThickness},
    {"--asymmetry", true, kSimulate},
    {"--source-angle", true, kSimulate},
    {"--step", true, kSimulate},
    {"--profile", false, kSimulate},
    {"--overlayer", true, kThickness},
    {"--substrate", true, kThickness},
    {"--overlayer-energy", true, kThickness},
    {"--substrate-energy", true, kThickness},
    {"--ratio", true, kThickness},
    {"--bulk-ratio", true, kThickness},
    {"--eff-trmfp", true, kCf2},
    {"--output", true, kPlot},
    {"-o", true, kPlot},
    {"--size", true, kPlot},
}};

const std::map<QString, CommandKind> kCommands = {
    {QStringLiteral("list"), CommandKind::List},
    {QStringLiteral("imfp"), CommandKind::Imfp},
    {QStringLiteral("cf1"), CommandKind::Cf1},
    {QStringLiteral("cf2"), CommandKind::Cf2},
    {QStringLiteral("plot"), CommandKind::Plot},
    {QStringLiteral("help"), CommandKind::Help},
    {QStringLiteral("depth"), CommandKind::Depth},
    {QStringLiteral("thickness"), CommandKind::Thickness},
    {QStringLiteral("export"), CommandKind::Export},
    {QStringLiteral("import"), CommandKind::Import},
    {QStringLiteral("transport"), CommandKind::Transport},
    {QStringLiteral("dcs"), CommandKind::Dcs},
    {QStringLiteral("simulate"), CommandKind::Simulate},
};

// The options whose quantity exists only above 0.
const std::map<QString, PositiveInput> kPositiveOptions = {
    {QStringLiteral("--cross-section"), PositiveInput::CrossSection},
    {QStringLiteral("--density"), PositiveInput::Density},
    {QStringLiteral("--mass"), PositiveInput::Mass},
    {QStringLiteral("--imfp"), PositiveInput::Imfp},
    {QStringLiteral("--eff-trmfp"), PositiveInput::EffTrMfp},
};

// Numbers on the command line always have a full stop as decimal point and no
// group separators, whatever the user's locale, so a script gives the same
// numbers everywhere and "1,5" is never read as 15.
QLocale commandLineLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    return locale;
}

class Parser {
public:
    explicit Parser(const QStringList& arguments) : args_(arguments) {}

    ParsedCommandLine parse()
    {
        if (args_.isEmpty())
            return failed(QStringLiteral("no command given; try tpp2m --help"));
        if (args_.contains(QStringLiteral("--help")) || args_.contains(QStringLiteral("-h")))
            return {};
        const auto command = kCommands.find(args_[0]);
        if (command == kCommands.end())
            return failed(args_[0].startsWith(u'-')
                              ? QStringLiteral("the command comes first; try tpp2m --help")
                              : QStringLiteral("unknown command \"%1\"; try tpp2m --help").arg(args_[0]));
        cmd_.kind = command->second;
        if (cmd_.kind == CommandKind::Help)
            return {};
        for (qsizetype i = 1; i < args_.size() && error_.isEmpty(); ++i)
            i = readArgument(i);
        if (error_.isEmpty())
            checkCombination();
        if (!error_.isEmpty())
            return failed(error_);
        return {std::move(cmd_), {}}; // a million energies are not copied
    }

private:
    static ParsedCommandLine failed(const QString& error) { return {{}, oneLine(error)}; }

    void fail(const QString& message)
    {
        if (error_.isEmpty())
            error_ = oneLine(message);
    }

    QString commandName() const { return args_[0]; }

    // Reads the argument at i (and its value); returns the index of the last one used.
    qsizetype readArgument(qsizetype i)
    {
        const QString& arg = args_[i];
        if (!arg.startsWith(u'-')) {
            if (cmd_.kind == CommandKind::Import) {
                if (!cmd_.importFile.isEmpty())
                    fail(QStringLiteral("import reads one file (got \"%1\" and \"%2\")").arg(cmd_.importFile, arg));
                cmd_.importFile = arg;
                return i;
            }
            if (cmd_.kind == CommandKind::List || cmd_.kind == CommandKind::Export)
                fail(QStringLiteral("%1 takes no material (got \"%2\")").arg(commandName(), arg));
            cmd_.materials.push_back(NamedMaterial{arg});
            return i;
        }
        const qsizetype equals = arg.indexOf(u'=');
        const QString name = equals < 0 ? arg : arg.left(equals);
        const auto option = std::find_if(kOptions.begin(), kOptions.end(),
                                         [&](const OptionInfo& o) { return name == QLatin1String(o.name); });
        if (option == kOptions.end()) {
            fail(QStringLiteral("unknown option %1").arg(name));
            return i;
        }
        if (!(option->commands & (1u << unsigned(cmd_.kind)))) {
            fail(QStringLiteral("%1 is not an option of %2").arg(name, commandName()));
            return i;
        }
        if (name == QLatin1String("--relativistic"))
            return readForms(i, equals);
        if (!option->takesValue) { // --csv, --json, --all, --replace or --profile
            if (equals >= 0)
                fail(QStringLiteral("%1 takes no value").arg(name));
            if (name == QLatin1String("--profile")) {
                cmd_.profile = true;
                return i;
            }
            if (name == QLatin1String("--all") || name == QLatin1String("--replace")) {
                (name == QLatin1String("--all") ? cmd_.allMaterials : cmd_.replace) = true;
                return i;
            }
            cmd_.format = name == QLatin1String("--csv") ? OutputFormat::Csv : OutputFormat::Json;
            if (formatGiven_)
                fail(QStringLiteral("choose one of --csv and --json"));
            formatGiven_ = true;
            return i;
        }
        QString value;
        if (equals >= 0) {
            value = arg.mid(equals + 1);
        } else if (i + 1 < args_.size()) {
            value = args_[++i];
        } else {
            fail(QStringLiteral("%1 needs a value").arg(name));
            return i;
        }
        readValue(name, value);
        return i;
    }

    // --relativistic alone, or followed by "both".
    qsizetype readForms(qsizetype i, qsizetype equals)
    {
        QString value;
        if (equals >= 0)
            value = args_[i].mid(equals + 1);
        else if (i + 1 < args_.size() && args_[i + 1] == QLatin1String("both"))
            value = args_[++i];
        if (!value.isEmpty() && value != QLatin1String("both"))
            fail(QStringLiteral("--relativistic takes no value or \"both\" (got \"%1\")").arg(value));
        cmd_.forms = value.isEmpty() ? Forms::Relativistic : Forms::Both;
        return i;
    }

    void readValue(const QString& name, const QString& value)
    {
        if (name == QLatin1String("--database"))
            readDatabase(value);
        else if (name == QLatin1String("--include"))
            readGroups(value);
        else if (name == QLatin1String("--energy"))
            readList(name, value, cmd_.energies);
        else if (name == QLatin1String("--range") || name == QLatin1String("--log"))
            readGrid(name, value);
        else if (name == QLatin1String("--line"))
            readLines(value);
        else if (name == QLatin1String("--source"))
            once(name, photons_.source) = value;
        else if (name == QLatin1String("--photon-energy"))
            once(name, photons_.photonEnergy) = number(name, value);
        else if (name == QLatin1String("--depth"))
            readList(name, value, cmd_.depths);
        else if (name == QLatin1String("--element"))
            cmd_.elementSymbols.push_back(value);
        else if (name == QLatin1String("--formula"))
            once(name, formula_) = value;
        else if (name == QLatin1String("--name"))
            cmd_.materials.push_back(NamedMaterial{value, NamedMaterial::By::Name});
        else if (name == QLatin1String("--id"))
            readId(value);
        else if (name == QLatin1String("--cross-section"))
            once(name, cmd_.crossSection) = aboveZero(name, number(name, value));
        else if (name == QLatin1String("--angle"))
            // The angle as its column shows it, a Single, so that the models given agree with the column.
            once(name, doubles_[name]) = single(name, value);
        else if (name == QLatin1String("--probability") || name == QLatin1String("--ratio")
                 || name == QLatin1String("--bulk-ratio"))
            once(name, doubles_[name]) = single(name, value) ? number(name, value) : std::nullopt; // shown as Singles
        else if (name == QLatin1String("--electrons") || name == QLatin1String("--seed")
                 || name == QLatin1String("--threads") || name == QLatin1String("--asymmetry")
                 || name == QLatin1String("--source-angle") || name == QLatin1String("--step"))
            once(name, doubles_[name]) = number(name, value);
        else if (name == QLatin1String("--overlayer") || name == QLatin1String("--substrate")
                 || name == QLatin1String("--model"))
            once(name, texts_[name]) = value;
        else if (name == QLatin1String("--output") || name == QLatin1String("-o"))
            cmd_.outputFile = value;
        else if (name == QLatin1String("--size"))
            readSize(value);
        else
            once(name, singles_[name]) = aboveZero(name, single(name, value));
    }

    // `value`, unless its option's quantity exists only above 0 and it is not.
    template <typename T>
    std::optional<T> aboveZero(const QString& name, std::optional<T> value)
    {
        const auto positive = kPositiveOptions.find(name);
        if (!value || positive == kPositiveOptions.end())
            return value;
        const QString refusal = QString::fromStdString(notAboveZero(positive->second, *value));
        if (refusal.isEmpty())
            return value;
        fail(refusal);
        return std::nullopt;
    }

    // A value that may be given only once.
    template <typename T>
    T& once(const QString& name, T& slot)
    {
        if (!given_.insert(name).second)
            fail(QStringLiteral("%1 is given twice").arg(name));
        return slot;
    }

    // A number written too large or too small to be held (one that would
    // overflow, or underflow to 0) is out of range, not a number that is not one.
    std::optional<double> number(const QString& name, const QString& text)
    {
        static const QRegularExpression written(
            QStringLiteral("^\\s*[+-]?(?<mantissa>\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
        const QRegularExpressionMatch match = written.match(text);
        static const QRegularExpression nonZeroDigit(QStringLiteral("[1-9]"));
        const bool nonZero = match.hasMatch() && match.captured(QStringLiteral("mantissa")).contains(nonZeroDigit);
        const std::optional<double> value = numbertext::toDouble(text, commandLineLocale());
        if (value && (*value != 0 || !nonZero))
            return value;
        fail(match.hasMatch() ? QStringLiteral("%1: \"%2\" is out of range").arg(name, text)
                              : QStringLiteral("%1: \"%2\" is not a number").arg(name, text));
        return std::nullopt;
    }

    std::optional<float> single(const QString& name, const QString& text)
    {
        const std::optional<double> value = number(name, text);
        if (!value)
            return std::nullopt;
        const float single = static_cast<float>(*value);
        if (std::isinf(single) || (single == 0 && *value != 0)) {
            fail(QStringLiteral("%1: \"%2\" is out of range").arg(name, text));
            return std::nullopt;
        }
        return single;
    }

    // Values separated by commas.
    void readList(const QString& name, const QString& text, std::vector<float>& values)
    {
        for (const QString& item : text.split(u',')) {
            if (const std::optional<float> value = single(name, item))
                values.push_back(*value);
        }
    }

    // Lines separated by commas; each holds its place among the energies
    // until the photon energy is known.
    void readLines(const QString& text)
    {
        for (const QString& item : text.split(u',')) {
            typedLines_.push_back({item.trimmed(), cmd_.energies.size()});
            cmd_.energies.push_back(0);
        }
    }

    // FROM:TO:STEP for --range, FROM:TO:COUNT for --log.
    void readGrid(const QString& name, const QString& text)
    {
        const bool log = name == QLatin1String("--log");
        const QStringList parts = text.split(u':');
        if (parts.size() != 3) {
            fail(QStringLiteral("%1 needs FROM:TO:%2 (got \"%3\")").arg(name, log ? u"COUNT" : u"STEP", text));
            return;
        }
        std::array<double, 3> v{};
        for (int k = 0; k < 3; ++k) {
            const std::optional<float> value = single(name, parts[k]);
            if (!value)
                return;
            v[k] = *value;
        }
        EnergyGrid grid = log ? logEnergies(v[0], v[1], v[2]) : linearEnergies(v[0], v[1], v[2]);
        if (!grid.error.isEmpty())
            fail(grid.error);
        else if (double(cmd_.energies.size()) + double(grid.energies.size()) > kMaxEnergies)
            fail(QStringLiteral("more than %1 energies in one run").arg(kMaxEnergies, 0, 'f', 0));
        else if (cmd_.energies.empty())
            cmd_.energies = std::move(grid.energies);
        else
            cmd_.energies.insert(cmd_.energies.end(), grid.energies.begin(), grid.energies.end());
    }

    // An ID as --id gives it: a whole number.
    void readId(const QString& text)
    {
        bool whole = false;
        text.toLongLong(&whole);
        if (!whole || text.trimmed() != text)
            fail(QStringLiteral("--id: \"%1\" is not a whole number").arg(text));
        cmd_.materials.push_back(NamedMaterial{text, NamedMaterial::By::Id});
    }

    void readDatabase(const QString& path)
    {
        if (path.isEmpty())
            fail(QStringLiteral("--database needs a file name"));
        cmd_.databasePath = path;
        cmd_.whenDatabaseMissing = WhenMissing::Refuse;
    }

    void readGroups(const QString& text)
    {
        IncludedGroups groups = kNoValenceTicks;
        if (text != QLatin1String("none")) {
            for (const QString& item : text.split(u',')) {
                const QString group = item.trimmed();
                if (!groups.tick(group.toStdString()))
                    fail(QStringLiteral(
                             "unknown valence group \"%1\" in --include (choose from hbe, lbe, d, f, or none)")
                             .arg(group));
            }
        }
        cmd_.groups = groups;
    }

    void readSize(const QString& text)
    {
        static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const QRegularExpressionMatch match = pattern.match(text);
        const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
        const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
        if (width < 100 || height < 100 || width > 10000 || height > 10000)
            fail(
                QStringLiteral("--size must be WIDTHxHEIGHT in pixels, each from 100 to 10000 (got \"%1\")").arg(text));
        cmd_.imageSize = QSize(width, height);
    }

    bool has(const char* name) const { return given_.count(QString::fromLatin1(name)) > 0; }

    std::optional<float> value(const char* name) const
    {
        const auto found = singles_.find(QString::fromLatin1(name));
        return found == singles_.end() ? std::nullopt : found->second;
    }

    // What a command needs and what it cannot take together.
    void checkCombination()
    {
        if (const QString error = resolveLines(typedLines_, photons_, cmd_); !error.isEmpty())
            return fail(error);
        switch (cmd_.kind) {
        case CommandKind::Help:
        case CommandKind::List: return;
        case CommandKind::Export:
            if (!formatGiven_)
                fail(QStringLiteral("export needs --csv or --json"));
            return;
        case CommandKind::Import:
            if (cmd_.importFile.isEmpty())
                fail(QStringLiteral("import needs the FILE to read"));
            return;
        case CommandKind::Imfp: return needMaterialsAndEnergies();
        case CommandKind::Depth:
            readDepthValues();
            needMaterialsAndEnergies();
            return;
        case CommandKind::Thickness: return readThicknessValues();
        case CommandKind::Simulate:
            needMaterialsAndEnergies();
            readDepthValues();
            readSimulationValues();
            return;
        case CommandKind::Dcs:
            if (has("--formula"))
                cmd_.materials.push_back(FormulaMaterial{formula_, 0, 0});
            if (cmd_.materials.empty())
                fail(QStringLiteral("dcs needs a material: a name, an ID or --formula"));
            if (cmd_.energies.empty())
                fail(QStringLiteral("dcs needs an energy: --energy, --range, --log or --line"));
            needElasticTableEnergies();
            return;
        case CommandKind::Transport:
            // A formula alone names the compound: S needs no density or gap.
            if (has("--formula"))
                cmd_.materials.push_back(FormulaMaterial{formula_, 0, 0});
            if (cmd_.materials.empty() && cmd_.elementSymbols.empty())
                fail(QStringLiteral("transport needs a material: a name, an ID, --formula or --element"));
            if (cmd_.energies.empty())
                fail(QStringLiteral("transport needs an energy: --energy, --range, --log or --line"));
            return;
        case CommandKind::Plot:
            needMaterialsAndEnergies();
            if (cmd_.outputFile.isEmpty())
                fail(QStringLiteral("plot needs -o FILE.png or -o FILE.svg"));
            else if (!cmd_.outputFile.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)
                     && !cmd_.outputFile.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
                fail(QStringLiteral("the plot file must end in .png or .svg (got \"%1\")").arg(cmd_.outputFile));
            return;
        case CommandKind::Cf1:
            needDepths();
            if (has("--imfp")) {
                refuseBeside("--imfp", {"--density", "--mass", "--gap", "--nv", "--formula"});
                cmd_.imfp = value("--imfp");
            } else {
                needMaterialsAndEnergies();
            }
            return;
        case CommandKind::Cf2:
            needDepths();
            if (has("--eff-trmfp")) {
                refuseBeside("--eff-trmfp",
                             {"--imfp", "--density", "--mass", "--gap", "--nv", "--formula", "--cross-section"});
                cmd_.effTrMfp = value("--eff-trmfp");
                return;
            }
            if (has("--imfp")) {
                if (!has("--cross-section"))
                    fail(QStringLiteral("cf2 needs --cross-section (or --eff-trmfp)"));
                refuseBeside("--imfp", {"--gap", "--nv", "--formula"});
                for (const char* needed : {"--density", "--mass"})
                    if (!has(needed))
                        fail(QStringLiteral("cf2 with --imfp needs %1").arg(QLatin1String(needed)));
                cmd_.imfp = value("--imfp");
                cmd_.transportDensity = value("--density");
                cmd_.transportMass = value("--mass");
            } else {
                needMaterialsAndEnergies();
            }
            return;
        }
    }

    // The angle and P keep their defaults unless given; a value out of their
    // range is refused in the words of the physics that cannot use it.
    void readDepthValues()
    {
        cmd_.angle = doubles_[QStringLiteral("--angle")].value_or(cmd_.angle);
        cmd_.probability = doubles_[QStringLiteral("--probability")].value_or(cmd_.probability);
        failUnlessEmpty(angleError(cmd_.angle));
        failUnlessEmpty(probabilityError(cmd_.probability));
    }

    void failUnlessEmpty(const std::string& error)
    {
        if (!error.empty())
            fail(QString::fromStdString(error));
    }

    // A whole number from `least` to `most`, or the default when not given.
    std::uint64_t wholeNumber(const char* name, double least, double most, std::uint64_t fallback)
    {
        const std::optional<double> given = doubles_[QString::fromLatin1(name)];
        if (!given)
            return fallback;
        if (!(*given >= least && *given <= most && std::floor(*given) == *given)) {
            fail(QStringLiteral("%1 must be a whole number from %2 to %3")
                     .arg(QLatin1String(name))
                     .arg(least, 0, 'f', 0)
                     .arg(most, 0, 'f', 0));
            return fallback;
        }
        return static_cast<std::uint64_t>(*given);
    }

    // How many electrons, from which seed, on how many threads.
    void readRunSize()
    {
        cmd_.electrons = wholeNumber("--electrons", 1000, 1e12, cmd_.electrons);
        cmd_.seed = wholeNumber("--seed", 0, 9007199254740992.0, cmd_.seed);
        cmd_.threads = static_cast<unsigned>(wholeNumber("--threads", 1, 1024, cmd_.threads));
    }

    // The simulation's settings, checked as the simulation checks them.
    void readSimulationValues()
    {
        readRunSize();
        cmd_.asymmetry = doubles_[QStringLiteral("--asymmetry")].value_or(cmd_.asymmetry);
        cmd_.sourceAngle = doubles_[QStringLiteral("--source-angle")].value_or(cmd_.sourceAngle);
        cmd_.step = doubles_[QStringLiteral("--step")].value_or(cmd_.step);
        if (has("--step") && !cmd_.profile)
            fail(QStringLiteral("--step is for --profile"));
        if (const std::string error = simulationInputError(ScatteringMedium{1}, simulationSettings(cmd_));
            !error.empty())
            fail(QString::fromStdString(error));
        if (!(cmd_.probability > 0 && cmd_.probability < 1))
            fail(QStringLiteral("--probability must be above 0 and below 1"));
        needElasticTableEnergies();
    }

    // Elastic scattering is known from 50 eV to 30 keV.
    void needElasticTableEnergies()
    {
        for (const float energy : cmd_.energies)
            if (!(energy >= kTableLowestEnergy && energy <= kTableHighestEnergy))
                return fail(QStringLiteral("%1 takes energies from %2 eV to %3 eV (got %4 eV)")
                                .arg(commandName())
                                .arg(kTableLowestEnergy)
                                .arg(kTableHighestEnergy)
                                .arg(energy));
    }

    // The overlayer and the substrate become the two materials, their peak
    // energies the two energies.
    void readThicknessValues()
    {
        for (const char* needed :
             {"--overlayer", "--substrate", "--overlayer-energy", "--substrate-energy", "--ratio", "--bulk-ratio"})
            if (!has(needed))
                fail(QStringLiteral("thickness needs %1").arg(QLatin1String(needed)));
        if (!cmd_.materials.empty())
            fail(QStringLiteral("thickness takes its materials from --overlayer and --substrate (got \"%1\")")
                     .arg(std::get<NamedMaterial>(cmd_.materials.front()).nameOrId));
        if (cmd_.forms == Forms::Both)
            fail(QStringLiteral("thickness takes one form of the formula: --relativistic without \"both\""));
        if (!error_.isEmpty())
            return;
        cmd_.materials = {NamedMaterial{texts_[QStringLiteral("--overlayer")]},
                          NamedMaterial{texts_[QStringLiteral("--substrate")]}};
        cmd_.energies = {*value("--overlayer-energy"), *value("--substrate-energy")};
        readDepthValues();
        cmd_.ratio = *doubles_[QStringLiteral("--ratio")];
        cmd_.bulkRatio = *doubles_[QStringLiteral("--bulk-ratio")];
        failUnlessEmpty(ratioError(cmd_.ratio, cmd_.bulkRatio));
        const QString model = texts_[QStringLiteral("--model")];
        if (model != QLatin1String("eal") && model != QLatin1String("sla") && has("--model"))
            return fail(QStringLiteral("--model takes sla or eal (got \"%1\")").arg(model));
        cmd_.attenuationModel = model == QLatin1String("eal");
        if (!cmd_.attenuationModel) {
            for (const char* simulating : {"--electrons", "--seed", "--threads"})
                if (has(simulating))
                    fail(QStringLiteral("%1 is for --model eal").arg(QLatin1String(simulating)));
            return;
        }
        readRunSize();
        needElasticTableEnergies();
    }

    // A path given directly stands for the material and its energies.
    void refuseBeside(const char* path, std::initializer_list<const char*> others)
    {
        for (const char* other : others)
            if (has(other))
                fail(QStringLiteral("%1 cannot be given with %2").arg(QLatin1String(other), QLatin1String(path)));
        if (!cmd_.materials.empty())
            fail(QStringLiteral("a material cannot be given with %1").arg(QLatin1String(path)));
        if (!cmd_.energies.empty())
            fail(QStringLiteral("an energy cannot be given with %1").arg(QLatin1String(path)));
    }

    void needDepths()
    {
        if (cmd_.depths.empty())
            fail(QStringLiteral("%1 needs --depth").arg(commandName()));
    }

    void needMaterialsAndEnergies()
    {
        addOptionMaterial();
        if (cmd_.materials.empty())
            fail(QStringLiteral("%1 needs a material: a name, an ID, --formula or --density --mass --gap --nv")
                     .arg(commandName()));
        if (cmd_.energies.empty())
            fail(QStringLiteral("%1 needs an energy: --energy, --range, --log or --line").arg(commandName()));
    }

    // The material given by --formula, or by --density --mass --gap --nv.
    void addOptionMaterial()
    {
        if (has("--formula")) {
            for (const char* unused : {"--mass", "--nv"})
                if (has(unused))
                    fail(QStringLiteral("%1 cannot be given with --formula: it is summed from the elements")
                             .arg(QLatin1String(unused)));
            for (const char* needed : {"--density", "--gap"})
                if (!has(needed))
                    fail(QStringLiteral("--formula needs %1").arg(QLatin1String(needed)));
            if (error_.isEmpty())
                cmd_.materials.push_back(FormulaMaterial{formula_, *value("--density"), *value("--gap")});
            return;
        }
        constexpr std::array<const char*, 4> kInline = {"--density", "--mass", "--gap", "--nv"};
        if (std::none_of(kInline.begin(), kInline.end(), [this](const char* o) { return has(o); }))
            return;
        for (const char* needed : kInline)
            if (!has(needed))
                fail(QStringLiteral("a material given by its values needs %1").arg(QLatin1String(needed)));
        // S is computed from a formula, which a material given by its values lacks.
        const bool needsCrossSection =
            cmd_.kind == CommandKind::Cf2 || (cmd_.kind == CommandKind::Depth && !(cmd_.angle > kMaxCorrectedAngle));
        if (needsCrossSection && !has("--cross-section"))
            fail(QStringLiteral("%1 needs --cross-section S for a material given by its values, which has no "
                                "formula to compute S from")
                     .arg(commandName()));
        if (error_.isEmpty())
            cmd_.materials.push_back(
                InlineMaterial{*value("--density"), *value("--mass"), *value("--gap"), *value("--nv")});
    }

    const QStringList& args_;
    Command cmd_;
    QString error_;
    bool formatGiven_ = false;
    std::set<QString> given_;
    std::map<QString, std::optional<float>> singles_;
    std::map<QString, std::optional<double>> doubles_;
    std::map<QString, QString> texts_;
    QString formula_;
    std::vector<TypedLine> typedLines_;
    LinePhotons photons_;
};

} // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments)
{
    return Parser(arguments).parse();
}

} // namespace korvane::cli
