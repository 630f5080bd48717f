#include "ui/controls/ControlFactory.h"

#include "presentation/LineBreaks.h"
#include "ui/controls/ClassicFrame.h"
#include "ui/controls/DataControl.h"
#include "ui/controls/DataGrid.h"
#include "ui/controls/LineWidget.h"
#include "ui/controls/SunkenLineEdit.h"
#include "ui/controls/UpDownArrows.h"
#include "ui/controls/WrappingButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <cmath>
#include <vector>

namespace korvane::ui {

QColor Colour::toQColor() const
{
    if (type == Type::Rgb)
        return QColor((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
    switch (value) {                       // the classic desktop's system colours
    case 0: return QColor(200, 200, 200);  // scroll bar
    case 5: return QColor(255, 255, 255);  // window background
    case 8: return QColor(0, 0, 0);        // window text
    case 12: return QColor(171, 171, 171); // application workspace
    case 14: return QColor(255, 255, 255); // highlight text
    default: return QColor(0, 0, 0);
    }
}

QFont designedFont(const FontDesign& design)
{
    QFont font(QString::fromLatin1(design.face));
    font.setPixelSize(int(std::lround(design.points * 96.0 / 72.0)));
    font.setBold(design.bold);
    return font;
}

namespace {

// The classic desktop's grey text of disabled controls, and its 3D edge
// colours, which the sunken text boxes and the etched frames are drawn in.
const QColor kGrayText(109, 109, 109);
const QColor kEdgeHighlight(255, 255, 255);
const QColor kEdgeLight(227, 227, 227);
const QColor kEdgeShadow(160, 160, 160);
const QColor kEdgeDarkShadow(105, 105, 105);

QRect pixelRect(const ControlDesign& design)
{
    return {twipsToPixels(design.left), twipsToPixels(design.top), twipsToPixels(design.width),
            twipsToPixels(design.height)};
}

// The colours a control is drawn in. What the design leaves unset comes from
// the window, never from the enclosing frame: a control inside the dark grey
// parameter frame still has the window's black text.
struct Paint {
    QPalette::ColorRole backRole;
    QPalette::ColorRole foreRole;
    QColor back; // invalid: the style's own
    QColor fore;
};

void paint(QWidget* widget, const Paint& colours)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Light, kEdgeHighlight);
    palette.setColor(QPalette::Midlight, kEdgeLight);
    palette.setColor(QPalette::Dark, kEdgeShadow);
    palette.setColor(QPalette::Shadow, kEdgeDarkShadow);
    if (colours.back.isValid())
        palette.setColor(colours.backRole, colours.back);
    palette.setColor(colours.foreRole, colours.fore);
    palette.setColor(QPalette::Disabled, colours.foreRole, kGrayText);
    widget->setPalette(palette);
}

// Room above a label's first line for an accent that rises above the font's
// ascent, such as the ring of "Å" in Liberation Sans, which a top-aligned
// caption would lose at the label's top edge; none for other captions.
int accentRoom(const QFont& font, const QString& caption)
{
    const QFontMetricsF metrics(font);
    const qreal above = -metrics.tightBoundingRect(caption).top() - metrics.ascent();
    return above > 0 ? int(std::ceil(above)) + 1 : 0;
}

// Gives a control the application's colours in every role, so that it takes
// none from the coloured frame or box it sits in: a scroll bar in a teal frame
// would otherwise draw white arrows on a white face.
void keepOrdinaryLook(QWidget* control)
{
    const QPalette ordinary = QApplication::palette(control);
    QPalette own;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            own.setBrush(g, r, ordinary.brush(g, r));
        }
    control->setPalette(own);
}

class Factory {
public:
    explicit Factory(QWidget* client) : windowBack_(client->palette().color(QPalette::Window)) {}

