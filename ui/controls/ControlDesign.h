#pragma once

#include <QColor>

#include <type_traits>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QWidget;

// The description of one designed control: its kind, where it sits (in
// twips, relative to the window's client area or its enclosing frame),
// caption, font, colours and initial state. The window is built from a
// table of these.
namespace korvane::ui {

enum class Kind {
    Label,
    TextBox,       // single line
    MultiLineText, // multi-line text box
    Frame,
    Button,
    CheckBox,
    Option,
    Line, // left/top/width/height hold the end points X1, Y1, X2, Y2
    UpDown,
    Grid,
    DataControl,
};

class DataControl;
class LineWidget;
class UpDownArrows;

// The widget class each kind of control is built as.
// clang-format off
template <Kind> struct WidgetOf;
template <> struct WidgetOf<Kind::Label> { using Type = QLabel; };
template <> struct WidgetOf<Kind::TextBox> { using Type = QLineEdit; };
template <> struct WidgetOf<Kind::MultiLineText> { using Type = QPlainTextEdit; };
template <> struct WidgetOf<Kind::Frame> { using Type = QGroupBox; };
template <> struct WidgetOf<Kind::Button> { using Type = QPushButton; };
template <> struct WidgetOf<Kind::CheckBox> { using Type = QCheckBox; };
template <> struct WidgetOf<Kind::Option> { using Type = QRadioButton; };
template <> struct WidgetOf<Kind::Line> { using Type = LineWidget; };
template <> struct WidgetOf<Kind::UpDown> { using Type = UpDownArrows; };
template <> struct WidgetOf<Kind::Grid> { using Type = QTableView; };
template <> struct WidgetOf<Kind::DataControl> { using Type = DataControl; };
// clang-format on

// Keeps a built control in a window's struct of typed controls.
struct KeepControl {
    void (*into)(void* controls, QWidget* control) = nullptr;
    // Known when compiling, as the address of `into` is not in every build.
    bool kept = false;
};

template <auto member>
struct MemberOf;
template <typename Controls, typename Widget, Widget* Controls::*member>
struct MemberOf<member> {
    using Owner = Controls;
    using Type = Widget;
};

// Keeps a control of `kind` in `member`; a member of another widget class
// does not compile. Instantiated where the widget classes are complete.
template <Kind kind, auto member>
void keepAs(void* controls, QWidget* control)
{
    using Member = MemberOf<member>;
    static_assert(std::is_same_v<typename Member::Type, typename WidgetOf<kind>::Type>,
                  "the member is not of the widget class of the control's kind");
    static_cast<typename Member::Owner*>(controls)->*member = static_cast<typename Member::Type*>(control);
}

// Colour: an RGB triple, a system colour index, or unset (the parent's).
struct Colour {
    enum class Type { Unset, Rgb, System } type = Type::Unset;
    int value = 0; // 0xRRGGBB or the system colour index

    QColor toQColor() const;
};

constexpr Colour rgb(int r, int g, int b)
{
    return {Colour::Type::Rgb, (r << 16) | (g << 8) | b};
}
constexpr Colour systemColour(int index)
{
    return {Colour::Type::System, index};
}
constexpr Colour kUnset{};

struct FontDesign {
    const char* face = nullptr; // nullptr: the parent's font
    double points = 0;
    bool bold = false;
};

enum Flag : unsigned {
    None = 0,
    Hidden = 1u << 0,
    Disabled = 1u << 1,
    Checked = 1u << 2,   // check box ticked, option selected
    VScroll = 1u << 3,   // multi-line text with a vertical scroll bar
    ThickLine = 1u << 4, // a line 3 pixels wide
};

struct ControlDesign {
    const char* name; // the control's name, used as its object name
    Kind kind;
    KeepControl keep;   // where the window keeps the control, if it does
    const char* parent; // enclosing frame, or nullptr for the window
    const char* caption;
    int left, top, width, height;
    FontDesign font = {};
    Colour back = kUnset;
    Colour fore = kUnset;
    unsigned flags = None;
    FontDesign headerFont = {}; // data grid: its column headers (`font` is its cells')
};

// 15 twips are one pixel at 96 dots per inch.
constexpr int twipsToPixels(double twips)
{
    return int(twips / 15.0 + (twips >= 0 ? 0.5 : -0.5));
}

} // namespace korvane::ui
