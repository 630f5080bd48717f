#pragma once

// Takes: a material's values as far as they are known (a database row may
// leave a column empty), an energy in eV and the form of the formula.
// Gives: the IMFP in ångström as a Single, or the words for why there is
// none ("no density in the database", "Nv is 0", "the formula gives no
// physical IMFP for these values", ...).

#include "calc/ImfpCalculator.h"
#include "core/Result.h"

#include <optional>
#include <string>

namespace korvane {

// The values of the TPP-2M formula that a material has, each as far as it is known.
struct MaterialValues {
    std::optional<float> density;          // g/cm3
    std::optional<float> mass;             // g/mol
    std::optional<float> bandGap;          // eV
    std::optional<float> valenceElectrons; // Nv

    bool operator==(const MaterialValues&) const = default;
};

// The IMFP of a material at an energy. A missing value fails with the code
// NotFound, a formula without a physical value with NoPhysicalValue, and an
// input that breaks the arithmetic with InvalidInput.
Result<float> evaluateImfp(const MaterialValues& material, float energy, ImfpForm form);

// The same for the five values themselves.
Result<float> evaluateImfp(const ImfpInputs& inputs, ImfpForm form);

} // namespace korvane
