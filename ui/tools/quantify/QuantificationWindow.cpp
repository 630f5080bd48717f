#include "ui/tools/quantify/QuantificationWindow.h"

#include "calc/MagicAngle.h"
#include "lookup/MaterialCatalog.h"
#include "lookup/SampleQuantification.h"
#include "materials/store/MaterialStore.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/ImfpEvaluation.h"
#include "query/RequestReader.h"
#include "query/XraySource.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/StateFollower.h"
#include "ui/tools/ToolWindow.h"
#include "ui/tools/ToolWindowButtons.h"
#include "ui/tools/quantify/PeakTable.h"
#include "ui/tools/quantify/QuantificationCells.h"

#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include <charconv>
#include <map>

namespace korvane::ui {

namespace {

constexpr const char* kDefaultSource = "AlKa";

// A number typed in the user's locale as tpp2m reads it (full stop, every
// digit kept); a text that is no number goes as typed, for the reader to
// refuse in its words.
std::string readerText(const QString& typed)
{
    const std::optional<double> value = numbertext::toDouble(typed);
    if (!value)
        return typed.trimmed().toStdString();
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, *value);
    return std::string(digits, written.ptr);
}

// The window's refusals name an input by its caption here, as tpp2m names
// it by its option: `Peak "Cu 3p": a second peak of Cu ...`.
std::string windowSpelling(std::string_view name)
{
    static const std::map<std::string_view, std::string> captions = {
        {"peak", "Peak"},
        {"beta", "\u03B2"},
        {"source", "Source"},
        {"photon-energy", "Photon energy"},
        {"angle", "Emission angle"},
        {"source-angle", "Source angle"},
        {"transmission-exponent", "Transmission exponent"},
        {"layer", "Contamination layer"}};
    const auto caption = captions.find(name);
    return caption != captions.end() ? caption->second : std::string(name);
}

QLineEdit* box(QWidget* parent, const char* name, const QString& text = {})
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QLatin1String(name));
    return field;
}

// A labelled row whose label's mnemonic moves the focus to its field.
void addRow(QFormLayout* form, const QString& caption, QWidget* field)
{
    auto* label = new QLabel(caption, form->parentWidget());
    label->setBuddy(field);
    form->addRow(label, field);
}

} // namespace

QuantificationWindow* QuantificationWindow::showFor(QWidget* mainWindow, const MainWindowState& state,
                                                   const MaterialStore& store)
{
    QuantificationWindow* window = showToolWindow<QuantificationWindow>(
        mainWindow, [&] { return new QuantificationWindow(mainWindow, state, store); });
    window->reloadMaterials(); // materials may have been added or renamed since
    return window;
}

