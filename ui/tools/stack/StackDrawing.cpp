#include "ui/tools/stack/StackDrawing.h"

#include "presentation/LocaleNumberText.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace korvane::ui {

namespace {

// Colours of the angles' curves, in turn.
const QColor kCurveColours[] = {QColor(0, 90, 200), QColor(200, 60, 0), QColor(0, 140, 60), QColor(140, 0, 160)};

// Colours of the layers' bands, in turn, and of the substrate.
const QColor kBandColours[] = {QColor(255, 236, 190), QColor(214, 234, 255), QColor(226, 245, 214),
                               QColor(246, 220, 240)};
const QColor kSubstrateColour(222, 222, 222);

double cosine(double degrees)
{
    return std::cos(degrees * std::numbers::pi / 180);
}

// φ(z) by the straight line at depth z (Å): exp(-Σ_j s_j/(λ_j cos θ)) over
// the depths s_j of each layer above z.
double straightLinePhi(const std::vector<double>& imfps, const std::vector<double>& thicknesses, double angle,
                       double depth)
{
    double optical = 0;
    double top = 0;
    for (std::size_t k = 0; k < imfps.size() && depth > top; ++k) {
        const double bottom = k < thicknesses.size() ? top + thicknesses[k] : depth;
        optical += (std::min(depth, bottom) - top) / (imfps[k] * cosine(angle));
        top = bottom;
    }
    return std::exp(-optical);
}

} // namespace

StackDrawing::StackDrawing(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("stackDrawing"));
    setMinimumSize(240, 220);
}

void StackDrawing::setSample(std::optional<Sample> sample)
{
    sample_ = std::move(sample);
    update();
}

void StackDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!sample_)
        return;
    const Sample& sample = *sample_;
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const QRectF plot(metrics.horizontalAdvance(QStringLiteral("0000 \u00C5")) + 8.0, 2.0 * line,
                      width() - metrics.horizontalAdvance(QStringLiteral("0000 \u00C5")) - 16.0,
                      height() - 3.5 * line);

    // Down to the layers and twice the substrate's longest path of a λ.
    const double layers = std::accumulate(sample.thicknesses.begin(), sample.thicknesses.end(), 0.0);
    double substrateDepth = 0;
    for (const Profile& profile : sample.profiles)
        substrateDepth = std::max(substrateDepth, 2 * profile.imfps.back() * cosine(profile.angle));
    const double deepest = layers + std::max(substrateDepth, 0.5 * layers);
    const auto yOf = [&](double depth) { return plot.top() + plot.height() * depth / deepest; };
    const auto xOf = [&](double phi) { return plot.left() + plot.width() * phi; };

    // The bands, each named with its thickness; the depth of each interface at the left.
    double top = 0;
    for (std::size_t k = 0; k < sample.names.size(); ++k) {
        const bool substrate = k == sample.thicknesses.size();
        const double bottom = substrate ? deepest : top + sample.thicknesses[k];
        const QRectF band(plot.left(), yOf(top), plot.width(), yOf(bottom) - yOf(top));
        painter.fillRect(band, substrate ? kSubstrateColour : kBandColours[k % std::size(kBandColours)]);
        const QString label = substrate ? sample.names[k] + QStringLiteral(" (substrate)")
                                        : QStringLiteral("%1, %2 \u00C5").arg(sample.names[k],
                                                                             numbertext::shortest(float(sample.thicknesses[k])));
        painter.setPen(palette().text().color());
        // The substrate's name at its foot on the right, where the curves have fallen to 0.
        if (substrate)
            painter.drawText(band.adjusted(6, 0, -6, -4), Qt::AlignRight | Qt::AlignBottom, label);
        else if (band.height() >= line)
            painter.drawText(band.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, label);
        else
            painter.drawText(QPointF(band.left() + 6, band.bottom() - 1), label);
        painter.drawText(QRectF(0, yOf(top) - line / 2.0, plot.left() - 4, line), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 \u00C5").arg(numbertext::shortest(float(top))));
        top = bottom;
    }
    painter.setPen(palette().mid().color());
    painter.drawRect(plot);

    // The φ axis along the top.
    painter.setPen(palette().text().color());
    for (const double phi : {0.0, 0.5, 1.0})
        painter.drawText(QRectF(xOf(phi) - 30, plot.top() - line - 2, 60, line), Qt::AlignCenter,
                         numbertext::shortest(float(phi)));
    painter.drawText(QRectF(plot.left(), 0, plot.width(), line), Qt::AlignCenter,
                     QStringLiteral("\u03C6(z): straight line (solid), Monte Carlo mean over each layer (dashed)"));

    // The curves, with the angles named below the plot.
    for (std::size_t a = 0; a < sample.profiles.size(); ++a) {
        const Profile& profile = sample.profiles[a];
        const QColor colour = kCurveColours[a % std::size(kCurveColours)];
        QPainterPath curve;
        const int steps = std::max(2, int(plot.height()));
        for (int i = 0; i <= steps; ++i) {
            const double depth = deepest * i / steps;
            const QPointF at(xOf(straightLinePhi(profile.imfps, sample.thicknesses, profile.angle, depth)), yOf(depth));
            if (i == 0)
                curve.moveTo(at);
            else
                curve.lineTo(at);
        }
        painter.setPen(QPen(colour, 2));
        painter.drawPath(curve);
        if (profile.simulated) {
            painter.setPen(QPen(colour, 2, Qt::DashLine));
            double layerTop = 0;
            for (std::size_t k = 0; k < sample.thicknesses.size(); ++k) {
                const double x = xOf((*profile.simulated)[k] / sample.thicknesses[k]);
                const double layerBottom = layerTop + sample.thicknesses[k];
                painter.drawLine(QPointF(x, yOf(layerTop)), QPointF(x, yOf(layerBottom)));
                layerTop = layerBottom;
            }
        }
        painter.setPen(colour);
        const QString name = QStringLiteral("\u03B8 = %1\u00B0").arg(numbertext::shortest(float(profile.angle)));
        const int x = int(plot.left()) + int(a) * (metrics.horizontalAdvance(QStringLiteral("\u03B8 = 00.0\u00B0")) + 16);
        painter.drawText(QPointF(x, plot.bottom() + line), name);
    }
    painter.setPen(palette().text().color());
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), line), Qt::AlignRight, QStringLiteral("depth z"));
}

} // namespace korvane::ui
