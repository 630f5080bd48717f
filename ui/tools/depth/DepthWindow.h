#pragma once

#include <QWidget>

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

class MainWindowState;
class OverlayerTab;
class SignalDepthTab;

// Tools > Depth of the signal: one window beside the main window, which it
// follows, with a tab for the depth the signal comes from and a tab for the
// thickness of an overlayer.
class DepthWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the main window's depth window, opening it the first time.
    static DepthWindow* showFor(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store);

private:
    DepthWindow(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store);

    SignalDepthTab* signalDepth_;
    OverlayerTab* overlayer_;
};

} // namespace korvane::ui
