#pragma once

#include "cli/ImfpCurves.h"

#include <QSize>

namespace korvane::cli {

// Draws the curves on log-log axes with labelled decades and a legend, and
// writes the picture as PNG or SVG by the file's suffix. Needs a
// QApplication; no window is shown. Returns what went wrong, or an empty text.
QString writeImfpChart(const std::vector<Curve>& curves, const QString& file, QSize size);

} // namespace korvane::cli
