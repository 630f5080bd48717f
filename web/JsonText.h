#pragma once

#include <string>
#include <string_view>

// JSON texts for what the page's C++ hands to its script.
namespace korvane::page {

// A JSON string literal of UTF-8 text: quotes, backslashes and control
// characters escaped.
std::string jsonString(std::string_view text);

} // namespace korvane::page
