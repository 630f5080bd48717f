#include "ui/MainWindowWatch.h"

#include "materials/MaterialValidation.h"
#include "materials/NumberText.h"
#include "ui/Form1.h"

#include <QEvent>
#include <QPushButton>
#include <QTableView>

#include <array>

namespace korvane::ui {

namespace {

constexpr int kIdColumn = 1; // of the name list

} // namespace

MainWindowWatch::MainWindowWatch(Form1& mainWindow, QObject* parent)
    : QObject(parent), mainWindow_(mainWindow), inputs_(mainWindow.controls()), cmdSave_(mainWindow.controls().cmdSave),
      dgrdName_(mainWindow.controls().dgrdName)
{
    connect(&inputs_, &MainWindowInputs::changed, this, &MainWindowWatch::noteChange);
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
    reading.name = inputs_.materialName();
    reading.energy = numbertext::toSingle(inputs_.energyText());
    reading.form = inputs_.form();

    // Typed values must pass the checks a save makes before they are drawn;
    // like a save, they take a blank band gap for 0.
    MaterialTexts texts = inputs_.materialTexts();
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
