#include "ui/controls/LineWidget.h"

#include <QPainter>

namespace korvane::ui {

LineWidget::LineWidget(QPoint from, QPoint to, QColor colour, int width, QWidget* parent)
    : QWidget(parent), colour_(colour), width_(width)
{
    const QRect bounds = QRect(from, to).normalized().adjusted(-(width / 2), -(width / 2), width / 2, width / 2);
    setGeometry(bounds);
    from_ = from - bounds.topLeft();
    to_ = to - bounds.topLeft();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::paintEvent(QPaintEvent*)
{
    // Through the pixel centres, with square ends that cover the end pixels,
    // so the line fills whole pixels on a screen of any scale.
    const QPointF centre(0.5, 0.5);
    QPainter painter(this);
    painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(QPointF(from_) + centre, QPointF(to_) + centre);
}

} // namespace korvane::ui
