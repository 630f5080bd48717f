#include "query/RequestReader.h"

#include "core/NumberText.h"

#include "calc/MagicAngle.h"
#include "calc/SignalDepth.h"
#include "calc/TransportTable.h"
#include "calc/TrajectorySimulation.h"
#include "core/NumberText.h"
#include "query/ElasticEnergies.h"
#include "query/FormulaSum.h"
#include "query/KineticEnergy.h"
#include "query/PositiveInputs.h"
#include "query/Quantification.h"
#include "query/RunSize.h"
#include "query/TypedNumber.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <map>
#include <set>

namespace korvane {

namespace {

// Stops the reading at the first refusal.
struct Refused {
    std::string words;
};

using numbers::sixDigits;

// The thinnest layer of a stack, in Å.
constexpr float kThinnestLayer = 0.01f;

// The inputs that give a material by its values.
constexpr const char* kValueInputs[] = {"density", "mass", "gap", "nv"};

} // namespace

class RequestReader::Steps {
public:
    Steps(RequestUse use, InputSpelling spelling) : use_(std::move(use)), spelling_(std::move(spelling)) {}

    [[noreturn]] static void refuse(std::string words) { throw Refused{std::move(words)}; }

    std::string spelt(std::string_view name) const { return spelling_(name); }

    bool has(const std::string& name) const { return given_.count(name) > 0; }

    // Marks an input that may be given once.
    void once(const std::string& name)
    {
        if (!given_.insert(name).second)
            refuse(spelt(name) + " is given twice");
    }

    template <typename T>
    static T accepted(Result<T> value)
    {
        if (!value)
            refuse(value.error());
        return *value;
    }

    double number(const std::string& name, const std::string& text)
    {
        return accepted(readTypedNumber(spelt(name), text));
    }

    float single(const std::string& name, const std::string& text)
    {
        return accepted(readTypedSingle(spelt(name), text));
    }

    // A value of a quantity that exists only above 0.
    template <typename T>
    static T aboveZero(PositiveInput input, T value)
    {
        if (const Result<void> above = checkAboveZero(input, value); !above)
            refuse(above.error());
        return value;
    }

    void readInput(const std::string& name, const std::string& text, bool elementwise)
    {
        if (elementwise) {
            once(name);
            return;
        }
        if (name == "material" || name == "name")
            return addName(text, name == "name" ? MaterialByName::By::Name : MaterialByName::By::NameOrId);
        if (name == "id")
            return readId(text);
        // Each value is read before it is refused as given twice, as tpp2m reads it.
        if (name == "density" || name == "mass" || name == "gap" || name == "nv") {
            const float value = single(name, text);
            singles_[name] = name == "density" ? aboveZero(PositiveInput::Density, value)
                : name == "mass"               ? aboveZero(PositiveInput::Mass, value)
                                               : value;
            once(name);
            return;
        }
        if (name == "layer")
            return readLayer(text);
        if (name == "substrate" || name == "model") {
            once(name);
            (name == "model" ? request_.model : request_.substrate.emplace()) = text;
            return;
        }
        if (name == "formula" || name == "source") {
            once(name);
            texts_[name] = text;
            if (name == "source")
                request_.photons.sourceKey = text;
            return;
        }
        if (name == "energy") {
            energyInputs_.insert(name);
            return readList(name, text, request_.energies);
        }
        if (name == "range" || name == "log")
            return readGrid(name, text);
        if (name == "line")
            return readLines(text);
        if (name == "peak") {
            const auto [line, area] = lineAndNumber(name, text, "AREA");
            request_.peaks.push_back({line, area, std::nullopt});
            return;
        }
        if (name == "beta") {
            const auto [line, beta] = lineAndNumber(name, text, "BETA");
            if (!asymmetries_.emplace(line, beta).second)
                refuse(spelt(name) + " \"" + line + "\" is given twice");
            asymmetryOrder_.push_back(line);
            return;
        }
        if (name == "photon-energy") {
            request_.photons.photonEnergy = number(name, text);
            once(name);
            return;
        }
        if (name == "include") {
            request_.groups = accepted(readIncludedGroups(text, spelt(name)));
            return;
        }
        if (name == "relativistic")
            return readForms(text);
        if (name == "depth")
            return readList(name, text, request_.depths);
        if (name == "cross-section") {
            request_.crossSection = aboveZero(PositiveInput::CrossSection, number(name, text));
            once(name);
            return;
        }
        if (name == "angle" && (use_.stack || use_.severalAngles)) {
            std::vector<float> angles;
            readList(name, text, angles);
            request_.angles.assign(angles.begin(), angles.end());
            once(name);
            return;
        }
        if (name == "angle") {
            // As its column shows it, a Single, so that the models given agree with the column.
            doubles_[name] = single(name, text);
            once(name);
            return;
        }
        if (name == "probability") {
            // Shown as Singles.
            single(name, text);
            doubles_[name] = number(name, text);
            once(name);
            return;
        }
        if (name == "profile") {
            request_.profile = true;
            return;
        }
        if (name == "electrons" || name == "seed" || name == "threads") {
            // Read exactly when the command is judged: a seed above 2^53 must not round onto it.
            texts_[name] = text;
            once(name);
            return;
        }
        doubles_[name] = number(name, text); // asymmetry, source-angle, step
        once(name);
    }

