#pragma once

#include "core/Result.h"
#include "query/ImfpEvaluation.h"
#include "query/Request.h"
#include "query/ValenceGroups.h"
#include "web/PageQuery.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A material of the page's inputs: a row of the open database, which the
// page's script found by the name or ID typed under `name` and handed over
// under dotted names ("material.density"), or, for the material itself,
// what the request read: values typed as tpp2m takes them, or a chemical
// formula with its density and gap, whose elements' rows the script hands
// over as "element.Si.mass" and so on.
namespace korvane::page {

struct PageMaterial {
    MaterialValues values;
    std::optional<std::int64_t> id; // a database row's ID and name, for its
    std::string name;               // transport cross-section
};

// The database row named by `name` in the query; none when no name is
// typed, and NotFound when the row is not found. Nv counts the valence
// groups ticked in `ticks`.
Result<std::optional<PageMaterial>> readMaterial(const PageQuery& query, const std::string& name,
                                                 const ValenceTicks& ticks);

// The database row of a material typed as `typed` among several (the layers
// of a stack, its substrate), which the script hands over under
// "row.TYPED." ("row.SiO2.density"); NotFound when there is none.
Result<PageMaterial> rowOfName(const PageQuery& query, const std::string& typed, const ValenceTicks& ticks);

// The material a request asks for: the row handed over as "material.", the
// values typed, or a formula summed over its elements' rows; or why it
// cannot be had.
Result<PageMaterial> requestedMaterial(const PageQuery& query, const RequestedMaterial& material,
                                       const ValenceTicks& ticks);

// The element symbols of a formula, each once, whose rows the script looks
// up; none when the formula's text is wrong (the results then say why).
std::vector<std::string> formulaSymbols(const std::string& formula);

} // namespace korvane::page
