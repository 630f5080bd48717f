#include "ui/tools/stack/StackWindow.h"

#include "lines/PhotoelectronLine.h"
#include "lookup/MaterialSimulation.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/XraySource.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/StateFollower.h"
#include "ui/tools/ToolWindow.h"
#include "ui/tools/ToolWindowButtons.h"
#include "ui/tools/stack/StackDrawing.h"
#include "ui/tools/stack/StackResultsTable.h"
#include "ui/tools/stack/StackSimulationPanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace korvane::ui {

namespace {

constexpr const char* kDefaultSource = "AlKa";

QString formText(ImfpForm form)
{
    return form == ImfpForm::Relativistic ? QStringLiteral("relativistic form")
                                          : QStringLiteral("non-relativistic form");
}

} // namespace

StackWindow* StackWindow::showFor(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store)
{
    StackWindow* window =
        showToolWindow<StackWindow>(mainWindow, [&] { return new StackWindow(mainWindow, state, store); });
    window->layers_->reloadMaterials(); // materials may have been added or renamed since
    window->recalculate();
    return window;
}

StackWindow::StackWindow(QWidget* mainWindow, const MainWindowState& state, const MaterialStore& store)
    : QWidget(mainWindow, Qt::Window), state_(state)
{
    setObjectName(QStringLiteral("StackWindow"));
    setWindowTitle(QStringLiteral("Layered sample"));
    setAttribute(Qt::WA_QuitOnClose, false); // closing the main window still ends the program

    layers_ = new LayerTable(store, this);
    txtAngles_ = new QLineEdit(QStringLiteral("0"), this);
    txtAngles_->setObjectName(QStringLiteral("txtAngles"));
    txtAngles_->setToolTip(QStringLiteral("Emission angles from the surface normal, in degrees: \"0, 70\""));
    cboSource_ = new QComboBox(this);
    cboSource_->setObjectName(QStringLiteral("cboSource"));
    for (const XraySource& source : xraySources())
        cboSource_->addItem(QString::fromUtf8(source.name.data(), qsizetype(source.name.size())),
                            QString::fromUtf8(source.key.data(), qsizetype(source.key.size())));
    cboSource_->setCurrentIndex(cboSource_->findData(QLatin1String(kDefaultSource)));
    cboLine_ = new QComboBox(this);
    cboLine_->setObjectName(QStringLiteral("cboLine"));
    cboLine_->addItem(QStringLiteral("None: the main window's energy"), QString());
    lblEnergy_ = new QLabel(this);
    lblEnergy_->setObjectName(QStringLiteral("lblEnergy"));
    lblEnergy_->setWordWrap(true);
    lblMessage_ = new QLabel(this);
    lblMessage_->setObjectName(QStringLiteral("lblStackMessage"));
    lblMessage_->setWordWrap(true);
    lblMessage_->setStyleSheet(QStringLiteral("color: #b00000"));
    tblResults_ = new QTableWidget(this);
    tblResults_->setObjectName(QStringLiteral("tblResults"));
    tblResults_->verticalHeader()->hide();
    drawing_ = new StackDrawing(this);
    simulation_ = new StackSimulationPanel(this);

    auto* sample = new QGroupBox(QStringLiteral("Sample (layers from the surface down)"), this);
    auto* sampleLayout = new QVBoxLayout(sample);
    sampleLayout->addWidget(layers_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("An&gles (\u00B0):"), txtAngles_);
    form->addRow(QStringLiteral("S&ource:"), cboSource_);
    form->addRow(QStringLiteral("L&ine:"), cboLine_);
    sampleLayout->addLayout(form);
    sampleLayout->addWidget(lblEnergy_);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(sample);
    left->addWidget(simulation_);
    left->addStretch(1);
    top->addLayout(left, 2);
    top->addWidget(drawing_, 3);

    auto* cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    closeWithKeys(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(lblMessage_);
    layout->addWidget(tblResults_, 1);
    layout->addLayout(footButtons({cmdClose}));

    layers_->setLayers({{QStringLiteral("SiO2"), QStringLiteral("15")}}, QStringLiteral("Si"));
    connect(layers_, &LayerTable::changed, this, &StackWindow::recalculate);
    connect(txtAngles_, &QLineEdit::textChanged, this, &StackWindow::recalculate);
    connect(cboSource_, &QComboBox::currentIndexChanged, this, &StackWindow::recalculate);
    connect(cboLine_, &QComboBox::currentIndexChanged, this, &StackWindow::recalculate);
    connect(simulation_, &StackSimulationPanel::resultChanged, this, &StackWindow::showResults);
    // The energy without a line, the form and the groups are the main window's.
    using Change = MainWindowState::Change;
    new StateFollower(state_, Change::Energy | Change::Form | Change::Groups, this, [this] { recalculate(); });
    resize(1000, 680);
}

void StackWindow::fillLines(const LayerTable::Stack& stack)
{
    const XraySource* source = findXraySource(cboSource_->currentData().toString().toStdString());
    const QString chosen = cboLine_->currentData().toString();
    const QSignalBlocker quiet(cboLine_);
    while (cboLine_->count() > 1)
        cboLine_->removeItem(1);
    std::set<int> offered;
    for (const MaterialInputs& material : stack.materials) {
        const Result<std::vector<FormulaAtom>> atoms = atomsOf(material);
        if (!atoms || !source)
            continue;
        for (const FormulaAtom& atom : *atoms) {
            if (!offered.insert(atom.atomicNumber).second)
                continue;
            for (const lines::PhotoelectronLine& line : lines::linesBelow(atom.atomicNumber, source->photonEnergy)) {
                const QString name = QString::fromStdString(line.name());
                cboLine_->addItem(QStringLiteral("%1   (%2 eV)").arg(name, numbertext::shortest15(line.bindingEnergy)),
                                  name);
            }
        }
    }
    cboLine_->setCurrentIndex(std::max(0, cboLine_->findData(chosen)));
}

Result<std::pair<float, std::optional<LineEnergy>>> StackWindow::energy() const
{
    const QString line = cboLine_->currentData().toString();
    if (line.isEmpty()) {
        const Result<MainWindowState::Energy>& typed = state_.energy();
        if (!typed)
            return typed.failure();
        return std::pair<float, std::optional<LineEnergy>>{typed->single, std::nullopt};
    }
    const Result<ResolvedLine> resolved = resolveLine(line, {cboSource_->currentData().toString(), std::nullopt}, QStringLiteral("Line"));
    if (!resolved)
        return resolved.failure();
    return std::pair<float, std::optional<LineEnergy>>{resolved->kineticEnergy, resolved->line};
}

void StackWindow::refuse(const QString& why)
{
    results_.reset();
    lblMessage_->setText(why);
    clearResultsTable(tblResults_);
    drawing_->setSample(std::nullopt);
}

void StackWindow::recalculate()
{
    Result<LayerTable::Stack> stack = layers_->stack(state_.valenceTicks());
    if (stack)
        fillLines(*stack);
    Result<std::vector<double>> angles = readAngles(txtAngles_->text());
    const auto found = energy();
    lblEnergy_->setText(found ? QStringLiteral("%1 eV%2, %3")
                                    .arg(numbertext::shortestFixed(found->first),
                                         found->second ? QStringLiteral(" (%1 by %2)").arg(found->second->line,
                                                                                           found->second->source)
                                                       : QStringLiteral(" from the main window"),
                                         formText(state_.form()))
                              : QString());
    Result<StackResults> results = !stack ? Result<StackResults>(stack.failure())
        : !angles                         ? Result<StackResults>(angles.failure())
        : !found                          ? Result<StackResults>(found.failure())
                 : computeStack(std::move(*stack), std::move(*angles), found->first, state_.form(), found->second);
    if (!results) {
        simulation_->setJob(results.failure());
        refuse(errorText(results));
        return;
    }
    results_ = std::move(*results);
    lblMessage_->setText(unknownAtomsNote(*results_));
    simulation_->setJob(StackSimulationPanel::Job{results_->stack.materials, results_->stack.thicknesses,
                                                  results_->imfps, results_->energy, results_->angles});
    showResults();
}

void StackWindow::showResults()
{
    if (!results_)
        return;
    const std::optional<StackSimulationPanel::Signals>& simulated = simulation_->result();
    fillResultsTable(tblResults_, *results_, simulated);
    StackDrawing::Sample sample;
    for (const MaterialInputs& material : results_->stack.materials)
        sample.names.push_back(material.name);
    sample.thicknesses = results_->stack.thicknesses;
    for (std::size_t a = 0; a < results_->angles.size(); ++a) {
        StackDrawing::Profile profile{results_->angles[a], results_->imfps, std::nullopt};
        if (simulated) {
            profile.simulated.emplace();
            for (const Estimate& e : (*simulated)[a])
                profile.simulated->push_back(e.value);
        }
        sample.profiles.push_back(std::move(profile));
    }
    drawing_->setSample(std::move(sample));
}

void addLayeredSampleEntry(QMenu* tools, const MainWindowState& state, const MaterialStore& store, QWidget* window)
{
    QAction* entry = tools->addAction(QStringLiteral("Layered &sample..."));
    entry->setObjectName(QStringLiteral("mnuLayeredSample"));
    QObject::connect(entry, &QAction::triggered, window,
                     [&state, &store, window] { StackWindow::showFor(window, state, store); });
}

} // namespace korvane::ui
