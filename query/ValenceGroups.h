#pragma once

// Takes: the texts of the four valence-electron groups and which are ticked.
// Gives: Nv, the total of the ticked groups as a Single (none when too large);
// the text of one group ("4.0"); the ticks a fresh window, tpp2m, the Python
// module, the import and the browser page start from.

#include "core/Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Which of the four groups count towards Nv. Unless chosen otherwise, all
// but the s+p of higher binding energy: the ticks a fresh window, tpp2m, the
// Python module, the import and the browser page start from.
struct ValenceTicks {
    bool spHbe = false; // s+p, higher binding energy
    bool spLbe = true;  // s+p, lower binding energy
    bool d = true;
    bool f = true;

    // Ticks the group named "hbe", "lbe", "d" or "f"; false for any other name.
    bool tick(std::string_view name);

    bool operator==(const ValenceTicks&) const = default;
};

inline constexpr ValenceTicks kDefaultValenceTicks{};
// The ticks named by tpp2m's --include text: group names separated by
// commas (blanks around a name ignored), or "none"; an unknown name fails
// with InvalidInput and its words, which name the input as `input`.
Result<ValenceTicks> readIncludedGroups(std::string_view text, std::string_view input = "--include");
// The names of the ticked groups, as --include takes them: "lbe", "d", "f".
std::vector<std::string> tickedGroupNames(const ValenceTicks& ticks);
// No group ticked, to tick one by one.
inline constexpr ValenceTicks kNoValenceTicks{false, false, false, false};

// The texts of the four groups' fields, as typed or stored.
struct ValenceGroupTexts {
    std::string spHbe;
    std::string spLbe;
    std::string d;
    std::string f;
};

// The total of the ticked groups as a Single, each group's text read by its
// leading number. No value when a group or the total is too large for a Single.
std::optional<float> valenceTotal(const ValenceGroupTexts& groups, const ValenceTicks& ticks);

// The text of one group's field: the number with one decimal ("4.0").
std::string valenceGroupText(float value);

} // namespace korvane
