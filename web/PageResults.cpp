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
#include "query/PositiveInputs.h"
#include "query/ShownText.h"
#include "query/TypedNumber.h"
#include "web/PageMaterial.h"
#include "web/PageMaterialValues.h"

#include <algorithm>
#include <cstdio>

namespace korvane::page {

namespace {

// Why CF2 has no S, as tpp2m says it in the page's words.
constexpr const char* kNoFormulaForS =
    "CF2 needs a transport cross-section S for a material given by its values, which has no formula to compute S from";

// Why a line gives no energy when neither a source nor photons are typed.
std::string lineNeedsPhotons()
{
    return "the line needs a source (" + sourceKeys() + ") or a photon energy";
}

// The transport cross-section as the transport window's field shows it.
std::string crossSectionText(double a0Squared)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", a0Squared);
    return text;
}

// The shown results and messages, filled step by step.
class Evaluation {
public:
    explicit Evaluation(const PageQuery& query) : query_(query) {}

    PageResults run()
    {
        const Result<ValenceTicks> ticks = readIncludedGroups(query_.value("include").value_or("lbe,d,f"));
        if (!ticks) {
            fail(ticks.error());
            return std::move(results_);
        }
        ticks_ = *ticks;
        thickness();
        const std::optional<PageMaterial> material = readMaterial(query_, "material", ticks_, &results_.errors);
        if (material)
            for (ShownResult& value : materialValuesShown(*material))
                results_.shown.push_back(std::move(value));
        const std::optional<double> lineEnergy = kineticEnergyOfLine();
        const std::optional<float> energy =
            query_.typed("energy") || !lineEnergy ? single("energy") : numbers::heldAsSingle(*lineEnergy);
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

    // The kinetic energy of the photoelectrons of the line typed ("Cu 2p3/2"),
    // from a source ("AlKa") or photons of a typed energy; the energy of the
    // results when none is typed.
    std::optional<double> kineticEnergyOfLine()
    {
        const std::optional<std::string> lineText = query_.typed("line");
        if (!lineText)
            return std::nullopt;
        const Result<lines::PhotoelectronLine> found = lines::findLine(*lineText);
        if (!found) {
            fail(found.error());
            return std::nullopt;
        }
        std::optional<double> photons;
        if (query_.typed("photon-energy")) {
            photons = number("photon-energy");
        } else {
            const std::optional<std::string> key = query_.typed("source");
            if (!key) {
                fail(lineNeedsPhotons());
                return std::nullopt;
            }
            const Result<const XraySource*> source = sourceOfKey(*key);
            if (!source) {
                fail(source.error());
                return std::nullopt;
            }
            photons = (*source)->photonEnergy;
        }
        if (!photons)
            return std::nullopt;
        const Result<double> kinetic = kineticEnergy(found->bindingEnergy, *photons);
        if (!kinetic) {
            fail(kinetic.error());
            return std::nullopt;
        }
        show("kinetic-energy", float(*kinetic), electronVolts(*kinetic));
        return *kinetic;
    }

    // S typed, or computed for the material as tpp2m transport does.
    void transportCrossSection(const PageMaterial& material, float energy)
    {
        if (query_.typed("cross-section")) {
            crossSection_ = number("cross-section");
            if (crossSection_ && !(*crossSection_ > 0)) {
                fail(notAboveZero(PositiveInput::CrossSection, *crossSection_));
                crossSection_.reset();
            }
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
        show("transport-cross-section", float(s->a0Squared), crossSectionText(s->a0Squared));
    }

    void correctionFactors(const MaterialValues& material, float imfp)
    {
        if (crossSection_) {
            const FormedPaths paths = transportPaths(material.density, material.mass, *crossSection_, imfp);
            if (paths.effTrMfp)
                effTrMfp_ = *paths.effTrMfp;
        }
        const std::optional<float> depth = single("depth");
        if (!depth)
            return;
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

    std::optional<double> angle()
    {
        const std::optional<double> value = query_.typed("angle") ? number("angle") : 0.0;
        if (value && !angleError(*value).empty()) {
            fail(angleError(*value));
            return std::nullopt;
        }
        return value;
    }

    void depths(float imfp)
    {
        const std::optional<double> angleFromNormal = angle();
        const std::optional<double> probability = query_.typed("probability") ? number("probability") : 0.95;
        if (!angleFromNormal || !probability)
            return;
        if (*angleFromNormal > kMaxCorrectedAngle)
            results_.notes.push_back(uncorrectedAngleNote(*angleFromNormal));
        if (const std::string error = probabilityError(*probability); !error.empty()) {
            fail(error);
            return;
        }
        const std::pair<DepthCorrection, const char*> models[] = {
            {DepthCorrection::None, "none"}, {DepthCorrection::Approx1, "cf1"}, {DepthCorrection::Approx2, "cf2"}};
        for (const auto& [correction, name] : models) {
            if (correction != DepthCorrection::None && *angleFromNormal > kMaxCorrectedAngle)
                continue;
            if (correction == DepthCorrection::Approx2 && !effTrMfp_)
                continue;
            const DepthModel model{correction, imfp, *angleFromNormal, effTrMfp_.value_or(0.0f)};
            showLength("information-depth-" + std::string(name), informationDepth(model, *probability));
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
        const std::optional<PageMaterial> overlayer = readMaterial(query_, "overlayer", ticks_, &results_.errors);
        const std::optional<PageMaterial> substrate = readMaterial(query_, "substrate", ticks_, &results_.errors);
        const std::optional<float> overlayerEnergy = single("overlayer-energy");
        const std::optional<float> substrateEnergy = single("substrate-energy");
        const std::optional<double> ratio = number("ratio");
        const std::optional<double> bulkRatio = number("bulk-ratio");
        const std::optional<double> angleFromNormal = angle();
        if (!overlayer || !substrate || !overlayerEnergy || !substrateEnergy || !ratio || !bulkRatio
            || !angleFromNormal)
            return;
        if (const std::string error = ratioError(*ratio, *bulkRatio); !error.empty()) {
            fail(error);
            return;
        }
        const Result<float> own = evaluateImfp(overlayer->values, *overlayerEnergy, ImfpForm::NonRelativistic);
        const Result<float> crossing = evaluateImfp(overlayer->values, *substrateEnergy, ImfpForm::NonRelativistic);
        if (!own || !crossing) {
            fail(!own ? own.error() : crossing.error());
            return;
        }
        showLength("thickness", overlayerThickness({*own, *crossing, *angleFromNormal}, *ratio, *bulkRatio));
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
