#include "web/PageQuantify.h"

#include "lines/QuantificationPeaks.h"
#include "query/ImfpEvaluation.h"
#include "query/Quantification.h"
#include "query/RequestReader.h"
#include "query/XraySource.h"
#include "web/PageInputs.h"
#include "web/PageMaterial.h"

#include <cmath>

namespace korvane::page {

namespace {

constexpr std::initializer_list<const char*> kQuantifyInputs = {
    "material", "formula", "density", "gap", "source", "photon-energy", "peak", "beta", "angle", "source-angle",
    "transmission-exponent", "layer", "relativistic"};

constexpr const char* kAsker = "the quantification";

// A factor as a Single shown with `decimals`; empty where there is none.
TableCell factor(double value, int decimals = -1)
{
    return std::isfinite(value) ? TableCell::ofSingle(static_cast<float>(value), decimals) : TableCell::empty();
}

TableCell smallFactor(double value)
{
    return std::isfinite(value) ? TableCell::ofSingleWithExponent(static_cast<float>(value)) : TableCell::empty();
}

ImfpOfEnergy imfpOf(const MaterialValues& material, ImfpForm form)
{
    return [material, form](float energy) { return evaluateImfp(material, energy, form); };
}

class QuantifyEvaluation {
public:
    explicit QuantifyEvaluation(const PageQuery& query)
        : query_(query), reader_({.quantification = true, .asker = kAsker}, pageSpelling)
    {
    }

    PageTable run()
    {
        for (const std::string_view field : quantificationFields())
            table_.columns.emplace_back(field);
        if (!query_.typed("material") && !query_.typed("formula") && query_.values("peak").empty())
            return std::move(table_);
        if (!read())
            return std::move(table_);
        const Request& request = reader_.request();
        Result<PageMaterial> matrix = requestedMaterial(query_, request.materials.front(), request.groups);
        if (!kept(matrix))
            return std::move(table_);
        const ImfpForm form = formsToCompute(request.forms).front();
        QuantificationInputs inputs{.matrixImfp = imfpOf(matrix->values, form),
                                    .emissionAngle = request.angle,
                                    .sourceAngle = request.sourceAngle,
                                    .transmissionExponent = request.transmissionExponent};
        if (!request.layers.empty()) {
            Result<PageMaterial> layer = rowOfName(query_, request.layers.front().material.text, request.groups);
            if (!kept(layer))
                return std::move(table_);
            inputs.overlayer = QuantificationOverlayer{imfpOf(layer->values, form), request.layers.front().thickness};
        }
        if (!findPeaks(inputs.peaks))
            return std::move(table_);
        const Result<std::vector<QuantificationRow>> rows = quantify(inputs, pageSpelling);
        if (!kept(rows))
            return std::move(table_);
        for (const QuantificationRow& r : *rows)
            table_.rows.push_back({TableCell::ofText(r.line), TableCell::ofText(r.element), factor(r.bindingEnergy),
                                   TableCell::ofSingle(r.kineticEnergy), factor(r.area), factor(r.crossSection, 0),
                                   factor(r.asymmetry), factor(r.angularFactor, 3), factor(r.imfp, 2),
                                   smallFactor(r.transmission), factor(r.overlayerAttenuation, 3),
                                   smallFactor(r.sensitivity), factor(r.atomicPercent, 2),
                                   r.error.empty() ? TableCell::empty() : TableCell::ofText(r.error)});
        return std::move(table_);
    }

private:
    // Whether a step went through; its refusal kept when not.
    template <typename T>
    bool kept(const Result<T>& step)
    {
        if (!step)
            table_.errors.push_back(step.error());
        return static_cast<bool>(step);
    }

    // Every input, then the combinations as tpp2m quantify judges them.
    bool read()
    {
        for (const NamedText& input : pageInputs(query_, kQuantifyInputs))
            if (!kept(reader_.read(input)))
                return false;
        if (!kept(reader_.judgePhotons()) || !kept(reader_.addTypedMaterial()))
            return false;
        const Request& request = reader_.request();
        if (request.materials.empty()) {
            table_.errors.push_back(std::string(kAsker) + " needs a material: " + pageSpelling("material") + ", or "
                                    + pageSpelling("formula") + " with " + pageSpelling("density") + " and "
                                    + pageSpelling("gap"));
            return false;
        }
        if (request.materials.size() > 1) {
            table_.errors.push_back(std::string(kAsker) + " takes one material, the sample's matrix");
            return false;
        }
        if (request.forms == RequestedForms::Both) {
            table_.errors.push_back(std::string(kAsker) + " takes one form of the formula: " + pageSpelling("relativistic")
                                    + " without \"both\"");
            return false;
        }
        return kept(reader_.judgeQuantification());
    }

    // Each peak's element, binding energy and cross-section (0 where the
    // table has none), or the refusal of a line that is not known.
    bool findPeaks(std::vector<QuantificationPeak>& peaks)
    {
        const Request& request = reader_.request();
        const double photonEnergy = request.photons.photonEnergy
            ? *request.photons.photonEnergy
            : findXraySource(*request.photons.sourceKey)->photonEnergy;
        Result<std::vector<QuantificationPeak>> found =
            lines::quantificationPeaks(request.peaks, photonEnergy, pageSpelling);
        if (found)
            peaks = std::move(*found);
        return kept(found);
    }

    const PageQuery& query_;
    RequestReader reader_;
    PageTable table_;
};

} // namespace

PageTable pageQuantification(const PageQuery& query)
{
    return QuantifyEvaluation(query).run();
}

} // namespace korvane::page
