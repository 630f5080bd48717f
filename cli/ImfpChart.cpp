#include "cli/ImfpChart.h"

#include <QBuffer>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>

#include <algorithm>
#include <cmath>

namespace korvane::cli {

namespace {

// The whole decades that hold [low, high], so each axis ends on a labelled tick.
std::pair<double, double> decadesAround(double low, double high)
{
    const double from = std::pow(10.0, std::floor(std::log10(low)));
    const double to = std::pow(10.0, std::ceil(std::log10(high)));
    return {from, to > from ? to : from * 10};
}

QLogValueAxis* logAxis(const QString& title, std::pair<double, double> range)
{
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    // Whole numbers ("1000000", not "1e+06") unless a decade lies below 1.
    axis->setLabelFormat(range.first >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
    axis->setMinorTickCount(8);
    axis->setTitleText(title);
    axis->setRange(range.first, range.second);
    return axis;
}

// The chart of the curves, laid out at `size`, inside `scene`.
void buildChart(QGraphicsScene& scene, const std::vector<Curve>& curves, QSize size)
{
    double minE = HUGE_VAL, maxE = 0, minL = HUGE_VAL, maxL = 0;
    for (const Curve& curve : curves) {
        for (const QPointF& p : curve.points) {
            minE = std::min(minE, p.x());
            maxE = std::max(maxE, p.x());
            minL = std::min(minL, p.y());
            maxL = std::max(maxL, p.y());
        }
    }
    if (maxE == 0) // nothing to draw: show the usual range of the window
        minE = 50, maxE = 200000, minL = 1, maxL = 1000;

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Inelastic mean free path by the TPP-2M formula"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    QLogValueAxis* energyAxis = logAxis(QStringLiteral("Electron energy (eV)"), decadesAround(minE, maxE));
    QLogValueAxis* imfpAxis = logAxis(QStringLiteral("IMFP (\u00C5)"), decadesAround(minL, maxL));
    chart->addAxis(energyAxis, Qt::AlignBottom);
    chart->addAxis(imfpAxis, Qt::AlignLeft);
    for (const Curve& curve : curves) {
        auto* series = new QLineSeries;
        series->setName(curve.name);
        series->append(QList<QPointF>(curve.points.begin(), curve.points.end()));
        chart->addSeries(series);
        series->attachAxis(energyAxis);
        series->attachAxis(imfpAxis);
    }
    scene.addItem(chart);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    chart->setGeometry(scene.sceneRect());
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

} // namespace

QString writeImfpChart(const std::vector<Curve>& curves, const QString& file, QSize size)
{
    QGraphicsScene scene;
    buildChart(scene, curves, size);
    const bool svg = file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    const QByteArray bytes = svg ? svgBytes(scene, size) : pngBytes(scene, size);
    QSaveFile out(file);
    if (bytes.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return QStringLiteral("the plot cannot be written to %1: %2").arg(file, out.errorString());
    return {};
}

} // namespace korvane::cli
