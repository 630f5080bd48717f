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

// The weaker component of a spin-orbit pair written without its spin-orbit
// part ("2p" gives 2p1/2, "4f" 4f5/2); none for a level written whole
// ("2p3/2"), an s level or an unknown name.
std::optional<CoreLevel> weakerComponent(std::string_view name);

// Whether the level is an s level, which has one shell.
bool isSLevel(const CoreLevel& level);

} // namespace korvane::lines
