#include "query/XraySource.h"

#include <algorithm>
#include <array>

namespace korvane {

namespace {

// "\xCE\xB1" is α in UTF-8.
constexpr std::array<XraySource, 5> kSources = {{
    {"MgKa", "Mg K\xCE\xB1", 1253.6},
    {"AlKa", "Al K\xCE\xB1", 1486.6},
    {"AgLa", "Ag L\xCE\xB1", 2984.3},
    {"CrKa", "Cr K\xCE\xB1", 5414.8},
    {"GaKa", "Ga K\xCE\xB1", 9251.7},
}};

} // namespace

std::span<const XraySource> xraySources()
{
    return kSources;
}

const XraySource* findXraySource(std::string_view key)
{
    const auto found =
        std::find_if(kSources.begin(), kSources.end(), [&](const XraySource& s) { return s.key == key; });
    return found == kSources.end() ? nullptr : &*found;
}

} // namespace korvane
