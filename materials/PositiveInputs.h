#pragma once

#include <QString>

#include <initializer_list>
#include <utility>

namespace korvane {

// The quantities that exist only above 0. A value typed for one of them at 0
// or below would still give a plausible-looking number (a negative
// cross-section a negative TrMFP, a negative density a real IMFP), so the
// main window, tpp2m and the Python module refuse it before any computation.
enum class PositiveInput { CrossSection, Density, Mass, Imfp, TrMfp, EffTrMfp };

// "the density must be above 0" and the like, for `value` at 0 or below;
// empty for a value above 0. A NaN is no typed value: the callers that can
// meet one say so in their own words.
QString notAboveZero(PositiveInput input, double value);

// The first refusal of notAboveZero among `values`; empty when all are above 0.
QString firstNotAboveZero(std::initializer_list<std::pair<PositiveInput, double>> values);

} // namespace korvane
