#include "ui/MainWindowWatch.h"

#include "materials/MaterialValidation.h"
#include "materials/NumberText.h"
#include "ui/Form1.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <array>

namespace korvane::ui {

namespace {

constexpr int kIdColumn = 1; // of the name list

} // namespace

MainWindowWatch::MainWindowWatch(Form1& mainWindow, QObject* parent)
    : QObject(parent), mainWindow_(mainWindow), txtName_(mainWindow.controls().txtName),
      txtBulkDensity_(mainWindow.controls().txtBulkDensity), txtAtomicMass_(mainWindow.controls().txtAtomicMass),
      txtEnergyGap_(mainWindow.controls().txtEnergyGap),
      txtNoValenceElectrprAtomorMolec_(mainWindow.controls().txtNoValenceElectrprAtomorMolec),
      txtElectronEnergy_(mainWindow.controls().txtElectronEnergy),
      Opt_relativistic_(mainWindow.controls().Opt_relativistic), cmdSave_(mainWindow.controls().cmdSave),
      dgrdName_(mainWindow.controls().dgrdName)
{
    for (QLineEdit* box : {txtName_, txtBulkDensity_, txtAtomicMass_, txtEnergyGap_, txtNoValenceElectrprAtomorMolec_,
                           txtElectronEnergy_})
        connect(box, &QLineEdit::textChanged, this, &MainWindowWatch::noteChange);
    connect(Opt_relativistic_, &QRadioButton::toggled, this, &MainWindowWatch::noteChange);
    // Save is enabled exactly while a material is being changed or added.
    cmdSave_->installEventFilter(this);
}

bool MainWindowWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmdSave_ && event->type() == QEvent::EnabledChange)
        noteChange();
    return QObject::eventFilter(watched, event);
}

void MainWindowWatch::noteChange()
{
    if (pending_)
        return;
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            pending_ = false;
            emit changed();
        },
        Qt::QueuedConnection);
}

MainWindowReading MainWindowWatch::read() const
{
    MainWindowReading reading;
    const Form1::EditingMode mode = mainWindow_.editingMode();
    reading.typed = mode != Form1::EditingMode::Browsing;
    reading.adding = mode == Form1::EditingMode::Adding;
    reading.name = txtName_->text();
    reading.energy = numbertext::toSingle(txtElectronEnergy_->text());
    reading.form = Opt_relativistic_->isChecked() ? ImfpForm::Relativistic : ImfpForm::NonRelativistic;

    // Typed values must pass the checks a save makes before they are drawn;
    // like a save, they take a blank band gap for 0.
    MaterialTexts texts{txtName_->text(), txtBulkDensity_->text(), txtNoValenceElectrprAtomorMolec_->text(),
                        txtAtomicMass_->text(), txtEnergyGap_->text()};
    if (reading.typed && !checkMaterial(texts).ok())
        return reading;
    PlottedMaterial material{reading.name, std::nullopt, {}, 0};
    const std::array<std::pair<const QString*, float*>, 4> fields = {{
        {&texts.density, &material.inputs.density},
        {&texts.valenceElectrons, &material.inputs.valenceElectrons},
        {&texts.mass, &material.inputs.mass},
        {&texts.energyGap, &material.inputs.bandGap},
    }};
    for (const auto& [text, value] : fields) {
        const std::optional<float> number = numbertext::toSingle(*text);
        if (!number)
            return reading;
        *value = *number;
    }
    if (!reading.typed) {
        const QModelIndex current = dgrdName_->currentIndex();
        if (current.isValid())
            material.id = dgrdName_->model()->index(current.row(), kIdColumn).data().toLongLong();
    }
    reading.material = material;
    return reading;
}

} // namespace korvane::ui
