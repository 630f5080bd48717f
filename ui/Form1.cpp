#include "ui/Form1.h"

#include "calc/ImfpCalculator.h"
#include "materials/NumberText.h"
#include "materials/ValenceGroups.h"
#include "ui/ControlFactory.h"
#include "ui/DataControl.h"
#include "ui/ElasticPanels.h"
#include "ui/FindControl.h"
#include "ui/InformationPanels.h"
#include "ui/Form1Layout.h"
#include "ui/TransportCrossSectionWindow.h"
#include "ui/MaterialListModel.h"
#include "ui/UpDownArrows.h"
#include "ui/UserPrompts.h"
#include "ui/VectorState.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace korvane::ui {

namespace {

constexpr const char* kTag = "Tag";

QWidget* buildClientArea(QWidget* window)
{
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(twipsToPixels(kForm1Width), twipsToPixels(kForm1Height));
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, QColor(224, 224, 224));
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    const QFont windowFont = designedFont({"Arial", 9, false});
    client->setFont(windowFont);
    buildControls(client, form1Controls(), windowFont);
    applyTabOrder(client, form1TabOrder());
    return client;
}

} // namespace

Form1::Form1(MaterialStore& store, UserPrompts* prompts, QWidget* parent)
    : QMainWindow(parent), store_(store)
{
    if (!prompts) {
        ownPrompts_ = std::make_unique<DialogPrompts>(this);
        prompts = ownPrompts_.get();
    }
    prompts_ = prompts;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QLatin1String(kForm1Caption));
    setCentralWidget(buildClientArea(this));
    // Enlarging the window shows more of the window's grey, never moving a control.
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, centralWidget()->palette().color(QPalette::Window));
    setPalette(windowPalette);

    QMenu* showInformation = menuBar()->addMenu(QStringLiteral("&Show Information"));
    showInformation->setObjectName(QStringLiteral("ShowInformation"));
    showInformation->addAction(QStringLiteral("&Yes"))->setObjectName(QStringLiteral("Yes"));
    showInformation->addAction(QStringLiteral("&No"))->setObjectName(QStringLiteral("No"));
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    addTransportCrossSectionEntry(tools, store_, this);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("&Korvane on the web"))->setObjectName(QStringLiteral("mnuKorvane_on_the_web"));
    help->addAction(QStringLiteral("&About"))->setObjectName(QStringLiteral("mnuAbout"));
    help->menuAction()->setVisible(false);
    help->menuAction()->setEnabled(false);

    txtElectronEnergy_ = findControl<QLineEdit>(this, "txtElectronEnergy");
    updEnergy_ = findControl<UpDownArrows>(this, "updEnergy");
    Opt_relativistic_ = findControl<QRadioButton>(this, "Opt_relativistic");
    Opt_non_relativistic_ = findControl<QRadioButton>(this, "Opt_non_relativistic");
    txtIMFP_2M_ = findControl<QLineEdit>(this, "txtIMFP_2M");
    txtError_ = findControl<QLineEdit>(this, "txtError");
    txt_outside_valid_energy_range_ = findControl<QPlainTextEdit>(this, "txt_outside_valid_energy_range");
    txtName_ = findControl<QLineEdit>(this, "txtName");
    txtBulkDensity_ = findControl<QLineEdit>(this, "txtBulkDensity");
    txtAtomicMass_ = findControl<QLineEdit>(this, "txtAtomicMass");
    txtEnergyGap_ = findControl<QLineEdit>(this, "txtEnergyGap");
    txtNoValenceElectrprAtomorMolec_ = findControl<QLineEdit>(this, "txtNoValenceElectrprAtomorMolec");
    txt_s_p_hbe_ = findControl<QLineEdit>(this, "txt_s_p_hbe");
    txt_s_p_lbe_ = findControl<QLineEdit>(this, "txt_s_p_lbe");
    txt_d_ = findControl<QLineEdit>(this, "txt_d");
    txt_f_ = findControl<QLineEdit>(this, "txt_f");
    txt_Val_El_Total_ = findControl<QLineEdit>(this, "txt_Val_El_Total");
    chk_S_P_hbe_ = findControl<QCheckBox>(this, "chk_S_P_hbe");
    chk_S_P_lbe_ = findControl<QCheckBox>(this, "chk_S_P_lbe");
    chk_d_ = findControl<QCheckBox>(this, "chk_d");
    chk_f_ = findControl<QCheckBox>(this, "chk_f");
    cmdSave_ = findControl<QPushButton>(this, "cmdSave");
    cmdExit_ = findControl<QPushButton>(this, "cmdExit");
    cmdNew_ = findControl<QPushButton>(this, "cmdNew");
    cmdDelete_ = findControl<QPushButton>(this, "cmdDelete");
    cmdChangeParam_ = findControl<QPushButton>(this, "cmdChangeParam");
    cmdFind_ = findControl<QPushButton>(this, "cmdFind");
    cmdClose_ = findControl<QPushButton>(this, "cmdClose");
    txtProcess_ = findControl<QPlainTextEdit>(this, "txtProcess");
    adoMaterials_ = findControl<DataControl>(this, "adoMaterials");
    dgrdName_ = findControl<QTableView>(this, "dgrdName");

    // Filled in this order when the record moves; the name comes last, so
    // its change recalculates with every other field already in place.
    boundFields_ = {{{txtBulkDensity_, Column::Density},
                     {txtAtomicMass_, Column::AtomicWeight},
                     {txtEnergyGap_, Column::EnergyGap},
                     {txt_s_p_hbe_, Column::ValenceSpHbe},
                     {txt_s_p_lbe_, Column::ValenceSpLbe},
                     {txt_d_, Column::ValenceD},
                     {txt_f_, Column::ValenceF},
                     {txtName_, Column::Name}}};

    model_ = new MaterialListModel(store_, this);
    listedGeneration_ = store_.generation();
    dgrdName_->setModel(model_);
    dgrdName_->setColumnWidth(0, twipsToPixels(1094.74));
    dgrdName_->setColumnWidth(1, twipsToPixels(599.811));

    elasticPanels_ = new ElasticPanels(centralWidget(), storedImfp_, this);
    informationPanels_ = new InformationPanels(this, centralWidget());

    connectHandlers();
    store_.setObserver(this);
    Form_Load();
}

