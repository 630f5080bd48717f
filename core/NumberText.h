#pragma once

#include <optional>
#include <string>
#include <string_view>

// The texts of numbers that every front end shows or reads, in plain C++
// (UTF-8, the full stop as decimal point). A front end with a locale swaps the
// separator in its own thin wrapper, so the digits are the same everywhere.
namespace korvane::numbers {

// Strict reading: the whole text must be one finite number with a full stop
// as decimal point, blanks around it allowed. Empty or trailing text fails.
std::optional<double> readDouble(std::string_view text);

// A Double held as a Single: no value when it does not fit.
std::optional<float> heldAsSingle(double value);

// As readDouble, and the number must also fit a Single.
std::optional<float> readSingle(std::string_view text);

// Lenient reading of the leading number: blanks are skipped, the decimal point
// is the full stop, reading stops at the first character that cannot
// continue the number, and a text without a leading number reads as 0.
double leadingNumber(std::string_view text);

// Fixed number of decimals, at least one digit before the point; a negative
// value keeps its sign ("-3.10"), a negative zero shows none.
std::string fixed(double value, int decimals);

// The shortest text that reads back as the same Single ("4", "11", "4.5").
std::string shortest(float value);

// As shortest, without an exponent ("300000", not "3e+05"), for energies.
std::string shortestFixed(float value);

// A Double with up to 15 significant digits, so 0.1 + 0.2 shows 0.3.
std::string shortest15(double value);

// A Double with up to six significant digits, as printf's "%g" writes it
// ("1.5", "0.0001", "1e+07"): the numbers in refusals and notes.
std::string sixDigits(double value);

} // namespace korvane::numbers
