#include "ui/mainwindow/Form1.h"

#include "calc/ImfpCalculator.h"
#include "calc/ValidEnergyRange.h"
#include "presentation/LineBreaks.h"
#include "presentation/LocaleNumberText.h"
#include "materials/model/ShownValenceGroups.h"
#include "ui/common/ShownNumbers.h"
#include "ui/controls/ControlFactory.h"
#include "ui/controls/DataControl.h"
#include "ui/tools/depth/DepthWindow.h"
#include "ui/mainwindow/ElasticPanels.h"
#include "ui/tools/lineenergy/FormLineEnergy.h"
#include "ui/tools/stack/StackWindow.h"
#include "ui/tools/quantify/QuantificationWindow.h"
#include "ui/tools/curve/ImfpCurveWindow.h"
#include "ui/mainwindow/InformationPanels.h"
#include "ui/mainwindow/MessagesInFreeArea.h"
#include "ui/tools/formula/FormulaSumText.h"
#include "ui/mainwindow/Form1Layout.h"
#include "ui/tools/formula/MaterialFromFormula.h"
#include "ui/tools/transport/TransportCrossSectionWindow.h"
#include "ui/mainwindow/MaterialListModel.h"
#include "ui/controls/UpDownArrows.h"
#include "ui/common/UserPrompts.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <limits>

namespace korvane::ui {

namespace {

constexpr const char* kTag = "Tag";

// " The formula gives no physical IMFP for these values.", in the error
// field's manner: with a leading blank.
QString noPhysicalImfpText()
{
    return u' ' + noPhysicalImfpSentence();
}

QWidget* buildClientArea(QWidget* window, Form1Controls& controls)
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
    buildControls(client, form1Controls(), windowFont, controls);
    applyTabOrder(client, form1TabOrder());
    return client;
}

// The fields of the material that editing opens for typing.
std::vector<QLineEdit*> parameterBoxes(const Form1Controls& ui)
{
    return {ui.txtName,     ui.txt_d,         ui.txt_f,          ui.txt_s_p_hbe,
            ui.txt_s_p_lbe, ui.txtAtomicMass, ui.txtBulkDensity, ui.txtEnergyGap};
}

} // namespace

Form1::Form1(MaterialStore& store, UserPrompts* prompts, QWidget* parent) : QMainWindow(parent), store_(store)
{
    if (!prompts) {
        ownPrompts_ = std::make_unique<DialogPrompts>(this);
        prompts = ownPrompts_.get();
    }
    prompts_ = prompts;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QLatin1String(kForm1Caption));
    setCentralWidget(buildClientArea(this, ui_));
    // A stored name of any length is shown whole, so that a Save never stores
    // it cut (the line edit's default cuts at 32767); Save refuses a name
    // longer than kMaxNameLength.
    ui_.txtName->setMaxLength(std::numeric_limits<int>::max());
    // The red boxes over the material parameters are read whole and never
    // hide a field in use: where their designed place is taken they move.
    new MessagesInFreeArea(centralWidget(), {ui_.txtProcess, ui_.txtError}, this);
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
    QAction* imfpCurve = tools->addAction(QStringLiteral("IMFP &curve..."));
    imfpCurve->setObjectName(QStringLiteral("mnuImfpCurve"));
    connect(imfpCurve, &QAction::triggered, this, [this] { ImfpCurveWindow::open(this, state_, *prompts_); });
    addLineEnergyEntry(tools, state_, this);
    QAction* depth = tools->addAction(QStringLiteral("&Depth of the signal..."));
    depth->setObjectName(QStringLiteral("mnuDepthOfTheSignal"));
    connect(depth, &QAction::triggered, this, [this] { DepthWindow::showFor(this, state_, store_); });
    addLayeredSampleEntry(tools, state_, store_, this);
    QAction* fromFormula = tools->addAction(QStringLiteral("Material from a &formula..."));
    fromFormula->setObjectName(QStringLiteral("mnuMaterialFromFormula"));
    connect(fromFormula, &QAction::triggered, this, [this] { MaterialFromFormula::open(this, state_, store_); });
    addTransportCrossSectionEntry(tools, state_, this);
    addQuantificationEntry(tools, state_, store_, this);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("&Korvane on the web"))->setObjectName(QStringLiteral("mnuKorvane_on_the_web"));
    help->addAction(QStringLiteral("&About"))->setObjectName(QStringLiteral("mnuAbout"));
    help->menuAction()->setVisible(false);
    help->menuAction()->setEnabled(false);

    // Filled in this order when the record moves; the name comes last, so
    // its change recalculates with every other field already in place.
    boundFields_ = {{{ui_.txtBulkDensity, Column::Density},
                     {ui_.txtAtomicMass, Column::AtomicWeight},
                     {ui_.txtEnergyGap, Column::EnergyGap},
                     {ui_.txt_s_p_hbe, Column::ValenceSpHbe},
                     {ui_.txt_s_p_lbe, Column::ValenceSpLbe},
                     {ui_.txt_d, Column::ValenceD},
                     {ui_.txt_f, Column::ValenceF},
                     {ui_.txtName, Column::Name}}};

    model_ = new MaterialListModel(store_, this);
    ui_.dgrdName->setModel(model_);
    ui_.dgrdName->setColumnWidth(0, twipsToPixels(1094.74));
    ui_.dgrdName->setColumnWidth(1, twipsToPixels(599.811));

    elasticPanels_ = new ElasticPanels(ui_, this);
    informationPanels_ = new InformationPanels(this, ui_);

    connectHandlers();
    store_.addListener(this);
    Form_Load();
}

