#include "chart/MarkerLabels.h"

#include <QBrush>
#include <QGraphicsSimpleTextItem>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

#include <algorithm>

namespace korvane::chart {

namespace {

enum LabelData { kMarkerIndex, kPreferredSide };

// Above the curves and their markers.
constexpr qreal kLabelLayer = 1000;

QList<QScatterSeries*> markerSeries(const QChart& chart)
{
    QList<QScatterSeries*> result;
    for (QAbstractSeries* series : chart.series()) {
        if (auto* scatter = qobject_cast<QScatterSeries*>(series))
            result << scatter;
    }
    return result;
}

// Each curve as the line drawn on the chart, in chart coordinates.
std::vector<QPolygonF> drawnCurves(QChart& chart)
{
    std::vector<QPolygonF> result;
    for (QAbstractSeries* series : chart.series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (!line)
            continue;
        QPolygonF drawn;
        for (const QPointF& point : line->points())
            drawn << chart.mapToPosition(point, line);
        result.push_back(drawn);
    }
    return result;
}

bool crosses(const QLineF& segment, const QRectF& box)
{
    if (box.contains(segment.p1()) || box.contains(segment.p2()))
        return true;
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    return std::any_of(std::begin(edges), std::end(edges),
                       [&](const QLineF& edge) { return segment.intersects(edge) == QLineF::BoundedIntersection; });
}

// A pixel of room around the label, so that no line grazes its text.
bool crossesAny(const std::vector<QPolygonF>& curves, const QRectF& label)
{
    const QRectF box = label.adjusted(-1, -1, 1, 1);
    for (const QPolygonF& curve : curves) {
        for (qsizetype i = 1; i < curve.size(); ++i) {
            if (crosses(QLineF(curve[i - 1], curve[i]), box))
                return true;
        }
    }
    return false;
}

// Where a label of `size` may go around `point`, nearest first, the
// preferred side before the others: beside the point and above it, then
// below it, then on the other side; then each a line further away.
std::vector<QRectF> placesAround(QPointF point, QSizeF size, qreal gap, Marker::Side side)
{
    std::vector<QRectF> result;
    for (int lines = 0; lines < 6; ++lines) {
        const qreal up = -gap - size.height() * (lines + 1);
        const qreal down = gap + size.height() * lines;
        const qreal left = -gap - size.width();
        const qreal centre = -size.width() / 2;
        const QRectF leftAbove(point + QPointF(left, up), size);
        const QRectF leftBelow(point + QPointF(left, down), size);
        const QRectF rightAbove(point + QPointF(gap, up), size);
        const QRectF rightBelow(point + QPointF(gap, down), size);
        const QRectF above(point + QPointF(centre, up), size);
        const QRectF below(point + QPointF(centre, down), size);
        switch (side) {
        case Marker::Side::Left:
            result.insert(result.end(), {leftAbove, leftBelow, rightAbove, rightBelow, above, below});
            break;
        case Marker::Side::Right:
            result.insert(result.end(), {rightAbove, rightBelow, leftAbove, leftBelow, above, below});
            break;
        case Marker::Side::Centre:
            result.insert(result.end(), {above, below, leftAbove, rightAbove, leftBelow, rightBelow});
            break;
        }
    }
    return result;
}

// The place moved into the plot area, where it fits there: a point at the
// edge of the plot keeps its label on the chart.
QRectF inside(QRectF place, const QRectF& plotArea)
{
    place.moveLeft(
        std::clamp(place.left(), plotArea.left(), std::max(plotArea.left(), plotArea.right() - place.width())));
    place.moveTop(
        std::clamp(place.top(), plotArea.top(), std::max(plotArea.top(), plotArea.bottom() - place.height())));
    return place;
}

} // namespace

std::vector<QGraphicsSimpleTextItem*> markerLabels(const QChart& chart)
{
    std::vector<QGraphicsSimpleTextItem*> result;
    for (QGraphicsItem* item : chart.childItems()) {
        auto* label = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item);
        if (label && label->data(kMarkerIndex).isValid())
            result.push_back(label);
    }
    std::sort(result.begin(), result.end(), [](const QGraphicsSimpleTextItem* a, const QGraphicsSimpleTextItem* b) {
        return a->data(kMarkerIndex).toInt() < b->data(kMarkerIndex).toInt();
    });
    return result;
}

void showMarkerLabels(QChart& chart, const std::vector<Marker>& markers)
{
    for (QGraphicsSimpleTextItem* old : markerLabels(chart))
        delete old;
    const QList<QScatterSeries*> series = markerSeries(chart);
    for (std::size_t i = 0; i < markers.size() && qsizetype(i) < series.size(); ++i) {
        auto* label = new QGraphicsSimpleTextItem(markers[i].label, &chart);
        label->setFont(series[qsizetype(i)]->pointLabelsFont());
        label->setBrush(curveColour(markers[i].colour));
        label->setZValue(kLabelLayer);
        label->setData(kMarkerIndex, int(i));
        label->setData(kPreferredSide, int(markers[i].side));
    }
    placeMarkerLabels(chart);
}

void placeMarkerLabels(QChart& chart)
{
    const std::vector<QGraphicsSimpleTextItem*> labels = markerLabels(chart);
    if (labels.empty())
        return;
    const QList<QScatterSeries*> series = markerSeries(chart);
    const std::vector<QPolygonF> curves = drawnCurves(chart);
    const QRectF plotArea = chart.plotArea();
    std::vector<QRectF> placed;
    for (QGraphicsSimpleTextItem* label : labels) {
        QScatterSeries* marker = series.value(label->data(kMarkerIndex).toInt());
        if (!marker || marker->points().isEmpty())
            continue;
        const QPointF point = chart.mapToPosition(marker->points().first(), marker);
        const qreal radius = marker->markerSize() / 2;
        const QRectF dot(point - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
        std::vector<QRectF> places = placesAround(point, label->boundingRect().size(), radius + 2,
                                                  Marker::Side(label->data(kPreferredSide).toInt()));
        for (QRectF& place : places)
            place = inside(place, plotArea);
        auto clear = [&](const QRectF& place) {
            return !place.intersects(dot) && !crossesAny(curves, place)
                && std::none_of(placed.begin(), placed.end(), [&](const QRectF& p) { return p.intersects(place); });
        };
        const auto chosen = std::find_if(places.begin(), places.end(), clear);
        const QRectF place = chosen != places.end() ? *chosen : places.front();
        label->setPos(place.topLeft());
        placed.push_back(place);
    }
}

} // namespace korvane::chart
