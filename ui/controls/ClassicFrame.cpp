#include "ui/controls/ClassicFrame.h"

#include <QPainter>
#include <qdrawutil.h>

namespace korvane::ui {

namespace {

constexpr int kCaptionIndent = 6;  // pixels from the frame's left edge
constexpr int kCaptionPadding = 2; // background kept clear around the caption

} // namespace

ClassicFrame::ClassicFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent)
{
    setAutoFillBackground(true);
}

void ClassicFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (title().isEmpty()) {
        qDrawShadeRect(&painter, rect(), palette(), true, 1, 0);
        return;
    }
    const QFontMetrics metrics(font());
    const int borderTop = metrics.height() / 2;
    qDrawShadeRect(&painter, QRect(0, borderTop, width(), height() - borderTop), palette(), true, 1, 0);
    const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

} // namespace korvane::ui
