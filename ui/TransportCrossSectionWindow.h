#pragma once

#include <QDialog>

#include <optional>

class QChartView;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

class Form1;

// Tools -> Transport cross-section: S of the main window's current material
// (an element, or a compound whose name is a chemical formula) at the
// window's energy, in a0^2 and cm^2, with a log-log plot of S against the
// energy from 50 eV to 30 keV. "Use" writes S into the approximation-2
// panel's cross-section field as typing would. While it is shown it follows
// the main window's energy and material (through their fields' changes).
class TransportCrossSectionWindow : public QDialog {
    Q_OBJECT

public:
    // `mainWindow` holds the energy field and the approximation-2 panel.
    TransportCrossSectionWindow(const MaterialStore& store, Form1* mainWindow);

    // Reads the current material and energy and shows their S.
    void refresh();

private:
    void cmdUse_Click();

    const MaterialStore& store_;
    Form1* mainWindow_;
    QLabel* lblMaterial_;
    QLineEdit* txtCrossSection_;
    QLineEdit* txtCrossSectionCm2_;
    QLabel* lblError_;
    QChartView* chart_;
    QPushButton* cmdUse_;
    std::optional<double> crossSection_;
};

// Adds "&Transport cross-section..." to the Tools menu; the window is made
// at its first use and kept.
void addTransportCrossSectionEntry(QMenu* tools, const MaterialStore& store, Form1* mainWindow);

} // namespace korvane::ui
