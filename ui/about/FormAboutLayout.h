#pragma once

#include "ui/controls/ControlDesign.h"

#include <span>

namespace korvane::ui {

inline constexpr const char* kFormAboutCaption = "About";
inline constexpr int kFormAboutWidth = 5445; // client area, twips
inline constexpr int kFormAboutHeight = 5220;
inline constexpr FontDesign kFormAboutFont = {"Arial", 8.25, true};

// Every control of the About box, in creation order.
std::span<const ControlDesign> formAboutControls();

} // namespace korvane::ui
