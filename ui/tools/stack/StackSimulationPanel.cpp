#include "ui/tools/stack/StackSimulationPanel.h"

#include "lookup/StackSimulation.h"
#include "presentation/LocaleNumberText.h"

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
    controls->addWidget(prgSimulation_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(lblSimulationMessage_);

    connect(cmdSimulate_, &QPushButton::clicked, this, &StackSimulationPanel::cmdSimulate_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &StackSimulationPanel::cmdCancel_Click);
    connect(txtElectrons_, &QLineEdit::textChanged, this, [this] { replaceJob(job_); });
}

StackSimulationPanel::~StackSimulationPanel()
{
    stopRun();
}

void StackSimulationPanel::stopRun()
{
    if (cancel_)
        cancel_->store(true);
    if (worker_.joinable())
        worker_.join();
    cancel_.reset();
    cmdCancel_->setEnabled(false);
}

void StackSimulationPanel::setJob(Result<Job> job)
{
    if (job && job_ && *job == *job_ && (cancel_ || result_))
        return; // the run in flight or shown is of these very inputs
    replaceJob(std::move(job));
}

void StackSimulationPanel::replaceJob(Result<Job> job)
{
    const bool running = cancel_ != nullptr;
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
    if (!job_ || cancel_)
        return;
    const std::optional<double> electrons = numbertext::toDouble(txtElectrons_->text());
    if (!electrons || !(*electrons >= 1000 && *electrons <= 1e10) || std::floor(*electrons) != *electrons) {
        lblSimulationMessage_->setText(QStringLiteral("The electrons must be a whole number from 1000 up."));
        return;
    }
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    note_.clear();
    cmdSimulate_->setEnabled(false);
    cmdCancel_->setEnabled(true);
    const int angles = static_cast<int>(job_->angles.size());
    prgSimulation_->setRange(0, angles * kStepsPerAngle);
    prgSimulation_->setValue(0);
    lblSimulationMessage_->setText(QStringLiteral("Simulating..."));
    worker_ = std::thread([this, job = *job_, cancel = cancel_, count = static_cast<std::uint64_t>(*electrons)] {
        auto found = std::make_shared<Signals>();
        QString error;
        for (std::size_t a = 0; a < job.angles.size() && error.isEmpty() && !cancel->load(); ++a) {
            SimulationSettings settings;
            settings.angle = job.angles[a];
            settings.electrons = count;
            settings.cancel = cancel.get();
            // Progress of a run that has since ended moves the bar no more.
            settings.progress = [this, cancel, a](double done) {
                const int value = static_cast<int>(std::lround((double(a) + done) * kStepsPerAngle));
                QMetaObject::invokeMethod(
                    this,
                    [this, value, cancel] {
                        if (cancel == cancel_)
                            prgSimulation_->setValue(value);
                    },
                    Qt::QueuedConnection);
            };
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
        if (cancel->load())
            return; // whoever cancelled has already said so
        QMetaObject::invokeMethod(
            this, [this, found, error, cancel] { showResult(cancel.get(), found, error); }, Qt::QueuedConnection);
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

void StackSimulationPanel::showResult(const std::atomic<bool>* run, const std::shared_ptr<Signals>& found,
                                      const QString& error)
{
    if (run != cancel_.get())
        return; // a run cancelled after it sent its result
    stopRun();
    cmdSimulate_->setEnabled(bool(job_));
    lblSimulationMessage_->setText(error);
    if (!error.isEmpty())
        return;
    result_ = std::move(*found);
    emit resultChanged();
}

} // namespace korvane::ui
