#pragma once

#include "calc/ImfpCalculator.h"
#include "web/PageQuery.h"

#include <optional>
#include <string>
#include <vector>

// The material of the page's inputs: a row of the open database, which the
// page's script found by the name or ID typed and handed over under dotted
// names ("material.density"), or values typed as tpp2m takes them
// (density, mass, gap, nv).
namespace korvane::page {

struct MaterialValues {
    std::optional<float> density, valenceElectrons, mass, bandGap;
};

// The material named by `name` in the query; none, with the errors, when it
// is neither found nor typed whole.
std::optional<MaterialValues> readMaterial(const PageQuery& query, const std::string& name,
                                           std::vector<std::string>* errors);

struct ImfpOutcome {
    std::optional<float> imfp; // Å
    std::string error;
};

ImfpOutcome evaluateImfp(const MaterialValues& material, float energy, ImfpForm form);

} // namespace korvane::page
