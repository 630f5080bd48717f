#pragma once

#include <QDialog>

#include <optional>
#include <tuple>

class QChartView;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace korvane::ui {

class MainWindowState;

// Tools -> Transport cross-section: S of the main window's current material
// (an element, or a compound whose name is a chemical formula) at the
// window's energy, in a0^2 and cm^2, with a log-log plot of S against the
// energy from 50 eV to 30 keV. "Use" asks the main window to put S into the
// approximation-2 panel's cross-section field. While it is shown it follows
// the main window's energy and material.
class TransportCrossSectionWindow : public QDialog {
    Q_OBJECT

public:
    TransportCrossSectionWindow(MainWindowState& state, QWidget* mainWindow);

    // Reads the current material and energy and shows their S.
    void refresh();

private:
    void cmdUse_Click();

    MainWindowState& state_;
    QLabel* lblMaterial_;
    QLineEdit* txtCrossSection_;
    QLineEdit* txtCrossSectionCm2_;
    QLabel* lblError_;
    QChartView* chart_;
    QPushButton* cmdUse_;
    std::optional<double> crossSection_;
    // The material's ID and name and the energy text that S is shown for.
    std::optional<std::tuple<qint64, QString, QString>> shownFor_;
};

// Adds "&Transport cross-section..." to the Tools menu; the window is made
// at its first use and kept.
void addTransportCrossSectionEntry(QMenu* tools, MainWindowState& state, QWidget* mainWindow);

} // namespace korvane::ui
