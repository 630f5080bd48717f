#pragma once

#include <optional>
#include <string>
#include <string_view>

// The number texts the page reads and shows, made with the C library's printf
// and strtod alone: the browser's standard library (emscripten's libc++ 13)
// has no floating-point to_chars or from_chars, and its C locale always
// writes and reads the full stop. They give the texts of the desktop's number
// texts (materials/NumberText), which the page's tests compare through
// tpp2m's output.
namespace korvane::page {

// The whole text one finite number (blanks around it allowed), or none.
std::optional<double> readDouble(std::string_view text);
// A Double held as a Single: none when it does not fit.
std::optional<float> heldAsSingle(double value);
// As readDouble, and the number must fit a Single.
std::optional<float> readSingle(std::string_view text);
// The shortest text that reads back as the same Single ("4", "11", "4.5").
std::string shortest(float value);
// Fixed decimals, the sign of a negative value kept, none for a negative zero.
std::string fixed(double value, int decimals);
// "0.00 Å": a length as the window's result fields show it.
std::string lengthText(float angstrom);

} // namespace korvane::page
