#include "web/PageCurve.h"

#include "core/NumberText.h"
#include "core/TableWriter.h"
#include "core/TextEscapes.h"
#include "query/CurveStyle.h"
#include "query/ImfpEvaluation.h"
#include "web/PageInputs.h"
#include "web/PageMaterial.h"

namespace korvane::page {

namespace {

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The rows of tpp2m imfp's CSV for one material: one per energy and form.
void writeCsvRows(TableWriter& table, const PageMaterial& material, const std::vector<float>& energies,
                  const std::vector<ImfpForm>& forms, const std::vector<std::vector<Result<float>>>& imfps)
{
    const std::string name = table.encoded(material.name);
    const std::string id = material.id ? std::to_string(*material.id) : std::string();
    for (std::size_t e = 0; e < energies.size(); ++e) {
        for (std::size_t f = 0; f < forms.size(); ++f) {
            table.encodedText(name);
            if (material.id)
                table.number(id);
            else
                table.empty();
            table.number(numbers::shortestFixed(energies[e]));
            table.text(formName(forms[f]));
            const Result<float>& imfp = imfps[f][e];
            if (imfp) {
                table.number(numbers::shortestFixed(*imfp));
                table.empty();
            } else {
                table.empty();
                table.text(imfp.error());
            }
            table.endRow();
        }
    }
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
        if (!name.empty())
            names.emplace_back(name);
        start = comma + 1;
    }
    return names;
}

std::optional<PageCurve> evaluateCurve(const PageQuery& query, const ValenceTicks& ticks,
                                       std::vector<std::string>* errors)
{
    const std::vector<std::string> names = curveMaterialNames(query.value("materials").value_or(""));
    const std::optional<std::string> logText = query.typed("log");
    const std::optional<std::string> rangeText = query.typed("range");
    if (names.empty() || (!logText && !rangeText))
        return std::nullopt;
    const std::size_t errorsBefore = errors->size();
    std::vector<PageMaterial> materials;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (std::optional<PageMaterial> material = readMaterial(query, "curve." + std::to_string(i), ticks, errors))
            materials.push_back(std::move(*material));
    }
    // The energies of log, then range, read and bounded as tpp2m reads them.
    const Result<Request> request =
        readPageRequest(query, {"log", "range", "relativistic"}, {.mostEnergies = kMaxCurveEnergies});
    if (!request)
        errors->push_back(request.error());
    if (errors->size() != errorsBefore)
        return std::nullopt;
    PageCurve curve;
    curve.energies = request->energies;
    const std::vector<ImfpForm> forms = formsToCompute(request->forms);
    TableWriter csv(TableFormat::Csv, {{"material"}, {"id"}, {"energy_eV"}, {"form"}, {"imfp_A"}, {"error"}});
    for (std::size_t m = 0; m < materials.size(); ++m) {
        std::vector<std::vector<Result<float>>> imfps(forms.size());
        for (std::size_t f = 0; f < forms.size(); ++f) {
            const ImfpForm form = forms[f];
            CurveSeries series{forms.size() > 1 ? curveName(materials[m].name, form) : materials[m].name,
                               int(m),
                               form == ImfpForm::Relativistic,
                               {}};
            imfps[f].reserve(curve.energies.size());
            series.imfp.reserve(curve.energies.size());
            for (const float energy : curve.energies) {
                imfps[f].push_back(evaluateImfp(materials[m].values, energy, form));
                series.imfp.push_back(imfps[f].back() ? std::optional<float>(*imfps[f].back()) : std::nullopt);
            }
            curve.series.push_back(std::move(series));
        }
        writeCsvRows(csv, materials[m], curve.energies, forms, imfps);
    }
    curve.csv = csv.finishedText();
    return curve;
}

std::string curveJson(const PageCurve& curve)
{
    std::string json = "{\"energies\":[";
    for (std::size_t e = 0; e < curve.energies.size(); ++e) {
        json += e ? "," : "";
        json += numbers::shortest(curve.energies[e]);
    }
    json += "],\"series\":[";
    for (std::size_t s = 0; s < curve.series.size(); ++s) {
        const CurveSeries& series = curve.series[s];
        json += s ? ",{\"label\":" : "{\"label\":";
        text::appendJsonString(json, series.label);
        json += ",\"material\":" + std::to_string(series.material) + ",\"colour\":\"" + curveColourText(series.material)
            + '"';
        json += series.relativistic ? ",\"relativistic\":true,\"imfp\":[" : ",\"relativistic\":false,\"imfp\":[";
        for (std::size_t e = 0; e < series.imfp.size(); ++e) {
            json += e ? "," : "";
            json += series.imfp[e] ? numbers::shortest(*series.imfp[e]) : "null";
        }
        json += "]}";
    }
    json += "],\"csv\":";
    text::appendJsonString(json, curve.csv);
    return json + '}';
}

} // namespace korvane::page
