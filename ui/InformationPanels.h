#pragma once

#include <QObject>

class QMainWindow;
class QWidget;

namespace korvane::ui {

// The information texts of the main window: the right-hand panels, the
// overlay with the elastic-scattering explanation and the worked examples,
// the "Show Information" menu and the About box.
class InformationPanels : public QObject {
    Q_OBJECT
public:
    InformationPanels(QMainWindow* window, QWidget* client);

    // Writes the three panel texts; once, at start-up.
    void FillInfoTexts();

private:
    QMainWindow* window_;
    QWidget* client_;
};

} // namespace korvane::ui
