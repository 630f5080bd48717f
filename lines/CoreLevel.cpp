#include "lines/CoreLevel.h"

#include <xraylib-shells.h>

#include <algorithm>
#include <array>
#include <string>

namespace korvane::lines {

namespace {

constexpr std::array<CoreLevel, 31> kLevels = {{
    {"1s", K_SHELL},     {"2s", L1_SHELL},    {"2p1/2", L2_SHELL}, {"2p3/2", L3_SHELL}, {"3s", M1_SHELL},
    {"3p1/2", M2_SHELL}, {"3p3/2", M3_SHELL}, {"3d3/2", M4_SHELL}, {"3d5/2", M5_SHELL}, {"4s", N1_SHELL},
    {"4p1/2", N2_SHELL}, {"4p3/2", N3_SHELL}, {"4d3/2", N4_SHELL}, {"4d5/2", N5_SHELL}, {"4f5/2", N6_SHELL},
    {"4f7/2", N7_SHELL}, {"5s", O1_SHELL},    {"5p1/2", O2_SHELL}, {"5p3/2", O3_SHELL}, {"5d3/2", O4_SHELL},
    {"5d5/2", O5_SHELL}, {"5f5/2", O6_SHELL}, {"5f7/2", O7_SHELL}, {"6s", P1_SHELL},    {"6p1/2", P2_SHELL},
    {"6p3/2", P3_SHELL}, {"6d3/2", P4_SHELL}, {"6d5/2", P5_SHELL}, {"7s", Q1_SHELL},    {"7p1/2", Q2_SHELL},
    {"7p3/2", Q3_SHELL},
}};

// The larger total angular momentum j = l + 1/2 of a p, d or f level, whose
// peak is the stronger of the spin-orbit pair (4 : 2, 6 : 4, 8 : 6 electrons).
std::optional<std::string_view> strongerComponent(char orbital)
{
    switch (orbital) {
    case 'p': return "3/2";
    case 'd': return "5/2";
    case 'f': return "7/2";
    default: return std::nullopt;
    }
}

} // namespace

std::span<const CoreLevel> coreLevels()
{
    return kLevels;
}

std::optional<CoreLevel> findCoreLevel(std::string_view name)
{
    std::string full(name);
    if (name.size() == 2) {
        if (const std::optional<std::string_view> j = strongerComponent(name[1]))
            full += *j;
    }
    const auto found = std::find_if(kLevels.begin(), kLevels.end(), [&](const CoreLevel& l) { return l.name == full; });
    if (found == kLevels.end())
        return std::nullopt;
    return *found;
}

std::optional<CoreLevel> weakerComponent(std::string_view name)
{
    if (name.size() != 2 || !strongerComponent(name[1]))
        return std::nullopt;
    const auto weaker = std::find_if(kLevels.begin(), kLevels.end(), [&](const CoreLevel& l) {
        return l.name.size() > 2 && l.name.substr(0, 2) == name && l.name.substr(2) != *strongerComponent(name[1]);
    });
    if (weaker == kLevels.end())
        return std::nullopt;
    return *weaker;
}

bool isSLevel(const CoreLevel& level)
{
    return level.name.size() == 2 && level.name[1] == 's';
}

} // namespace korvane::lines
