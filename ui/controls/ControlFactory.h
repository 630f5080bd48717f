#pragma once

#include "ui/controls/ControlDesign.h"

#include <QFont>

#include <span>

class QWidget;

namespace korvane::ui {

// The font of a design in pixels at 96 dots per inch, so the designed sizes
// hold whatever the screen's dpi setting.
QFont designedFont(const FontDesign& design);

// Creates the controls of `designs` inside `client`, each with its designed
// name, place, size, caption, font, colours and initial state. Controls
// without a font of their own take `windowFont`. Lines and labels are drawn
// beneath the other controls of their container, as on the designed form.
// Controls with a place in `kept` (a window's struct of typed controls) are
// kept there.
void buildControls(QWidget* client, std::span<const ControlDesign> designs, const QFont& windowFont,
                   void* kept = nullptr);

template <typename Controls>
void buildControls(QWidget* client, std::span<const ControlDesign> designs, const QFont& windowFont, Controls& kept)
{
    buildControls(client, designs, windowFont, static_cast<void*>(&kept));
}

// Chains the focus from one named control to the next.
void applyTabOrder(QWidget* client, std::span<const char* const> names);

} // namespace korvane::ui
