#include "cli/CommandLine.h"

#include "cli/CommandOptions.h"
#include "cli/CommandTable.h"

#include "calc/OverlayerThickness.h"
#include "calc/TransportTable.h"
#include "cli/OneLine.h"
#include "materials/text/NumberText.h"
#include "materials/text/ResultText.h"
#include "query/ElasticEnergies.h"
#include "query/EnergyGrid.h"
#include "query/FormulaSum.h"
#include "query/PositiveInputs.h"
#include "query/TypedNumber.h"
#include "query/TypedNumberWords.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

namespace korvane::cli {

namespace {

// One --line as typed, and the place its kinetic energy holds among the energies.
struct TypedLine {
    QString text; // "Cu 2p3/2"
    size_t energyIndex;
};

// Puts the kinetic energy of each typed line into command.energies and its
// line into command.lines. Returns why it cannot, in one line; empty when it can.
QString resolveLines(const std::vector<TypedLine>& typed, const LinePhotons& photons, Command& command)
{
    if (typed.empty()) {
        if (photons.source)
            return QStringLiteral("--source needs --line");
        if (photons.photonEnergy)
            return QStringLiteral("--photon-energy needs --line");
        return {};
    }
    command.lines.resize(command.energies.size());
    for (const TypedLine& line : typed) {
        const Result<ResolvedLine> resolved = resolveLine(line.text, photons);
        if (!resolved)
            return errorText(resolved);
        command.energies[line.energyIndex] = resolved->kineticEnergy;
        command.lines[line.energyIndex] = resolved->line;
    }
    return {};
}

class Parser {
public:
    explicit Parser(const QStringList& arguments) : args_(arguments) {}

    Result<Command> parse()
    {
        if (args_.isEmpty())
            return failed(QStringLiteral("no command given; try tpp2m --help"));
        if (args_.contains(QStringLiteral("--help")) || args_.contains(QStringLiteral("-h")))
            return Command{};
        const CommandRow* command = findCommand(args_[0]);
        if (!command)
            return failed(args_[0].startsWith(u'-')
                              ? QStringLiteral("the command comes first; try tpp2m --help")
                              : QStringLiteral("unknown command \"%1\"; try tpp2m --help").arg(args_[0]));
        cmd_.kind = command->kind;
        if (cmd_.kind == CommandKind::Help)
            return Command{};
        for (qsizetype i = 1; i < args_.size() && error_.isEmpty(); ++i)
            i = readArgument(i);
        if (error_.isEmpty())
            checkCombination();
        if (!error_.isEmpty())
            return failed(error_);
        return std::move(cmd_); // a million energies are not copied
    }

private:
    static Failed failed(const QString& error) { return korvane::failed(oneLine(error), ErrorCode::InvalidInput); }

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
        const OptionRow* option = findOption(name);
        if (!option) {
            fail(QStringLiteral("unknown option %1").arg(name));
            return i;
        }
        if (!takesOption(cmd_.kind, *option)) {
            fail(QStringLiteral("%1 is not an option of %2").arg(name, commandName()));
            return i;
        }
        if (option->value == OptionValue::FormChoice)
            return readForms(i, equals);
        if (option->value == OptionValue::Flag) {
            if (equals >= 0)
                fail(QStringLiteral("%1 takes no value").arg(name));
            readFlag(option->option);
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
        readValue(*option, value);
        return i;
    }

