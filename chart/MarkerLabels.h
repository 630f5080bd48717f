#pragma once

#include "chart/ImfpCurve.h"

#include <vector>

class QChart;
class QGraphicsSimpleTextItem;

namespace korvane::chart {

// The labels of the marked points, as items of the chart of their own: an
// item is wiped from the screen when it moves or goes, wherever it was drawn
// (a series' point label drawn outside the plot area stayed on the screen).

// Gives the chart one label per marker, in the markers' order, in place of
// those it had, and places them. The markers' series follow the curves'.
void showMarkerLabels(QChart& chart, const std::vector<Marker>& markers);

// Places each label beside its point, on the side its marker asks for when
// that is clear, else on the first clear one: a label crosses no curve, no
// other label and stays inside the plot area. Called again when the plot
// area moves or changes its size.
void placeMarkerLabels(QChart& chart);

// The chart's marker labels, in the markers' order.
std::vector<QGraphicsSimpleTextItem*> markerLabels(const QChart& chart);

} // namespace korvane::chart
