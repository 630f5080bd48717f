#include "ui/MaterialFromFormula.h"

#include "materials/MaterialStore.h"
#include "materials/NumberText.h"
#include "materials/ValenceGroups.h"
#include "ui/Form1Controls.h"
#include "ui/Form1.h"
#include "ui/ToolWindowButtons.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
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

void MaterialFromFormula::open(Form1* window, const MaterialStore& store)
{
    if (window->editingMode() == Form1::EditingMode::Browsing)
        window->controls().cmdNew->click();
    if (window->editingMode() == Form1::EditingMode::Browsing)
        return;
    auto* dialog = new MaterialFromFormula(window, store);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->QDialog::open();
}

MaterialFromFormula::MaterialFromFormula(Form1* window, const MaterialStore& store) : QDialog(window), window_(window)
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

bool MaterialFromFormula::includes(const QCheckBox* checkBox)
{
    return checkBox->checkState() == Qt::Checked;
}

// An element's Nv as the window would total its row, with the ticked groups.
std::optional<float> MaterialFromFormula::elementValence(const Material& element) const
{
    const Form1Controls& ui = window_->controls();
    return ValenceGroups::shownFor(element, includes(ui.chk_S_P_hbe), includes(ui.chk_S_P_lbe), includes(ui.chk_d),
                                   includes(ui.chk_f))
        .total();
}

void MaterialFromFormula::txtFormula_Change()
{
    const QString formula = txtFormula_->text();
    sum_ = sumFormula(
        formula,
        [this](const QString& symbol) {
            const auto found = elements_.find(symbol);
            return found == elements_.end() ? nullptr : &found->second;
        },
        [this](const Material& element) { return elementValence(element); });
    const bool usable = sum_.error.isEmpty();
    lblValenceSum_->setText(usable ? sum_.valenceLine() : QString());
    lblMassSum_->setText(usable ? sum_.massLine() : QString());
    QString problem = formula.trimmed().isEmpty() ? QString() : sum_.error;
    if (usable && !includes(window_->controls().chk_f))
        problem = QStringLiteral("The f box is not ticked in the window: tick it, or Nv will not count.");
    lblProblem_->setText(problem);
    cmdUse_->setEnabled(usable);
}

void MaterialFromFormula::cmdUse_Click()
{
    if (!sum_.error.isEmpty())
        return;
    const Form1Controls& ui = window_->controls();
    QLineEdit* txtName = ui.txtName;
    QLineEdit* txtAtomicMass = ui.txtAtomicMass;
    QLineEdit* txt_f = ui.txt_f;
    for (QLineEdit* group : {ui.txt_s_p_hbe, ui.txt_s_p_lbe, ui.txt_d})
        group->clear();
    txt_f->setText(numbertext::shortest(sum_.valenceElectrons));
    txtAtomicMass->setText(compoundMassText(sum_.mass));
    const QString name = txtName->text().trimmed();
    if (name.isEmpty() || name == kNewMaterialName)
        txtName->setText(txtFormula_->text().trimmed());
    // The window takes the new texts as it takes typed ones: a key released
    // in a changed field recalculates the valence total and the IMFP.
    for (QLineEdit* field : {txt_f, txtAtomicMass}) {
        QKeyEvent released(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &released);
    }
    accept();
}

} // namespace korvane::ui