    // MATERIAL:THICKNESS, the thickness in Å after the last colon, held as
    // its column shows it, a Single.
    void readLayer(const std::string& text)
    {
        given_.insert("layer");
        const std::size_t colon = text.rfind(':');
        if (colon == std::string::npos || colon == 0)
            refuse(spelt("layer") + " takes MATERIAL:THICKNESS (got \"" + text + "\")");
        const float thickness = single("layer", text.substr(colon + 1));
        if (!(thickness >= kThinnestLayer))
            refuse(spelt("layer") + ": a layer is at least 0.01 \u00C5 thick (got \"" + text + "\")");
        request_.layers.push_back({MaterialByName{text.substr(0, colon)}, thickness});
    }

    // LINE=NUMBER, the number after the last equals sign, the line trimmed.
    std::pair<std::string, double> lineAndNumber(const std::string& name, const std::string& text,
                                                 const std::string& what)
    {
        const std::size_t equals = text.rfind('=');
        const std::string line = equals == std::string::npos ? std::string() : sameBlanks(text.substr(0, equals));
        if (line.empty())
            refuse(spelt(name) + " takes \"LINE=" + what + "\" (got \"" + text + "\")");
        return {line, number(name, text.substr(equals + 1))};
    }

    // Trimmed, with each run of blanks inside written as one space.
    static std::string sameBlanks(const std::string& text)
    {
        std::string kept;
        for (const char c : trimmed(text)) {
            const bool blank = c == ' ' || c == '\t';
            if (!blank || kept.back() != ' ')
                kept += blank ? ' ' : c;
        }
        return kept;
    }

    void addName(const std::string& text, MaterialByName::By by)
    {
        request_.materials.push_back(MaterialByName{text, by});
    }

    // An ID as tpp2m's --id gives it: a whole number.
    void readId(const std::string& text)
    {
        const std::string_view digits = text.starts_with('+') ? std::string_view(text).substr(1) : text;
        std::int64_t id = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
        const bool signedTwice = text.starts_with('+') && digits.starts_with('-');
        if (digits.empty() || signedTwice || error != std::errc() || end != digits.data() + digits.size())
            refuse(spelt("id") + ": \"" + text + "\" is not a whole number");
        addName(text, MaterialByName::By::Id);
    }

    // Values separated by commas.
    void readList(const std::string& name, const std::string& text, std::vector<float>& values)
    {
        for (std::size_t start = 0;;) {
            const std::size_t comma = text.find(',', start);
            values.push_back(single(name, text.substr(start, comma - start)));
            if (comma == std::string::npos)
                return;
            start = comma + 1;
        }
    }

