#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace korvane::lines {

// A core level as analysts write it ("2p3/2") and the xraylib shell that
// holds its binding energy (L3).
struct CoreLevel {
    std::string_view name;
    int shell;

    bool operator==(const CoreLevel&) const = default;
};

// Every level xraylib knows, from 1s (K) to 7p3/2 (Q3), in order of the shells.
std::span<const CoreLevel> coreLevels();

// The level of a name such as "2p3/2"; without the spin-orbit part ("2p",
// "3d", "4f") the stronger component (2p3/2, 3d5/2, 4f7/2). None for an
// unknown name.
std::optional<CoreLevel> findCoreLevel(std::string_view name);

} // namespace korvane::lines
