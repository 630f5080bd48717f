#pragma once

#include "ui/ControlSpec.h"

#include <span>

namespace korvane::ui {

inline constexpr const char* kFormAboutCaption = "About";
inline constexpr int kFormAboutWidth = 5445;  // client area, twips
inline constexpr int kFormAboutHeight = 5220;
inline constexpr FontSpec kFormAboutFont = {"Arial", 8.25, true};

// Every control of the About box, in creation order.
std::span<const ControlSpec> formAboutControls();

} // namespace korvane::ui
