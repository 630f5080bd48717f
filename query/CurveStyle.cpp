#include "query/CurveStyle.h"

#include <array>
#include <cstdio>

namespace korvane {

std::uint32_t curveColourRgb(int index)
{
    static constexpr std::array<std::uint32_t, kCurveColourCount> colours = {
        0x0072B2, 0xD55E00, 0x009E73, 0xCC79A7, 0xB07400, 0x3D8FC9, 0x000000, 0x808080,
    };
    return colours[static_cast<std::size_t>(((index % kCurveColourCount) + kCurveColourCount) % kCurveColourCount)];
}

std::string curveColourText(int index)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(curveColourRgb(index)));
    return text;
}

std::string curveName(const std::string& material, ImfpForm form)
{
    return material + " (" + formName(form) + ")";
}

} // namespace korvane
