#pragma once

#include "calc/ImfpCalculator.h"
#include "query/CurveStyle.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <vector>

namespace korvane::chart {

// The most materials one chart tells apart by colour.
inline constexpr int kCurveColours = kCurveColourCount;

// One curve of the chart: a name for the legend and its (energy, IMFP) points.
// Each material has its colour; the relativistic form is drawn dashed.
struct Curve {
    QString name;
    std::vector<QPointF> points;
    int colour = 0;
    ImfpForm form = ImfpForm::NonRelativistic;
    bool emphasised = false; // the form the main window computes
};

// A marked point on a curve, labelled with its value beside it. Two markers
// at one energy may lie close together: their labels then ask for the left
// and the right of the energy, so that both stay readable; a label that would
// cross a curve there goes to a clear place (see MarkerLabels.h).
struct Marker {
    enum class Side { Centre, Left, Right };
    QPointF point;
    QString label;
    int colour = 0;
    bool emphasised = false;
    Side side = Side::Centre;
};

// The colour of the material at `index`, repeating after kCurveColours.
QColor curveColour(int index);

// "SiO2 (relativistic)": the legend text of one form of a material.
QString curveName(const QString& material, ImfpForm form);

} // namespace korvane::chart