    // --csv, --json, --all, --replace or --profile.
    void readFlag(Option option)
    {
        switch (option) {
        case Option::Profile: cmd_.profile = true; return;
        case Option::All: cmd_.allMaterials = true; return;
        case Option::Replace: cmd_.replace = true; return;
        default:
            cmd_.format = option == Option::Csv ? OutputFormat::Csv : OutputFormat::Json;
            if (formatGiven_)
                fail(QStringLiteral("choose one of --csv and --json"));
            formatGiven_ = true;
            return;
        }
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

    // Numbers and texts the command's checks read are kept by their option;
    // the others go where they belong at once.
    void readValue(const OptionRow& row, const QString& value)
    {
        const Option option = row.option;
        switch (row.value) {
        case OptionValue::Single: once(option, singles_[option]) = aboveZero(row, single(option, value)); return;
        case OptionValue::Double: once(option, doubles_[option]) = number(option, value); return;
        case OptionValue::HeldSingle:
            // As its column shows it, a Single, so that the models given agree with the column.
            once(option, doubles_[option]) = single(option, value);
            return;
        case OptionValue::CheckedSingle: // shown as Singles
            once(option, doubles_[option]) = single(option, value) ? number(option, value) : std::nullopt;
            return;
        case OptionValue::Text: once(option, texts_[option]) = value; return;
        case OptionValue::Special: readSpecial(row, value); return;
        case OptionValue::Flag:
        case OptionValue::FormChoice: return; // read without a value
        }
    }

    void readSpecial(const OptionRow& row, const QString& value)
    {
        const Option option = row.option;
        switch (option) {
        case Option::Database: readDatabase(value); return;
        case Option::Include: readGroups(value); return;
        case Option::Energy: readList(option, value, cmd_.energies); return;
        case Option::Range:
        case Option::Log: readGrid(option, value); return;
        case Option::Line: readLines(value); return;
        case Option::Source: once(option, photons_.source) = value; return;
        case Option::PhotonEnergy: once(option, photons_.photonEnergy) = number(option, value); return;
        case Option::Depth: readList(option, value, cmd_.depths); return;
        case Option::Element: cmd_.elementSymbols.push_back(value); return;
        case Option::Name: cmd_.materials.push_back(NamedMaterial{value, NamedMaterial::By::Name}); return;
        case Option::Id: readId(value); return;
        case Option::CrossSection: once(option, cmd_.crossSection) = aboveZero(row, number(option, value)); return;
        case Option::Output: cmd_.outputFile = value; return;
        case Option::Size: readSize(value); return;
        default: return; // the table reads no other option here
        }
    }

    // `value`, unless its option's quantity exists only above 0 and it is not.
    template <typename T>
    std::optional<T> aboveZero(const OptionRow& row, std::optional<T> value)
    {
        if (!value || !row.positive)
            return value;
        const QString refusal = QString::fromStdString(notAboveZero(*row.positive, *value));
        if (refusal.isEmpty())
            return value;
        fail(refusal);
        return std::nullopt;
    }

    // A value that may be given only once.
    template <typename T>
    T& once(Option option, T& slot)
    {
        if (!given_.insert(option).second)
            fail(QStringLiteral("%1 is given twice").arg(optionName(option)));
        return slot;
    }

    // The number, or why it is refused in tpp2m's words (query/TypedNumber):
    // one written too large or too small to be held is out of range.
    template <typename T>
    std::optional<T> accepted(Result<T> value)
    {
        if (value)
            return *value;
        fail(errorText(value));
        return std::nullopt;
    }

    std::optional<double> number(Option option, const QString& text)
    {
        return accepted(readTypedNumber(optionName(option).toStdString(), text.toStdString()));
    }

    std::optional<float> single(Option option, const QString& text)
    {
        return accepted(readTypedSingle(optionName(option).toStdString(), text.toStdString()));
    }

    // Values separated by commas.
    void readList(Option option, const QString& text, std::vector<float>& values)
    {
        for (const QString& item : text.split(u',')) {
            if (const std::optional<float> value = single(option, item))
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
    void readGrid(Option option, const QString& text)
    {
        const EnergyGridKind kind = option == Option::Log ? EnergyGridKind::Log : EnergyGridKind::Range;
        Result<std::vector<float>> grid = readEnergyGrid(kind, text.toStdString());
        if (!grid)
            fail(errorText(grid));
        else if (double(cmd_.energies.size()) + double(grid->size()) > kMaxEnergies)
            fail(QString::fromStdString(tooManyEnergies(kMaxEnergies)));
        else if (cmd_.energies.empty())
            cmd_.energies = std::move(*grid);
        else
            cmd_.energies.insert(cmd_.energies.end(), grid->begin(), grid->end());
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
        if (const Result<IncludedGroups> groups = readIncludedGroups(text.toStdString()))
            cmd_.groups = *groups;
        else
            fail(errorText(groups));
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

    bool has(Option option) const { return given_.count(option) > 0; }

    std::optional<float> value(Option option) const
    {
        const auto found = singles_.find(option);
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
            if (has(Option::Formula))
                cmd_.materials.push_back(FormulaMaterial{texts_[Option::Formula], 0, 0});
            if (cmd_.materials.empty())
                fail(QStringLiteral("dcs needs a material: a name, an ID or --formula"));
            if (cmd_.energies.empty())
                fail(QStringLiteral("dcs needs an energy: --energy, --range, --log or --line"));
            needElasticTableEnergies();
            return;
        case CommandKind::Transport:
            // A formula alone names the compound: S needs no density or gap.
            if (has(Option::Formula))
                cmd_.materials.push_back(FormulaMaterial{texts_[Option::Formula], 0, 0});
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
            if (has(Option::Imfp)) {
                refuseBeside(Option::Imfp, {Option::Density, Option::Mass, Option::Gap, Option::Nv, Option::Formula});
                cmd_.imfp = value(Option::Imfp);
            } else {
                needMaterialsAndEnergies();
            }
            return;
        case CommandKind::Cf2:
            needDepths();
            if (has(Option::EffTrMfp)) {
                refuseBeside(Option::EffTrMfp,
                             {Option::Imfp, Option::Density, Option::Mass, Option::Gap, Option::Nv, Option::Formula,
                              Option::CrossSection});
                cmd_.effTrMfp = value(Option::EffTrMfp);
                return;
            }
            if (has(Option::Imfp)) {
                if (!has(Option::CrossSection))
                    fail(QStringLiteral("cf2 needs --cross-section (or --eff-trmfp)"));
                refuseBeside(Option::Imfp, {Option::Gap, Option::Nv, Option::Formula});
                for (Option needed : {Option::Density, Option::Mass})
                    if (!has(needed))
                        fail(QStringLiteral("cf2 with --imfp needs %1").arg(optionName(needed)));
                cmd_.imfp = value(Option::Imfp);
                cmd_.transportDensity = value(Option::Density);
                cmd_.transportMass = value(Option::Mass);
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
        cmd_.angle = doubles_[Option::Angle].value_or(cmd_.angle);
        cmd_.probability = doubles_[Option::Probability].value_or(cmd_.probability);
        failUnlessEmpty(angleError(cmd_.angle));
        failUnlessEmpty(probabilityError(cmd_.probability));
    }

    void failUnlessEmpty(const std::string& error)
    {
        if (!error.empty())
            fail(QString::fromStdString(error));
    }

    // A whole number from `least` to `most`, or the default when not given.
    std::uint64_t wholeNumber(Option option, double least, double most, std::uint64_t fallback)
    {
        const std::optional<double> given = doubles_[option];
        if (!given)
            return fallback;
        if (!(*given >= least && *given <= most && std::floor(*given) == *given)) {
            fail(QStringLiteral("%1 must be a whole number from %2 to %3")
                     .arg(optionName(option))
                     .arg(least, 0, 'f', 0)
                     .arg(most, 0, 'f', 0));
            return fallback;
        }
        return static_cast<std::uint64_t>(*given);
    }

    // How many electrons, from which seed, on how many threads.
    void readRunSize()
    {
        cmd_.electrons = wholeNumber(Option::Electrons, 1000, 1e12, cmd_.electrons);
        cmd_.seed = wholeNumber(Option::Seed, 0, 9007199254740992.0, cmd_.seed);
        cmd_.threads = static_cast<unsigned>(wholeNumber(Option::Threads, 1, 1024, cmd_.threads));
    }

    // The simulation's settings, checked as the simulation checks them.
    void readSimulationValues()
    {
        readRunSize();
        cmd_.asymmetry = doubles_[Option::Asymmetry].value_or(cmd_.asymmetry);
        cmd_.sourceAngle = doubles_[Option::SourceAngle].value_or(cmd_.sourceAngle);
        cmd_.step = doubles_[Option::Step].value_or(cmd_.step);
        if (has(Option::Step) && !cmd_.profile)
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
            if (!withinElasticEnergies(energy))
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
        for (Option needed : {Option::Overlayer, Option::Substrate, Option::OverlayerEnergy, Option::SubstrateEnergy,
                              Option::Ratio, Option::BulkRatio})
            if (!has(needed))
                fail(QStringLiteral("thickness needs %1").arg(optionName(needed)));
        if (!cmd_.materials.empty())
            fail(QStringLiteral("thickness takes its materials from --overlayer and --substrate (got \"%1\")")
                     .arg(std::get<NamedMaterial>(cmd_.materials.front()).nameOrId));
        if (cmd_.forms == Forms::Both)
            fail(QStringLiteral("thickness takes one form of the formula: --relativistic without \"both\""));
        if (!error_.isEmpty())
            return;
        cmd_.materials = {NamedMaterial{texts_[Option::Overlayer]}, NamedMaterial{texts_[Option::Substrate]}};
        cmd_.energies = {*value(Option::OverlayerEnergy), *value(Option::SubstrateEnergy)};
        readDepthValues();
        cmd_.ratio = *doubles_[Option::Ratio];
        cmd_.bulkRatio = *doubles_[Option::BulkRatio];
        failUnlessEmpty(ratioError(cmd_.ratio, cmd_.bulkRatio));
        const QString model = texts_[Option::Model];
        if (model != QLatin1String("eal") && model != QLatin1String("sla") && has(Option::Model))
            return fail(QStringLiteral("--model takes sla or eal (got \"%1\")").arg(model));
        cmd_.attenuationModel = model == QLatin1String("eal");
        if (!cmd_.attenuationModel) {
            for (Option simulating : {Option::Electrons, Option::Seed, Option::Threads})
                if (has(simulating))
                    fail(QStringLiteral("%1 is for --model eal").arg(optionName(simulating)));
            return;
        }
        readRunSize();
        needElasticTableEnergies();
    }

    // A path given directly stands for the material and its energies.
    void refuseBeside(Option path, std::initializer_list<Option> others)
    {
        for (Option other : others)
            if (has(other))
                fail(QStringLiteral("%1 cannot be given with %2").arg(optionName(other), optionName(path)));
        if (!cmd_.materials.empty())
            fail(QStringLiteral("a material cannot be given with %1").arg(optionName(path)));
        if (!cmd_.energies.empty())
            fail(QStringLiteral("an energy cannot be given with %1").arg(optionName(path)));
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
        if (has(Option::Formula)) {
            for (Option unused : {Option::Mass, Option::Nv})
                if (has(unused))
                    fail(QString::fromStdString(typedBesideFormula(optionName(unused).toStdString())));
            for (Option needed : {Option::Density, Option::Gap})
                if (!has(needed))
                    fail(QStringLiteral("--formula needs %1").arg(optionName(needed)));
            if (error_.isEmpty())
                cmd_.materials.push_back(
                    FormulaMaterial{texts_[Option::Formula], *value(Option::Density), *value(Option::Gap)});
            return;
        }
        constexpr std::array<Option, 4> kInline = {Option::Density, Option::Mass, Option::Gap, Option::Nv};
        if (std::none_of(kInline.begin(), kInline.end(), [this](Option o) { return has(o); }))
            return;
        for (Option needed : kInline)
            if (!has(needed))
                fail(QStringLiteral("a material given by its values needs %1").arg(optionName(needed)));
        // S is computed from a formula, which a material given by its values lacks.
        const bool needsCrossSection =
            cmd_.kind == CommandKind::Cf2 || (cmd_.kind == CommandKind::Depth && !(cmd_.angle > kMaxCorrectedAngle));
        if (needsCrossSection && !has(Option::CrossSection))
            fail(QStringLiteral("%1 needs --cross-section S for a material given by its values, which has no "
                                "formula to compute S from")
                     .arg(commandName()));
        if (error_.isEmpty())
            cmd_.materials.push_back(
                InlineMaterial{*value(Option::Density), *value(Option::Mass), *value(Option::Gap), *value(Option::Nv)});
    }

    const QStringList& args_;
    Command cmd_;
    QString error_;
    bool formatGiven_ = false;
    std::set<Option> given_;
    std::map<Option, std::optional<float>> singles_;
    std::map<Option, std::optional<double>> doubles_;
    std::map<Option, QString> texts_;
    std::vector<TypedLine> typedLines_;
    LinePhotons photons_;
};

} // namespace

Result<Command> parseCommandLine(const QStringList& arguments)
{
    return Parser(arguments).parse();
}

SimulationSettings simulationSettings(const Command& command)
{
    return {.angle = command.angle,
            .emission = {command.asymmetry, command.sourceAngle},
            .electrons = command.electrons,
            .seed = command.seed,
            .threads = command.threads,
            .step = command.step,
            .cancel = nullptr,
            .progress = {}};
}

} // namespace korvane::cli