    // Lines separated by commas; each holds its place among the energies
    // until the photon energy is known.
    void readLines(const std::string& text)
    {
        given_.insert("line");
        for (std::size_t start = 0;;) {
            const std::size_t comma = text.find(',', start);
            request_.lines.push_back({trimmed(text.substr(start, comma - start)), request_.energies.size()});
            request_.energies.push_back(0);
            if (comma == std::string::npos)
                return;
            start = comma + 1;
        }
    }

    static std::string trimmed(const std::string& text)
    {
        constexpr const char* kBlanks = " \t\n\v\f\r";
        const std::size_t first = text.find_first_not_of(kBlanks);
        if (first == std::string::npos)
            return {};
        return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    }

    // FROM:TO:STEP for range, FROM:TO:COUNT for log.
    void readGrid(const std::string& name, const std::string& text)
    {
        energyInputs_.insert(name);
        const EnergyGridKind kind = name == "log" ? EnergyGridKind::Log : EnergyGridKind::Range;
        std::vector<float> grid = accepted(readEnergyGrid(kind, text, use_.mostEnergies, spelt(name)));
        if (double(request_.energies.size()) + double(grid.size()) > use_.mostEnergies)
            refuse(tooManyEnergies(use_.mostEnergies));
        if (request_.energies.empty())
            request_.energies = std::move(grid); // a million energies are not copied
        else
            request_.energies.insert(request_.energies.end(), grid.begin(), grid.end());
    }

    // No value (the relativistic form), or "both".
    void readForms(const std::string& text)
    {
        if (!text.empty() && text != "both")
            refuse(spelt("relativistic") + " takes no value or \"both\" (got \"" + text + "\")");
        request_.forms = text.empty() ? RequestedForms::Relativistic : RequestedForms::Both;
    }

    void judgePhotons()
    {
        const RequestedPhotons& photons = request_.photons;
        // The peaks of a quantification are lines too.
        const std::string lines = spelt(use_.quantification ? "peak" : "line");
        if (use_.quantification && request_.peaks.empty())
            refuse(noPeakToQuantify(spelling_));
        if (request_.lines.empty() && !use_.quantification) {
            if (photons.sourceKey)
                refuse(spelt("source") + " needs " + lines);
            if (photons.photonEnergy)
                refuse(spelt("photon-energy") + " needs " + lines);
            return;
        }
        if (photons.sourceKey && photons.photonEnergy)
            refuse(spelt("source") + " and " + spelt("photon-energy") + " cannot be given together");
        if (photons.photonEnergy) {
            if (!(*photons.photonEnergy > 0) || *photons.photonEnergy > FLT_MAX)
                refuse(spelt("photon-energy") + " must be above 0 eV");
            return;
        }
        if (!photons.sourceKey)
            refuse(lines + " needs " + spelt("source") + " (" + sourceKeys() + ") or " + spelt("photon-energy"));
        accepted(sourceOfKey(*photons.sourceKey));
    }

    void addTypedMaterial(bool valuesNeedCrossSection)
    {
        if (use_.formulaAlone && has("formula")) {
            request_.materials.push_back(MaterialByFormula{texts_["formula"], 0, 0});
            return;
        }
        if (has("formula")) {
            for (const char* unused : {"mass", "nv"})
                if (has(unused))
                    refuse(typedBesideFormula(spelt(unused), spelt("formula")));
            for (const char* needed : {"density", "gap"})
                if (!has(needed))
                    refuse(spelt("formula") + " needs " + spelt(needed));
            request_.materials.push_back(MaterialByFormula{texts_["formula"], singles_["density"], singles_["gap"]});
            return;
        }
        if (!std::any_of(std::begin(kValueInputs), std::end(kValueInputs), [this](const char* n) { return has(n); }))
            return;
        for (const char* needed : kValueInputs)
            if (!has(needed))
                refuse("a material given by its values needs " + spelt(needed));
        // S is computed from a formula, which a material given by its values lacks.
        if (valuesNeedCrossSection && !has("cross-section"))
            refuse(use_.asker + " needs " + spelt("cross-section")
                   + " S for a material given by its values, which has no formula to compute S from");
        request_.materials.push_back(
            MaterialByValues{singles_["density"], singles_["mass"], singles_["gap"], singles_["nv"]});
    }

