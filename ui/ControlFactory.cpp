#include "ui/ControlFactory.h"

#include "ui/DataControl.h"
#include "ui/LineWidget.h"
#include "ui/UpDownArrows.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <cmath>
#include <vector>

namespace korvane::ui {

QColor Colour::toQColor() const
{
    if (type == Type::Rgb)
        return QColor((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
    switch (value) { // the classic desktop's system colours
    case 0: return QColor(200, 200, 200);   // scroll bar
    case 5: return QColor(255, 255, 255);   // window background
    case 8: return QColor(0, 0, 0);         // window text
    case 12: return QColor(171, 171, 171);  // application workspace
    case 14: return QColor(255, 255, 255);  // highlight text
    default: return QColor(0, 0, 0);
    }
}

QFont designedFont(const FontSpec& design)
{
    QFont font(QString::fromLatin1(design.face));
    font.setPixelSize(int(std::lround(design.points * 96.0 / 72.0)));
    font.setBold(design.bold);
    return font;
}

namespace {

QRect pixelRect(const ControlSpec& design)
{
    return {twipsToPixels(design.left), twipsToPixels(design.top), twipsToPixels(design.width),
            twipsToPixels(design.height)};
}

void paint(QWidget* widget, const ControlSpec& design, QPalette::ColorRole backRole, QPalette::ColorRole foreRole)
{
    QPalette palette = widget->palette();
    if (design.back.type != Colour::Type::Unset) {
        palette.setColor(backRole, design.back.toQColor());
        widget->setAutoFillBackground(true);
    }
    if (design.fore.type != Colour::Type::Unset) {
        palette.setColor(QPalette::All, foreRole, design.fore.toQColor());
        palette.setColor(QPalette::Disabled, foreRole, design.fore.toQColor().lighter(140));
    }
    widget->setPalette(palette);
}

QWidget* createControl(const ControlSpec& design, QWidget* parent)
{
    const QString caption = QString::fromUtf8(design.caption);
    switch (design.kind) {
    case Kind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        paint(label, design, QPalette::Window, QPalette::WindowText);
        return label;
    }
    case Kind::TextBox: {
        auto* box = new QLineEdit(caption, parent);
        box->setCursorPosition(0);
        paint(box, design, QPalette::Base, QPalette::Text);
        return box;
    }
    case Kind::MultiLineText: {
        auto* box = new QPlainTextEdit(parent);
        box->setPlainText(QString(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        box->setVerticalScrollBarPolicy((design.flags & VScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->document()->setDocumentMargin(2);
        paint(box, design, QPalette::Base, QPalette::Text);
        return box;
    }
    case Kind::Frame: {
        auto* frame = new QGroupBox(caption, parent);
        paint(frame, design, QPalette::Window, QPalette::WindowText);
        return frame;
    }
    case Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        paint(button, design, QPalette::Button, QPalette::ButtonText);
        return button;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(caption, parent);
        box->setChecked(design.flags & Checked);
        paint(box, design, QPalette::Window, QPalette::WindowText);
        return box;
    }
    case Kind::Option: {
        auto* option = new QRadioButton(caption, parent);
        option->setChecked(design.flags & Checked);
        paint(option, design, QPalette::Window, QPalette::WindowText);
        return option;
    }
    case Kind::Line: {
        const QPoint from(twipsToPixels(design.left), twipsToPixels(design.top));
        const QPoint to(twipsToPixels(design.width), twipsToPixels(design.height));
        return new LineWidget(from, to, design.fore.toQColor(), (design.flags & ThickLine) ? 3 : 1, parent);
    }
    case Kind::UpDown: return new UpDownArrows(parent);
    case Kind::Grid: {
        auto* grid = new QTableView(parent);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setDefaultSectionSize(17);
        grid->verticalHeader()->setFixedWidth(12); // the record selector column
        grid->verticalHeader()->setSectionsClickable(false);
        grid->horizontalHeader()->setFont(designedFont({"Arial", 9.75, true}));
        grid->horizontalHeader()->setHighlightSections(false);
        return grid;
    }
    case Kind::DataControl: {
        auto* bar = new DataControl(parent);
        bar->setCaption(caption);
        paint(bar, design, QPalette::Window, QPalette::WindowText);
        return bar;
    }
    }
    return nullptr;
}

} // namespace

void buildControls(QWidget* client, std::span<const ControlSpec> designs, const QFont& windowFont)
{
    std::vector<QWidget*> drawnBeneath;
    for (const ControlSpec& design : designs) {
        QWidget* parent = design.parent ? client->findChild<QWidget*>(QLatin1String(design.parent)) : client;
        Q_ASSERT(parent);
        QWidget* control = createControl(design, parent);
        control->setObjectName(QLatin1String(design.name));
        control->setFont(design.font.face ? designedFont(design.font) : windowFont);
        if (design.kind != Kind::Line)
            control->setGeometry(pixelRect(design));
        if (design.flags & Hidden)
            control->hide();
        if (design.flags & Disabled)
            control->setEnabled(false);
        if (design.kind == Kind::Line || design.kind == Kind::Label)
            drawnBeneath.push_back(control);
    }
    for (auto it = drawnBeneath.rbegin(); it != drawnBeneath.rend(); ++it)
        (*it)->lower();
}

void applyTabOrder(QWidget* client, std::span<const char* const> names)
{
    QWidget* previous = nullptr;
    for (const char* name : names) {
        QWidget* widget = client->findChild<QWidget*>(QLatin1String(name));
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace korvane::ui
