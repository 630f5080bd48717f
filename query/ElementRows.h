#pragma once

#include <cstdint>

namespace korvane {

// The ID of the first compound row of the materials table: the rows below it
// are the elements, each with its atomic number as ID.
inline constexpr std::int64_t kFirstCompoundRow = 104;

} // namespace korvane
