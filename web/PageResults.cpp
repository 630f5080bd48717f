#include "web/PageResults.h"

#include "calc/OverlayerThickness.h"
#include "calc/SignalDepth.h"
#include "calc/ValidEnergyRange.h"
#include "core/NumberText.h"
#include "core/TextEscapes.h"
#include "query/CompositionTransport.h"
#include "query/Corrections.h"
#include "lines/PhotoelectronLine.h"
#include "query/ImfpEvaluation.h"
#include "query/KineticEnergy.h"
#include "query/ShownText.h"
#include "query/TypedNumber.h"
#include "web/PageInputs.h"
#include "web/PageMaterial.h"
#include "web/PageMaterialValues.h"

#include <algorithm>

namespace korvane::page {

namespace {

// Why CF2 has no S, as tpp2m says it in the page's words.
constexpr const char* kNoFormulaForS =
    "CF2 needs a transport cross-section S for a material given by its values, which has no formula to compute S from";

// The shown results and messages, filled step by step.
class Evaluation {
public:
    explicit Evaluation(const PageQuery& query) : query_(query) {}

    PageResults run()
    {
        // What the one result asks for, judged as tpp2m judges it; the inputs
        // that would give tpp2m several rows are refused together, and a
        // refusal stops every result.
        const Result<Request> request =
            readPageRequest(query_,
                            {"material", "density", "mass", "gap", "nv", "formula", "energy", "line", "source",
                             "photon-energy", "include", "relativistic"},
                            {.oneResult = true});
        if (!request) {
            fail(request.error());
            return std::move(results_);
        }
        ticks_ = request->groups;
        thickness();
        const std::optional<PageMaterial> material =
            request->materials.empty() ? std::nullopt
                                       : kept(requestedMaterial(query_, request->materials.front(), ticks_));
        if (material)
            for (ShownResult& value : materialValuesShown(*material))
                results_.shown.push_back(std::move(value));
        const std::optional<float> energy = energyOf(*request);
        if (!material || !energy)
            return std::move(results_);
        if (outsideValidEnergyRange(*energy))
            results_.notes.push_back(kOutsideValidEnergyRangeNote);
        const std::optional<float> imfp = imfpOf(material->values, *energy, ImfpForm::NonRelativistic, "imfp");
        imfpOf(material->values, *energy, ImfpForm::Relativistic, "imfp-relativistic");
        transportCrossSection(*material, *energy);
        if (imfp) {
            correctionFactors(material->values, *imfp);
            depths(*imfp);
        }
        return std::move(results_);
    }

private:
    // An error, said once however many results it stops.
    void fail(const std::string& error)
    {
        if (std::find(results_.errors.begin(), results_.errors.end(), error) == results_.errors.end())
            results_.errors.push_back(error);
    }

    // A material read, or none with its refusal beside the others (a
    // refusal of each material, however alike their words).
    template <typename Read>
    std::optional<PageMaterial> kept(Result<Read> read)
    {
        if (!read) {
            results_.errors.push_back(read.error());
            return std::nullopt;
        }
        return std::optional<PageMaterial>(std::move(*read));
    }

    // The request of a few inputs, read on their own so that a refusal
    // stops only the numbers they concern.
    std::optional<Request> partOf(std::initializer_list<const char*> names,
                                  const RequestUse& use = {.oneResult = true})
    {
        Result<Request> request = readPageRequest(query_, names, use);
        if (!request) {
            fail(request.error());
            return std::nullopt;
        }
        return std::move(*request);
    }

    // A typed number read as tpp2m reads it; none, with the error, when it
    // is not one or cannot be held.
    std::optional<double> number(const std::string& name) { return typed(name, readTypedNumber); }

    // As number, held as a Single.
    std::optional<float> single(const std::string& name) { return typed(name, readTypedSingle); }

    template <typename T>
    std::optional<T> typed(const std::string& name, Result<T> (*read)(const std::string&, const std::string&))
    {
        const std::optional<std::string> text = query_.typed(name);
        if (!text)
            return std::nullopt;
        const Result<T> value = read(name, *text);
        if (!value) {
            fail(value.error());
            return std::nullopt;
        }
        return *value;
    }

