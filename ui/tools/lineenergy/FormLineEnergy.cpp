#include "ui/tools/lineenergy/FormLineEnergy.h"

#include "calc/ScreeningFunction.h"
#include "lines/PhotoelectronLine.h"
#include "materials/text/NumberText.h"
#include "query/KineticEnergy.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/ToolWindowButtons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane::ui {

namespace {

constexpr const char* kDefaultSource = "AlKa";

QString electronVolts(double energy)
{
    return numbertext::shortest15(energy) + QStringLiteral(" eV");
}

// The kinetic energy of the chosen line's photoelectrons, when there is one.
std::optional<double> kineticEnergyOf(const std::optional<lines::PhotoelectronLine>& line,
                                      const std::optional<double>& photons)
{
    if (!line || !photons)
        return std::nullopt;
    const Result<double> kinetic = kineticEnergy(line->bindingEnergy, *photons);
    return kinetic ? std::optional<double>(*kinetic) : std::nullopt;
}

QString levelName(const lines::CoreLevel& level)
{
    return QString::fromUtf8(level.name.data(), qsizetype(level.name.size()));
}

QLineEdit* shownValue(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

// A labelled row whose label's mnemonic moves the focus to its field.
void addRow(QFormLayout* form, const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption, form->parentWidget());
    label->setBuddy(field);
    form->addRow(label, field);
}

} // namespace

FormLineEnergy::FormLineEnergy(MainWindowState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("formLineEnergy"));
    setWindowTitle(QStringLiteral("Energy from a line"));

    cboElement_ = new QComboBox(this);
    cboElement_->setObjectName(QStringLiteral("cboElement"));
    for (int z = 1; z <= kLastElement; ++z) {
        const std::string_view symbol = elementSymbol(z);
        cboElement_->addItem(QString::fromUtf8(symbol.data(), qsizetype(symbol.size())), z);
    }
    if (const int z = atomicNumberOf(state.material().name.trimmed().toStdString()))
        cboElement_->setCurrentIndex(cboElement_->findData(z));

    cboSource_ = new QComboBox(this);
    cboSource_->setObjectName(QStringLiteral("cboSource"));
    for (const XraySource& source : xraySources())
        cboSource_->addItem(
            QStringLiteral("%1 (%2)").arg(QString::fromUtf8(source.name), electronVolts(source.photonEnergy)),
            QString::fromUtf8(source.key));
    cboSource_->addItem(QStringLiteral("Other photon energy"));
    cboSource_->setCurrentIndex(cboSource_->findData(QLatin1String(kDefaultSource)));

    txtPhotonEnergy_ = new QLineEdit(this);
    txtPhotonEnergy_->setObjectName(QStringLiteral("txtPhotonEnergy"));
    cboLevel_ = new QComboBox(this);
    cboLevel_->setObjectName(QStringLiteral("cboLevel"));
    txtBindingEnergy_ = shownValue("txtBindingEnergy", this);
    txtKineticEnergy_ = shownValue("txtKineticEnergy", this);

    auto* form = new QFormLayout;
    addRow(form, QStringLiteral("&Element:"), cboElement_);
    addRow(form, QStringLiteral("&Source:"), cboSource_);
    addRow(form, QStringLiteral("&Photon energy (eV):"), txtPhotonEnergy_);
    addRow(form, QStringLiteral("&Level:"), cboLevel_);
    addRow(form, QStringLiteral("Binding energy:"), txtBindingEnergy_);
    addRow(form, QStringLiteral("Kinetic energy:"), txtKineticEnergy_);
    auto* note = new QLabel(QStringLiteral("Relative to the Fermi level; the work function of the spectrometer "
                                           "is left out."),
                            this);
    note->setWordWrap(true);

    cmdUse_ = new QPushButton(QStringLiteral("&Use"), this);
    cmdUse_->setObjectName(QStringLiteral("cmdUse"));
    cmdUse_->setDefault(true);
    auto* cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(footButtons({cmdUse_, cmdClose}));

    connect(cboElement_, &QComboBox::currentIndexChanged, this, &FormLineEnergy::cboElement_Change);
    connect(cboSource_, &QComboBox::currentIndexChanged, this, &FormLineEnergy::cboSource_Change);
    connect(txtPhotonEnergy_, &QLineEdit::textChanged, this, &FormLineEnergy::txtPhotonEnergy_Change);
    connect(cboLevel_, &QComboBox::currentIndexChanged, this, &FormLineEnergy::cboLevel_Change);
    connect(cmdUse_, &QPushButton::clicked, this, &FormLineEnergy::cmdUse_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    closeWithKeys(this);
    cboSource_Change();
}

