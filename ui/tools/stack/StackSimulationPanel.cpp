#include "ui/tools/stack/StackSimulationPanel.h"

#include "lookup/StackSimulation.h"
#include "presentation/LocaleNumberText.h"
#include "ui/tools/BackgroundRun.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvane::ui {

namespace {

// Steps of the progress bar per angle.
constexpr int kStepsPerAngle = 1000;

} // namespace

bool StackSimulationPanel::Job::operator==(const Job& other) const
{
    const auto sameMaterial = [](const MaterialInputs& a, const MaterialInputs& b) {
        return a.name == b.name && a.id == b.id && a.values == b.values;
    };
    return std::equal(materials.begin(), materials.end(), other.materials.begin(), other.materials.end(), sameMaterial)
        && thicknesses == other.thicknesses && imfps == other.imfps && energy == other.energy
        && angles == other.angles;
}

StackSimulationPanel::StackSimulationPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Monte Carlo (electron trajectories)"), parent)
{
    setObjectName(QStringLiteral("grpStackSimulation"));
    run_ = new BackgroundRun(this);
    txtElectrons_ = new QLineEdit(QStringLiteral("1000000"), this);
    txtElectrons_->setObjectName(QStringLiteral("txtElectrons"));
    txtElectrons_->setMinimumWidth(txtElectrons_->fontMetrics().horizontalAdvance(QStringLiteral("100000000")));
    cmdSimulate_ = new QPushButton(QStringLiteral("&Simulate"), this);
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(prgSimulation_);
    layout->addWidget(lblSimulationMessage_);

    connect(cmdSimulate_, &QPushButton::clicked, this, &StackSimulationPanel::cmdSimulate_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &StackSimulationPanel::cmdCancel_Click);
    connect(txtElectrons_, &QLineEdit::textChanged, this, [this] { replaceJob(job_); });
    connect(run_, &BackgroundRun::progressed, this, [this](double done) {
        prgSimulation_->setValue(static_cast<int>(std::lround(done * prgSimulation_->maximum())));
    });
}

StackSimulationPanel::~StackSimulationPanel()
{
    stopRun();
}

void StackSimulationPanel::stopRun()
{
    run_->stop();
    cmdCancel_->setEnabled(false);
}

void StackSimulationPanel::setJob(Result<Job> job)
{
    if (job && job_ && *job == *job_ && (run_->running() || result_))
        return; // the run in flight or shown is of these very inputs
    replaceJob(std::move(job));
}

void StackSimulationPanel::replaceJob(Result<Job> job)
{
    const bool running = run_->running();
    stopRun();
    job_ = std::move(job);
    const bool hadResult = result_.has_value();
    result_.reset();
    prgSimulation_->setValue(0);
    cmdSimulate_->setEnabled(bool(job_));
    // The note of a cancelled run stays until the next run starts.
    if (running)
        note_ = QStringLiteral("The inputs changed: the simulation was cancelled.");
    lblSimulationMessage_->setText(job_ ? note_ : QString());
    if (hadResult)
        emit resultChanged();
}

void StackSimulationPanel::cmdSimulate_Click()
{
    if (!job_ || run_->running())
        return;
    const std::optional<double> electrons = numbertext::toDouble(txtElectrons_->text());
    if (!electrons || !(*electrons >= 1000 && *electrons <= 1e10) || std::floor(*electrons) != *electrons) {
        lblSimulationMessage_->setText(QStringLiteral("The electrons must be a whole number from 1000 up."));
        return;
    }
    note_.clear();
    cmdSimulate_->setEnabled(false);
    cmdCancel_->setEnabled(true);
    prgSimulation_->setRange(0, static_cast<int>(job_->angles.size()) * kStepsPerAngle);
    prgSimulation_->setValue(0);
    lblSimulationMessage_->setText(QStringLiteral("Simulating..."));
    // One run per angle, each a share of the progress.
    run_->start([this, job = *job_, count = static_cast<std::uint64_t>(*electrons)](
                    const std::atomic<bool>& cancel, const BackgroundRun::Progress& progress) -> std::function<void()> {
        auto found = std::make_shared<Signals>();
        QString error;
        const double angles = double(job.angles.size());
        for (std::size_t a = 0; a < job.angles.size() && error.isEmpty() && !cancel.load(); ++a) {
            SimulationSettings settings;
            settings.angle = job.angles[a];
            settings.electrons = count;
            settings.cancel = &cancel;
            settings.progress = [&progress, a, angles](double done) { progress((double(a) + done) / angles); };
            try {
                Result<std::vector<Estimate>> run =
                    simulateMaterialStack(job.materials, job.thicknesses, job.imfps, job.energy, settings);
                if (run)
                    found->push_back(std::move(*run));
                else
                    error = QString::fromStdString(run.error());
            } catch (const std::exception& e) {
                error = QString::fromStdString(e.what());
            }
        }
        return [this, found, error] { showResult(found, error); };
    });
}

void StackSimulationPanel::cmdCancel_Click()
{
    stopRun();
    cmdSimulate_->setEnabled(bool(job_));
    prgSimulation_->setValue(0);
    note_ = QStringLiteral("The simulation was cancelled.");
    lblSimulationMessage_->setText(note_);
}

void StackSimulationPanel::showResult(const std::shared_ptr<Signals>& found, const QString& error)
{
    stopRun();
    cmdSimulate_->setEnabled(bool(job_));
    lblSimulationMessage_->setText(error);
    if (!error.isEmpty())
        return;
    result_ = std::move(*found);
    emit resultChanged();
}

} // namespace korvane::ui
