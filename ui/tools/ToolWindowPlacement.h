#pragma once

class QWidget;

namespace korvane::ui {

// Puts a Tools window that is about to open where it leaves the main window
// in sight: beside the main window where the screen has room for it, else
// clear of the main window's name list and IMFP field (narrowed down to its
// least size where that makes it fit), and always whole on the screen.
void placeBesideMainWindow(QWidget* tool, const QWidget* mainWindow);

} // namespace korvane::ui
