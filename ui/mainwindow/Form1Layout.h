#pragma once

#include "ui/controls/ControlDesign.h"

#include <span>

namespace korvane::ui {

inline constexpr const char* kForm1Caption =
    "Korvane - IMFP calculator by TPP2M formula and elastic scattering correction CF calculation";
// The error field's designed text, shown when a field holds no number or the
// arithmetic of the formula fails.
inline constexpr const char* kErrorText = " Check that all material parameters are correct.";

inline constexpr int kForm1Width = 12180; // client area, twips
inline constexpr int kForm1Height = 10020;

// Every control of the main window, in creation order: where controls
// overlap, a later one lies above an earlier one.
std::span<const ControlDesign> form1Controls();

// The controls that take the keyboard focus, in tab order.
std::span<const char* const> form1TabOrder();

} // namespace korvane::ui