Form1::~Form1()
{
    store_.removeListener(this);
}

void Form1::bindState()
{
    using Field = MainWindowState::Field;
    const std::pair<QLineEdit*, Field> fields[] = {
        {ui_.txtName, Field::Name},
        {ui_.txtBulkDensity, Field::Density},
        {ui_.txtAtomicMass, Field::Mass},
        {ui_.txtEnergyGap, Field::BandGap},
        {ui_.txtElectronEnergy, Field::Energy},
        {ui_.txtNoValenceElectrprAtomorMolec, Field::ValenceElectrons},
    };
    for (const auto& [box, field] : fields) {
        state_.setText(field, box->text());
        connect(box, &QLineEdit::textChanged, &state_,
                [this, field](const QString& text) { state_.setText(field, text); });
    }
    const auto readForm = [this] {
        state_.setForm(ui_.Opt_relativistic->isChecked() ? ImfpForm::Relativistic : ImfpForm::NonRelativistic);
    };
    readForm();
    connect(ui_.Opt_relativistic, &QRadioButton::toggled, &state_, readForm);
    const auto readTicks = [this] {
        const auto ticked = [](const QCheckBox* box) { return box->checkState() == Qt::Checked; };
        state_.setValenceTicks(
            {ticked(ui_.chk_S_P_hbe), ticked(ui_.chk_S_P_lbe), ticked(ui_.chk_d), ticked(ui_.chk_f)});
    };
    readTicks();
    // A tick changes Nv with it: one change of the state.
    for (QCheckBox* box : {ui_.chk_S_P_lbe, ui_.chk_S_P_hbe, ui_.chk_d, ui_.chk_f}) {
        connect(box, &QCheckBox::toggled, &state_, [this, readTicks] {
            const MainWindowState::ChangeScope change(state_);
            readTicks();
            SumValenceElectrons();
        });
    }

    connect(&state_, &MainWindowState::energyRequested, this,
            [this](double energy) { ui_.txtElectronEnergy->setText(numbertext::shortest15(energy)); });
    connect(&state_, &MainWindowState::addingRequested, this, &Form1::cmdNew_Click);
    connect(&state_, &MainWindowState::sumsRequested, this, &Form1::applyFormulaSums);
    connect(&state_, &MainWindowState::transportCrossSectionRequested, elasticPanels_,
            &ElasticPanels::takeTransportCrossSection);
}

// Nv into the f group with the other groups emptied, the mass, and the
// formula as the name of a material that has none yet; then the window
// recalculates as after typing.
void Form1::applyFormulaSums(const QString& formula, float valenceElectrons, float mass)
{
    const MainWindowState::ChangeScope change(state_);
    for (QLineEdit* group : {ui_.txt_s_p_hbe, ui_.txt_s_p_lbe, ui_.txt_d})
        group->clear();
    ui_.txt_f->setText(numbertext::shortest(valenceElectrons));
    ui_.txtAtomicMass->setText(compoundMassText(mass));
    const QString name = ui_.txtName->text().trimmed();
    if (name.isEmpty() || name == kNewMaterialName)
        ui_.txtName->setText(formula);
    ParameterEdited();
}

