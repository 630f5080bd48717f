#pragma once

namespace korvane::ui {

// The window is designed in Arial, MS Sans Serif, Calibri and Verdana. Where
// those faces are missing, metric-compatible free faces stand in for them:
// Liberation Sans for Arial and MS Sans Serif, Carlito for Calibri and
// DejaVu Sans for Verdana.
void installFontSubstitutes();

} // namespace korvane::ui
