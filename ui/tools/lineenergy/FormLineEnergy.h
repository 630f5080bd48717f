#pragma once

#include "lines/PhotoelectronLine.h"

#include <QDialog>

#include <optional>
#include <tuple>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace korvane::ui {

class MainWindowState;

// "Energy from a line": the kinetic energy of the photoelectrons of one core
// level of an element of the main window's material, excited by a
// laboratory X-ray source or by photons of a given energy. It offers the
// levels of every element of the material's formula that the photons reach,
// each with its photoionisation cross-section, and preselects the strongest.
// "Use" writes the kinetic energy into the main window's energy box, which
// recalculates the IMFP as typing does. The window stays open beside the
// main window and follows its material, so that several lines can be tried
// one after the other.
class FormLineEnergy : public QDialog {
    Q_OBJECT
public:
    // "Use" gives the kinetic energy to `state`.
    FormLineEnergy(MainWindowState& state, QWidget* parent);

    // Takes the main window's material when it changed since last shown.
    void refresh();

private:
    void cboSource_Change();
    void txtPhotonEnergy_Change();
    void cboLevel_Change();
    void cmdUse_Click();

    std::optional<double> photonEnergy() const;
    std::optional<lines::PhotoelectronLine> chosenLine() const;
    // Offers the lines of the material's elements that the photons reach:
    // the line the user chose stays chosen while it is offered, else the
    // strongest is.
    void fillLevels();

    MainWindowState& state_;
    std::tuple<qint64, QString> shownFor_{-1, QString()};
    QString userChoice_; // the line the user chose for this material, if any
    QLabel* lblMaterial_;
    QComboBox* cboSource_;
    QLineEdit* txtPhotonEnergy_;
    QComboBox* cboLevel_;
    QLineEdit* txtBindingEnergy_;
    QLineEdit* txtKineticEnergy_;
    QLabel* lblProblem_;
    QPushButton* cmdUse_;
};

// Adds "Energy from a &line..." to the "&Tools" menu of the main window
// `window`; each choice shows its one window for the window's energy.
void addLineEnergyEntry(QMenu* tools, MainWindowState& state, QWidget* window);

} // namespace korvane::ui
