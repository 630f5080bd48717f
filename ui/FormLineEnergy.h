#pragma once

#include "lines/PhotoelectronLine.h"

#include <QDialog>
#include <QPointer>

#include <optional>

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace korvane::ui {

class Form1;

// "Energy from a line": the kinetic energy of the photoelectrons of one core
// level of one element, excited by a laboratory X-ray source or by photons of
// a given energy. "Use" writes it into the main window's energy box, which
// recalculates the IMFP as typing does. The dialog stays open beside the main
// window, so that several lines can be tried one after the other.
class FormLineEnergy : public QDialog {
    Q_OBJECT
public:
    // `energyBox` receives the kinetic energy; the element starts at the
    // material named in `nameBox` when that is an element.
    FormLineEnergy(QLineEdit* energyBox, const QLineEdit* nameBox, QWidget* parent);

private:
    void cboElement_Change();
    void cboSource_Change();
    void txtPhotonEnergy_Change();
    void cboLevel_Change();
    void cmdUse_Click();

    std::optional<double> photonEnergy() const;
    std::optional<lines::PhotoelectronLine> chosenLine() const;
    void fillLevels();

    QPointer<QLineEdit> energyBox_;
    QComboBox* cboElement_;
    QComboBox* cboSource_;
    QLineEdit* txtPhotonEnergy_;
    QComboBox* cboLevel_;
    QLineEdit* txtBindingEnergy_;
    QLineEdit* txtKineticEnergy_;
    QPushButton* cmdUse_;
};

// Adds "Energy from a &line..." to the "&Tools" menu of the main window
// `window`; each choice opens a new dialog over the window's energy box.
void addLineEnergyEntry(QMenu* tools, Form1* window);

} // namespace korvane::ui
