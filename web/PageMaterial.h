#pragma once

#include "query/ImfpEvaluation.h"
#include "query/ValenceGroups.h"
#include "web/PageQuery.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A material of the page's inputs: a row of the open database, which the
// page's script found by the name or ID typed under `name` and handed over
// under dotted names ("material.density"), or, for the material itself,
// values typed as tpp2m takes them (density, mass, gap, nv), or a chemical
// formula typed as `formula` with its density and gap, whose elements' rows
// the script hands over as "element.Si.mass" and so on.
namespace korvane::page {

struct PageMaterial {
    MaterialValues values;
    std::optional<std::int64_t> id; // a database row's ID and name, for its
    std::string name;               // transport cross-section
};

// The material named by `name` in the query; none, with the errors, when it
// is not found, not typed, or typed with a value that is no number or not
// above 0.
// Nv counts the valence groups ticked in `ticks`.
std::optional<PageMaterial> readMaterial(const PageQuery& query, const std::string& name, const ValenceTicks& ticks,
                                         std::vector<std::string>* errors);

// The element symbols of a formula, each once, whose rows the script looks
// up; none when the formula's text is wrong (the results then say why).
std::vector<std::string> formulaSymbols(const std::string& formula);

} // namespace korvane::page
