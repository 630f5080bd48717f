#pragma once

#include "materials/Material.h"
#include "materials/MaterialStore.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace korvane::ui {

class DataControl;
class ElasticPanels;
class InformationPanels;
class MaterialListModel;
class UpDownArrows;
class UserPrompts;

// The main window: the energy and formula choice, the current material with
// its valence-electron groups, the IMFP, and the list of materials.
class Form1 : public QMainWindow, private MaterialStoreObserver {
    Q_OBJECT
public:
    // `prompts` answers the window's message and input boxes; the real
    // dialogs when null.
    explicit Form1(MaterialStore& store, UserPrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    float storedImfp() const { return storedImfp_; }

private:
    struct BoundField {
        QLineEdit* box;
        Column column;
    };

    // Start-up and the recalculation triggers
    void Form_Load();
    void txtElectronEnergy_Change();
    void updEnergy_UpClick();
    void updEnergy_DownClick();
    void stepEnergy(double step);
    void dgrdName_RowColChange();
    void cmdExit_Click();

    // The IMFP
    void RecalculateIMFP();
    void CalculateIMFPNonRelativistic();
    void CalculateIMFPRelativistic();
    void calculateImfp(bool relativistic);

    // Valence electrons and the record source's notifications
    void SumValenceElectrons();
    void willMove() override;
    void moveComplete() override;
    void bindFields();
    void adoMaterials_MoveComplete();
    void RefreshFieldTags();
    void SwitchParameterFields();

    // The name list follows the current record; a click in it moves there.
    void showCurrentRowInGrid();
    void dgrdName_RowChanged(int row);

    void connectHandlers();
    QString boundText(const BoundField& field) const;

    template <typename T>
    T* control(const char* name) const;

    MaterialStore& store_;
    std::unique_ptr<UserPrompts> ownPrompts_;
    UserPrompts* prompts_;
    MaterialListModel* model_ = nullptr;
    ElasticPanels* elasticPanels_ = nullptr;
    InformationPanels* informationPanels_ = nullptr;
    bool syncingGrid_ = false;

    float storedImfp_ = 0;

    QLineEdit* txtElectronEnergy_;
    UpDownArrows* updEnergy_;
    QRadioButton* Opt_relativistic_;
    QRadioButton* Opt_non_relativistic_;
    QLineEdit* txtIMFP_2M_;
    QLineEdit* txtError_;
    QPlainTextEdit* txt_outside_valid_energy_range_;
    QLineEdit* txtName_;
    QLineEdit* txtBulkDensity_;
    QLineEdit* txtAtomicMass_;
    QLineEdit* txtEnergyGap_;
    QLineEdit* txtNoValenceElectrprAtomorMolec_;
    QLineEdit* txt_s_p_hbe_;
    QLineEdit* txt_s_p_lbe_;
    QLineEdit* txt_d_;
    QLineEdit* txt_f_;
    QLineEdit* txt_Val_El_Total_;
    QCheckBox* chk_S_P_hbe_;
    QCheckBox* chk_S_P_lbe_;
    QCheckBox* chk_d_;
    QCheckBox* chk_f_;
    QPushButton* cmdSave_;
    QPushButton* cmdExit_;
    DataControl* adoMaterials_;
    QTableView* dgrdName_;
    std::array<BoundField, 8> boundFields_;
};

} // namespace korvane::ui
