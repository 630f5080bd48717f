#pragma once

#include "core/Result.h"
#include "query/ValenceGroups.h"
#include "web/PageQuery.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The IMFP curve of the page: the materials typed under `materials` (names
// or IDs of the open database, separated by commas, as tpp2m imfp and plot
// take them), the energies of `log` (FROM:TO:COUNT) and `range`
// (FROM:TO:STEP) in that order, the forms of `relativistic` ("yes", as
// tpp2m's --relativistic, or "both"). Every point is the IMFP that tpp2m imfp
// gives for the same inputs, and the CSV is its --csv output, byte for byte.
// The page asks for the curve apart from the other results, and for its CSV
// only when it is to be downloaded: a curve of many energies takes its time.
namespace korvane::page {

// The most energies of a curve: the page holds every point in the browser,
// where tpp2m's bound of a run would exhaust its memory.
inline constexpr double kMaxCurveEnergies = 100'000;

struct CurveSeries {
    std::string label;                      // "Cu", or "Cu (relativistic)" when both forms are drawn
    int material = 0;                       // which material, from 0, for its colour
    bool relativistic = false;              // the relativistic form
    std::vector<std::optional<float>> imfp; // Å at each energy; none where the formula gives none
};

struct PageCurve {
    std::vector<float> energies; // eV
    std::vector<CurveSeries> series;
    std::vector<std::string> notes; // tpp2m's notes for these energies
};

// The names typed under `materials`, each once as typed; the page's script
// hands over the database row of name number i under "curve.i" as it does
// for `material`.
std::vector<std::string> curveMaterialNames(const std::string& text);

// What inputs read together give: a value, or none with the refusal of each
// wrong input, in tpp2m's words. None and no refusal when nothing is asked for.
template <typename T>
struct Outcome {
    std::optional<T> value;
    std::vector<std::string> errors;
};

// The curve, or none when no material or no energies are asked for or an
// input is wrong. A material named twice (by its name and its ID) is drawn
// once.
Outcome<PageCurve> evaluateCurve(const PageQuery& query, const ValenceTicks& ticks);

// The CSV of the same curve, every energy; empty when there is no curve.
std::string evaluateCurveCsv(const PageQuery& query, const ValenceTicks& ticks);

// {"energies":[..],"series":[{"label":..,"material":0,"colour":"#0072B2","relativistic":false,"imfp":[..]}]},
// with at most `maxPoints` energies spread evenly over the curve's energies
// (the first and the last always), in ascending order: about one point per
// pixel of the chart is all it can draw.
std::string curveJson(const PageCurve& curve, std::size_t maxPoints);

// The page's answer for the curve of the inputs `query`:
// {"errors":[..],"notes":[..],"curve":null or curveJson}.
std::string pageCurveJson(const PageQuery& query, std::size_t maxPoints);

// The CSV for the inputs `query`; empty when they give no curve.
std::string pageCurveCsv(const PageQuery& query);

} // namespace korvane::page
