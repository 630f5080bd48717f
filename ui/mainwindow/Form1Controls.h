#pragma once

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace korvane::ui {

class DataControl;
class UpDownArrows;

// The controls of the main window that its code works with, under their
// designed names, set as the control table builds them.
struct Form1Controls {
    // Energy, formula and result
    QLineEdit* txtElectronEnergy = nullptr;
    UpDownArrows* updEnergy = nullptr;
    QPlainTextEdit* txt_outside_valid_energy_range = nullptr;
    QRadioButton* Opt_relativistic = nullptr;
    QRadioButton* Opt_non_relativistic = nullptr;
    QLineEdit* txtIMFP_2M = nullptr;
    QLineEdit* txtError = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdFind = nullptr;

    // The material, its valence electrons and the list
    QLineEdit* txtName = nullptr;
    QLineEdit* txtBulkDensity = nullptr;
    QLineEdit* txtNoValenceElectrprAtomorMolec = nullptr;
    QLineEdit* txtAtomicMass = nullptr;
    QLineEdit* txtEnergyGap = nullptr;
    QLineEdit* txt_s_p_hbe = nullptr;
    QCheckBox* chk_S_P_hbe = nullptr;
    QLineEdit* txt_s_p_lbe = nullptr;
    QCheckBox* chk_S_P_lbe = nullptr;
    QLineEdit* txt_d = nullptr;
    QCheckBox* chk_d = nullptr;
    QLineEdit* txt_f = nullptr;
    QCheckBox* chk_f = nullptr;
    QLineEdit* txt_Val_El_Total = nullptr;
    DataControl* adoMaterials = nullptr;
    QTableView* dgrdName = nullptr;

    // Editing
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdChangeParam = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdAdd_New_material_Example = nullptr;
    QPushButton* cmdClose = nullptr;
    QPlainTextEdit* txtProcess = nullptr;

    // Elastic-scattering correction
    QPushButton* cmdCalc_CF = nullptr;
    QPushButton* cmdInfo_3 = nullptr;
    QGroupBox* frameElastic = nullptr;
    QPushButton* cmdElastic1 = nullptr;
    QPushButton* cmdElastic2 = nullptr;
    QPushButton* cmdInfo_0 = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* frameElastic1 = nullptr;
    QLineEdit* txtDepth1 = nullptr;
    QLabel* lblCF1 = nullptr;
    QLineEdit* txtCF1 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* frameElastic2 = nullptr;
    QLineEdit* txtTrXsct = nullptr;
    QPushButton* cmdCalc1 = nullptr;
    QLineEdit* txtTrMFP = nullptr;
    QLineEdit* txtEffTrMFP = nullptr;
    QLineEdit* txtDepth = nullptr;
    QLabel* lblCF2 = nullptr;
    QLineEdit* txtCF2 = nullptr;
    QPushButton* Command1 = nullptr;

    // Information
    QGroupBox* frmInfo = nullptr;
    QPlainTextEdit* txtInfo1 = nullptr;
    QGroupBox* frmGuide = nullptr;
    QPushButton* cmdUsersGuide = nullptr;
    QPushButton* cmdAccuracy = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPlainTextEdit* txtInfo2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QPlainTextEdit* txtInfo3 = nullptr;
    QPlainTextEdit* txtInfo = nullptr;
    QPushButton* cmdCloseInfo = nullptr;
};

} // namespace korvane::ui
