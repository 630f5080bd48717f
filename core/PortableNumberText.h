#pragma once

#include <optional>
#include <string>
#include <string_view>

// The number texts of core/NumberText made with the C library's printf and
// strtod alone, for a standard library without floating-point to_chars and
// from_chars (the browser build's). They give the same texts as the to_chars
// path; the tests compare both on the desktop.
namespace korvane::numbers::portable {

// printf of one Double with the full stop as decimal point, whatever the
// C library's locale.
std::string printed(const char* format, double value);

// strtod of the whole text with the full stop as decimal point; no value
// when the text is not one number from end to end.
std::optional<double> wholeNumber(std::string_view text);

// The characters a leading number is read from: blanks dropped, up to the
// first character beyond ASCII.
std::string compactLeadingNumber(std::string_view text);

double leadingNumber(std::string_view text);
std::string fixed(double value, int decimals);
std::string shortest(float value);
std::string shortestFixed(float value);

} // namespace korvane::numbers::portable
