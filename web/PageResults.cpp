#include "web/PageResults.h"

#include "calc/ElasticCorrection.h"
#include "calc/ImfpCalculator.h"
#include "calc/SignalDepth.h"
#include "calc/ValidEnergyRange.h"
#include "web/JsonText.h"
#include "web/PageMaterial.h"
#include "web/PageNumbers.h"

#include <algorithm>

namespace korvane::page {

namespace {

// The shown results and messages, filled step by step.
class Evaluation {
public:
    explicit Evaluation(const PageQuery& query) : query_(query) {}

    PageResults run()
    {
        const std::optional<MaterialValues> material = readMaterial(query_, "material", &results_.errors);
        const std::optional<float> energy = single("energy");
        if (!material || !energy)
            return std::move(results_);
        if (outsideValidEnergyRange(*energy))
            results_.notes.push_back(kOutsideValidEnergyRangeNote);
        const std::optional<float> imfp = imfpOf(*material, *energy, ImfpForm::NonRelativistic, "imfp");
        imfpOf(*material, *energy, ImfpForm::Relativistic, "imfp-relativistic");
        if (imfp) {
            correctionFactors(*material, *imfp);
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

    // A typed number held as a Single; none, with the error, when it is not one.
    std::optional<float> single(const std::string& name)
    {
        const std::optional<std::string> text = query_.typed(name);
        if (!text)
            return std::nullopt;
        const std::optional<float> value = readSingle(*text);
        if (!value)
            fail(name + ": \"" + *text + "\" is not a number");
        return value;
    }

    std::optional<double> number(const std::string& name, double absent)
    {
        const std::optional<std::string> text = query_.typed(name);
        if (!text)
            return absent;
        const std::optional<double> value = readDouble(*text);
        if (!value)
            fail(name + ": \"" + *text + "\" is not a number");
        return value;
    }

    void show(const char* id, float value, std::string text)
    {
        results_.shown.push_back({id, std::move(text), shortest(value)});
    }

    std::optional<float> imfpOf(const MaterialValues& material, float energy, ImfpForm form, const char* id)
    {
        const ImfpOutcome outcome = evaluateImfp(material, energy, form);
        if (!outcome.imfp) {
            fail(outcome.error);
            return std::nullopt;
        }
        show(id, *outcome.imfp, lengthText(*outcome.imfp));
        return outcome.imfp;
    }

    void correctionFactors(const MaterialValues& material, float imfp)
    {
        const std::optional<std::string> typedCrossSection = query_.typed("cross-section");
        const std::optional<double> crossSection =
            typedCrossSection ? number("cross-section", 0) : std::nullopt;
        if (crossSection && material.density && material.mass)
            effTrMfp_ = transportMeanFreePaths(*material.density, *material.mass, *crossSection, imfp).effTrMfp;
        const std::optional<float> depth = single("depth");
        if (!depth)
            return;
        showFactor("cf1", correctionFactorApprox1(*depth, imfp));
        if (crossSection)
            showFactor("cf2", effTrMfp_ ? correctionFactorApprox2(*depth, *effTrMfp_) : std::nullopt);
    }

    void showFactor(const char* id, std::optional<float> factor)
    {
        if (factor)
            show(id, *factor, fixed(*factor, 3));
        else
            fail(kNoCorrectionFactorNote);
    }

    void depths(float imfp)
    {
        const std::optional<double> angle = number("angle", 0);
        const std::optional<double> probability = number("probability", 0.95);
        if (!angle || !probability)
            return;
        for (const std::string& error : {angleError(*angle), probabilityError(*probability)}) {
            if (!error.empty()) {
                fail(error);
                return;
            }
        }
        const std::pair<DepthCorrection, const char*> models[] = {
            {DepthCorrection::None, "none"}, {DepthCorrection::Approx1, "cf1"}, {DepthCorrection::Approx2, "cf2"}};
        for (const auto& [correction, name] : models) {
            const DepthModel model{correction, imfp, *angle, effTrMfp_.value_or(0.0f)};
            if (correction != DepthCorrection::None && *angle > kMaxCorrectedAngle)
                continue;
            if (correction == DepthCorrection::Approx2 && !effTrMfp_)
                continue;
            const DepthValue id = informationDepth(model, *probability);
            const DepthValue med = meanEscapeDepth(model);
            if (id.value)
                show(("information-depth-" + std::string(name)).c_str(), float(*id.value), lengthText(float(*id.value)));
            if (med.value)
                show(("mean-escape-depth-" + std::string(name)).c_str(), float(*med.value),
                     lengthText(float(*med.value)));
        }
    }

    const PageQuery& query_;
    PageResults results_;
    std::optional<float> effTrMfp_; // Å, for approximation 2 of the depths
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
        json += (i ? ",{\"id\":" : "{\"id\":") + jsonString(r.id) + ",\"text\":" + jsonString(r.text)
                + ",\"value\":" + jsonString(r.value) + '}';
    }
    const auto list = [&json](const char* name, const std::vector<std::string>& texts) {
        json += std::string("],\"") + name + "\":[";
        for (std::size_t i = 0; i < texts.size(); ++i)
            json += (i ? "," : "") + jsonString(texts[i]);
    };
    list("errors", results.errors);
    list("notes", results.notes);
    return json + "]}";
}

} // namespace korvane::page

namespace korvane::page {

PageResults unusableDatabase(const std::string& fileName)
{
    return {{}, {"the materials database " + fileName + " cannot be opened: it is not a materials database"}, {}};
}

} // namespace korvane::page