Form1::~Form1()
{
    store_.setObserver(nullptr);
}

void Form1::connectHandlers()
{
    connect(txtElectronEnergy_, &QLineEdit::textChanged, this, &Form1::txtElectronEnergy_Change);
    connect(updEnergy_, &UpDownArrows::upClicked, this, &Form1::updEnergy_UpClick);
    connect(updEnergy_, &UpDownArrows::downClicked, this, &Form1::updEnergy_DownClick);
    // Selecting either form recalculates at once with that form.
    for (QRadioButton* option : {Opt_non_relativistic_, Opt_relativistic_}) {
        connect(option, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                RecalculateIMFP();
        });
    }
    connect(txtName_, &QLineEdit::textChanged, this, &Form1::RecalculateIMFP);
    connect(txtNoValenceElectrprAtomorMolec_, &QLineEdit::textChanged, this, &Form1::RecalculateIMFP);
    connect(txt_Val_El_Total_, &QLineEdit::textChanged, txtNoValenceElectrprAtomorMolec_, &QLineEdit::setText);
    for (QCheckBox* box : {chk_S_P_lbe_, chk_S_P_hbe_, chk_d_, chk_f_})
        connect(box, &QCheckBox::clicked, this, &Form1::SumValenceElectrons);
    connect(cmdExit_, &QPushButton::clicked, this, &Form1::cmdExit_Click);
    connect(cmdChangeParam_, &QPushButton::clicked, this, &Form1::cmdChangeParam_Click);
    connect(cmdNew_, &QPushButton::clicked, this, &Form1::cmdNew_Click);
    connect(cmdSave_, &QPushButton::clicked, this, &Form1::cmdSave_Click);
    connect(cmdClose_, &QPushButton::clicked, this, &Form1::cmdClose_Click);
    connect(cmdDelete_, &QPushButton::clicked, this, &Form1::cmdDelete_Click);
    connect(cmdFind_, &QPushButton::clicked, this, &Form1::cmdFind_Click);
    for (const BoundField& field : boundFields_)
        field.box->installEventFilter(this);

    connect(adoMaterials_, &DataControl::firstClicked, this, [this] { store_.moveFirst(); });
    connect(adoMaterials_, &DataControl::lastClicked, this, [this] { store_.moveLast(); });
    // At either end the arrows stay on the first or the last record.
    connect(adoMaterials_, &DataControl::previousClicked, this, [this] {
        if (store_.movePrevious() && store_.bof())
            store_.moveFirst();
    });
    connect(adoMaterials_, &DataControl::nextClicked, this, [this] {
        if (store_.moveNext() && store_.eof())
            store_.moveLast();
    });
    connect(dgrdName_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { dgrdName_RowChanged(current.row()); });
}

void Form1::Form_Load()
{
    txtElectronEnergy_->setText(QStringLiteral("1000"));
    informationPanels_->FillInfoTexts();
    SwitchParameterFields();
    cmdSave_->setEnabled(false);
    store_.moveLast();
    store_.moveFirst();
}

void Form1::txtElectronEnergy_Change()
{
    RecalculateIMFP();
    const std::optional<double> energy = numbertext::toDouble(txtElectronEnergy_->text());
    if (!energy)
        return;
    txt_outside_valid_energy_range_->setVisible(*energy < 50 || *energy > 200000);
}

void Form1::updEnergy_UpClick()
{
    stepEnergy(+50);
}

void Form1::updEnergy_DownClick()
{
    stepEnergy(-50);
}

void Form1::stepEnergy(double step)
{
    // An energy that is not a number has no neighbour to step to: the text
    // stays for the user to correct, and a beep says the click did nothing.
    const std::optional<double> energy = numbertext::toDouble(txtElectronEnergy_->text());
    if (!energy) {
        prompts_->beep();
        return;
    }
    txtElectronEnergy_->setText(numbertext::shortest15(*energy + step));
}