    void show(const char* id, float value, std::string text)
    {
        results_.shown.push_back({id, std::move(text), numbers::shortest(value)});
    }

    std::optional<float> imfpOf(const MaterialValues& material, float energy, ImfpForm form, const char* id)
    {
        const Result<float> imfp = evaluateImfp(material, energy, form);
        if (!imfp) {
            fail(imfp.error());
            return std::nullopt;
        }
        show(id, *imfp, shown::length(*imfp));
        return *imfp;
    }

    // The energy typed, or the kinetic energy of the line typed.
    std::optional<float> energyOf(const Request& request)
    {
        if (!request.lines.empty())
            return kineticEnergyOfLine(request.lines.front().text, request.photons);
        if (request.energies.empty())
            return std::nullopt;
        return request.energies.front();
    }

    // The kinetic energy of the photoelectrons of the line typed ("Cu 2p3/2"),
    // from a source ("AlKa") or photons of a typed energy, which the request
    // has judged; the energy of the results.
    std::optional<float> kineticEnergyOfLine(const std::string& line, const RequestedPhotons& photons)
    {
        const Result<lines::PhotoelectronLine> found = lines::findLine(line);
        if (!found) {
            fail(found.error());
            return std::nullopt;
        }
        const double photonEnergy =
            photons.photonEnergy ? *photons.photonEnergy : (*sourceOfKey(*photons.sourceKey))->photonEnergy;
        const Result<double> kinetic = kineticEnergy(found->bindingEnergy, photonEnergy);
        if (!kinetic) {
            fail(kinetic.error());
            return std::nullopt;
        }
        show("kinetic-energy", float(*kinetic), electronVolts(*kinetic));
        return numbers::heldAsSingle(*kinetic);
    }

    // S typed, or computed for the material as tpp2m transport does.
    void transportCrossSection(const PageMaterial& material, float energy)
    {
        if (query_.typed("cross-section")) {
            if (const std::optional<Request> typed = partOf({"cross-section"}))
                crossSection_ = typed->crossSection;
            return;
        }
        // A row by its ID or its name read as a formula; a typed formula as
        // tpp2m --formula reads it; typed values alone have no atoms to sum.
        if (!material.id && material.name.empty()) {
            crossSectionError_ = kNoFormulaForS;
            return;
        }
        const Result<CrossSectionValue> s = rowCrossSection(material.id.value_or(0), material.name, energy);
        if (!s) {
            crossSectionError_ = s.error();
            return;
        }
        crossSection_ = s->a0Squared;
        show("transport-cross-section", float(s->a0Squared), numbers::sixDigits(s->a0Squared));
    }

    void correctionFactors(const MaterialValues& material, float imfp)
    {
        if (crossSection_) {
            const FormedPaths paths = transportPaths(material.density, material.mass, *crossSection_, imfp);
            if (paths.effTrMfp)
                effTrMfp_ = *paths.effTrMfp;
        }
        const std::optional<Request> typed = query_.typed("depth") ? partOf({"depth"}) : std::nullopt;
        if (!typed)
            return;
        const std::optional<float> depth = typed->depths.front();
        showFactor("cf1", correctionFactor1(*depth, imfp));
        if (!crossSection_ && !crossSectionError_.empty())
            fail(crossSectionError_);
        else if (crossSection_)
            showFactor("cf2",
                       effTrMfp_ ? correctionFactor2(*depth, *effTrMfp_)
                                 : Result<float>(Failed{kNoCorrectionFactorNote}));
    }

    void showFactor(const char* id, const Result<float>& factor)
    {
        if (factor)
            show(id, *factor, shown::factor(*factor));
        else
            fail(factor.error());
    }

    // The angle (and P) of the depths, or none with the refusal.
    std::optional<Request> depthValues(std::initializer_list<const char*> names)
    {
        return partOf(names, {.depthValues = true, .oneResult = true});
    }

