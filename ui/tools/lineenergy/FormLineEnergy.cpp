#include "ui/tools/lineenergy/FormLineEnergy.h"

#include "lines/PhotoelectronLine.h"
#include "lines/PhotoionisationCrossSection.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/CompositionTransport.h"
#include "query/KineticEnergy.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/ToolWindow.h"
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

// A cross-section in barns to three significant digits ("229000", "0.00732").
QString barnsText(double barns)
{
    return numbertext::shortest15(QString::number(barns, 'g', 3).toDouble()) + QStringLiteral(" b");
}

// The lines of every element of the material that photons of this energy
// reach, each with its cross-section; an element's levels in order of its
// shells, the elements in the formula's order.
struct OfferedLine {
    lines::PhotoelectronLine line;
    std::optional<double> barns;
};

std::vector<OfferedLine> linesOf(const std::vector<FormulaAtom>& atoms, double photons)
{
    std::vector<OfferedLine> offered;
    for (const FormulaAtom& atom : atoms) {
        for (lines::PhotoelectronLine& line : lines::linesBelow(atom.atomicNumber, photons)) {
            const std::optional<double> barns =
                lines::photoionisationCrossSection(atom.atomicNumber, line.level, photons);
            offered.push_back({std::move(line), barns});
        }
    }
    return offered;
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

    lblMaterial_ = new QLabel(this);
    lblMaterial_->setObjectName(QStringLiteral("lblMaterial"));
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
    lblProblem_ = new QLabel(this);
    lblProblem_->setObjectName(QStringLiteral("lblProblem"));
    lblProblem_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Material:"), lblMaterial_);
    addRow(form, QStringLiteral("&Source:"), cboSource_);
    addRow(form, QStringLiteral("&Photon energy (eV):"), txtPhotonEnergy_);
    addRow(form, QStringLiteral("&Line:"), cboLevel_);
    addRow(form, QStringLiteral("Binding energy:"), txtBindingEnergy_);
    addRow(form, QStringLiteral("Kinetic energy:"), txtKineticEnergy_);
    auto* note = new QLabel(QStringLiteral("Each line with its photoionisation cross-section per atom at the "
                                           "source's photons (Scofield's); the strongest comes chosen. Energies "
                                           "relative to the Fermi level; the work function of the spectrometer "
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
    layout->addWidget(lblProblem_);
    layout->addWidget(note);
    layout->addLayout(footButtons({cmdUse_, cmdClose}));

    connect(cboSource_, &QComboBox::currentIndexChanged, this, &FormLineEnergy::cboSource_Change);
    connect(txtPhotonEnergy_, &QLineEdit::textChanged, this, &FormLineEnergy::txtPhotonEnergy_Change);
    connect(cboLevel_, &QComboBox::currentIndexChanged, this, [this] {
        userChoice_ = cboLevel_->currentData().toString();
        cboLevel_Change();
    });
    connect(cmdUse_, &QPushButton::clicked, this, &FormLineEnergy::cmdUse_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    closeWithKeys(this);
    connect(&state_, &MainWindowState::changed, this, [this] {
        if (isVisible())
            refresh();
    });
    cboSource_Change();
}

void FormLineEnergy::refresh()
{
    const Material material = state_.currentMaterial();
    if (shownFor_ == std::tuple(material.id, material.name))
        return;
    shownFor_ = std::tuple(material.id, material.name);
    lblMaterial_->setText(material.name.trimmed());
    userChoice_.clear();
    fillLevels();
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

std::optional<double> FormLineEnergy::photonEnergy() const
{
    const std::optional<double> energy = numbertext::toDouble(txtPhotonEnergy_->text());
    if (!energy || !(*energy > 0))
        return std::nullopt;
    return energy;
}

void FormLineEnergy::fillLevels()
{
    const Material material = state_.currentMaterial();
    const Result<std::vector<FormulaAtom>> atoms = rowAtoms(material.id, material.name.trimmed().toStdString());
    const std::optional<double> photons = photonEnergy();
    const QSignalBlocker quiet(cboLevel_);
    cboLevel_->clear();
    int strongest = -1;
    double most = 0;
    if (atoms && photons) {
        for (const OfferedLine& offered : linesOf(*atoms, *photons)) {
            const QString name = QString::fromStdString(offered.line.name());
            QString shown = QStringLiteral("%1   (%2").arg(name, electronVolts(offered.line.bindingEnergy));
            if (offered.barns)
                shown += QStringLiteral("; ") + barnsText(*offered.barns);
            cboLevel_->addItem(shown + u')', name);
            if (offered.barns && *offered.barns > most) {
                most = *offered.barns;
                strongest = cboLevel_->count() - 1;
            }
        }
    }
    const int kept = userChoice_.isEmpty() ? -1 : cboLevel_->findData(userChoice_);
    cboLevel_->setCurrentIndex(kept >= 0 ? kept : std::max(0, strongest));
    cboLevel_->setEnabled(cboLevel_->count() > 0);
    lblProblem_->setText(atoms ? QString() : errorText(atoms));
    lblProblem_->setVisible(!atoms);
    cboLevel_Change();
}

std::optional<lines::PhotoelectronLine> FormLineEnergy::chosenLine() const
{
    const Result<lines::PhotoelectronLine> line = lines::findLine(cboLevel_->currentData().toString().toStdString());
    return line ? std::optional(*line) : std::nullopt;
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
        showToolWindow<FormLineEnergy>(window, [&] { return new FormLineEnergy(state, window); })->refresh();
    });
}

} // namespace korvane::ui
