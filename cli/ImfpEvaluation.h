#pragma once

#include "calc/ImfpCalculator.h"
#include "cli/MaterialResolution.h"

#include <vector>

namespace korvane::cli {

// The IMFP of one material at one energy, or why there is none.
struct ImfpOutcome {
    std::optional<float> imfp; // Å
    QString error;
};

ImfpOutcome evaluateImfp(const MaterialInputs& material, float energy, ImfpForm form);

// The forms to compute, non-relativistic first.
std::vector<ImfpForm> formsToCompute(Forms forms);

} // namespace korvane::cli
