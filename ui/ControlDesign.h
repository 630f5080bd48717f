#pragma once

#include <QColor>

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
    Line,          // left/top/width/height hold the end points X1, Y1, X2, Y2
    UpDown,
    Grid,
    DataControl,
};

// Colour: an RGB triple, a system colour index, or unset (the parent's).
struct Colour {
    enum class Type { Unset, Rgb, System } type = Type::Unset;
    int value = 0; // 0xRRGGBB or the system colour index

    QColor toQColor() const;
};

constexpr Colour rgb(int r, int g, int b) { return {Colour::Type::Rgb, (r << 16) | (g << 8) | b}; }
constexpr Colour systemColour(int index) { return {Colour::Type::System, index}; }
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
    Checked = 1u << 2,      // check box ticked, option selected
    VScroll = 1u << 3,      // multi-line text with a vertical scroll bar
    ThickLine = 1u << 4,    // a line 3 pixels wide
};

struct ControlDesign {
    const char* name;   // the control's name, used as its object name
    Kind kind;
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
constexpr int twipsToPixels(double twips) { return int(twips / 15.0 + (twips >= 0 ? 0.5 : -0.5)); }

} // namespace korvane::ui
