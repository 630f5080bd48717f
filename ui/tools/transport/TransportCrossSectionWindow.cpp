#include "ui/tools/transport/TransportCrossSectionWindow.h"

#include "calc/TransportTable.h"
#include "materials/model/MaterialTransport.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/tools/EnergyHeading.h"
#include "ui/tools/ToolWindow.h"
#include "ui/tools/ToolWindowButtons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>

#include <cmath>

namespace korvane::ui {

namespace {

constexpr int kCurvePoints = 91; // 32 per decade from 50 eV to 30 keV

QLineEdit* readOnlyField(const char* name)
{
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    return field;
}

QLogValueAxis* logAxis(const QString& title)
{
    auto* axis = new QLogValueAxis;
    axis->setTitleText(title);
    axis->setBase(10);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorTickCount(-1);
    return axis;
}

// S of the material over the table's energies, and a point at the energy.
QChart* crossSectionChart(const Material& material, double energy, std::optional<double> atEnergy)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    auto* curve = new QLineSeries;
    double low = INFINITY, high = 0;
    const double ratio = kTableHighestEnergy / kTableLowestEnergy;
    for (int i = 0; i < kCurvePoints; ++i) {
        const double e = kTableLowestEnergy * std::pow(ratio, double(i) / (kCurvePoints - 1));
        if (const Result<TransportCrossSection> s = materialTransportCrossSection(material, e)) {
            curve->append(e, s->a0Squared);
            low = std::min(low, s->a0Squared);
            high = std::max(high, s->a0Squared);
        }
    }
    chart->addSeries(curve);
    auto* point = new QScatterSeries;
    point->setObjectName(QStringLiteral("currentEnergy"));
    point->setMarkerSize(9);
    if (atEnergy)
        point->append(energy, *atEnergy);
    chart->addSeries(point);
    QLogValueAxis* energyAxis = logAxis(QStringLiteral("Electron energy (eV)"));
    QLogValueAxis* crossSectionAxis = logAxis(QStringLiteral("S (a0\u00B2)"));
    energyAxis->setRange(kTableLowestEnergy, kTableHighestEnergy);
    // Whole decades, each end a hair outside its power of ten: the axis
    // finds its ticks from the logarithms of its ends, and log10(0.0001)
    // rounds to a hair above -4, which lost the lowest decade's tick and label.
    if (high > 0)
        crossSectionAxis->setRange(std::pow(10.0, std::floor(std::log10(low))) * (1 - 1e-9),
                                   std::pow(10.0, std::ceil(std::log10(high))) * (1 + 1e-9));
    chart->addAxis(energyAxis, Qt::AlignBottom);
    chart->addAxis(crossSectionAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(energyAxis);
        series->attachAxis(crossSectionAxis);
    }
    return chart;
}

} // namespace

TransportCrossSectionWindow::TransportCrossSectionWindow(MainWindowState& state, QWidget* mainWindow)
    : QDialog(mainWindow), state_(state), lblMaterial_(new QLabel), txtCrossSection_(readOnlyField("txtCrossSection")),
      txtCrossSectionCm2_(readOnlyField("txtCrossSectionCm2")), lblError_(new QLabel), chart_(new QChartView),
      cmdUse_(new QPushButton(QStringLiteral("&Use")))
{
    setObjectName(QStringLiteral("TransportCrossSectionWindow"));
    setWindowTitle(QStringLiteral("Transport cross-section"));
    lblMaterial_->setObjectName(QStringLiteral("lblMaterial"));
    lblError_->setObjectName(QStringLiteral("lblError"));
    lblError_->setWordWrap(true);
    chart_->setObjectName(QStringLiteral("chartCrossSection"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(480, 320);
    cmdUse_->setObjectName(QStringLiteral("cmdUse"));
    auto* cmdClose = new QPushButton(QStringLiteral("&Close"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* values = new QFormLayout;
    values->addRow(QStringLiteral("S (a0\u00B2):"), txtCrossSection_);
    values->addRow(QStringLiteral("S (cm\u00B2):"), txtCrossSectionCm2_);
    auto* note = new QLabel(
        QStringLiteral("Sum of the atoms' first transport cross-sections over one formula unit: free atoms, "
                       "Dirac partial waves in the screened-nucleus potential with exchange, 50 eV to 30 keV."));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMaterial_);
    layout->addLayout(values);
    layout->addWidget(lblError_);
    layout->addWidget(chart_, 1);
    layout->addWidget(note);
    layout->addLayout(footButtons({cmdUse_, cmdClose}));

    connect(cmdUse_, &QPushButton::clicked, this, &TransportCrossSectionWindow::cmdUse_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    closeWithKeys(this);
    // S is of the material's name and the energy alone.
    connect(&state_, &MainWindowState::changed, this, [this](MainWindowState::Changes what) {
        if (isVisible() && what & (MainWindowState::Change::Material | MainWindowState::Change::Energy))
            refresh();
    });
}

void TransportCrossSectionWindow::refresh()
{
    // The main window's material as it stands, the one its IMFP is of.
    const Material material = state_.currentMaterial();
    const Result<MainWindowState::Energy>& energy = state_.energy();
    const QString energyText = energy ? energy->written : QString::fromStdString(energy.error());
    // Other values of the main window do not change S: nothing is drawn again.
    if (shownFor_ == std::tuple(material.id, material.name, energyText))
        return;
    shownFor_ = std::tuple(material.id, material.name, energyText);
    const Result<TransportCrossSection> s =
        energy ? materialTransportCrossSection(material, energy->eV) : Result<TransportCrossSection>(energy.failure());
    crossSection_ = s ? std::optional<double>(s->a0Squared) : std::nullopt;
    lblMaterial_->setText(materialAtEnergy(s ? s->source : material.name, energy));
    const QLocale locale;
    txtCrossSection_->setText(s ? locale.toString(s->a0Squared, 'g', 6) : QString());
    txtCrossSectionCm2_->setText(s ? locale.toString(s->a0Squared * bohrRadiusSquaredCm2(), 'g', 4) : QString());
    lblError_->setText(errorText(s));
    lblError_->setVisible(!s);
    cmdUse_->setEnabled(bool(s));
    QChart* previous = chart_->chart();
    chart_->setChart(energy ? crossSectionChart(material, energy->eV, crossSection_) : new QChart);
    delete previous;
}

void TransportCrossSectionWindow::cmdUse_Click()
{
    if (!crossSection_)
        return;
    state_.useTransportCrossSection(*crossSection_);
}

void addTransportCrossSectionEntry(QMenu* tools, MainWindowState& state, QWidget* mainWindow)
{
    QAction* entry = tools->addAction(QStringLiteral("&Transport cross-section..."));
    entry->setObjectName(QStringLiteral("mnuTransportCrossSection"));
    QObject::connect(entry, &QAction::triggered, mainWindow, [&state, mainWindow] {
        showToolWindow<TransportCrossSectionWindow>(mainWindow, [&] {
            return new TransportCrossSectionWindow(state, mainWindow);
        })->refresh();
    });
}

} // namespace korvane::ui
