#include "ui/about/FormAboutLayout.h"

#include <array>

namespace korvane::ui {

namespace {

constexpr FontDesign kSansSerif = {"MS Sans Serif", 8.25, false};

// name, kind, kept (none), parent, caption, left, top, width, height, font, back, fore, flags
constexpr std::array kControls = std::to_array<ControlDesign>({
    {"frameCopyright",
     Kind::Frame,
     {},
     nullptr,
     "Copyright",
     300,
     300,
     4815,
     4275,
     {"Arial", 9.75, true},
     rgb(255, 255, 255)},
    {"Text1_0", Kind::MultiLineText, {}, "frameCopyright", "Text1", 200, 360, 4000, 195, kSansSerif},
    {"Text1_1", Kind::MultiLineText, {}, "frameCopyright", "Text1", 200, 600, 4000, 435, kSansSerif},
    {"Text1_2", Kind::MultiLineText, {}, "frameCopyright", "Text1", 180, 960, 4000, 435, kSansSerif},
    {"Text1_3", Kind::MultiLineText, {}, "frameCopyright", "Text1", 180, 1260, 4000, 315, kSansSerif},
    {"Text1_4", Kind::MultiLineText, {}, "frameCopyright", "Text1", 200, 1860, 4000, 1335, kSansSerif},
    {"Text1_5", Kind::MultiLineText, {}, "frameCopyright", "Text1", 840, 2400, 2800, 495, kSansSerif},
    {"Text1_6", Kind::MultiLineText, {}, "frameCopyright", "Text1", 200, 3300, 4000, 495, kSansSerif},
    {"Text1_7", Kind::MultiLineText, {}, "frameCopyright", "Text1", 200, 3540, 4000, 495, kSansSerif},
    {"Line1", Kind::Line, {}, "frameCopyright", "", 780, 900, 3120, 900, {}, kUnset, systemColour(8)},
    {"Line2", Kind::Line, {}, "frameCopyright", "", 600, 1620, 3840, 1620, {}, kUnset, rgb(128, 0, 0)},
    {"cmdOK", Kind::Button, {}, nullptr, "OK", 2130, 4740, 1095, 315, kSansSerif},
});

} // namespace

std::span<const ControlDesign> formAboutControls()
{
    return kControls;
}

} // namespace korvane::ui
