#include "ui/controls/SunkenLineEdit.h"

#include <QPainter>
#include <qdrawutil.h>

namespace korvane::ui {

SunkenLineEdit::SunkenLineEdit(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    // The edge takes two pixels on each side; the text starts one pixel
    // further in on the left, as on the classic box, and is centred in the
    // height below the top edge, so that an accent over a capital (the ring
    // of "Å") stays clear of it.
    setFrame(false);
    setTextMargins(1, 2, 0, 0);
    // A text too long for the box shows its start while the box is not
    // being edited, whether it was set or typed. The box being edited is its
    // window's focus widget, even while another window is active.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (window()->focusWidget() != this)
            setCursorPosition(0);
    });
}

void SunkenLineEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    setCursorPosition(0);
}

void SunkenLineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
}

} // namespace korvane::ui
