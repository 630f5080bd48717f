#include "chart/ImfpChart.h"

#include "calc/ValidEnergyRange.h"
#include "chart/MarkerLabels.h"

#include <QBuffer>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace korvane::chart {

namespace {

struct Span {
    double low = HUGE_VAL;
    double high = 0;
    bool empty() const { return !(low <= high); }
    void take(double value)
    {
        low = std::min(low, value);
        high = std::max(high, value);
    }
};

// The whole decades that hold the span, so a log axis ends on labelled ticks.
Span decadesAround(Span span)
{
    const double from = std::pow(10.0, std::floor(std::log10(span.low)));
    const double to = std::pow(10.0, std::ceil(std::log10(span.high)));
    return {from, to > from ? to : from * 10};
}

// A log axis ends on whole decades unless its range is given; a linear one
// on round numbers, the IMFP axis from 0.
void setRange(QAbstractAxis* axis, Span range, bool fromZero)
{
    if (auto* log = qobject_cast<QLogValueAxis*>(axis)) {
        // Whole numbers ("1000000", not "1e+06") unless a decade lies below 1.
        log->setLabelFormat(range.low >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
        log->setRange(range.low, range.high);
        return;
    }
    auto* linear = static_cast<QValueAxis*>(axis);
    linear->setRange(fromZero ? std::min(0.0, range.low) : range.low, range.high);
    linear->applyNiceNumbers();
}

QAbstractAxis* newAxis(const QString& title, bool log)
{
    QAbstractAxis* axis = nullptr;
    if (log) {
        auto* logAxis = new QLogValueAxis;
        logAxis->setBase(10);
        logAxis->setMinorTickCount(8);
        axis = logAxis;
    } else {
        auto* linearAxis = new QValueAxis;
        linearAxis->setLabelFormat(QStringLiteral("%g"));
        axis = linearAxis;
    }
    axis->setTitleText(title);
    return axis;
}

bool isLog(const QAbstractAxis* axis)
{
    return axis->type() == QAbstractAxis::AxisTypeLogValue;
}

// The energies and IMFPs that the axes must show: the points inside the
// energy range, and on a log axis only those above 0.
std::pair<Span, Span> spans(const ChartContent& content)
{
    const ChartAxes& axes = content.axes;
    Span energies, imfps;
    auto take = [&](const QPointF& p) {
        if (axes.energyRange && (p.x() < axes.energyRange->first || p.x() > axes.energyRange->second))
            return;
        if ((axes.logEnergy && !(p.x() > 0)) || (axes.logImfp && !(p.y() > 0)))
            return;
        energies.take(p.x());
        imfps.take(p.y());
    };
    for (const Curve& curve : content.curves)
        std::for_each(curve.points.begin(), curve.points.end(), take);
    for (const Marker& marker : content.markers)
        take(marker.point);
    if (axes.energyRange)
        energies = {axes.energyRange->first, axes.energyRange->second};
    if (energies.empty()) // nothing to draw: the usual range of the window
        energies = {kValidEnergyLow, kValidEnergyHigh};
    if (imfps.empty())
        imfps = {1, 1000};
    if (!(energies.high > energies.low))
        energies.high = energies.low * 10 + 1;
    if (!(imfps.high > imfps.low))
        imfps.high = imfps.low * 10 + 1;
    return {energies, imfps};
}

void attach(QChart* chart, QXYSeries* series, QAbstractAxis* energyAxis, QAbstractAxis* imfpAxis)
{
    chart->addSeries(series);
    series->attachAxis(energyAxis);
    series->attachAxis(imfpAxis);
}

// Each setting is made only when it changes, so that an unchanged series is
// not laid out again.
void showCurve(QLineSeries& series, const Curve& curve)
{
    if (series.name() != curve.name)
        series.setName(curve.name);
    QPen pen(curveColour(curve.colour), curve.emphasised ? 3.0 : 1.5);
    pen.setStyle(curve.form == ImfpForm::Relativistic ? Qt::DashLine : Qt::SolidLine);
    if (series.pen() != pen)
        series.setPen(pen);
    const QList<QPointF> points(curve.points.begin(), curve.points.end());
    if (series.points() != points)
        series.replace(points);
}

void showMarker(QScatterSeries& series, const Marker& marker)
{
    const QColor colour = curveColour(marker.colour);
    series.setName(marker.label);
    series.setColor(colour);
    series.setMarkerSize(marker.emphasised ? 12 : 9);
    if (series.points() != QList<QPointF>{marker.point})
        series.replace(QList<QPointF>{marker.point});
}

bool sameShape(const QChart& chart, const ChartContent& content)
{
    const QList<QAbstractSeries*> series = chart.series();
    if (series.size() != qsizetype(content.curves.size() + content.markers.size())
        || chart.axes(Qt::Horizontal).size() != 1 || chart.axes(Qt::Vertical).size() != 1)
        return false;
    for (qsizetype i = 0; i < series.size(); ++i) {
        const bool marker = i >= qsizetype(content.curves.size());
        if (series[i]->type() != (marker ? QAbstractSeries::SeriesTypeScatter : QAbstractSeries::SeriesTypeLine))
            return false;
    }
    return isLog(chart.axes(Qt::Horizontal).at(0)) == content.axes.logEnergy
        && isLog(chart.axes(Qt::Vertical).at(0)) == content.axes.logImfp;
}

// Puts the content into a chart of its shape.
void show(QChart& chart, const ChartContent& content)
{
    const auto [energies, imfps] = spans(content);
    const ChartAxes& axes = content.axes;
    setRange(chart.axes(Qt::Horizontal).at(0), axes.logEnergy && !axes.energyRange ? decadesAround(energies) : energies,
             false);
    setRange(chart.axes(Qt::Vertical).at(0), axes.logImfp ? decadesAround(imfps) : imfps, true);
    const QList<QAbstractSeries*> series = chart.series();
    for (std::size_t i = 0; i < content.curves.size(); ++i)
        showCurve(*static_cast<QLineSeries*>(series[qsizetype(i)]), content.curves[i]);
    for (std::size_t i = 0; i < content.markers.size(); ++i)
        showMarker(*static_cast<QScatterSeries*>(series[qsizetype(content.curves.size() + i)]), content.markers[i]);
    showMarkerLabels(chart, content.markers);
}

void paint(QGraphicsScene& scene, QPaintDevice& device)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, scene.sceneRect(), scene.sceneRect());
}

