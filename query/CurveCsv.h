#pragma once

// Takes: the materials of an IMFP curve (name, ID of a row, how to get the
// IMFP at an energy in a form), its energies and its forms.
// Gives: the curve's CSV as tpp2m imfp --csv writes it, for the desktop's
// curve window and the browser page alike: per material its energies in
// turn, each in every form, the IMFP as the shortest text that reads back as
// the same Single, or an empty IMFP beside the words for why there is none.

#include "calc/ImfpCalculator.h"
#include "core/Result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct CurveCsvMaterial {
    std::string name;
    std::optional<std::int64_t> id; // a row of the materials table
    std::function<Result<float>(float energy, ImfpForm form)> imfpAt;
};

std::string curveCsv(const std::vector<CurveCsvMaterial>& materials, const std::vector<float>& energies,
                     const std::vector<ImfpForm>& forms);

} // namespace korvane