QuantificationWindow::QuantificationWindow(QWidget* mainWindow, const MainWindowState& state,
                                           const MaterialStore& store)
    : QWidget(mainWindow, Qt::Window), state_(state), store_(store)
{
    setObjectName(QStringLiteral("QuantificationWindow"));
    setWindowTitle(QStringLiteral("Quantification"));
    setAttribute(Qt::WA_QuitOnClose, false); // closing the main window still ends the program

    lblMatrix_ = new QLabel(this);
    lblMatrix_->setObjectName(QStringLiteral("lblMatrix"));
    QFont bold = lblMatrix_->font();
    bold.setBold(true);
    lblMatrix_->setFont(bold);

    auto* peaksBox = new QGroupBox(QStringLiteral("Pea&ks"), this);
    tblPeaks_ = new PeakTable(peaksBox);
    auto* peaksHint = new QLabel(QStringLiteral("One peak per element. Type into the last row, or copy rows of a "
                                                "spreadsheet (element, level, area, \u03B2) and paste them "
                                                "with Ctrl+V. An s level takes \u03B2 = 2 unless given."),
                                 peaksBox);
    peaksHint->setWordWrap(true);
    auto* peaksLayout = new QVBoxLayout(peaksBox);
    peaksLayout->addWidget(tblPeaks_);
    peaksLayout->addWidget(peaksHint);

    auto* setupBox = new QGroupBox(QStringLiteral("Source and geometry"), this);
    cboSource_ = new QComboBox(setupBox);
    cboSource_->setObjectName(QStringLiteral("cboSource"));
    for (const XraySource& source : xraySources())
        cboSource_->addItem(QStringLiteral("%1 (%2 eV)").arg(QString::fromUtf8(source.name),
                                                             numbertext::shortest15(source.photonEnergy)),
                            QString::fromUtf8(source.key));
    cboSource_->addItem(QStringLiteral("Other photon energy"));
    cboSource_->setCurrentIndex(cboSource_->findData(QLatin1String(kDefaultSource)));
    txtPhotonEnergy_ = box(setupBox, "txtPhotonEnergy");
    txtAngle_ = box(setupBox, "txtAngle", QStringLiteral("0"));
    txtSourceAngle_ = box(setupBox, "txtSourceAngle");
    txtSourceAngle_->setPlaceholderText(QStringLiteral("magic angle ") + numbertext::fixed(kMagicAngle, 4));
    txtTransmissionExponent_ = box(setupBox, "txtTransmissionExponent", QStringLiteral("0"));
    cboLayer_ = new QComboBox(setupBox);
    cboLayer_->setObjectName(QStringLiteral("cboLayer"));
    txtLayerThickness_ = box(setupBox, "txtLayerThickness", QStringLiteral("0"));
    auto* setup = new QFormLayout(setupBox);
    addRow(setup, QStringLiteral("&Source:"), cboSource_);
    addRow(setup, QStringLiteral("&Photon energy (eV):"), txtPhotonEnergy_);
    addRow(setup, QStringLiteral("&Emission angle \u03B8 from the normal (°):"), txtAngle_);
    addRow(setup, QStringLiteral("Source &angle \u03C8 to the analyser (°):"), txtSourceAngle_);
    addRow(setup, QStringLiteral("&Transmission exponent n (T = E\u207B\u207F):"), txtTransmissionExponent_);
    addRow(setup, QStringLiteral("Contamination &layer:"), cboLayer_);
    addRow(setup, QStringLiteral("Layer t&hickness (Å):"), txtLayerThickness_);

    lblProblem_ = new QLabel(this);
    lblProblem_->setObjectName(QStringLiteral("lblProblem"));
    lblProblem_->setWordWrap(true);
    lblProblem_->setStyleSheet(QStringLiteral("color: #b00000"));
    lblProblem_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    tblResults_ = new QTableWidget(this);
    tblResults_->setObjectName(QStringLiteral("tblResults"));
    tblResults_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResults_->setTabKeyNavigation(false);
    tblResults_->setColumnCount(int(quantificationHeadings().size()));
    tblResults_->setHorizontalHeaderLabels(quantificationHeadings());
    tblResults_->verticalHeader()->hide();

    auto* legend = new QLabel(quantificationLegend(), this);
    legend->setWordWrap(true);

    cmdCopyCsv_ = new QPushButton(QStringLiteral("Copy as CS&V"), this);
    cmdCopyCsv_->setObjectName(QStringLiteral("cmdCopyCsv"));
    auto* cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdCopyCsv_, &QPushButton::clicked, this, &QuantificationWindow::copyCsv);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    closeWithKeys(this);

    auto* inputs = new QHBoxLayout;
    inputs->addWidget(peaksBox, 1);
    inputs->addWidget(setupBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMatrix_);
    layout->addLayout(inputs);
    layout->addWidget(lblProblem_);
    layout->addWidget(tblResults_, 1);
    layout->addWidget(legend);
    layout->addLayout(footButtons({cmdCopyCsv_, cmdClose}));

    reloadMaterials();
    connect(tblPeaks_, &PeakTable::peaksChanged, this, &QuantificationWindow::recalculate);
    connect(cboSource_, &QComboBox::currentIndexChanged, this, [this] {
        const XraySource* source = findXraySource(cboSource_->currentData().toString().toStdString());
        txtPhotonEnergy_->setEnabled(source == nullptr);
        if (source)
            txtPhotonEnergy_->setText(numbertext::shortest15(source->photonEnergy));
        recalculate();
    });
    txtPhotonEnergy_->setText(numbertext::shortest15(findXraySource(kDefaultSource)->photonEnergy));
    txtPhotonEnergy_->setEnabled(false);
    for (QLineEdit* field : {txtPhotonEnergy_, txtAngle_, txtSourceAngle_, txtTransmissionExponent_, txtLayerThickness_})
        connect(field, &QLineEdit::textChanged, this, &QuantificationWindow::recalculate);
    connect(cboLayer_, &QComboBox::currentIndexChanged, this, [this] {
        txtLayerThickness_->setEnabled(cboLayer_->currentIndex() > 0);
        recalculate();
    });
    txtLayerThickness_->setEnabled(false);
    // The matrix is the main window's material with its form and groups;
    // while it is being typed, its numbers may be missing.
    using Change = MainWindowState::Change;
    new StateFollower(state_, Change::Material | Change::Form | Change::Groups | Change::EditingMode, this, [this] { recalculate(); });
    recalculate();

    const QSize available = mainWindow->screen()->availableSize() * 0.9;
    resize(QSize(1100, 620).boundedTo(available).expandedTo(minimumSizeHint()));
}

void QuantificationWindow::reloadMaterials()
{
    const QSignalBlocker quiet(cboLayer_);
    const QString chosen = cboLayer_->currentText();
    cboLayer_->clear();
    cboLayer_->addItem(QStringLiteral("(none)"), -1);
    for (int i = 0; i < store_.storedRowCount(); ++i)
        cboLayer_->addItem(store_.row(i).name, i);
    cboLayer_->setCurrentIndex(std::max(0, cboLayer_->findText(chosen)));
    txtLayerThickness_->setEnabled(cboLayer_->currentIndex() > 0);
    recalculate();
}

