#pragma once

#include "chart/ImfpCurve.h"
#include "ui/MainWindowWatch.h"

#include <utility>

namespace korvane::ui {

// What the curve window draws for the main window's material, and what it
// says about it.
struct CurrentCurve {
    std::optional<PlottedMaterial> material; // none when its values give no curve
    std::vector<chart::Curve> curves;        // non-relativistic, relativistic
    std::vector<chart::Marker> markers;      // at the energy box's energy
    QString source;                          // where the values come from
    QString marked;                          // the marked values, or why there are none
};

// The curves of the material over `energies`, the form the main window
// computes emphasised, and the energy box's energy marked on each when it
// lies inside `range`.
CurrentCurve currentCurve(const MainWindowReading& reading, const std::vector<float>& energies,
                          std::pair<double, double> range);

} // namespace korvane::ui