void Form1::dgrdName_RowColChange()
{
    RecalculateIMFP();
}

void Form1::cmdExit_Click()
{
    close();
}

void Form1::RecalculateIMFP()
{
    if (Opt_non_relativistic_->isChecked())
        CalculateIMFPNonRelativistic();
    else
        CalculateIMFPRelativistic();
}

void Form1::CalculateIMFPNonRelativistic()
{
    calculateImfp(false);
}

void Form1::CalculateIMFPRelativistic()
{
    calculateImfp(true);
}

void Form1::calculateImfp(bool relativistic)
{
    clearUpperVectorState();
    txtError_->hide();
    SumValenceElectrons();
    ImfpInputs inputs;
    const std::array<std::pair<QLineEdit*, float*>, 5> fields = {{
        {txtBulkDensity_, &inputs.density},
        {txtNoValenceElectrprAtomorMolec_, &inputs.valenceElectrons},
        {txtAtomicMass_, &inputs.mass},
        {txtEnergyGap_, &inputs.bandGap},
        {txtElectronEnergy_, &inputs.energy},
    }};
    for (const auto& [box, value] : fields) {
        const std::optional<float> number = numbertext::toSingle(box->text());
        if (!number) {
            txtError_->show();
            return;
        }
        *value = *number;
    }
    const std::optional<float> result =
        imfp(relativistic ? ImfpForm::Relativistic : ImfpForm::NonRelativistic, inputs);
    if (!result) {
        txtError_->show();
        return;
    }
    storedImfp_ = *result;
    txtIMFP_2M_->setText(numbertext::length(storedImfp_));
}

void Form1::SumValenceElectrons()
{
    const ValenceGroups groups{
        {txt_s_p_hbe_->text(), chk_S_P_hbe_->checkState() == Qt::Checked},
        {txt_s_p_lbe_->text(), chk_S_P_lbe_->checkState() == Qt::Checked},
        {txt_d_->text(), chk_d_->checkState() == Qt::Checked},
        {txt_f_->text(), chk_f_->checkState() == Qt::Checked},
    };
    if (const std::optional<float> total = groups.total())
        txt_Val_El_Total_->setText(numbertext::shortest(*total));
}

void Form1::willMove()
{
    txt_Val_El_Total_->setText(QStringLiteral("0"));
}

void Form1::moveComplete()
{
    followStoreRows();
    if (!store_.current())
        return;
    bindFields();
    adoMaterials_MoveComplete();
    showCurrentRowInGrid();
    dgrdName_RowColChange();
}

QString Form1::boundText(const BoundField& field) const
{
    const QVariant value = store_.field(int(field.column));
    if (!value.isValid())
        return {};
    switch (field.column) {
    case Column::Name: return value.toString();
    case Column::ValenceSpHbe:
    case Column::ValenceSpLbe:
    case Column::ValenceD:
    case Column::ValenceF: return numbertext::fixed(value.toFloat(), 1);
    default: return numbertext::shortest(value.toFloat());
    }
}

void Form1::bindFields()
{
    for (const BoundField& field : boundFields_)
        field.box->setText(boundText(field));
}

void Form1::adoMaterials_MoveComplete()
{
    if (store_.eof() || store_.bof())
        return;
    RefreshFieldTags();
    adoMaterials_->setCaption(QStringLiteral("Rec: %1 of %2").arg(store_.absolutePosition()).arg(store_.recordCount()));
}

void Form1::RefreshFieldTags()
{
    for (const BoundField& field : boundFields_)
        field.box->setProperty(kTag, boundText(field));
}

void Form1::SwitchParameterFields()
{
    for (QLineEdit* box : {txtName_, txt_d_, txt_f_, txt_s_p_hbe_, txt_s_p_lbe_, txtAtomicMass_, txtBulkDensity_,
                           txtEnergyGap_})
        box->setEnabled(!box->isEnabled());
}

// The name list reads the rows afresh after they changed in the file.
void Form1::followStoreRows()
{
    if (listedGeneration_ == store_.generation())
        return;
    listedGeneration_ = store_.generation();
    model_->reload();
}

void Form1::showCurrentRowInGrid()
{
    showGridRow(store_.currentIndex());
}

// Makes `row` the name list's current row without taking it for a click.
void Form1::showGridRow(int row)
{
    if (row < 0)
        return;
    syncingGrid_ = true;
    gridRow_ = row;
    const QModelIndex index = model_->index(row, 0);
    dgrdName_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    dgrdName_->scrollTo(index);
    syncingGrid_ = false;
}

void Form1::dgrdName_RowChanged(int row)
{
    if (syncingGrid_ || row < 0 || row == store_.currentIndex())
        return;
    // Leaving a material that is being changed or added asks first.
    if (editingMode() != EditingMode::Browsing && !settlePendingEdit()) {
        const int shown = gridRow_;
        QMetaObject::invokeMethod(this, [this, shown] {
            if (editingMode() != EditingMode::Browsing)
                showGridRow(shown);
        }, Qt::QueuedConnection);
        return;
    }
    if (!store_.moveTo(row))
        showCurrentRowInGrid();
}

} // namespace korvane::ui