NamedTexts QuantificationWindow::typedInputs() const
{
    NamedTexts inputs;
    if (const QString source = cboSource_->currentData().toString(); !source.isEmpty())
        inputs.push_back({"source", source.toStdString()});
    else
        inputs.push_back({"photon-energy", readerText(txtPhotonEnergy_->text())});
    inputs.push_back({"angle", readerText(txtAngle_->text())});
    if (!txtSourceAngle_->text().trimmed().isEmpty())
        inputs.push_back({"source-angle", readerText(txtSourceAngle_->text())});
    inputs.push_back({"transmission-exponent", readerText(txtTransmissionExponent_->text())});
    if (cboLayer_->currentIndex() > 0)
        inputs.push_back({"layer", (cboLayer_->currentText() + u':').toStdString()
                                       + readerText(txtLayerThickness_->text())});
    for (const TypedPeak& peak : tblPeaks_->peaks()) {
        const std::string line = (peak.element + u' ' + peak.level).toStdString();
        inputs.push_back({"peak", line + '=' + readerText(peak.area)});
        if (!peak.beta.isEmpty())
            inputs.push_back({"beta", line + '=' + readerText(peak.beta)});
    }
    return inputs;
}

Result<std::vector<QuantificationRow>> QuantificationWindow::quantifyTyped() const
{
    const Result<Request> request =
        readRequest(typedInputs(), {.quantification = true, .asker = "quantify"}, windowSpelling);
    if (!request)
        return request.failure();
    const RequestedPhotons& photons = request->photons;
    const MainWindowState::MaterialNumbers& matrix = state_.material();
    SampleQuantification sample{
        .matrix = {matrix.name.trimmed(), state_.savedId(), matrix.values},
        .form = state_.form(),
        .photonEnergy = photons.sourceKey ? findXraySource(*photons.sourceKey)->photonEnergy : *photons.photonEnergy,
        .emissionAngle = request->angle,
        .sourceAngle = request->sourceAngle,
        .transmissionExponent = request->transmissionExponent,
        .peaks = request->peaks,
        .spelling = windowSpelling};
    if (!request->layers.empty()) {
        const Material layer = store_.row(cboLayer_->currentData().toInt());
        sample.layer = MaterialInputs{layer.name,
                                      layer.id,
                                      {layer.density, layer.atomicWeight, layer.energyGap,
                                       valenceTotal(layer, state_.valenceTicks())}};
        sample.layerThickness = request->layers.front().thickness;
    }
    return quantifySample(sample);
}

void QuantificationWindow::recalculate()
{
    const MainWindowState::MaterialNumbers& matrix = state_.material();
    lblMatrix_->setText(QStringLiteral("Matrix: %1, the main window's material, in the %2 form")
                            .arg(matrix.name.trimmed(), state_.form() == ImfpForm::Relativistic
                                                            ? QStringLiteral("relativistic")
                                                            : QStringLiteral("non-relativistic")));
    // A material being typed lacks its numbers in the main window, not in
    // the database, as a stored row's missing value is told per peak.
    const MaterialValues& values = matrix.values;
    if (state_.editingMode() != MainWindowState::EditingMode::Browsing
        && !(values.density && values.mass && values.bandGap && values.valenceElectrons))
        return showRefusal(QStringLiteral("The material in the main window lacks a number the IMFP needs: its "
                                          "density, valence electrons, atomic mass and band gap."));
    if (tblPeaks_->peaks().empty())
        return showRefusal(QStringLiteral("no peak to quantify: type a line and its area in the table"));
    const Result<std::vector<QuantificationRow>> rows = quantifyTyped();
    if (!rows)
        return showRefusal(errorText(rows));
    showRefusal({});
    showRows(*rows);
}

void QuantificationWindow::showRows(const std::vector<QuantificationRow>& rows)
{
    tblResults_->setRowCount(int(rows.size()));
    bool anyError = false;
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int field = 0; field < tblResults_->columnCount(); ++field) {
            auto* cell = new QTableWidgetItem(shownCell(rows[r], field));
            if (field > 1 && field + 1 < tblResults_->columnCount())
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblResults_->setItem(r, field, cell);
        }
        anyError = anyError || !rows[r].error.empty();
    }
    tblResults_->setColumnHidden(tblResults_->columnCount() - 1, !anyError);
    tblResults_->resizeColumnsToContents();
    csv_ = QString::fromStdString(quantificationCsv(rows));
    cmdCopyCsv_->setEnabled(true);
}

void QuantificationWindow::showRefusal(const QString& words)
{
    csv_.clear();
    tblResults_->clearContents();
    tblResults_->setRowCount(0);
    cmdCopyCsv_->setEnabled(false);
    lblProblem_->setText(words);
    lblProblem_->setVisible(!words.isEmpty());
}

void QuantificationWindow::copyCsv()
{
    if (!csv_.isEmpty())
        QGuiApplication::clipboard()->setText(csv_);
}

void addQuantificationEntry(QMenu* tools, const MainWindowState& state, const MaterialStore& store, QWidget* window)
{
    QAction* entry = tools->addAction(QStringLiteral("&Quantification..."));
    entry->setObjectName(QStringLiteral("mnuQuantification"));
    QObject::connect(entry, &QAction::triggered, window,
                     [&state, &store, window] { QuantificationWindow::showFor(window, state, store); });
}

} // namespace korvane::ui
