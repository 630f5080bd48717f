#pragma once

// Takes: which material of an IMFP chart a curve belongs to, and its form.
// Gives: the curve's colour and its name in the legend, as the curve window,
// tpp2m plot and the browser page's chart all draw them.

#include "calc/ImfpCalculator.h"

#include <cstdint>
#include <string>

namespace korvane {

// The most materials one chart tells apart by colour.
inline constexpr int kCurveColourCount = 8;

// The colour of the material at `index` as 0xRRGGBB, repeating after
// kCurveColourCount; told apart also by readers with a red-green colour
// deficiency, and each at least 3:1 against the chart's white (a line is a
// graphical object whose contrast the reader needs).
std::uint32_t curveColourRgb(int index);

// The same as a web colour: "#0072B2".
std::string curveColourText(int index);

// "Cu (relativistic)": the name of a material's curve where both forms are drawn.
std::string curveName(const std::string& material, ImfpForm form);

} // namespace korvane
