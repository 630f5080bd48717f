#pragma once

#include "ui/tools/stack/StackResults.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableWidget;

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

class MainWindowState;
class StackDrawing;
class StackSimulationPanel;

// Tools > Layered sample: the signal of each layer of a planar sample over a
// substrate by the straight line at once and by Monte Carlo on request, at
// several angles, with a drawing of the stack and φ(z) across it. The energy
// is a line's chosen in the window (an X-ray source and a level of an element
// of the stack) or else the main window's; the form and the valence groups
// are the main window's, followed while the window is shown.
class StackWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the main window's layered-sample window, opening it the first time.
    static StackWindow* showFor(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store);

    // Computes the straight line anew from the fields and the main window.
    void recalculate();

private:
    StackWindow(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store);

    // Offers the levels of the stack's elements that the source reaches;
    // the chosen level stays while it is offered.
    void fillLines(const LayerTable::Stack& stack);
    // The energy (eV) and the line behind it, or why there is none.
    Result<std::pair<float, std::optional<LineEnergy>>> energy() const;
    void showResults();
    void refuse(const QString& why);

    const MainWindowState& state_;
    LayerTable* layers_;
    QLineEdit* txtAngles_;
    QComboBox* cboSource_;
    QComboBox* cboLine_;
    QLabel* lblEnergy_;
    QLabel* lblMessage_;
    QTableWidget* tblResults_;
    StackDrawing* drawing_;
    StackSimulationPanel* simulation_;
    std::optional<StackResults> results_;
};

// Adds "&Layered sample..." to the main window's Tools menu.
void addLayeredSampleEntry(QMenu* tools, const MainWindowState& state, const MaterialStore& store, QWidget* window);

} // namespace korvane::ui