    // The inputs that would give several rows are named together.
    void judgeOneResult()
    {
        if (request_.materials.size() > 1) {
            const bool byName = std::holds_alternative<MaterialByName>(request_.materials.front());
            const std::string first = byName ? spelt("material") : spelt("formula");
            const std::string second = std::holds_alternative<MaterialByFormula>(request_.materials.back())
                ? spelt("formula")
                : spelt("density") + ", " + spelt("mass") + ", " + spelt("gap") + ", " + spelt("nv");
            refuse(first + " and " + second + " ask for two materials: give one of them");
        }
        if (request_.energies.size() > 1) {
            std::vector<std::string> inputs;
            for (const char* name : {"energy", "line", "log", "range"})
                if (givenEnergies(name))
                    inputs.push_back(spelt(name));
            if (inputs.size() == 1)
                refuse(inputs.front() + " asks for more than one energy: give one");
            std::string named = inputs.front();
            for (std::size_t i = 1; i < inputs.size(); ++i)
                named += (i + 1 == inputs.size() ? " and " : ", ") + inputs[i];
            refuse(named + " ask for more than one energy: give one of them");
        }
        if (request_.depths.size() > 1)
            refuse(spelt("depth") + " asks for more than one depth: give one");
    }

    // Whether the energies hold some given by the input `name`.
    bool givenEnergies(const std::string& name) const
    {
        if (name == "line")
            return !request_.lines.empty();
        return energyInputs_.count(name) > 0;
    }

    // The angle and P keep their defaults unless given; a value out of their
    // range is refused in the words of the physics that cannot use it.
    void judgeDepthValues()
    {
        request_.angle = doubles_.count("angle") ? doubles_["angle"]
            : request_.angles.empty()            ? request_.angle
                                                 : request_.angles.front();
        for (const double angle : request_.angles)
            if (const Result<void> checked = checkAngle(angle); !checked)
                refuse(checked.error());
        request_.probability = doubles_.count("probability") ? doubles_["probability"] : request_.probability;
        if (const Result<void> angle = checkAngle(request_.angle); !angle)
            refuse(angle.error());
        if (const Result<void> probability = checkProbability(request_.probability); !probability)
            refuse(probability.error());
    }

    // A whole number within its limit, or the default when not given.
    std::uint64_t wholeNumber(const std::string& name, const WholeNumberLimit& limit, std::uint64_t fallback)
    {
        if (!has(name))
            return fallback;
        const Result<std::uint64_t> given = readWholeNumber(spelt(name), texts_[name], limit);
        if (!given)
            refuse(given.error());
        return given ? *given : fallback;
    }

    void readEmission()
    {
        request_.asymmetry = doubles_.count("asymmetry") ? doubles_["asymmetry"] : request_.asymmetry;
        request_.sourceAngle = doubles_.count("source-angle") ? doubles_["source-angle"] : request_.sourceAngle;
    }

    void judgeRunSize()
    {
        request_.electrons = wholeNumber("electrons", kElectronLimit, request_.electrons);
        request_.seed = wholeNumber("seed", kSeedLimit, request_.seed);
        request_.threads = static_cast<unsigned>(wholeNumber("threads", kThreadLimit, request_.threads));
    }

