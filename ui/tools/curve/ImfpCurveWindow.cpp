#include "ui/tools/curve/ImfpCurveWindow.h"

#include "presentation/LocaleNumberText.h"
#include "ui/common/ShownNumbers.h"
#include "ui/tools/curve/CurrentCurve.h"
#include "ui/tools/curve/CurveCsv.h"
#include "ui/tools/curve/CurveEnergies.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/ToolWindow.h"
#include "ui/tools/ToolWindowButtons.h"
#include "ui/common/UserPrompts.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSaveFile>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

#include <algorithm>
#include <cmath>

namespace korvane::ui {

namespace {

const QString kTitle = QStringLiteral("IMFP curve");
const QString kPointAtTheChart = QStringLiteral("Point at a curve to read its energy and IMFP.");

// One place for the current material and each pinned one, in their colours.
constexpr int kMostMaterials = chart::kCurveColours;

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

QLabel* statusLine(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// Whether the typed range can be drawn.
Result<void> checkRange(std::optional<double> from, std::optional<double> to, bool logEnergy)
{
    if (!from || !to)
        return Failed{"From and To must be numbers: the curve keeps its range.", ErrorCode::InvalidInput};
    if (logEnergy && !(*from > 0))
        return Failed{"From must be above 0 eV on a logarithmic energy axis: the curve keeps its range.",
                      ErrorCode::InvalidInput};
    if (!(*from < *to))
        return Failed{"To must be above From: the curve keeps its range.", ErrorCode::InvalidInput};
    return {};
}

} // namespace

ImfpCurveWindow* ImfpCurveWindow::open(QWidget* mainWindow, const MainWindowState& state, UserPrompts& prompts)
{
    return showToolWindow<ImfpCurveWindow>(mainWindow, [&] { return new ImfpCurveWindow(mainWindow, state, prompts); });
}

ImfpCurveWindow::ImfpCurveWindow(QWidget* mainWindow, const MainWindowState& state, UserPrompts& prompts)
    : QWidget(mainWindow, Qt::Window), prompts_(prompts), state_(state)
{
    setObjectName(QStringLiteral("ImfpCurveWindow"));
    setWindowTitle(kTitle);
    buildControls();
    connectControls();
    // Roomy, but inside the screen also at 200 % scaling.
    const QSize available = mainWindow->screen()->availableSize() * 0.9;
    resize(QSize(1000, 640).boundedTo(available).expandedTo(minimumSizeHint()));
}

void ImfpCurveWindow::buildControls()
{
    chartView_ = new QChartView(this);
    chartView_->setObjectName(QStringLiteral("chartView"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumSize(320, 240);
    chartView_->setMouseTracking(true);
    chartView_->viewport()->setMouseTracking(true);
    chartView_->viewport()->installEventFilter(this);
    chartView_->setAccessibleName(QStringLiteral("IMFP against electron energy"));
    lblSource_ = statusLine("lblSource", this);
    lblMarker_ = statusLine("lblMarker", this);
    lblReadout_ = statusLine("lblReadout", this);
    lblReadout_->setText(kPointAtTheChart);

    auto* rangeBox = new QGroupBox(QStringLiteral("Energy range"), this);
    txtFromEnergy_ = new QLineEdit(numbertext::shortest15(range_.first), rangeBox);
    txtFromEnergy_->setObjectName(QStringLiteral("txtFromEnergy"));
    txtToEnergy_ = new QLineEdit(numbertext::shortest15(range_.second), rangeBox);
    txtToEnergy_->setObjectName(QStringLiteral("txtToEnergy"));
    lblRangeProblem_ = statusLine("lblRangeProblem", rangeBox);
    lblRangeProblem_->hide();
    chkLogEnergy_ = new QCheckBox(QStringLiteral("Lo&garithmic energy axis"), rangeBox);
    chkLogEnergy_->setObjectName(QStringLiteral("chkLogEnergy"));
    chkLogEnergy_->setChecked(true);
    chkLogImfp_ = new QCheckBox(QStringLiteral("Logarithmic &IMFP axis"), rangeBox);
    chkLogImfp_->setObjectName(QStringLiteral("chkLogImfp"));
    chkLogImfp_->setChecked(true);
    auto* rangeLayout = new QFormLayout(rangeBox);
    rangeLayout->addRow(QStringLiteral("&From (eV):"), txtFromEnergy_);
    rangeLayout->addRow(QStringLiteral("&To (eV):"), txtToEnergy_);
    rangeLayout->addRow(lblRangeProblem_);
    rangeLayout->addRow(chkLogEnergy_);
    rangeLayout->addRow(chkLogImfp_);

    auto* compareBox = new QGroupBox(QStringLiteral("Compare"), this);
    auto* pinnedLabel = new QLabel(QStringLiteral("Pi&nned materials:"), compareBox);
    lstPinned_ = new QListWidget(compareBox);
    lstPinned_->setObjectName(QStringLiteral("lstPinned"));
    lstPinned_->setAccessibleName(QStringLiteral("Pinned materials"));
    pinnedLabel->setBuddy(lstPinned_);
    cmdAddMaterial_ = button(QStringLiteral("&Add material..."), "cmdAddMaterial", compareBox);
    cmdAddMaterial_->setToolTip(
        QStringLiteral("Keeps the current curve so that another material can be chosen in the main window"));
    cmdRemoveMaterial_ = button(QStringLiteral("&Remove"), "cmdRemoveMaterial", compareBox);
    auto* compareLayout = new QVBoxLayout(compareBox);
    compareLayout->addWidget(pinnedLabel);
    compareLayout->addWidget(lstPinned_);
    auto* compareButtons = new QHBoxLayout;
    compareButtons->addWidget(cmdAddMaterial_);
    compareButtons->addWidget(cmdRemoveMaterial_);
    compareLayout->addLayout(compareButtons);

    auto* exportBox = new QGroupBox(QStringLiteral("Export"), this);
    cmdExportPng_ = button(QStringLiteral("Export &PNG..."), "cmdExportPng", exportBox);
    cmdExportSvg_ = button(QStringLiteral("Export &SVG..."), "cmdExportSvg", exportBox);
    cmdExportCsv_ = button(QStringLiteral("Export CS&V..."), "cmdExportCsv", exportBox);
    cmdCopyCsv_ = button(QStringLiteral("&Copy CSV"), "cmdCopyCsv", exportBox);
    cmdCopyCsv_->setToolTip(QStringLiteral("Copies every curve's points as CSV (Ctrl+C)"));
    auto* exportLayout = new QGridLayout(exportBox);
    exportLayout->addWidget(cmdExportPng_, 0, 0);
    exportLayout->addWidget(cmdExportSvg_, 0, 1);
    exportLayout->addWidget(cmdExportCsv_, 1, 0);
    exportLayout->addWidget(cmdCopyCsv_, 1, 1);
    lblExported_ = statusLine("lblExported", exportBox);
    exportLayout->addWidget(lblExported_, 2, 0, 1, 2);

    cmdCloseCurve_ = button(QStringLiteral("Cl&ose"), "cmdCloseCurve", this);

    auto* side = new QVBoxLayout;
    side->addWidget(rangeBox);
    side->addWidget(compareBox, 1);
    side->addWidget(exportBox);
    side->addLayout(footButtons({cmdCloseCurve_}));
    auto* main = new QVBoxLayout;
    main->addWidget(chartView_, 1);
    main->addWidget(lblSource_);
    main->addWidget(lblMarker_);
    main->addWidget(lblReadout_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addLayout(side);
}

void ImfpCurveWindow::connectControls()
{
    // The curve is of the material, the energy, the form and the editing mode.
    connect(&state_, &MainWindowState::changed, this, [this](MainWindowState::Changes what) {
        using Change = MainWindowState::Change;
        if (what & (Change::Material | Change::Energy | Change::Form | Change::EditingMode))
            refresh();
    });
    connect(txtFromEnergy_, &QLineEdit::editingFinished, this, &ImfpCurveWindow::applyEnergyRange);
    connect(txtToEnergy_, &QLineEdit::editingFinished, this, &ImfpCurveWindow::applyEnergyRange);
    connect(chkLogEnergy_, &QCheckBox::toggled, this, &ImfpCurveWindow::applyEnergyRange);
    connect(chkLogImfp_, &QCheckBox::toggled, this, &ImfpCurveWindow::refresh);
    connect(cmdAddMaterial_, &QPushButton::clicked, this, &ImfpCurveWindow::addMaterial);
    connect(cmdRemoveMaterial_, &QPushButton::clicked, this, &ImfpCurveWindow::removeMaterial);
    connect(lstPinned_, &QListWidget::currentRowChanged, this,
            [this](int row) { cmdRemoveMaterial_->setEnabled(row >= 0); });
    cmdRemoveMaterial_->setEnabled(false);
    connect(cmdExportPng_, &QPushButton::clicked, this,
            [this] { exportImage(QStringLiteral(".png"), QStringLiteral("PNG image (*.png)")); });
    connect(cmdExportSvg_, &QPushButton::clicked, this,
            [this] { exportImage(QStringLiteral(".svg"), QStringLiteral("SVG image (*.svg)")); });
    connect(cmdExportCsv_, &QPushButton::clicked, this, &ImfpCurveWindow::exportCsv);
    connect(cmdCopyCsv_, &QPushButton::clicked, this, &ImfpCurveWindow::copyCsv);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, &ImfpCurveWindow::copyCsv);
    closeWithKeys(this);
    connect(cmdCloseCurve_, &QPushButton::clicked, this, &QWidget::close);
}

void ImfpCurveWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
}

void ImfpCurveWindow::refresh()
{
    if (!isVisible())
        return; // drawn afresh when shown again
    energies_ = curveEnergies(range_.first, range_.second, logEnergy_);
    chart::ChartContent content;
    content.axes = {range_, logEnergy_, chkLogImfp_->isChecked()};

    CurrentCurve current = currentCurve(readMainWindow(state_), energies_, range_);
    current_ = std::move(current.material);
    content.curves = std::move(current.curves);
    content.markers = std::move(current.markers);
    lblSource_->setText(current.source);
    lblMarker_->setText(current.marked);
    // Pinned curves follow the energy range, not the main window. The
    // current material pinned is the current curve already: drawn once, so
    // that the legend names it once.
    for (const PlottedMaterial& material : pinned_) {
        if (current_ && material.sameValues(*current_))
            continue;
        for (chart::Curve& curve : curvesOf(material, energies_, std::nullopt))
            content.curves.push_back(std::move(curve));
    }
    canPin_ = current_ && int(pinned_.size()) + 1 < kMostMaterials
        && std::none_of(pinned_.begin(), pinned_.end(),
                        [this](const PlottedMaterial& m) { return m.sameValues(*current_); });
    cmdAddMaterial_->setEnabled(canPin_);
    showChart(std::move(content));
}

void ImfpCurveWindow::showChart(chart::ChartContent content)
{
    content_ = std::move(content);
    if (!updateImfpChart(*chartView_->chart(), content_)) {
        QChart* old = chartView_->chart();
        chartView_->setChart(buildImfpChart(content_));
        delete old;
    }
    chartView_->setAccessibleDescription(describeChart());
}

QString ImfpCurveWindow::describeChart() const
{
    const chart::ChartAxes& axes = content_.axes;
    QStringList materials;
    if (current_)
        materials << current_->name;
    for (const PlottedMaterial& material : pinned_)
        materials << material.name;
    return QStringLiteral("%1 chart from %2 to %3 eV, non-relativistic curves solid, relativistic dashed. "
                          "Materials: %4. %5")
        .arg(axes.logEnergy && axes.logImfp ? QStringLiteral("Log-log")
                 : axes.logEnergy           ? QStringLiteral("Log-linear")
                 : axes.logImfp             ? QStringLiteral("Linear-log")
                                            : QStringLiteral("Linear"),
             numbertext::shortest15(range_.first), numbertext::shortest15(range_.second),
             materials.isEmpty() ? QStringLiteral("none") : materials.join(QStringLiteral(", ")), lblMarker_->text())
        .trimmed();
}

void ImfpCurveWindow::applyEnergyRange()
{
    const std::optional<double> from = numbertext::toDouble(txtFromEnergy_->text());
    const std::optional<double> to = numbertext::toDouble(txtToEnergy_->text());
    const bool logEnergy = chkLogEnergy_->isChecked();
    if (const Result<void> range = checkRange(from, to, logEnergy); !range) {
        lblRangeProblem_->setText(QString::fromStdString(range.error()));
        lblRangeProblem_->show();
        // The box keeps showing the axis as it is drawn.
        const QSignalBlocker quiet(chkLogEnergy_);
        chkLogEnergy_->setChecked(logEnergy_);
        return;
    }
    lblRangeProblem_->hide();
    range_ = {*from, *to};
    logEnergy_ = logEnergy;
    refresh();
}

void ImfpCurveWindow::addMaterial()
{
    if (!canPin_)
        return;
    PlottedMaterial pinned = *current_;
    // Each pinned material keeps its colour; the current one has the first.
    for (pinned.colour = 1; std::any_of(pinned_.begin(), pinned_.end(),
                                        [&](const PlottedMaterial& m) { return m.colour == pinned.colour; });
         ++pinned.colour) {}
    pinned_.push_back(pinned);
    auto* item = new QListWidgetItem(pinned.name, lstPinned_);
    item->setForeground(chart::curveColour(pinned.colour));
    refresh();
}

void ImfpCurveWindow::removeMaterial()
{
    const int row = lstPinned_->currentRow();
    if (row < 0 || row >= int(pinned_.size()))
        return;
    pinned_.erase(pinned_.begin() + row);
    delete lstPinned_->takeItem(row);
    refresh();
}

bool ImfpCurveWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == chartView_->viewport() && event->type() == QEvent::MouseMove)
        showNearestPoint(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (watched == chartView_->viewport() && event->type() == QEvent::Leave)
        lblReadout_->setText(kPointAtTheChart);
    return QWidget::eventFilter(watched, event);
}

void ImfpCurveWindow::showNearestPoint(QPoint viewportPosition)
{
    QChart* chart = chartView_->chart();
    const QPointF position = chart->mapFromScene(chartView_->mapToScene(viewportPosition));
    if (!chart->plotArea().contains(position)) {
        lblReadout_->setText(kPointAtTheChart);
        return;
    }
    const QList<QAbstractSeries*> series = chart->series();
    const chart::Curve* nearestCurve = nullptr;
    QPointF nearest;
    double distance = HUGE_VAL;
    for (std::size_t c = 0; c < content_.curves.size(); ++c) {
        for (const QPointF& point : content_.curves[c].points) {
            const double d = QLineF(chart->mapToPosition(point, series[qsizetype(c)]), position).length();
            if (d < distance) {
                distance = d;
                nearest = point;
                nearestCurve = &content_.curves[c];
            }
        }
    }
    if (nearestCurve)
        lblReadout_->setText(QStringLiteral("Nearest point: %1 at %2 eV: %3.")
                                 .arg(nearestCurve->name, numbertext::shortestFixed(float(nearest.x())),
                                      numbertext::length(float(nearest.y()))));
}

QString ImfpCurveWindow::csv() const
{
    std::vector<PlottedMaterial> materials;
    if (current_)
        materials.push_back(*current_);
    materials.insert(materials.end(), pinned_.begin(), pinned_.end());
    return curvesCsv(materials, energies_);
}

void ImfpCurveWindow::copyCsv()
{
    QGuiApplication::clipboard()->setText(csv());
}

void ImfpCurveWindow::exportImage(const QString& suffix, const QString& filter)
{
    const QString file = askExportFile(suffix, filter);
    if (file.isEmpty())
        return;
    if (const Result<void> written = chart::writeImfpChart(content_, file, chartView_->size()); !written)
        return tell(QString::fromStdString(written.error()));
    confirmExport(file);
}

void ImfpCurveWindow::exportCsv()
{
    const QString file = askExportFile(QStringLiteral(".csv"), QStringLiteral("CSV file (*.csv)"));
    if (file.isEmpty())
        return;
    const QByteArray bytes = csv().toUtf8();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return tell(QStringLiteral("the CSV cannot be written to %1: %2").arg(file, out.errorString()));
    confirmExport(file);
}

// The save dialog opens in the folder of the last export while the program runs.
QString ImfpCurveWindow::askExportFile(const QString& suffix, const QString& filter)
{
    const QString suggested = QStringLiteral("imfp-curve") + suffix;
    return prompts_.saveFileName(QStringLiteral("Export the IMFP curve"),
                                 exportFolder_.isEmpty() ? suggested : QDir(exportFolder_).filePath(suggested), filter);
}

void ImfpCurveWindow::confirmExport(const QString& file)
{
    exportFolder_ = QFileInfo(file).absolutePath();
    lblExported_->setText(QStringLiteral("Written to %1.").arg(QDir::toNativeSeparators(file)));
}

// A failure in a sentence of its own: capital first letter, full stop.
void ImfpCurveWindow::tell(const QString& text)
{
    prompts_.message(text.left(1).toUpper() + text.mid(1) + u'.', kTitle, OkExclamation);
}

} // namespace korvane::ui
