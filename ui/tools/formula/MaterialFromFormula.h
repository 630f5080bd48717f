#pragma once

#include "materials/model/RowFormulaSum.h"
#include "materials/model/Material.h"

#include <QDialog>

#include <map>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {
class MaterialStore;
}

namespace korvane::ui {

class MainWindowState;

// "Material from a formula": the user types a compound's formula and sees Nv
// and the molecular mass summed from the element rows, with the valence
// groups that are ticked in the window; "Use" puts Nv into the f-electron box
// and the mass into the atomic-mass field of the material being changed or
// added (starting a new one when the window is browsing), as compounds are
// entered by hand. Until "Use" the window is left as it is. Nothing is
// written to the database: the window's Save does that, with its usual checks.
class MaterialFromFormula : public QDialog {
    Q_OBJECT
public:
    // The menu entry: opens the dialog over the main window.
    static void open(QWidget* window, MainWindowState& state, const MaterialStore& store);

    MaterialFromFormula(QWidget* window, MainWindowState& state, const MaterialStore& store);

private:
    void txtFormula_Change();
    void cmdUse_Click();
    std::optional<float> elementValence(const Material& element) const;

    MainWindowState& state_;
    std::map<QString, Material> elements_; // the element rows by symbol
    std::optional<FormulaSum> sum_;        // none while the formula cannot be summed
    QLineEdit* txtFormula_;
    QLabel* lblValenceSum_;
    QLabel* lblMassSum_;
    QLabel* lblProblem_;
    QPushButton* cmdUse_;
};

} // namespace korvane::ui
