#pragma once

// Takes: the name of an input as the user typed it ("--energy", "energy") and
// its text. Gives: the words that refuse the text, as tpp2m and the browser
// page both say them.

#include <string>

namespace korvane {

// "energy: "abc" is not a number"
std::string notANumber(const std::string& input, const std::string& text);

// "energy: "1e50" is out of range": a number too large or too small to be held.
std::string outOfRange(const std::string& input, const std::string& text);

} // namespace korvane