// The ID of the record shown, none for a new one.
void Form1::noteSavedId()
{
    const QVariant id = store_.field(int(Column::Id));
    state_.setSavedId(id.isValid() && !id.isNull() ? std::optional<qint64>(id.toLongLong()) : std::nullopt);
}

void Form1::connectHandlers()
{
    // First, so that the state holds a field's new text before the window
    // recalculates from it.
    bindState();
    connect(ui_.txtElectronEnergy, &QLineEdit::textChanged, this, &Form1::txtElectronEnergy_Change);
    connect(ui_.updEnergy, &UpDownArrows::upClicked, this, &Form1::updEnergy_UpClick);
    connect(ui_.updEnergy, &UpDownArrows::downClicked, this, &Form1::updEnergy_DownClick);
    // Selecting either form recalculates at once with that form.
    for (QRadioButton* option : {ui_.Opt_non_relativistic, ui_.Opt_relativistic}) {
        connect(option, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                RecalculateIMFP();
        });
    }
    connect(ui_.txtName, &QLineEdit::textChanged, this, &Form1::RecalculateIMFP);
    // The correction-factor panels work with the density and mass as the state holds them.
    for (QLineEdit* field : {ui_.txtBulkDensity, ui_.txtAtomicMass}) {
        connect(field, &QLineEdit::textChanged, this, [this] {
            elasticPanels_->setMaterial(state_.material().values.density, state_.material().values.mass);
        });
    }
    connect(ui_.txtNoValenceElectrprAtomorMolec, &QLineEdit::textChanged, this, &Form1::RecalculateIMFP);
    connect(ui_.txt_Val_El_Total, &QLineEdit::textChanged, ui_.txtNoValenceElectrprAtomorMolec, &QLineEdit::setText);
    for (QCheckBox* box : {ui_.chk_S_P_lbe, ui_.chk_S_P_hbe, ui_.chk_d, ui_.chk_f})
        connect(box, &QCheckBox::clicked, this, &Form1::SumValenceElectrons);
    connect(ui_.cmdExit, &QPushButton::clicked, this, &Form1::cmdExit_Click);
    connect(ui_.cmdChangeParam, &QPushButton::clicked, this, &Form1::cmdChangeParam_Click);
    connect(ui_.cmdNew, &QPushButton::clicked, this, &Form1::cmdNew_Click);
    connect(ui_.cmdSave, &QPushButton::clicked, this, &Form1::cmdSave_Click);
    connect(ui_.cmdClose, &QPushButton::clicked, this, &Form1::cmdClose_Click);
    connect(ui_.cmdDelete, &QPushButton::clicked, this, &Form1::cmdDelete_Click);
    connect(ui_.cmdFind, &QPushButton::clicked, this, &Form1::cmdFind_Click);
    for (const BoundField& field : boundFields_)
        field.box->installEventFilter(this);

    connect(ui_.adoMaterials, &DataControl::firstClicked, this, [this] { reportFailedMove(store_.moveFirst()); });
    connect(ui_.adoMaterials, &DataControl::lastClicked, this, [this] { reportFailedMove(store_.moveLast()); });
    // At either end the arrows stay on the first or the last record.
    connect(ui_.adoMaterials, &DataControl::previousClicked, this, [this] {
        if (store_.movePrevious() && store_.bof())
            reportFailedMove(store_.moveFirst());
    });
    connect(ui_.adoMaterials, &DataControl::nextClicked, this, [this] {
        if (store_.moveNext() && store_.eof())
            reportFailedMove(store_.moveLast());
    });
    connect(ui_.dgrdName->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { dgrdName_RowChanged(current.row()); });
}

void Form1::Form_Load()
{
    const MainWindowState::ChangeScope change(state_);
    ui_.txtElectronEnergy->setText(QStringLiteral("1000"));
    informationPanels_->FillInfoTexts();
    enterMode(EditingMode::Browsing);
    reportFailedMove(store_.moveLast());
    reportFailedMove(store_.moveFirst());
}

void Form1::txtElectronEnergy_Change()
{
    RecalculateIMFP();
    const std::optional<double> energy = numbertext::toDouble(ui_.txtElectronEnergy->text());
    if (!energy)
        return;
    ui_.txt_outside_valid_energy_range->setVisible(outsideValidEnergyRange(*energy));
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
    const std::optional<double> energy = numbertext::toDouble(ui_.txtElectronEnergy->text());
    if (!energy) {
        prompts_->beep();
        return;
    }
    ui_.txtElectronEnergy->setText(numbertext::shortest15(*energy + step));
}

