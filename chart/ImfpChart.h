#pragma once

#include "chart/ImfpCurve.h"
#include "core/Result.h"

#include <QSize>

#include <optional>
#include <utility>

class QChart;

namespace korvane::chart {

struct ChartAxes {
    // The energy axis spans this range (eV); without one, the whole decades
    // around the points.
    std::optional<std::pair<double, double>> energyRange;
    bool logEnergy = true;
    bool logImfp = true;
};

struct ChartContent {
    std::vector<Curve> curves;
    std::vector<Marker> markers;
    ChartAxes axes;
};

// The chart of the IMFP against electron energy: title, labelled axes, a
// legend at the right, the curves in their colours and the marked points
// with their labels. The series are the curves in their order, then the
// markers. The caller owns the chart. Needs a QApplication.
QChart* buildImfpChart(const ChartContent& content);

// Brings a chart that buildImfpChart made to `content`, keeping its series,
// so that only what changed is laid out anew. False, with nothing changed,
// when the content has other series or axis scales than the chart; the
// caller then builds a new chart.
bool updateImfpChart(QChart& chart, const ChartContent& content);

// Draws the chart at `size` and writes it as PNG or SVG by the file's
// suffix. No window is shown. Fails, as Storage, with what went wrong.
Result<void> writeImfpChart(const ChartContent& content, const QString& file, QSize size);

} // namespace korvane::chart
