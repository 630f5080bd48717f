#pragma once

#include "calc/ImfpCalculator.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"

#include <vector>

namespace korvane {

// The IMFP of every layer of a stack and of its substrate (the last) at one
// energy; the first that fails, named by its layer, keeps the signals from
// being had.
struct LayerImfps {
    std::vector<Result<float>> each; // Å
    std::vector<double> values;      // every one, when all are known
    QString error;                   // why the signals cannot be had; empty when they can
};

LayerImfps layerImfps(const std::vector<MaterialInputs>& materials, float energy, ImfpForm form);

} // namespace korvane