    // The simulation's settings, checked as the simulation checks them.
    void judgeSimulation()
    {
        judgeRunSize();
        readEmission();
        request_.step = doubles_.count("step") ? doubles_["step"] : request_.step;
        if (has("step") && !request_.profile)
            refuse(spelt("step") + " is for " + spelt("profile"));
        const SimulationSettings settings = simulationSettings(request_, request_.angle);
        if (const Result<void> usable = checkSimulationInputs(ScatteringMedium{1}, settings); !usable)
            refuse(usable.error());
        if (request_.profile)
            if (const Result<void> step = checkProfileStep(request_.angle, request_.step); !step)
                refuse(step.error());
        if (!(request_.probability > 0 && request_.probability < 1))
            refuse(spelt("probability") + " must be above 0 and below 1");
        judgeElasticEnergies();
    }

    // Elastic scattering is known from 50 eV to 30 keV.
    void judgeElasticEnergies()
    {
        for (const float energy : request_.energies)
            if (const Result<void> within = checkElasticEnergy(use_.asker, energy); !within)
                refuse(within.error());
    }

    void judgeStack()
    {
        if (request_.layers.empty())
            refuse(use_.asker + " needs " + spelt("layer") + " MATERIAL:THICKNESS");
        if (!request_.substrate)
            refuse(use_.asker + " needs " + spelt("substrate"));
        if (request_.model.empty())
            request_.model = "sla";
        if (request_.angles.empty())
            request_.angles = {0};
        if (request_.model != "sla" && request_.model != "mc")
            refuse(spelt("model") + " takes sla or mc (got \"" + request_.model + "\")");
        if (request_.model == "sla") {
            for (const char* simulating : {"electrons", "seed", "threads", "asymmetry", "source-angle"})
                if (has(simulating))
                    refuse(spelt(simulating) + " is for " + spelt("model") + " mc");
        } else {
            judgeStackSimulation();
        }
        if (request_.forms == RequestedForms::Both)
            refuse(use_.asker + " takes one form of the formula: " + spelt("relativistic") + " without \"both\"");
        for (const double angle : request_.angles)
            if (const Result<void> checked = checkAngle(angle); !checked)
                refuse(checked.error());
        if (request_.energies.empty())
            refuse(use_.asker + " needs an energy: " + spelt("energy") + ", " + spelt("range") + ", " + spelt("log")
                   + " or " + spelt("line"));
        judgeElasticEnergies();
    }

    // The run size and the emission of a stack's simulation, checked as simulate checks them.
    void judgeStackSimulation()
    {
        judgeRunSize();
        readEmission();
        for (const double angle : request_.angles) {
            const SimulationSettings settings = simulationSettings(request_, angle);
            if (const Result<void> checked = checkSimulationInputs(ScatteringMedium{1}, settings); !checked)
                refuse(checked.error());
        }
    }

    void judgeQuantification()
    {
        for (const std::string& line : asymmetryOrder_) {
            const auto peak = std::find_if(request_.peaks.begin(), request_.peaks.end(),
                                           [&](const RequestedPeak& p) { return p.line == line; });
            if (peak == request_.peaks.end())
                refuse(spelt("beta") + " \"" + line + "\": no " + spelt("peak") + " of that line");
            peak->asymmetry = asymmetries_[line];
        }
        if (request_.layers.size() > 1)
            refuse(use_.asker + " takes one " + spelt("layer"));
        request_.angle = doubles_.count("angle") ? doubles_["angle"] : request_.angle;
        request_.sourceAngle = doubles_.count("source-angle") ? doubles_["source-angle"] : kMagicAngle;
        if (const Result<void> angles = checkQuantificationAngles(request_.angle, request_.sourceAngle, spelling_);
            !angles)
            refuse(angles.error());
        request_.transmissionExponent = doubles_.count("transmission-exponent") ? doubles_["transmission-exponent"] : 0;
    }

    bool given(std::string_view name) const { return given_.count(std::string(name)) > 0; }

    std::optional<float> typedValue(std::string_view name) const
    {
        const auto found = singles_.find(std::string(name));
        return found == singles_.end() ? std::nullopt : std::optional<float>(found->second);
    }

