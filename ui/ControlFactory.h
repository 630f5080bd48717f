#pragma once

#include "ui/ControlSpec.h"

#include <QFont>

#include <span>

class QWidget;

namespace korvane::ui {

// The font of a spec in pixels at 96 dots per inch, so the designed sizes
// hold whatever the screen's dpi setting.
QFont designedFont(const FontSpec& spec);

// Creates the controls of `specs` inside `client`, each with its designed
// name, place, size, caption, font, colours and initial state. Controls
// without a font of their own take `windowFont`. Lines and labels are drawn
// beneath the other controls of their container, as on the designed form.
void buildControls(QWidget* client, std::span<const ControlSpec> specs, const QFont& windowFont);

// Chains the focus from one named control to the next.
void applyTabOrder(QWidget* client, std::span<const char* const> names);

} // namespace korvane::ui
