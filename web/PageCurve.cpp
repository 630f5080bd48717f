#include "web/PageCurve.h"

#include "calc/ValidEnergyRange.h"
#include "core/NumberText.h"
#include "core/TextEscapes.h"
#include "query/CurveCsv.h"
#include "query/CurveStyle.h"
#include "query/ImfpEvaluation.h"
#include "web/PageInputs.h"
#include "web/PageMaterial.h"

#include <algorithm>
#include <numeric>

namespace korvane::page {

namespace {

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// What a curve is made of, read from the inputs.
struct CurveInputs {
    std::vector<PageMaterial> materials;
    std::vector<float> energies;
    std::vector<ImfpForm> forms;
};

Outcome<CurveInputs> readCurveInputs(const PageQuery& query, const ValenceTicks& ticks)
{
    const std::vector<std::string> names = curveMaterialNames(query.value("materials").value_or(""));
    if (names.empty() || (!query.typed("log") && !query.typed("range")))
        return {};
    Outcome<CurveInputs> read;
    CurveInputs inputs;
    for (std::size_t i = 0; i < names.size(); ++i) {
        Result<std::optional<PageMaterial>> material = readMaterial(query, "curve." + std::to_string(i), ticks);
        if (!material) {
            read.errors.push_back(material.error());
            continue;
        }
        // "Cu,29" names one row twice: one curve of one name.
        if (*material && std::none_of(inputs.materials.begin(), inputs.materials.end(), [&](const PageMaterial& m) {
                return m.name == (*material)->name;
            }))
            inputs.materials.push_back(std::move(**material));
    }
    // The energies of log, then range, read and bounded as tpp2m reads them.
    const Result<Request> request =
        readPageRequest(query, {"log", "range", "relativistic"}, {.mostEnergies = kMaxCurveEnergies});
    if (!request)
        read.errors.push_back(request.error());
    if (!read.errors.empty())
        return read;
    inputs.energies = request->energies;
    inputs.forms = formsToCompute(request->forms);
    read.value = std::move(inputs);
    return read;
}

// The valence groups of the curve's materials, read as every input is.
Result<ValenceTicks> readTicks(const PageQuery& query)
{
    const Result<Request> request = readPageRequest(query, {"include"}, {});
    if (!request)
        return request.failure();
    return request->groups;
}

void appendJsonList(std::string& json, const std::vector<std::string>& texts)
{
    json += '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        json += i ? "," : "";
        text::appendJsonString(json, texts[i]);
    }
    json += ']';
}

// The indices of at most `maxPoints` energies spread evenly, the first and
// the last among them, ordered by energy.
std::vector<std::size_t> drawnPoints(const std::vector<float>& energies, std::size_t maxPoints)
{
    const std::size_t count = energies.size();
    std::vector<std::size_t> indices;
    if (count <= maxPoints || maxPoints < 2) {
        indices.resize(count);
        std::iota(indices.begin(), indices.end(), std::size_t{0});
    } else {
        for (std::size_t i = 0; i < maxPoints; ++i)
            indices.push_back(static_cast<std::size_t>((double(i) * double(count - 1)) / double(maxPoints - 1) + 0.5));
    }
    std::stable_sort(indices.begin(), indices.end(),
                     [&](std::size_t a, std::size_t b) { return energies[a] < energies[b]; });
    return indices;
}

} // namespace

std::vector<std::string> curveMaterialNames(const std::string& text)
{
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        const std::string_view name = trimmed(std::string_view(text).substr(start, comma - start));
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.emplace_back(name);
        start = comma + 1;
    }
    return names;
}

Outcome<PageCurve> evaluateCurve(const PageQuery& query, const ValenceTicks& ticks)
{
    Outcome<CurveInputs> read = readCurveInputs(query, ticks);
    if (!read.value)
        return {std::nullopt, std::move(read.errors)};
    const std::optional<CurveInputs>& inputs = read.value;
    PageCurve curve;
    curve.energies = inputs->energies;
    for (std::size_t m = 0; m < inputs->materials.size(); ++m) {
        const PageMaterial& material = inputs->materials[m];
        for (const ImfpForm form : inputs->forms) {
            CurveSeries series{inputs->forms.size() > 1 ? curveName(material.name, form) : material.name,
                               int(m),
                               form == ImfpForm::Relativistic,
                               {}};
            series.imfp.reserve(curve.energies.size());
            for (const float energy : curve.energies) {
                const Result<float> imfp = evaluateImfp(material.values, energy, form);
                series.imfp.push_back(imfp ? std::optional<float>(*imfp) : std::nullopt);
            }
            curve.series.push_back(std::move(series));
        }
    }
    if (std::any_of(curve.energies.begin(), curve.energies.end(),
                    [](float energy) { return outsideValidEnergyRange(energy); }))
        curve.notes.push_back(kOutsideValidEnergyRangeNote);
    return {std::move(curve), {}};
}

std::string evaluateCurveCsv(const PageQuery& query, const ValenceTicks& ticks)
{
    const Outcome<CurveInputs> read = readCurveInputs(query, ticks);
    if (!read.value)
        return {};
    const std::optional<CurveInputs>& inputs = read.value;
    std::vector<CurveCsvMaterial> materials;
    for (const PageMaterial& material : inputs->materials) {
        materials.push_back({material.name, material.id, [values = material.values](float energy, ImfpForm form) {
                                 return evaluateImfp(values, energy, form);
                             }});
    }
    return curveCsv(materials, inputs->energies, inputs->forms);
}

std::string curveJson(const PageCurve& curve, std::size_t maxPoints)
{
    const std::vector<std::size_t> points = drawnPoints(curve.energies, maxPoints);
    std::string json = "{\"energies\":[";
    for (std::size_t i = 0; i < points.size(); ++i) {
        json += i ? "," : "";
        json += numbers::shortest(curve.energies[points[i]]);
    }
    json += "],\"series\":[";
    for (std::size_t s = 0; s < curve.series.size(); ++s) {
        const CurveSeries& series = curve.series[s];
        json += s ? ",{\"label\":" : "{\"label\":";
        text::appendJsonString(json, series.label);
        json += ",\"material\":" + std::to_string(series.material) + ",\"colour\":\"" + curveColourText(series.material)
            + '"';
        json += series.relativistic ? ",\"relativistic\":true,\"imfp\":[" : ",\"relativistic\":false,\"imfp\":[";
        for (std::size_t i = 0; i < points.size(); ++i) {
            json += i ? "," : "";
            const std::optional<float>& imfp = series.imfp[points[i]];
            json += imfp ? numbers::shortest(*imfp) : "null";
        }
        json += "]}";
    }
    return json + "]}";
}

std::string pageCurveJson(const PageQuery& query, std::size_t maxPoints)
{
    const Result<ValenceTicks> ticks = readTicks(query);
    Outcome<PageCurve> evaluated = ticks ? evaluateCurve(query, *ticks) : Outcome<PageCurve>{{}, {ticks.error()}};
    const std::optional<PageCurve>& curve = evaluated.value;
    std::string json = "{\"errors\":";
    appendJsonList(json, evaluated.errors);
    json += ",\"notes\":";
    appendJsonList(json, curve ? curve->notes : std::vector<std::string>());
    return json + ",\"curve\":" + (curve ? curveJson(*curve, maxPoints) : "null") + '}';
}

std::string pageCurveCsv(const PageQuery& query)
{
    const Result<ValenceTicks> ticks = readTicks(query);
    return ticks ? evaluateCurveCsv(query, *ticks) : std::string();
}

} // namespace korvane::page
