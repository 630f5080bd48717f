#include "ui/controls/DataControl.h"

#include <QFontMetrics>
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
    fitCaption();
}

// A caption too long for its room ("Rec: 500190 of 500190") is written
// smaller until it fits, rather than cut at both ends.
void DataControl::fitCaption()
{
    QFont font = this->font();
    // One step smaller, in the unit the font is given in; false at the smallest.
    auto smaller = [&font] {
        if (font.pixelSize() > 0) {
            if (font.pixelSize() <= 6)
                return false;
            font.setPixelSize(font.pixelSize() - 1);
            return true;
        }
        if (font.pointSizeF() <= 4)
            return false;
        font.setPointSizeF(font.pointSizeF() - 0.25);
        return true;
    };
    const int room = caption_->contentsRect().width() - 2;
    while (QFontMetrics(font).horizontalAdvance(caption_->text()) > room && smaller()) {}
    caption_->setFont(font);
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
    fitCaption();
}

} // namespace korvane::ui
