#include "cli/CommandLine.h"

#include "cli/CommandOptions.h"
#include "cli/CommandTable.h"

#include "calc/OverlayerThickness.h"
#include "cli/OneLine.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/PositiveInputs.h"
#include "query/RequestReader.h"
#include "query/TypedNumber.h"
#include "query/XraySource.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

namespace korvane::cli {

namespace {

// The name the request reads an option's input under: "density" for --density.
std::string requestName(Option option)
{
    return optionName(option).mid(2).toStdString();
}

// What a command does with the request.
RequestUse requestUse(CommandKind kind, const QString& commandName)
{
    return {.formulaAlone = kind == CommandKind::Dcs || kind == CommandKind::Transport,
            .stack = kind == CommandKind::Stack,
            .severalAngles = kind == CommandKind::Thickness,
            .quantification = kind == CommandKind::Quantify,
            .asker = commandName.toStdString()};
}

MaterialRef materialRef(const RequestedMaterial& material)
{
    if (const auto* named = std::get_if<MaterialByName>(&material)) {
        constexpr NamedMaterial::By kBy[] = {NamedMaterial::By::NameOrId, NamedMaterial::By::Name,
                                             NamedMaterial::By::Id};
        return NamedMaterial{QString::fromStdString(named->text), kBy[int(named->by)]};
    }
    if (const auto* values = std::get_if<MaterialByValues>(&material))
        return *values;
    const auto& formula = std::get<MaterialByFormula>(material);
    return FormulaMaterial{QString::fromStdString(formula.formula), formula.density, formula.bandGap};
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
        reader_.emplace(requestUse(cmd_.kind, commandName()), optionSpelling);
        for (qsizetype i = 1; i < args_.size() && error_.isEmpty(); ++i)
            i = readArgument(i);
        if (error_.isEmpty())
            checkCombination();
        if (!error_.isEmpty())
            return failed(error_);
        takeRequest();
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
            request("material", arg);
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

    // An input of the request, read at once as tpp2m reads its options.
    void request(const std::string& name, const QString& text)
    {
        if (const Result<void> read = reader_->read({name, text.toStdString()}); !read)
            fail(errorText(read));
    }

    bool step(const Result<void>& judged)
    {
        if (!judged)
            fail(errorText(judged));
        return bool(judged);
    }

    // --csv, --json, --all, --replace or --profile.
    void readFlag(Option option)
    {
        switch (option) {
        case Option::Profile: request(requestName(option), {}); return;
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
        request("relativistic", value);
        return i;
    }

    // The request's inputs go to its reader; numbers and texts the command's
    // checks read are kept by their option; the others go where they belong
    // at once.
    void readValue(const OptionRow& row, const QString& value)
    {
        const Option option = row.option;
        switch (row.value) {
        case OptionValue::Request: request(requestName(option), value); return;
        case OptionValue::Single: once(option, singles_[option]) = aboveZero(row, single(option, value)); return;
        case OptionValue::CheckedSingle: // shown as Singles
            once(option, doubles_[option]) = single(option, value) ? number(option, value) : std::nullopt;
            return;
        case OptionValue::Text: once(option, texts_[option]) = value; return;
        case OptionValue::Special: readSpecial(option, value); return;
        case OptionValue::Flag:
        case OptionValue::FormChoice: return; // read without a value
        }
    }

    void readSpecial(Option option, const QString& value)
    {
        switch (option) {
        case Option::Database: readDatabase(value); return;
        case Option::Element: cmd_.elementSymbols.push_back(value); return;
        case Option::Output: cmd_.outputFile = value; return;
        case Option::Size: readSize(value); return;
        case Option::Ratio: readRatios(value); return;
        default: return; // the table reads no other option here
        }
    }

    // `value`, unless its option's quantity exists only above 0 and it is not.
    template <typename T>
    std::optional<T> aboveZero(const OptionRow& row, std::optional<T> value)
    {
        if (!value || !row.positive)
            return value;
        if (const Result<void> above = checkAboveZero(*row.positive, *value); !above) {
            fail(QString::fromStdString(above.error()));
            return std::nullopt;
        }
        return value;
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

    // R, or one R per angle separated by commas, each shown as a Single.
    void readRatios(const QString& text)
    {
        std::vector<double>& ratios = once(Option::Ratio, cmd_.ratios);
        for (const QString& part : text.split(u','))
            if (const std::optional<double> ratio = single(Option::Ratio, part) ? number(Option::Ratio, part) : std::nullopt)
                ratios.push_back(*ratio);
    }

    void readDatabase(const QString& path)
    {
        if (path.isEmpty())
            fail(QStringLiteral("--database needs a file name"));
        cmd_.databasePath = path;
        cmd_.whenDatabaseMissing = WhenMissing::Refuse;
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

    // Whether the option was given: the request's inputs by its reader.
    bool has(Option option) const
    {
        return optionRow(option).value == OptionValue::Request ? reader_->given(requestName(option))
                                                               : given_.count(option) > 0;
    }

    std::optional<float> value(Option option) const
    {
        if (optionRow(option).value == OptionValue::Request)
            return reader_->typedValue(requestName(option));
        const auto found = singles_.find(option);
        return found == singles_.end() ? std::nullopt : found->second;
    }

    Request& request() { return reader_->request(); }

    // Puts the kinetic energy of each line into the request's energies and
    // its line into command.lines. False, with why it cannot, when it cannot.
    bool resolveLines()
    {
        if (!step(reader_->judgePhotons()))
            return false;
        Request& asked = request();
        if (asked.lines.empty())
            return true;
        const LinePhotons photons{asked.photons.sourceKey ? std::optional(QString::fromStdString(*asked.photons.sourceKey))
                                                          : std::nullopt,
                                  asked.photons.photonEnergy};
        cmd_.lines.resize(asked.energies.size());
        for (const RequestedLine& line : asked.lines) {
            const Result<ResolvedLine> resolved = resolveLine(QString::fromStdString(line.text).trimmed(), photons,
                                                                  QString::fromStdString(optionSpelling("line")));
            if (!resolved) {
                fail(errorText(resolved));
                return false;
            }
            asked.energies[line.energyIndex] = resolved->kineticEnergy;
            cmd_.lines[line.energyIndex] = resolved->line;
        }
        return true;
    }

    // The request as the command holds it.
    void takeRequest()
    {
        Request& asked = request();
        for (const RequestedMaterial& material : asked.materials)
            cmd_.materials.push_back(materialRef(material));
        cmd_.request = std::move(asked);
    }

    // What a command needs and what it cannot take together.
    void checkCombination()
    {
        if (!resolveLines())
            return;
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
            if (step(reader_->judgeDepthValues()))
                needMaterialsAndEnergies();
            return;
        case CommandKind::Thickness: return readThicknessValues();
        case CommandKind::Stack: return readStackValues();
        case CommandKind::Quantify: return readQuantifyValues();
        case CommandKind::Simulate:
            needMaterialsAndEnergies();
            if (error_.isEmpty() && step(reader_->judgeDepthValues()))
                step(reader_->judgeSimulation());
            return;
        case CommandKind::Dcs:
            step(reader_->addTypedMaterial());
            if (request().materials.empty())
                fail(QStringLiteral("dcs needs a material: a name, an ID or --formula"));
            if (request().energies.empty())
                fail(QStringLiteral("dcs needs an energy: --energy, --range, --log or --line"));
            if (error_.isEmpty())
                step(reader_->judgeElasticEnergies());
            return;
        case CommandKind::Transport:
            // A formula alone names the compound: S needs no density or gap.
            step(reader_->addTypedMaterial());
            if (request().materials.empty() && cmd_.elementSymbols.empty())
                fail(QStringLiteral("transport needs a material: a name, an ID, --formula or --element"));
            if (request().energies.empty())
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

    // The overlayer and the substrate become the two materials, their peak
    // energies the two energies.
    void readThicknessValues()
    {
        for (Option needed : {Option::Overlayer, Option::Substrate, Option::OverlayerEnergy, Option::SubstrateEnergy,
                              Option::Ratio, Option::BulkRatio})
            if (!has(needed))
                fail(QStringLiteral("thickness needs %1").arg(optionName(needed)));
        if (!request().materials.empty())
            fail(QStringLiteral("thickness takes its materials from --overlayer and --substrate (got \"%1\")")
                     .arg(QString::fromStdString(std::get<MaterialByName>(request().materials.front()).text)));
        if (request().forms == RequestedForms::Both)
            fail(QStringLiteral("thickness takes one form of the formula: --relativistic without \"both\""));
        if (!error_.isEmpty())
            return;
        request().materials = {MaterialByName{texts_[Option::Overlayer].toStdString()},
                               MaterialByName{*request().substrate}};
        request().energies = {*value(Option::OverlayerEnergy), *value(Option::SubstrateEnergy)};
        if (!step(reader_->judgeDepthValues()))
            return;
        cmd_.bulkRatio = *doubles_[Option::BulkRatio];
        if (request().angles.empty())
            request().angles = {request().angle};
        if (cmd_.ratios.size() != request().angles.size())
            return fail(QStringLiteral("--ratio gives %1 ratios for %2 angles: give one per angle")
                            .arg(cmd_.ratios.size())
                            .arg(request().angles.size()));
        cmd_.ratio = cmd_.ratios.front();
        for (const double ratio : cmd_.ratios)
            failUnless(checkRatios(ratio, cmd_.bulkRatio));
        const QString model = QString::fromStdString(request().model);
        if (model != QLatin1String("eal") && model != QLatin1String("sla") && has(Option::Model))
            return fail(QStringLiteral("--model takes sla or eal (got \"%1\")").arg(model));
        cmd_.attenuationModel = model == QLatin1String("eal");
        if (!cmd_.attenuationModel) {
            for (Option simulating : {Option::Electrons, Option::Seed, Option::Threads})
                if (has(simulating))
                    fail(QStringLiteral("%1 is for --model eal").arg(optionName(simulating)));
            return;
        }
        if (error_.isEmpty() && step(reader_->judgeRunSize()))
            step(reader_->judgeElasticEnergies());
    }

    // The layers and then the substrate become the materials.
    void readStackValues()
    {
        if (!request().materials.empty())
            return fail(QStringLiteral("stack takes its materials from --layer and --substrate (got \"%1\")")
                            .arg(QString::fromStdString(std::get<MaterialByName>(request().materials.front()).text)));
        if (!step(reader_->judgeStack()))
            return;
        for (const RequestedLayer& layer : request().layers) {
            request().materials.push_back(layer.material);
            cmd_.layerThicknesses.push_back(layer.thickness);
        }
        request().materials.push_back(MaterialByName{*request().substrate});
        cmd_.monteCarlo = request().model == "mc";
    }

    // The matrix and then its contamination layer become the materials; the
    // source gives the photon energy.
    void readQuantifyValues()
    {
        step(reader_->addTypedMaterial());
        if (request().materials.empty())
            fail(QStringLiteral("quantify needs a material: a name, an ID, --formula or --density --mass --gap --nv"));
        else if (request().materials.size() > 1)
            fail(QStringLiteral("quantify takes one material, the sample's matrix"));
        if (request().forms == RequestedForms::Both)
            fail(QStringLiteral("quantify takes one form of the formula: --relativistic without \"both\""));
        if (!error_.isEmpty() || !step(reader_->judgeQuantification()))
            return;
        for (const RequestedLayer& layer : request().layers) {
            request().materials.push_back(layer.material);
            cmd_.layerThicknesses.push_back(layer.thickness);
        }
        const RequestedPhotons& photons = request().photons;
        cmd_.photonEnergy = photons.photonEnergy ? *photons.photonEnergy
                                                 : findXraySource(*photons.sourceKey)->photonEnergy;
    }

    void failUnless(const Result<void>& check)
    {
        if (!check)
            fail(QString::fromStdString(check.error()));
    }

    // A path given directly stands for the material and its energies.
    void refuseBeside(Option path, std::initializer_list<Option> others)
    {
        for (Option other : others)
            if (has(other))
                fail(QStringLiteral("%1 cannot be given with %2").arg(optionName(other), optionName(path)));
        if (!request().materials.empty())
            fail(QStringLiteral("a material cannot be given with %1").arg(optionName(path)));
        if (!request().energies.empty())
            fail(QStringLiteral("an energy cannot be given with %1").arg(optionName(path)));
    }

    void needDepths()
    {
        if (request().depths.empty())
            fail(QStringLiteral("%1 needs --depth").arg(commandName()));
    }

    // The material given by --formula or by --density --mass --gap --nv, and
    // a material and an energy at all.
    void needMaterialsAndEnergies()
    {
        // S is computed from a formula, which a material given by its values lacks.
        const bool needsCrossSection = cmd_.kind == CommandKind::Cf2
            || (cmd_.kind == CommandKind::Depth && !(request().angle > kMaxCorrectedAngle));
        step(reader_->addTypedMaterial(needsCrossSection));
        if (request().materials.empty())
            fail(QStringLiteral("%1 needs a material: a name, an ID, --formula or --density --mass --gap --nv")
                     .arg(commandName()));
        if (request().energies.empty())
            fail(QStringLiteral("%1 needs an energy: --energy, --range, --log or --line").arg(commandName()));
    }

    const QStringList& args_;
    Command cmd_;
    QString error_;
    bool formatGiven_ = false;
    std::optional<RequestReader> reader_;
    std::set<Option> given_;
    std::map<Option, std::optional<float>> singles_;
    std::map<Option, std::optional<double>> doubles_;
    std::map<Option, QString> texts_;
};

} // namespace

Result<Command> parseCommandLine(const QStringList& arguments)
{
    return Parser(arguments).parse();
}

} // namespace korvane::cli
