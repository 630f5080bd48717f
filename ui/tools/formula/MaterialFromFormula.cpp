#include "ui/tools/formula/MaterialFromFormula.h"

#include "materials/store/MaterialStore.h"
#include "materials/model/ShownValenceGroups.h"
#include "presentation/ResultText.h"
#include "ui/tools/formula/FormulaSumText.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/ToolWindowButtons.h"
#include "ui/tools/ToolWindowPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane::ui {

namespace {

const QString kExplanation = QStringLiteral(
    "Type the formula of a compound, for example SiO2, Cu2O, C22H10N2O5 or Ca(OH)2. Nv and the molecular "
    "mass M are summed from the elements' rows of the database, counting the valence groups that are ticked "
    "in the window.");
const QString kUserEntries =
    QStringLiteral("\"Use\" puts Nv into the f-electron box (the other three valence boxes are emptied) and M into the "
                   "atomic-mass field, and the formula into the name when it is empty or still \"type name here\". The "
                   "bulk density and the band gap cannot be known from the formula: type them in the window yourself. "
                   "Nothing is saved until you press Save.");

} // namespace

void MaterialFromFormula::open(QWidget* window, MainWindowState& state, const MaterialStore& store)
{
    auto* dialog = new MaterialFromFormula(window, state, store);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    placeBesideMainWindow(dialog, window);
    dialog->QDialog::open();
}

MaterialFromFormula::MaterialFromFormula(QWidget* window, MainWindowState& state, const MaterialStore& store)
    : QDialog(window), state_(state)
{
    setObjectName(QStringLiteral("frmMaterialFromFormula"));
    setWindowTitle(QStringLiteral("Material from a formula"));
    // The elements come first in ID order.
    for (int i = 0; i < store.storedRowCount(); ++i) {
        const Material row = store.row(i);
        if (row.id >= kFirstCompoundId)
            break;
        elements_.try_emplace(row.name, row);
    }

    auto* explanation = new QLabel(kExplanation, this);
    explanation->setWordWrap(true);
    txtFormula_ = new QLineEdit(this);
    txtFormula_->setObjectName(QStringLiteral("txtFormula"));
    lblValenceSum_ = new QLabel(this);
    lblValenceSum_->setObjectName(QStringLiteral("lblValenceSum"));
    lblMassSum_ = new QLabel(this);
    lblMassSum_->setObjectName(QStringLiteral("lblMassSum"));
    lblProblem_ = new QLabel(this);
    lblProblem_->setObjectName(QStringLiteral("lblProblem"));
    lblProblem_->setWordWrap(true);
    auto* userEntries = new QLabel(kUserEntries, this);
    userEntries->setObjectName(QStringLiteral("lblUserEntries"));
    userEntries->setWordWrap(true);
    cmdUse_ = new QPushButton(QStringLiteral("&Use"), this);
    cmdUse_->setObjectName(QStringLiteral("cmdUse"));
    cmdUse_->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(new QLabel(QStringLiteral("&Formula:"), this));
    qobject_cast<QLabel*>(layout->itemAt(1)->widget())->setBuddy(txtFormula_);
    layout->addWidget(txtFormula_);
    layout->addWidget(lblValenceSum_);
    layout->addWidget(lblMassSum_);
    layout->addWidget(lblProblem_);
    layout->addWidget(userEntries);
    layout->addLayout(footButtons({cmdUse_, cmdCancel}));
    setMinimumWidth(420);

    connect(txtFormula_, &QLineEdit::textChanged, this, &MaterialFromFormula::txtFormula_Change);
    connect(cmdUse_, &QPushButton::clicked, this, &MaterialFromFormula::cmdUse_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    closeWithKeys(this);
    txtFormula_Change();
}

// An element's Nv as the window would total its row, with the ticked groups.
std::optional<float> MaterialFromFormula::elementValence(const Material& element) const
{
    const ValenceTicks ticked = state_.valenceTicks();
    return ShownValenceGroups::shownFor(element, ticked.spHbe, ticked.spLbe, ticked.d, ticked.f).total();
}

void MaterialFromFormula::txtFormula_Change()
{
    const QString formula = txtFormula_->text();
    const Result<FormulaSum> sum = sumFormula(
        formula,
        [this](const QString& symbol) {
            const auto found = elements_.find(symbol);
            return found == elements_.end() ? nullptr : &found->second;
        },
        [this](const Material& element) { return elementValence(element); });
    const bool usable = bool(sum);
    sum_ = usable ? std::optional(*sum) : std::nullopt;
    lblValenceSum_->setText(usable ? valenceSumLine(*sum) : QString());
    lblMassSum_->setText(usable ? massSumLine(*sum) : QString());
    QString problem = formula.trimmed().isEmpty() ? QString() : errorText(sum);
    if (usable && !state_.valenceTicks().f)
        problem = QStringLiteral("The f box is not ticked in the window: tick it, or Nv will not count.");
    lblProblem_->setText(problem);
    cmdUse_->setEnabled(usable);
}

void MaterialFromFormula::cmdUse_Click()
{
    if (!sum_)
        return;
    // Only now does a browsing window start a new material.
    if (!state_.beginAdding())
        return;
    state_.applySums(txtFormula_->text().trimmed(), sum_->valenceElectrons, massToSumDigits(*sum_));
    accept();
}

} // namespace korvane::ui