    Request request_;

private:
    const RequestUse use_;
    const InputSpelling spelling_;
    std::set<std::string> given_;
    std::set<std::string> energyInputs_;
    std::map<std::string, float> singles_;
    std::map<std::string, double> doubles_;
    std::map<std::string, std::string> texts_;
    std::map<std::string, double> asymmetries_; // beta by line, as typed
    std::vector<std::string> asymmetryOrder_;
};

namespace {

// Runs a step; its refusal as the step's result.
template <typename Step>
Result<void> guarded(Step step)
{
    try {
        step();
    } catch (const Refused& refused) {
        return Failed{refused.words, ErrorCode::InvalidInput};
    }
    return {};
}

} // namespace

Result<void> checkElasticEnergy(std::string_view asker, double energy)
{
    if (withinElasticEnergies(energy))
        return {};
    return Failed{std::string(asker) + " takes energies from " + sixDigits(kTableLowestEnergy) + " eV to "
                      + sixDigits(kTableHighestEnergy) + " eV (got " + sixDigits(energy) + " eV)",
                  ErrorCode::InvalidInput};
}

std::string optionSpelling(std::string_view name)
{
    return "--" + std::string(name);
}

RequestReader::RequestReader(RequestUse use, InputSpelling spelling)
    : steps_(std::make_unique<Steps>(std::move(use), std::move(spelling)))
{
}

RequestReader::~RequestReader() = default;

Result<void> RequestReader::read(const NamedText& input)
{
    return guarded([&] { steps_->readInput(input.name, input.text, input.elementwise); });
}

Result<void> RequestReader::judgePhotons()
{
    return guarded([&] { steps_->judgePhotons(); });
}

Result<void> RequestReader::addTypedMaterial(bool valuesNeedCrossSection)
{
    return guarded([&] { steps_->addTypedMaterial(valuesNeedCrossSection); });
}

Result<void> RequestReader::judgeOneResult()
{
    return guarded([&] { steps_->judgeOneResult(); });
}

Result<void> RequestReader::judgeDepthValues()
{
    return guarded([&] { steps_->judgeDepthValues(); });
}

Result<void> RequestReader::judgeRunSize()
{
    return guarded([&] { steps_->judgeRunSize(); });
}

Result<void> RequestReader::judgeSimulation()
{
    return guarded([&] { steps_->judgeSimulation(); });
}

Result<void> RequestReader::judgeElasticEnergies()
{
    return guarded([&] { steps_->judgeElasticEnergies(); });
}

Result<void> RequestReader::judgeStack()
{
    return guarded([&] { steps_->judgeStack(); });
}

Result<void> RequestReader::judgeQuantification()
{
    return guarded([&] { steps_->judgeQuantification(); });
}

bool RequestReader::given(std::string_view name) const
{
    return steps_->given(name);
}

std::optional<float> RequestReader::typedValue(std::string_view name) const
{
    return steps_->typedValue(name);
}

Request& RequestReader::request()
{
    return steps_->request_;
}

Result<Request> readRequest(const NamedTexts& inputs, const RequestUse& use, const InputSpelling& spelling)
{
    RequestReader reader(use, spelling);
    for (const NamedText& input : inputs)
        if (Result<void> read = reader.read(input); !read)
            return read.failure();
    const std::function<Result<void>()> steps[] = {
        [&] { return reader.judgePhotons(); },
        [&] { return reader.addTypedMaterial(); },
        [&] { return use.oneResult ? reader.judgeOneResult() : Result<void>(); },
        [&] { return use.depthValues || use.simulation ? reader.judgeDepthValues() : Result<void>(); },
        [&] { return use.simulation ? reader.judgeSimulation() : Result<void>(); },
        [&] { return use.stack ? reader.judgeStack() : Result<void>(); },
        [&] { return use.quantification ? reader.judgeQuantification() : Result<void>(); },
    };
    for (const std::function<Result<void>()>& step : steps)
        if (Result<void> judged = step(); !judged)
            return judged.failure();
    return std::move(reader.request());
}

} // namespace korvane
