#include "ui/tools/depth/SignalDepthTab.h"

#include "calc/ElasticCorrection.h"
#include "calc/TransportTable.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/ElasticEnergies.h"
#include "query/PositiveInputs.h"
#include "ui/common/ShownNumbers.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/EnergyHeading.h"
#include "ui/tools/StateFollower.h"
#include "ui/tools/depth/SimulationPanel.h"

#include <QChart>
#include <QChartView>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace korvane::ui {

namespace {

constexpr std::array<const char*, 3> kModelNames = {"Straight line", "Approximation 1", "Approximation 2"};
constexpr std::array<const char*, 3> kModelKeys = {"None", "Cf1", "Cf2"};
constexpr std::array<DepthCorrection, 3> kCorrections = {DepthCorrection::None, DepthCorrection::Approx1,
                                                         DepthCorrection::Approx2};
constexpr int kCurvePoints = 240;

QLineEdit* resultBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLineEdit* inputBox(QWidget* parent, const char* name, const char* text)
{
    auto* box = new QLineEdit(QString::fromUtf8(text), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

SignalDepthTab::SignalDepthTab(const MainWindowState& source, QWidget* parent) : QWidget(parent), source_(source)
{
    setObjectName(QStringLiteral("tabSignalDepth"));
    lblSource_ = new QLabel(this);
    lblSource_->setObjectName(QStringLiteral("lblDepthSource"));
    txtAngle_ = inputBox(this, "txtAngle", "0");
    txtProbability_ = inputBox(this, "txtProbability", "0.95");
    txtTransportCrossSection_ = inputBox(this, "txtTransportCrossSection", "");
    txtTransportCrossSection_->setPlaceholderText(QStringLiteral("computed when empty"));
    lblCrossSectionUsed_ = new QLabel(this);
    lblCrossSectionUsed_->setObjectName(QStringLiteral("lblCrossSectionUsed"));
    // The note wraps in the width the window has, never widening it.
    lblCrossSectionUsed_->setWordWrap(true);
    lblCrossSectionUsed_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* inputs = new QFormLayout;
    inputs->addRow(QStringLiteral("Angle from the surface normal [°]:"), txtAngle_);
    inputs->addRow(QStringLiteral("Signal fraction P for the information depth:"), txtProbability_);
    inputs->addRow(QStringLiteral("Transport cross-section [a0²], for approximation 2:"), txtTransportCrossSection_);
    inputs->addRow(QString(), lblCrossSectionUsed_);

    auto* results = new QGridLayout;
    results->addWidget(new QLabel(QStringLiteral("Information depth ID"), this), 1, 0);
    results->addWidget(new QLabel(QStringLiteral("Mean escape depth MED"), this), 2, 0);
    for (int m = 0; m < 3; ++m) {
        results->addWidget(new QLabel(QLatin1String(kModelNames[m]), this), 0, m + 1, Qt::AlignCenter);
        informationDepth_[m] = resultBox(this, QStringLiteral("txtInformationDepth") + QLatin1String(kModelKeys[m]));
        meanEscapeDepth_[m] = resultBox(this, QStringLiteral("txtMeanEscapeDepth") + QLatin1String(kModelKeys[m]));
        results->addWidget(informationDepth_[m], 1, m + 1);
        results->addWidget(meanEscapeDepth_[m], 2, m + 1);
    }
    lblDepthMessage_ = new QLabel(this);
    lblDepthMessage_->setObjectName(QStringLiteral("lblDepthMessage"));
    lblDepthMessage_->setWordWrap(true);

    chart_ = new QChart;
    chart_->setTitle(QStringLiteral("Depth distribution of the signal"));
    auto* view = new QChartView(chart_, this);
    view->setObjectName(QStringLiteral("chartDepth"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(200, 200);

    simulation_ = new SimulationPanel(this);
    connect(simulation_, &SimulationPanel::profileReady, this, &SignalDepthTab::plotSimulated);

    // The chart beside the numbers, so that the window fits a laptop's
    // screen (1366 x 720 with its frame).
    auto* numbers = new QVBoxLayout;
    numbers->addLayout(inputs);
    numbers->addLayout(results);
    numbers->addWidget(lblDepthMessage_);
    numbers->addWidget(simulation_);
    numbers->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(numbers);
    columns->addWidget(view, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSource_);
    layout->addLayout(columns, 1);

    for (QLineEdit* box : {txtAngle_, txtProbability_, txtTransportCrossSection_})
        connect(box, &QLineEdit::textChanged, this, &SignalDepthTab::recalculate);
    using Change = MainWindowState::Change;
    new StateFollower(source_, Change::Material | Change::Energy | Change::Form | Change::Groups | Change::Imfp, this,
                      [this] { recalculate(); });
    recalculate();
}

Result<TransportCrossSection> SignalDepthTab::crossSection(double energy) const
{
    if (!txtTransportCrossSection_->text().trimmed().isEmpty()) {
        const std::optional<double> typed = numbertext::toDouble(txtTransportCrossSection_->text());
        if (!typed)
            return Failed{"the transport cross-section is not a number", ErrorCode::InvalidInput};
        return TransportCrossSection{*typed, QString()};
    }
    // The main window's material as it stands, the one its IMFP is of.
    Result<TransportCrossSection> s = materialTransportCrossSection(source_.currentMaterial(), energy);
    if (!s)
        return failed(QStringLiteral("type the transport cross-section, as none is computed (%1)").arg(errorText(s)),
                      s.code());
    return s;
}

std::array<Result<DepthModel>, 3> SignalDepthTab::depthModels(float imfp, double angle,
                                                              const Result<TransportCrossSection>& sigma) const
{
    return {DepthModel{kCorrections[0], imfp, angle}, DepthModel{kCorrections[1], imfp, angle},
            approx2Model(imfp, angle, sigma)};
}

Result<DepthModel> SignalDepthTab::approx2Model(float imfp, double angle,
                                                const Result<TransportCrossSection>& sigma) const
{
    const std::optional<float> density = source_.material().values.density;
    const std::optional<float> mass = source_.material().values.mass;
    if (!sigma)
        return sigma.failure();
    if (!density || !mass)
        return Failed{"the main window's density or mass is not a number", ErrorCode::InvalidInput};
    if (const Result<void> above = checkAllAboveZero({{PositiveInput::CrossSection, sigma->a0Squared},
                                                      {PositiveInput::Density, *density},
                                                      {PositiveInput::Mass, *mass}});
        !above)
        return above.failure();
    const TransportPaths paths = transportMeanFreePaths(*density, *mass, sigma->a0Squared, imfp);
    if (!paths.effTrMfp)
        return Failed{"no EffTrMFP from this density, mass, cross-section and IMFP", ErrorCode::NoPhysicalValue};
    return DepthModel{kCorrections[2], imfp, angle, *paths.effTrMfp};
}

void SignalDepthTab::clearResults()
{
    lblCrossSectionUsed_->clear();
    for (int m = 0; m < 3; ++m) {
        informationDepth_[m]->clear();
        meanEscapeDepth_[m]->clear();
    }
    chart_->removeAllSeries();
}

void SignalDepthTab::recalculate()
{
    const MainWindowState::Imfp& imfp = source_.imfp();
    const Result<MainWindowState::Energy>& energy = source_.energy();
    const QString form =
        source_.form() == ImfpForm::Relativistic ? QStringLiteral("relativistic") : QStringLiteral("non-relativistic");
    const QString heading = materialAtEnergy(source_.material().name, energy);
    lblSource_->setText(imfp ? QStringLiteral("%1, %2 form: IMFP %3").arg(heading, form, numbertext::length(*imfp))
                             : heading);
    clearResults();
    // An IMFP is formed from a number of an energy only.
    if (!imfp || !energy) {
        lblDepthMessage_->setText(errorText(imfp));
        simulation_->setJob(imfp.failure());
        return;
    }
    const std::optional<double> angle = numbertext::toDouble(txtAngle_->text());
    const std::optional<double> probability = numbertext::toDouble(txtProbability_->text());
    if (!angle || !probability) {
        const QString notNumbers = QStringLiteral("The angle and P must be numbers.");
        lblDepthMessage_->setText(notNumbers);
        simulation_->setJob(failed(notNumbers, ErrorCode::InvalidInput));
        return;
    }
    prepareSimulation(*imfp, energy->eV, *angle, *probability);

    const Result<TransportCrossSection> sigma = crossSection(energy->eV);
    if (sigma && !sigma->source.isEmpty() && !(*angle > kMaxCorrectedAngle))
        lblCrossSectionUsed_->setText(QStringLiteral("Approximation 2 uses S = %1 a0\u00B2, computed for %2.")
                                          .arg(QLocale().toString(sigma->a0Squared, 'g', 6), sigma->source));
    const std::array<Result<DepthModel>, 3> models = depthModels(*imfp, *angle, sigma);
    std::array<std::optional<double>, 3> depths;
    // Each reason once, after the models it holds for.
    std::vector<std::pair<QString, QStringList>> reasons;
    for (int m = 0; m < 3; ++m) {
        QString error = errorText(models[m]);
        if (models[m]) {
            const Result<double> id = informationDepth(*models[m], *probability);
            const Result<double> med = meanEscapeDepth(*models[m]);
            if (id) {
                depths[m] = *id;
                informationDepth_[m]->setText(numbertext::length(float(*id)));
            }
            if (med)
                meanEscapeDepth_[m]->setText(numbertext::length(float(*med)));
            error = errorText(id ? med : id);
        }
        if (error.isEmpty())
            continue;
        const auto same =
            std::find_if(reasons.begin(), reasons.end(), [&](const auto& reason) { return reason.first == error; });
        (same == reasons.end() ? reasons.emplace_back(error, QStringList{}) : *same)
            .second.append(QLatin1String(kModelNames[m]));
    }
    QStringList messages;
    for (const auto& [reason, names] : reasons)
        messages << QStringLiteral("%1: %2.").arg(names.join(QStringLiteral(", ")), reason);
    lblDepthMessage_->setText(messages.join(u'\n'));
    plot(models, depths);
}

void SignalDepthTab::plot(const std::array<Result<DepthModel>, 3>& models,
                          const std::array<std::optional<double>, 3>& depths)
{
    double end = 0;
    for (const std::optional<double>& depth : depths)
        end = std::max(end, depth.value_or(0.0) * 1.5);
    if (!(end > 0))
        return;
    // Both axes end on round numbers and have round ticks (10, 20, ... rather than 17.4, 34.7).
    auto* depthAxis = new QValueAxis;
    depthAxis->setTitleText(QStringLiteral("Depth z [\u00C5]"));
    depthAxis->setLabelFormat(QStringLiteral("%g"));
    depthAxis->setRange(0, end);
    depthAxis->applyNiceNumbers();
    end = depthAxis->max();
    auto* signalAxis = new QValueAxis;
    signalAxis->setLabelFormat(QStringLiteral("%g"));
    signalAxis->setTitleText(QStringLiteral("\u03C6(z) / \u222B\u03C6 dz [1/\u00C5]"));
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis); // gives up the chart's ownership
        delete axis;
    }
    chart_->addAxis(depthAxis, Qt::AlignBottom);
    chart_->addAxis(signalAxis, Qt::AlignLeft);

    double top = 0;
    std::vector<QLineSeries*> markers;
    for (int m = 0; m < 3; ++m) {
        if (!depths[m])
            continue;
        const DepthModel& model = *models[m]; // a model that gave a depth
        const double whole = *wholeSignal(model);
        auto* curve = new QLineSeries;
        curve->setName(QLatin1String(kModelNames[m]));
        for (int i = 0; i <= kCurvePoints; ++i) {
            const double z = end * i / kCurvePoints;
            const double value = depthDistribution(model, z) / whole;
            top = std::max(top, value);
            curve->append(z, value);
        }
        chart_->addSeries(curve);
        curve->attachAxis(depthAxis);
        curve->attachAxis(signalAxis);
        // The information depth: a dashed line in the curve's colour.
        auto* marker = new QLineSeries;
        marker->setName(QStringLiteral("ID, %1").arg(QString::fromLatin1(kModelNames[m]).toLower()));
        QPen pen(curve->pen().color());
        pen.setStyle(Qt::DashLine);
        marker->setPen(pen);
        markers.push_back(marker);
        marker->append(*depths[m], 0);
        chart_->addSeries(marker);
        chart_->legend()->markers(marker).constFirst()->setVisible(false);
        marker->attachAxis(depthAxis);
        marker->attachAxis(signalAxis);
    }
    signalAxis->setRange(0, top * 1.05);
    signalAxis->applyNiceNumbers();
    for (QLineSeries* marker : markers)
        marker->append(marker->at(0).x(), signalAxis->max());
}

void SignalDepthTab::prepareSimulation(float imfp, double energy, double angle, double probability)
{
    const Material material = source_.currentMaterial();
    const std::optional<float> density = source_.material().values.density;
    const std::optional<float> mass = source_.material().values.mass;
    if (!withinElasticEnergies(energy))
        return simulation_->setJob(
            Failed{"The simulation needs an energy from 50 eV to 30000 eV.", ErrorCode::OutOfRange});
    if (!density || !mass)
        return simulation_->setJob(
            Failed{"The main window's density or mass is not a number.", ErrorCode::InvalidInput});
    const Result<std::vector<FormulaAtom>> atoms = materialAtoms(material);
    if (!atoms)
        return simulation_->setJob(atoms.failure());
    simulation_->setJob(SimulationPanel::Job{*atoms, *density, *mass, imfp, energy, angle, probability});
}

void SignalDepthTab::plotSimulated(const QList<QPointF>& profile)
{
    const QList<QAbstractAxis*> depthAxes = chart_->axes(Qt::Horizontal);
    const QList<QAbstractAxis*> signalAxes = chart_->axes(Qt::Vertical);
    if (depthAxes.isEmpty() || signalAxes.isEmpty())
        return;
    const double end = static_cast<QValueAxis*>(depthAxes.first())->max();
    auto* curve = new QLineSeries;
    curve->setObjectName(QStringLiteral("seriesSimulated"));
    curve->setName(QStringLiteral("Simulated"));
    for (const QPointF& point : profile)
        if (point.x() <= end)
            curve->append(point);
    chart_->addSeries(curve);
    curve->attachAxis(depthAxes.first());
    curve->attachAxis(signalAxes.first());
}

} // namespace korvane::ui