QByteArray pngBytes(QGraphicsScene& scene, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    paint(scene, image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray svgBytes(QGraphicsScene& scene, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("IMFP against electron energy"));
    paint(scene, generator);
    return bytes;
}

// Writes all of the bytes. A write cut short (a full disk) is tried again for
// the rest, which then fails with the system's words ("No space left on
// device") where the short write gave none; flushed before the commit, whose
// closing would forget them.
bool writeWhole(QSaveFile& out, const QByteArray& bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = out.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return out.flush();
}

} // namespace

QChart* buildImfpChart(const ChartContent& content)
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Inelastic mean free path by the TPP-2M formula"));
    // A list at the side holds up to sixteen names without cutting them short;
    // each entry shows its line, solid or dashed.
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    QAbstractAxis* energyAxis = newAxis(QStringLiteral("Electron energy (eV)"), content.axes.logEnergy);
    QAbstractAxis* imfpAxis = newAxis(QStringLiteral("IMFP (\u00C5)"), content.axes.logImfp);
    chart->addAxis(energyAxis, Qt::AlignBottom);
    chart->addAxis(imfpAxis, Qt::AlignLeft);
    for (std::size_t i = 0; i < content.curves.size(); ++i)
        attach(chart, new QLineSeries, energyAxis, imfpAxis);
    for (std::size_t i = 0; i < content.markers.size(); ++i) {
        auto* series = new QScatterSeries;
        series->setBorderColor(Qt::white);
        attach(chart, series, energyAxis, imfpAxis);
        for (QLegendMarker* legendEntry : chart->legend()->markers(series))
            legendEntry->setVisible(false);
    }
    show(*chart, content);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart] { placeMarkerLabels(*chart); });
    return chart;
}

bool updateImfpChart(QChart& chart, const ChartContent& content)
{
    if (!sameShape(chart, content))
        return false;
    show(chart, content);
    return true;
}

Result<void> writeImfpChart(const ChartContent& content, const QString& file, QSize size)
{
    QGraphicsScene scene;
    QChart* chart = buildImfpChart(content);
    scene.addItem(chart);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    chart->setGeometry(scene.sceneRect());
    const bool svg = file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    const QByteArray bytes = svg ? svgBytes(scene, size) : pngBytes(scene, size);
    QSaveFile out(file);
    if (bytes.isEmpty() || !out.open(QIODevice::WriteOnly) || !writeWhole(out, bytes) || !out.commit())
        return Failed{QStringLiteral("the plot cannot be written to %1: %2").arg(file, out.errorString()).toStdString(),
                      ErrorCode::Storage};
    return {};
}

} // namespace korvane::chart
