#pragma once

#include "calc/ImfpCalculator.h"
#include "cli/MaterialInputs.h"

namespace korvane::cli {

// The IMFP of one material at one energy, or why there is none.
struct ImfpOutcome {
    std::optional<float> imfp; // Å
    QString error;
};

ImfpOutcome evaluateImfp(const MaterialInputs& material, float energy, ImfpForm form);

} // namespace korvane::cli
