#pragma once

// Takes: a quantity that exists only above 0 and a value typed for it.
// Gives: success when the value is above 0, or the words that refuse it ("the
// density must be above 0") as invalid input.

#include "core/Result.h"

#include <initializer_list>
#include <utility>

namespace korvane {

// The quantities that exist only above 0. A value typed for one of them at 0
// or below would still give a plausible-looking number (a negative
// cross-section a negative TrMFP, a negative density a real IMFP), so the
// main window, tpp2m, the Python module and the browser page refuse it before
// any computation.
enum class PositiveInput { CrossSection, Density, Mass, ValenceElectrons, Imfp, TrMfp, EffTrMfp };

// Refuses `value` at 0 or below with "the density must be above 0" and the
// like. A NaN is no typed value: the callers that can meet one say so in
// their own words.
Result<void> checkAboveZero(PositiveInput input, double value);

// The first refusal of checkAboveZero among `values`.
Result<void> checkAllAboveZero(std::initializer_list<std::pair<PositiveInput, double>> values);

} // namespace korvane