// A named source shows its photon energy; "Other photon energy" lets the user type one.
void FormLineEnergy::cboSource_Change()
{
    const XraySource* source = findXraySource(cboSource_->currentData().toString().toStdString());
    txtPhotonEnergy_->setReadOnly(source != nullptr);
    txtPhotonEnergy_->setFocusPolicy(source ? Qt::NoFocus : Qt::StrongFocus);
    if (source)
        txtPhotonEnergy_->setText(numbertext::shortest15(source->photonEnergy));
    fillLevels();
}

void FormLineEnergy::txtPhotonEnergy_Change()
{
    fillLevels();
}

void FormLineEnergy::cboElement_Change()
{
    fillLevels();
}

std::optional<double> FormLineEnergy::photonEnergy() const
{
    const std::optional<double> energy = numbertext::toDouble(txtPhotonEnergy_->text());
    if (!energy || !(*energy > 0))
        return std::nullopt;
    return energy;
}

// The levels of the element that the photons reach, each with its binding
// energy; the level chosen before stays chosen while it is offered.
void FormLineEnergy::fillLevels()
{
    const QString chosen = cboLevel_->currentData().toString();
    const std::optional<double> photons = photonEnergy();
    const QSignalBlocker quiet(cboLevel_);
    cboLevel_->clear();
    if (photons) {
        for (const lines::PhotoelectronLine& line : lines::linesBelow(cboElement_->currentData().toInt(), *photons))
            cboLevel_->addItem(
                QStringLiteral("%1   (%2)").arg(levelName(line.level), electronVolts(line.bindingEnergy)),
                levelName(line.level));
    }
    cboLevel_->setCurrentIndex(std::max(0, cboLevel_->findData(chosen)));
    cboLevel_->setEnabled(cboLevel_->count() > 0);
    cboLevel_Change();
}

std::optional<lines::PhotoelectronLine> FormLineEnergy::chosenLine() const
{
    const std::optional<lines::CoreLevel> level =
        lines::findCoreLevel(cboLevel_->currentData().toString().toStdString());
    if (!level)
        return std::nullopt;
    return lines::lineOf(cboElement_->currentData().toInt(), *level);
}

void FormLineEnergy::cboLevel_Change()
{
    const std::optional<lines::PhotoelectronLine> line = chosenLine();
    const std::optional<double> photons = photonEnergy();
    const std::optional<double> kinetic = kineticEnergyOf(line, photons);
    const bool shown = kinetic.has_value();
    txtBindingEnergy_->setText(shown ? electronVolts(line->bindingEnergy) : QString());
    txtKineticEnergy_->setText(shown ? electronVolts(*kinetic) : QString());
    cmdUse_->setEnabled(shown);
}

void FormLineEnergy::cmdUse_Click()
{
    if (const std::optional<double> kinetic = kineticEnergyOf(chosenLine(), photonEnergy()))
        state_.useEnergy(*kinetic);
}

void addLineEnergyEntry(QMenu* tools, MainWindowState& state, QWidget* window)
{
    QAction* entry = tools->addAction(QStringLiteral("Energy from a &line..."));
    entry->setObjectName(QStringLiteral("mnuEnergyFromLine"));
    QObject::connect(entry, &QAction::triggered, window, [&state, window] {
        auto* dialog = new FormLineEnergy(state, window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
    });
}

} // namespace korvane::ui
