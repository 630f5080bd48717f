#pragma once

#include "calc/ImfpCalculator.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"

namespace korvane {

// The IMFP (Å) of one material at one energy, or why there is none in the
// query layer's words ("no density in the database", ...) with their code.
Result<float> evaluateImfp(const MaterialInputs& material, float energy, ImfpForm form);

} // namespace korvane
