#pragma once

#include <QWidget>

namespace korvane::ui {

// A window of the Tools menu is one at a time: the first choice of its entry
// makes it with `make`, every choice shows it and brings it to the front.
template <class Window, class Make>
Window* showToolWindow(QWidget* mainWindow, Make make)
{
    auto* window = mainWindow->findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = make();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace korvane::ui
