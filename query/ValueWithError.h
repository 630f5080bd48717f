#pragma once

// Takes: an estimate and its standard error.
// Gives: both as one text whose digits the error allows, with the full stop
// as decimal point ("9.244 ± 0.003"), for every front end.

#include <string>

namespace korvane::shown {

// The error with two significant digits when they start with 1 or 2, with
// one otherwise, and the value rounded to the error's last digit:
// (9.24372, 0.00307) gives "9.244 ± 0.003", (12.3, 0.96) "12.3 ± 1.0",
// (1234.5, 35) "1230 ± 40". An error of 0 or none that is finite says
// nothing of the digits: the value then has its shortest text and the error
// is written as given ("9.2 ± 0").
std::string valueWithError(double value, double error);

} // namespace korvane::shown
