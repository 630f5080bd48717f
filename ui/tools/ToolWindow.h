#pragma once

#include "ui/tools/ToolWindowPlacement.h"

#include <QWidget>

namespace korvane::ui {

// A window of the Tools menu is one at a time: the first choice of its entry
// makes it with `make`, every choice shows it and brings it to the front. A
// window that was closed opens beside the main window again.
template <class Window, class Make>
Window* showToolWindow(QWidget* mainWindow, Make make)
{
    auto* window = mainWindow->findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = make();
    if (!window->isVisible())
        placeBesideMainWindow(window, mainWindow);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace korvane::ui
