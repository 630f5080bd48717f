#include "ui/controls/WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace korvane::ui {

WrappingButton::WrappingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
}

void WrappingButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect captionArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(captionArea, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(), isEnabled(),
                         text(), QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        focus.backgroundColor = palette().color(QPalette::Button);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace korvane::ui
