#include "ui/tools/SimulationControls.h"

#include "presentation/LocaleNumberText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

namespace korvane::ui {

SimulationControls::SimulationControls(const QString& simulateText, QWidget* parent) : QWidget(parent)
{
    run_ = new BackgroundRun(this);
    txtElectrons_ = new QLineEdit(QStringLiteral("1000000"), this);
    txtElectrons_->setObjectName(QStringLiteral("txtElectrons"));
    txtElectrons_->setMinimumWidth(txtElectrons_->fontMetrics().horizontalAdvance(QStringLiteral("100000000")));
    cmdSimulate_ = new QPushButton(simulateText, this);
    cmdSimulate_->setObjectName(QStringLiteral("cmdSimulate"));
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setEnabled(false);
    prgSimulation_ = new QProgressBar(this);
    prgSimulation_->setObjectName(QStringLiteral("prgSimulation"));
    prgSimulation_->setValue(0);
    lblSimulationMessage_ = new QLabel(this);
    lblSimulationMessage_->setObjectName(QStringLiteral("lblSimulationMessage"));
    lblSimulationMessage_->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Electrons:"), this));
    controls->addWidget(txtElectrons_);
    controls->addWidget(cmdSimulate_);
    controls->addWidget(cmdCancel_);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->addLayout(controls);
    layout_->addWidget(prgSimulation_);
    layout_->addWidget(lblSimulationMessage_);

    connect(cmdSimulate_, &QPushButton::clicked, this, &SimulationControls::cmdSimulate_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &SimulationControls::cmdCancel_Click);
    connect(txtElectrons_, &QLineEdit::textChanged, this, &SimulationControls::electronsEdited);
    connect(run_, &BackgroundRun::progressed, this, [this](double done) {
        prgSimulation_->setValue(static_cast<int>(std::lround(done * prgSimulation_->maximum())));
    });
}

SimulationControls::~SimulationControls()
{
    stop();
}

void SimulationControls::addResults(QWidget* results)
{
    layout_->insertWidget(layout_->indexOf(lblSimulationMessage_), results);
}

void SimulationControls::stop()
{
    run_->stop();
    cmdCancel_->setEnabled(false);
}

void SimulationControls::replaceJob(bool hasJob, const QString& failure)
{
    const bool wasRunning = run_->running();
    stop();
    hasJob_ = hasJob;
    prgSimulation_->setValue(0);
    cmdSimulate_->setEnabled(hasJob_);
    // The note of a cancelled run stays until the next run starts.
    if (wasRunning)
        note_ = QStringLiteral("The inputs changed: the simulation was cancelled.");
    lblSimulationMessage_->setText(hasJob_ ? note_ : failure);
}

void SimulationControls::cmdSimulate_Click()
{
    if (!hasJob_ || run_->running())
        return;
    const std::optional<double> electrons = numbertext::toDouble(txtElectrons_->text());
    if (!electrons || !(*electrons >= 1000 && *electrons <= 1e10) || std::floor(*electrons) != *electrons) {
        lblSimulationMessage_->setText(QStringLiteral("The electrons must be a whole number from 1000 up."));
        return;
    }
    emit simulateRequested(static_cast<std::uint64_t>(*electrons));
}

void SimulationControls::start(int steps, BackgroundRun::Work work)
{
    note_.clear();
    cmdSimulate_->setEnabled(false);
    cmdCancel_->setEnabled(true);
    prgSimulation_->setRange(0, steps);
    prgSimulation_->setValue(0);
    lblSimulationMessage_->setText(QStringLiteral("Simulating..."));
    run_->start(std::move(work));
}

void SimulationControls::finish(const QString& error)
{
    stop();
    cmdSimulate_->setEnabled(hasJob_);
    lblSimulationMessage_->setText(error);
}

void SimulationControls::cmdCancel_Click()
{
    stop();
    cmdSimulate_->setEnabled(hasJob_);
    prgSimulation_->setValue(0);
    note_ = QStringLiteral("The simulation was cancelled.");
    lblSimulationMessage_->setText(note_);
}

} // namespace korvane::ui