void Form1::dgrdName_RowColChange()
{
    RecalculateIMFP();
}

void Form1::cmdExit_Click()
{
    close();
}

// The IMFP in the chosen form from the fields as they stand: the valence
// total first, then the IMFP that the state has formed from the values.
void Form1::RecalculateIMFP()
{
    ui_.txtError->hide();
    SumValenceElectrons();
    const MainWindowState::Imfp& result = state_.imfp();
    if (!result) {
        showImfpError(result.code() == ErrorCode::NoPhysicalValue ? noPhysicalImfpText() : QLatin1String(kErrorText));
        return;
    }
    elasticPanels_->setStoredImfp(*result);
    ui_.txtIMFP_2M->setText(numbertext::length(*result));
}

// The error field says why there is no IMFP. No IMFP is kept or shown, and
// the results formed from the one before are taken off the panels, so that
// no number of another material stays beside this one.
void Form1::showImfpError(const QString& reason)
{
    ui_.txtIMFP_2M->clear();
    elasticPanels_->forgetImfp();
    ui_.txtError->setText(reason);
    ui_.txtError->show();
}

void Form1::SumValenceElectrons()
{
    const ShownValenceGroups groups{
        {ui_.txt_s_p_hbe->text(), ui_.chk_S_P_hbe->checkState() == Qt::Checked},
        {ui_.txt_s_p_lbe->text(), ui_.chk_S_P_lbe->checkState() == Qt::Checked},
        {ui_.txt_d->text(), ui_.chk_d->checkState() == Qt::Checked},
        {ui_.txt_f->text(), ui_.chk_f->checkState() == Qt::Checked},
    };
    if (const std::optional<float> total = groups.total())
        ui_.txt_Val_El_Total->setText(numbertext::shortest(*total));
}

// The store tells willMove and moveComplete in pairs: the values of a move
// reach the state as one change.
void Form1::willMove()
{
    moving_.emplace(state_);
    ui_.txt_Val_El_Total->setText(QStringLiteral("0"));
}

void Form1::moveComplete()
{
    if (store_.current()) {
        noteSavedId();
        bindFields();
        adoMaterials_MoveComplete();
        showCurrentRowInGrid();
        dgrdName_RowColChange();
    }
    moving_.reset();
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
    case Column::ValenceF: return ShownValenceGroups::groupText(value.toFloat());
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
    ui_.adoMaterials->setCaption(
        QStringLiteral("Rec: %1 of %2").arg(store_.absolutePosition()).arg(store_.storedRowCount()));
}

void Form1::RefreshFieldTags()
{
    for (const BoundField& field : boundFields_)
        field.box->setProperty(kTag, boundText(field));
}

void Form1::enableParameterFields(bool enabled)
{
    for (QLineEdit* box : parameterBoxes(ui_))
        box->setEnabled(enabled);
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
    ui_.dgrdName->selectionModel()->setCurrentIndex(index,
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ui_.dgrdName->scrollTo(index);
    syncingGrid_ = false;
}

// A move that fails on a table with rows could not read the record: the
// window stays on the one it shows and says why. A table without rows has
// nowhere to move to, and nothing to say.
void Form1::reportFailedMove(const Result<void>& moved)
{
    if (moved || store_.storedRowCount() == 0)
        return;
    prompts_->message(QStringLiteral("The material could not be read:") + lineBreak() + errorText(moved),
                      QStringLiteral("Read failed"), OkExclamation);
}

void Form1::dgrdName_RowChanged(int row)
{
    if (syncingGrid_ || row < 0 || row == store_.currentIndex())
        return;
    // Leaving a material that is being changed or added asks first.
    if (editingMode() != EditingMode::Browsing && !settlePendingEdit()) {
        const int shown = gridRow_;
        QMetaObject::invokeMethod(
            this,
            [this, shown] {
                if (editingMode() != EditingMode::Browsing)
                    showGridRow(shown);
            },
            Qt::QueuedConnection);
        return;
    }
    if (!store_.moveTo(row))
        showCurrentRowInGrid();
}

} // namespace korvane::ui
