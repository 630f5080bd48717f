#include "ui/tools/stack/StackSimulationPanel.h"

#include "lookup/StackSimulation.h"
#include "ui/tools/SimulationControls.h"

#include <QVBoxLayout>

#include <algorithm>

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
    controls_ = new SimulationControls(QStringLiteral("&Simulate"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls_);

    connect(controls_, &SimulationControls::simulateRequested, this, &StackSimulationPanel::simulate);
    connect(controls_, &SimulationControls::electronsEdited, this, [this] { replaceJob(job_); });
}

void StackSimulationPanel::setJob(Result<Job> job)
{
    if (job && job_ && *job == *job_ && (controls_->running() || result_))
        return; // the run in flight or shown is of these very inputs
    replaceJob(std::move(job));
}

void StackSimulationPanel::replaceJob(Result<Job> job)
{
    job_ = std::move(job);
    controls_->replaceJob(bool(job_), QString());
    const bool hadResult = result_.has_value();
    result_.reset();
    if (hadResult)
        emit resultChanged();
}

void StackSimulationPanel::simulate(std::uint64_t electrons)
{
    // One run per angle, each a share of the progress.
    controls_->start(static_cast<int>(job_->angles.size()) * kStepsPerAngle,
                     [this, job = *job_, count = electrons](const std::atomic<bool>& cancel,
                                                            const BackgroundRun::Progress& progress)
                         -> std::function<void()> {
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

void StackSimulationPanel::showResult(const std::shared_ptr<Signals>& found, const QString& error)
{
    controls_->finish(error);
    if (!error.isEmpty())
        return;
    result_ = std::move(*found);
    emit resultChanged();
}

} // namespace korvane::ui