    void depths(float imfp)
    {
        const std::optional<Request> values = depthValues({"angle", "probability"});
        if (!values)
            return;
        const double angleFromNormal = values->angle;
        if (angleFromNormal > kMaxCorrectedAngle)
            results_.notes.push_back(uncorrectedAngleNote(angleFromNormal));
        const std::pair<DepthCorrection, const char*> models[] = {
            {DepthCorrection::None, "none"}, {DepthCorrection::Approx1, "cf1"}, {DepthCorrection::Approx2, "cf2"}};
        for (const auto& [correction, name] : models) {
            if (correction != DepthCorrection::None && angleFromNormal > kMaxCorrectedAngle)
                continue;
            if (correction == DepthCorrection::Approx2 && !effTrMfp_)
                continue;
            const DepthModel model{correction, imfp, angleFromNormal, effTrMfp_.value_or(0.0f)};
            showLength("information-depth-" + std::string(name), informationDepth(model, values->probability));
            showLength("mean-escape-depth-" + std::string(name), meanEscapeDepth(model));
        }
    }

    void showLength(const std::string& id, const Result<double>& length)
    {
        if (length)
            show(id.c_str(), float(*length), shown::length(float(*length)));
        else
            fail(length.error());
    }

    // The overlayer's thickness from the two peaks' ratio, in the
    // straight-line model with the overlayer's IMFPs at the two energies.
    void thickness()
    {
        if (!query_.typed("overlayer") && !query_.typed("substrate"))
            return;
        const std::optional<PageMaterial> overlayer = kept(readMaterial(query_, "overlayer", ticks_));
        const std::optional<PageMaterial> substrate = kept(readMaterial(query_, "substrate", ticks_));
        const std::optional<float> overlayerEnergy = single("overlayer-energy");
        const std::optional<float> substrateEnergy = single("substrate-energy");
        const std::optional<double> ratio = number("ratio");
        const std::optional<double> bulkRatio = number("bulk-ratio");
        const std::optional<Request> angle = depthValues({"angle"});
        if (!overlayer || !substrate || !overlayerEnergy || !substrateEnergy || !ratio || !bulkRatio || !angle)
            return;
        if (const Result<void> ratios = checkRatios(*ratio, *bulkRatio); !ratios) {
            fail(ratios.error());
            return;
        }
        const Result<float> own = evaluateImfp(overlayer->values, *overlayerEnergy, ImfpForm::NonRelativistic);
        const Result<float> crossing = evaluateImfp(overlayer->values, *substrateEnergy, ImfpForm::NonRelativistic);
        if (!own || !crossing) {
            fail(!own ? own.error() : crossing.error());
            return;
        }
        showLength("thickness", overlayerThickness({*own, *crossing, angle->angle}, *ratio, *bulkRatio));
    }

    const PageQuery& query_;
    PageResults results_;
    ValenceTicks ticks_;                 // the valence groups that make up Nv
    std::optional<double> crossSection_; // S in a0^2, typed or computed
    std::string crossSectionError_;      // why S could not be computed
    std::optional<float> effTrMfp_;      // Å, for approximation 2
};

} // namespace

PageResults evaluatePage(const PageQuery& query)
{
    return Evaluation(query).run();
}

std::string resultsJson(const PageResults& results)
{
    std::string json = "{\"shown\":[";
    for (std::size_t i = 0; i < results.shown.size(); ++i) {
        const ShownResult& r = results.shown[i];
        json += i ? ",{\"id\":" : "{\"id\":";
        text::appendJsonString(json, r.id);
        json += ",\"text\":";
        text::appendJsonString(json, r.text);
        json += ",\"value\":";
        text::appendJsonString(json, r.value);
        json += '}';
    }
    const auto list = [&json](const char* name, const std::vector<std::string>& texts) {
        json += std::string("],\"") + name + "\":[";
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i)
                json += ',';
            text::appendJsonString(json, texts[i]);
        }
    };
    list("errors", results.errors);
    list("notes", results.notes);
    return json + "]}";
}

} // namespace korvane::page
