#pragma once

#include "query/ValenceGroups.h"
#include "web/PageQuery.h"

#include <optional>
#include <string>
#include <vector>

// The IMFP curve of the page: the materials typed under `materials` (names
// or IDs of the open database, separated by commas, as tpp2m imfp and plot
// take them), the energies of `log` (FROM:TO:COUNT) and `range`
// (FROM:TO:STEP) in that order, the forms of `relativistic` ("yes", as
// tpp2m's --relativistic, or "both"). Every point is the IMFP that tpp2m imfp
// gives for the same inputs, and the CSV is its --csv output, byte for byte.
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
    std::string csv;
};

// The names typed under `materials`, each once as typed; the page's script
// hands over the database row of name number i under "curve.i" as it does
// for `material`.
std::vector<std::string> curveMaterialNames(const std::string& text);

// The curve, or none when no material or no energies are asked for or an
// input is wrong; the errors in tpp2m's words.
std::optional<PageCurve> evaluateCurve(const PageQuery& query, const ValenceTicks& ticks,
                                       std::vector<std::string>* errors);

// {"energies":[..],"series":[{"label":..,"material":0,"colour":"#0072B2","relativistic":false,"imfp":[..]}],
//  "csv":".."}
std::string curveJson(const PageCurve& curve);

} // namespace korvane::page
