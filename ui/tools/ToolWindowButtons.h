#pragma once

#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace korvane::ui {

// The foot of every Tools window, one order for all: the buttons at the
// right, the window's own ("Use") first and the one that closes it last.
QHBoxLayout* footButtons(std::initializer_list<QPushButton*> buttons);

// Escape and Ctrl+W close `window` as its closing button does.
void closeWithKeys(QWidget* window);

} // namespace korvane::ui
