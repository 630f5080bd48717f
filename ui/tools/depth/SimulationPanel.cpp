#include "ui/tools/depth/SimulationPanel.h"

#include "calc/SimulatedDepth.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/ValueWithError.h"
#include "ui/tools/SimulationControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointF>
#include <QVBoxLayout>

#include <algorithm>

namespace korvane::ui {

namespace {

QLineEdit* resultBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// "9.244 ± 0.003 Å": the digits the error allows.
QString withError(const Estimate& e)
{
    return numbertext::localised(shown::valueWithError(e.value, e.error) + " \u00C5");
}

} // namespace

bool SimulationPanel::Job::operator==(const Job& other) const
{
    const auto sameAtom = [](const FormulaAtom& a, const FormulaAtom& b) {
        return a.atomicNumber == b.atomicNumber && a.count == b.count;
    };
    return std::equal(atoms.begin(), atoms.end(), other.atoms.begin(), other.atoms.end(), sameAtom)
        && density == other.density && mass == other.mass && imfp == other.imfp && energy == other.energy
        && angle == other.angle && probability == other.probability;
}

SimulationPanel::SimulationPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Simulated (electron trajectories)"), parent)
{
    setObjectName(QStringLiteral("grpSimulation"));
    controls_ = new SimulationControls(QStringLiteral("Simulate"), this);
    txtInformationDepthSimulated_ = resultBox(this, "txtInformationDepthSimulated");
    txtMeanEscapeDepthSimulated_ = resultBox(this, "txtMeanEscapeDepthSimulated");

    auto* results = new QWidget(this);
    auto* grid = new QGridLayout(results);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Information depth ID"), this), 0, 0);
    grid->addWidget(txtInformationDepthSimulated_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Mean escape depth MED"), this), 1, 0);
    grid->addWidget(txtMeanEscapeDepthSimulated_, 1, 1);
    controls_->addResults(results);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls_);

    connect(controls_, &SimulationControls::simulateRequested, this, &SimulationPanel::simulate);
    connect(controls_, &SimulationControls::electronsEdited, this, [this] { replaceJob(job_); });
}

void SimulationPanel::setJob(Result<Job> job)
{
    if (controls_->running() && job && job_ && *job == *job_)
        return; // the run in flight is of these very inputs
    replaceJob(std::move(job));
}

void SimulationPanel::replaceJob(Result<Job> job)
{
    job_ = std::move(job);
    controls_->replaceJob(bool(job_), job_ ? QString() : errorText(job_));
    txtInformationDepthSimulated_->clear();
    txtMeanEscapeDepthSimulated_->clear();
}

void SimulationPanel::simulate(std::uint64_t electrons)
{
    controls_->start(kSimulationBatches, [this, job = *job_, count = electrons](
                                             const std::atomic<bool>& cancel,
                                             const BackgroundRun::Progress& progress) -> std::function<void()> {
        std::shared_ptr<SimulatedDepth> depth;
        QString error;
        try {
            const FormulaScattering scattering = formulaScattering(job.atoms, job.energy);
            const ElasticAngleSampler sampler(scattering.angles, scattering.dcs);
            const ScatteringMedium medium{job.imfp, meanFreePath(job.density, job.mass, scattering.elastic),
                                          meanFreePath(job.density, job.mass, scattering.transport), &sampler};
            SimulationSettings settings{.angle = job.angle, .electrons = count, .cancel = &cancel};
            settings.progress = progress;
            error = QString::fromStdString(checkSimulationInputs(medium, settings).error());
            if (error.isEmpty()) {
                Result<SimulationScores> scores = simulateTrajectories(medium, settings);
                if (scores)
                    depth = std::make_shared<SimulatedDepth>(std::move(*scores));
                else
                    error = QString::fromStdString(scores.error());
            }
        } catch (const std::exception& e) {
            error = QString::fromStdString(e.what());
        }
        return [this, depth, error] { showResult(depth, error); };
    });
}

void SimulationPanel::showResult(const std::shared_ptr<SimulatedDepth>& depth, const QString& error)
{
    controls_->finish(depth ? QString() : error);
    if (!depth)
        return;
    txtInformationDepthSimulated_->setText(withError(depth->informationDepth(job_->probability)));
    txtMeanEscapeDepthSimulated_->setText(withError(depth->meanEscapeDepth()));
    QList<QPointF> profile;
    const double whole = depth->total().value;
    for (std::size_t i = 1; i <= depth->profileLength(); ++i)
        profile.append(QPointF(static_cast<double>(i) * depth->step(), depth->phi(i).value / whole));
    emit profileReady(profile);
}

} // namespace korvane::ui