    QWidget* create(const ControlDesign& design, QWidget* parent) const
    {
        const QString caption = QString::fromUtf8(design.caption);
        switch (design.kind) {
        case Kind::Label: {
            auto* label = new QLabel(caption, parent);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setAutoFillBackground(true);
            paint(label, colours(design, QPalette::Window, QPalette::WindowText, windowBack_));
            return label;
        }
        case Kind::TextBox: {
            auto* box = new SunkenLineEdit(caption, parent);
            box->setCursorPosition(0);
            paint(box, colours(design, QPalette::Base, QPalette::Text, systemColour(5).toQColor()));
            return box;
        }
        case Kind::MultiLineText: {
            auto* box = new QPlainTextEdit(parent);
            box->setPlainText(withLineFeeds(caption));
            box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            box->setVerticalScrollBarPolicy((design.flags & VScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setTabChangesFocus(true);
            box->document()->setDocumentMargin(1);
            paint(box, colours(design, QPalette::Base, QPalette::Text, systemColour(5).toQColor()));
            keepOrdinaryLook(box->verticalScrollBar());
            return box;
        }
        case Kind::Frame: {
            auto* frame = new ClassicFrame(caption, parent);
            paint(frame, colours(design, QPalette::Window, QPalette::WindowText, windowBack_));
            return frame;
        }
        case Kind::Button: {
            auto* button = new WrappingButton(caption, parent);
            paint(button, colours(design, QPalette::Button, QPalette::ButtonText, QColor()));
            return button;
        }
        case Kind::CheckBox: {
            auto* box = new QCheckBox(caption, parent);
            box->setChecked(design.flags & Checked);
            // Filled with the designed background, not the style's button face.
            box->setBackgroundRole(QPalette::Window);
            box->setAutoFillBackground(true);
            paint(box, colours(design, QPalette::Window, QPalette::WindowText, windowBack_));
            return box;
        }
        case Kind::Option: {
            // The option is narrower than its indicator and the gap after it,
            // so its own caption is clipped away; a label beside it carries
            // the words. Tab enters a group of options at the selected one;
            // from then on the stop follows the focus within the group.
            auto* option = new QRadioButton(caption, parent);
            option->setChecked(design.flags & Checked);
            if (!option->isChecked())
                option->setFocusPolicy(Qt::ClickFocus);
            option->setBackgroundRole(QPalette::Window);
            option->setAutoFillBackground(true);
            paint(option, colours(design, QPalette::Window, QPalette::WindowText, windowBack_));
            return option;
        }
        case Kind::Line: {
            const QPoint from(twipsToPixels(design.left), twipsToPixels(design.top));
            const QPoint to(twipsToPixels(design.width), twipsToPixels(design.height));
            return new LineWidget(from, to, design.fore.toQColor(), (design.flags & ThickLine) ? 3 : 1, parent);
        }
        case Kind::UpDown: return new UpDownArrows(parent);
        case Kind::Grid: return new DataGrid(designedFont(design.headerFont), parent);
        case Kind::DataControl: {
            auto* bar = new DataControl(parent);
            bar->setCaption(caption);
            paint(bar, colours(design, QPalette::Window, QPalette::WindowText, windowBack_));
            return bar;
        }
        }
        return nullptr;
    }

private:
    static Paint colours(const ControlDesign& design, QPalette::ColorRole backRole, QPalette::ColorRole foreRole,
                         const QColor& defaultBack)
    {
        return {backRole, foreRole, design.back.type != Colour::Type::Unset ? design.back.toQColor() : defaultBack,
                design.fore.type != Colour::Type::Unset ? design.fore.toQColor() : systemColour(8).toQColor()};
    }

    QColor windowBack_;
};

} // namespace

void buildControls(QWidget* client, std::span<const ControlDesign> designs, const QFont& windowFont, void* kept)
{
    const Factory factory(client);
    std::vector<QWidget*> drawnBeneath;
    for (const ControlDesign& design : designs) {
        QWidget* parent = design.parent ? client->findChild<QWidget*>(QLatin1String(design.parent)) : client;
        Q_ASSERT(parent);
        QWidget* control = factory.create(design, parent);
        control->setObjectName(QLatin1String(design.name));
        control->setFont(design.font.face ? designedFont(design.font) : windowFont);
        if (design.kind != Kind::Line)
            control->setGeometry(pixelRect(design));
        if (design.kind == Kind::Label)
            control->setContentsMargins(0, accentRoom(control->font(), QString::fromUtf8(design.caption)), 0, 0);
        if (design.keep.kept) {
            Q_ASSERT(kept);
            design.keep.into(kept, control);
        }
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
