#pragma once

// Takes: a result of the calculator.
// Gives: its text as the main window shows it, with the full stop as decimal
// point ("15.45 Å", "1.082"), so every front end shows the same digits. A
// front end with a locale swaps the separator only.

#include <string>

namespace korvane::shown {

// "0.00 Å": a length in ångström with two decimals, the sign kept ("-3.10 Å").
std::string length(float angstrom);

// "0.000": a correction factor with three decimals.
std::string factor(float value);

} // namespace korvane::shown
