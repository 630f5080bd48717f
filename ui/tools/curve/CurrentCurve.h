#pragma once

#include "chart/ImfpCurve.h"
#include "ui/tools/curve/PlottedMaterial.h"

#include <utility>

namespace korvane::ui {

class MainWindowState;

// What the main window shows now, as the curve window draws it.
struct MainWindowReading {
    std::optional<PlottedMaterial> material; // none when its values give no curve
    bool typed = false;                      // the values of a material being changed or added
    bool adding = false;
    QString name;                // the text of the name field
    std::optional<float> energy; // the energy box, when it holds a number
    QString energyText;          // the energy box as typed or put there, for messages
    ImfpForm form = ImfpForm::NonRelativistic;
};

// Reads the main window's state; typed values must pass the checks a save
// makes before they are drawn, and like a save they take a blank band gap
// for 0.
MainWindowReading readMainWindow(const MainWindowState& state);

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
