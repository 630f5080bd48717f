#pragma once

#include <vector>

namespace korvane::ui {

// The number of energies each curve of the curve window is drawn through.
inline constexpr int kCurvePoints = 200;

// kCurvePoints energies from `from` to `to`, both included, evenly spaced in
// log scale (from above 0) or in linear scale. Each is held as a Single, as
// the formula takes it, so that a listed energy reads back as the same one.
std::vector<float> curveEnergies(double from, double to, bool logSpaced);

} // namespace korvane::ui
