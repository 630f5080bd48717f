#include "ui/controls/UpDownArrows.h"

#include <QToolButton>

namespace korvane::ui {

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setObjectName(QStringLiteral("upArrow"));
    down_->setObjectName(QStringLiteral("downArrow"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    setFocusPolicy(Qt::TabFocus);
    connect(up_, &QToolButton::clicked, this, &UpDownArrows::upClicked);
    connect(down_, &QToolButton::clicked, this, &UpDownArrows::downClicked);
}

void UpDownArrows::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace korvane::ui
