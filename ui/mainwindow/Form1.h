#pragma once

#include "materials/model/Material.h"
#include "materials/store/MaterialStore.h"
#include "ui/mainwindow/Form1Controls.h"
#include "ui/mainwindow/MainWindowState.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QLineEdit;

namespace korvane::ui {

class ElasticPanels;
class InformationPanels;
class MaterialListModel;
class UserPrompts;

// The name a new material has until the user types one.
inline const QString kNewMaterialName = QStringLiteral("type name here");

// The main window: the energy and formula choice, the current material with
// its valence-electron groups, the IMFP, and the list of materials.
class Form1 : public QMainWindow, private MaterialStoreListener {
    Q_OBJECT
public:
    // `prompts` answers the window's message and input boxes; the real
    // dialogs when null.
    explicit Form1(MaterialStore& store, UserPrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    // The IMFP last computed; none after a failed computation.
    std::optional<float> storedImfp() const
    {
        return state_.imfp() ? std::optional<float>(*state_.imfp()) : std::nullopt;
    }
    const Form1Controls& controls() const { return ui_; }
    // The state the window's fields are bound to, which the Tools windows read.
    MainWindowState& state() { return state_; }

    using EditingMode = MainWindowState::EditingMode;
    EditingMode editingMode() const { return state_.editingMode(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    void showImfpError(const QString& reason);

    // Valence electrons and the record source's notifications
    void SumValenceElectrons();
    void willMove() override;
    void moveComplete() override;
    void bindFields();
    void adoMaterials_MoveComplete();
    void RefreshFieldTags();
    void enableParameterFields(bool enabled);

    // Editing: change, add, save, cancel and delete materials
    void cmdChangeParam_Click();
    void cmdNew_Click();
    void cmdSave_Click();
    void cmdClose_Click();
    void cmdDelete_Click();
    void enterMode(EditingMode mode);
    void ParameterEdited();
    void MoveAfterDelete();
    void returnToNameList();
    bool checkFieldsBeforeSave();
    struct TypedMaterial {
        Material values;
        unsigned columns = 0; // bits 1 << column of the columns to write
    };
    Result<TypedMaterial> materialFromFields(bool adding) const;
    void reportFailedWrite(const QString& what);
    // Asks what to do with a pending edit before the window leaves it; true
    // when the edit is over (saved or discarded) and the window may go on.
    bool settlePendingEdit();

    // Finding a material by the start of its name
    void cmdFind_Click();

    // The name list follows the current record; a click in it moves there.
    void showCurrentRowInGrid();
    void showGridRow(int row);
    void dgrdName_RowChanged(int row);
    void reportFailedMove(const Result<void>& moved);

    void connectHandlers();
    // The state follows the fields; its commands are carried out on them.
    void bindState();
    void noteSavedId();
    void applyFormulaSums(const QString& formula, float valenceElectrons, float mass);
    QString boundText(const BoundField& field) const;

    MaterialStore& store_;
    std::unique_ptr<UserPrompts> ownPrompts_;
    UserPrompts* prompts_;
    MaterialListModel* model_ = nullptr;
    ElasticPanels* elasticPanels_ = nullptr;
    InformationPanels* informationPanels_ = nullptr;
    bool syncingGrid_ = false;
    int gridRow_ = -1; // the row the name list shows as current

    QElapsedTimer sinceCancel_; // since "&Cancel" last ended an edit

    MainWindowState state_;
    std::optional<MainWindowState::ChangeScope> moving_; // from willMove to moveComplete

    Form1Controls ui_;
    std::array<BoundField, 8> boundFields_;
};

} // namespace korvane::ui
