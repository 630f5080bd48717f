#include "ui/DataControl.h"

#include <QLabel>
#include <QToolButton>

namespace korvane::ui {

namespace {

QToolButton* arrowButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

DataControl::DataControl(QWidget* parent)
    : QWidget(parent), first_(arrowButton("moveFirst", QStringLiteral("|\u25C0"), this)),
      previous_(arrowButton("movePrevious", QStringLiteral("\u25C0"), this)),
      next_(arrowButton("moveNext", QStringLiteral("\u25B6"), this)),
      last_(arrowButton("moveLast", QStringLiteral("\u25B6|"), this)), caption_(new QLabel(this))
{
    caption_->setObjectName(QStringLiteral("caption"));
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setAutoFillBackground(true);
    connect(first_, &QToolButton::clicked, this, &DataControl::firstClicked);
    connect(previous_, &QToolButton::clicked, this, &DataControl::previousClicked);
    connect(next_, &QToolButton::clicked, this, &DataControl::nextClicked);
    connect(last_, &QToolButton::clicked, this, &DataControl::lastClicked);
}

QString DataControl::caption() const
{
    return caption_->text();
}

void DataControl::setCaption(const QString& caption)
{
    caption_->setText(caption);
}

void DataControl::resizeEvent(QResizeEvent*)
{
    // Arrow buttons three quarters as wide as the bar is high, as on the
    // classic bar, leave the caption room for "Rec: 190 of 190".
    const int h = height();
    const int button = h * 3 / 4;
    first_->setGeometry(0, 0, button, h);
    previous_->setGeometry(button, 0, button, h);
    caption_->setGeometry(2 * button, 0, width() - 4 * button, h);
    next_->setGeometry(width() - 2 * button, 0, button, h);
    last_->setGeometry(width() - button, 0, button, h);
}

} // namespace korvane::ui
