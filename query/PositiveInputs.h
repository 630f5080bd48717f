#pragma once

// Takes: a quantity that exists only above 0 and a value typed for it.
// Gives: the words that refuse it ("the density must be above 0"), or an
// empty text when the value is above 0.

#include <initializer_list>
#include <string>
#include <utility>

namespace korvane {

// The quantities that exist only above 0. A value typed for one of them at 0
// or below would still give a plausible-looking number (a negative
// cross-section a negative TrMFP, a negative density a real IMFP), so the
// main window, tpp2m, the Python module and the browser page refuse it before
// any computation.
enum class PositiveInput { CrossSection, Density, Mass, Imfp, TrMfp, EffTrMfp };

// "the density must be above 0" and the like, for `value` at 0 or below;
// empty for a value above 0. A NaN is no typed value: the callers that can
// meet one say so in their own words.
std::string notAboveZero(PositiveInput input, double value);

// The first refusal of notAboveZero among `values`; empty when all are above 0.
std::string firstNotAboveZero(std::initializer_list<std::pair<PositiveInput, double>> values);

} // namespace korvane
