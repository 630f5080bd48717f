#pragma once

#include "calc/ImfpCalculator.h"
#include "materials/Material.h"
#include "materials/MaterialValidation.h"

#include <QObject>

#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace korvane::ui {

struct Form1Controls;

// The main window's current material, electron energy and choice of formula,
// read from its fields as they stand, for a tool window that follows them.
// `changed` is raised after any of them changes (the main window has then
// already recalculated).
class MainWindowInputs : public QObject {
    Q_OBJECT
public:
    explicit MainWindowInputs(const Form1Controls& mainWindow, QObject* parent = nullptr);

    QString materialName() const;
    QString energyText() const;
    ImfpForm form() const;
    // The material's fields as they stand, for the checks of a save.
    MaterialTexts materialTexts() const;
    // Density and mass as typed, for the transport mean free path.
    std::optional<float> density() const;
    std::optional<float> mass() const;

    // The IMFP (Å) of the current material at the current energy in the
    // chosen form, or why there is none.
    struct Imfp {
        std::optional<float> value;
        QString error;
    };
    Imfp imfp() const;
    // The IMFP of another material of the database at an energy (eV), with
    // the main window's valence groups and form.
    Imfp imfpOf(const Material& material, float energy) const;

signals:
    void changed();

private:
    QLineEdit* txtElectronEnergy_;
    QRadioButton* Opt_relativistic_;
    QLineEdit* txtName_;
    QLineEdit* txtBulkDensity_;
    QLineEdit* txtAtomicMass_;
    QLineEdit* txtEnergyGap_;
    QLineEdit* txtNoValenceElectrprAtomorMolec_;
    QCheckBox* chk_S_P_hbe_;
    QCheckBox* chk_S_P_lbe_;
    QCheckBox* chk_d_;
    QCheckBox* chk_f_;
};

} // namespace korvane::ui
