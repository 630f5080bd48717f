#pragma once

#include "lines/PhotoelectronLine.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace korvane::ui {

class MainWindowState;

// "Energy from a line": the kinetic energy of the photoelectrons of one core
// level of one element, excited by a laboratory X-ray source or by photons of
// a given energy. "Use" writes it into the main window's energy box, which
// recalculates the IMFP as typing does. The dialog stays open beside the main
// window, so that several lines can be tried one after the other.
class FormLineEnergy : public QDialog {
    Q_OBJECT
public:
    // "Use" gives the kinetic energy to `state`; the element starts at the
    // main window's material when that is an element.
    FormLineEnergy(MainWindowState& state, QWidget* parent);

private:
    void cboElement_Change();
    void cboSource_Change();
    void txtPhotonEnergy_Change();
    void cboLevel_Change();
    void cmdUse_Click();

    std::optional<double> photonEnergy() const;
    std::optional<lines::PhotoelectronLine> chosenLine() const;
    void fillLevels();

    MainWindowState& state_;
    QComboBox* cboElement_;
    QComboBox* cboSource_;
    QLineEdit* txtPhotonEnergy_;
    QComboBox* cboLevel_;
    QLineEdit* txtBindingEnergy_;
    QLineEdit* txtKineticEnergy_;
    QPushButton* cmdUse_;
};

// Adds "Energy from a &line..." to the "&Tools" menu of the main window
// `window`; each choice opens a new dialog for the window's energy.
void addLineEnergyEntry(QMenu* tools, MainWindowState& state, QWidget* window);

} // namespace korvane::ui
