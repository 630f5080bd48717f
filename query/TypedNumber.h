#pragma once

// Takes: the name of an input as the user typed it ("--log", "energy") and
// its text. Gives: the number, or the words that refuse it as tpp2m says
// them: a text written as a number but too large or too small to be held
// ("1e400", "1e-400") is out of range, anything else is not a number.

#include "core/Result.h"

#include <string>

namespace korvane {

// A Double read strictly (core/NumberText's readDouble).
Result<double> readTypedNumber(const std::string& input, const std::string& text);

// As readTypedNumber, and the value must be held by a Single: one that
// overflows it or underflows to 0 is out of range.
Result<float> readTypedSingle(const std::string& input, const std::string& text);

} // namespace korvane
