#include "ui/tools/depth/SimulationPanel.h"

#include "calc/SimulatedDepth.h"
#include "presentation/LocaleNumberText.h"
#include "presentation/ResultText.h"
#include "query/ValueWithError.h"
#include "ui/tools/BackgroundRun.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointF>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <cmath>

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
    run_ = new BackgroundRun(this);
    txtElectrons_ = new QLineEdit(QStringLiteral("1000000"), this);
    txtElectrons_->setObjectName(QStringLiteral("txtElectrons"));
    cmdSimulate_ = new QPushButton(QStringLiteral("Simulate"), this);
    cmdSimulate_->setObjectName(QStringLiteral("cmdSimulate"));
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setEnabled(false);
    prgSimulation_ = new QProgressBar(this);
    prgSimulation_->setObjectName(QStringLiteral("prgSimulation"));
    prgSimulation_->setRange(0, kSimulationBatches);
    prgSimulation_->setValue(0);
    txtInformationDepthSimulated_ = resultBox(this, "txtInformationDepthSimulated");
    txtMeanEscapeDepthSimulated_ = resultBox(this, "txtMeanEscapeDepthSimulated");
    lblSimulationMessage_ = new QLabel(this);
    lblSimulationMessage_->setObjectName(QStringLiteral("lblSimulationMessage"));
    lblSimulationMessage_->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Electrons:"), this), 0, 0);
    layout->addWidget(txtElectrons_, 0, 1);
    layout->addWidget(cmdSimulate_, 0, 2);
    layout->addWidget(cmdCancel_, 0, 3);
    layout->addWidget(prgSimulation_, 1, 0, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Information depth ID"), this), 2, 0);
    layout->addWidget(txtInformationDepthSimulated_, 2, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Mean escape depth MED"), this), 3, 0);
    layout->addWidget(txtMeanEscapeDepthSimulated_, 3, 1, 1, 3);
    layout->addWidget(lblSimulationMessage_, 4, 0, 1, 4);

    connect(cmdSimulate_, &QPushButton::clicked, this, &SimulationPanel::cmdSimulate_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &SimulationPanel::cmdCancel_Click);
    connect(txtElectrons_, &QLineEdit::textChanged, this, [this] { replaceJob(job_); });
    connect(run_, &BackgroundRun::progressed, this,
            [this](double done) { prgSimulation_->setValue(static_cast<int>(std::lround(done * kSimulationBatches))); });
}

SimulationPanel::~SimulationPanel()
{
    stopRun();
}

void SimulationPanel::stopRun()
{
    run_->stop();
    cmdCancel_->setEnabled(false);
}

void SimulationPanel::setJob(Result<Job> job)
{
    if (run_->running() && job && job_ && *job == *job_)
        return; // the run in flight is of these very inputs
    replaceJob(std::move(job));
}

void SimulationPanel::replaceJob(Result<Job> job)
{
    const bool running = run_->running();
    stopRun();
    job_ = std::move(job);
    txtInformationDepthSimulated_->clear();
    txtMeanEscapeDepthSimulated_->clear();
    prgSimulation_->setValue(0);
    cmdSimulate_->setEnabled(bool(job_));
    // The note of a cancelled run stays until the next run starts.
    if (running)
        note_ = QStringLiteral("The inputs changed: the simulation was cancelled.");
    lblSimulationMessage_->setText(job_ ? note_ : errorText(job_));
}

void SimulationPanel::cmdSimulate_Click()
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
    prgSimulation_->setValue(0);
    lblSimulationMessage_->setText(QStringLiteral("Simulating..."));
    run_->start([this, job = *job_, count = static_cast<std::uint64_t>(*electrons)](
                    const std::atomic<bool>& cancel, const BackgroundRun::Progress& progress) -> std::function<void()> {
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

void SimulationPanel::cmdCancel_Click()
{
    stopRun();
    cmdSimulate_->setEnabled(bool(job_));
    prgSimulation_->setValue(0);
    note_ = QStringLiteral("The simulation was cancelled.");
    lblSimulationMessage_->setText(note_);
}

void SimulationPanel::showResult(const std::shared_ptr<SimulatedDepth>& depth, const QString& error)
{
    stopRun();
    cmdSimulate_->setEnabled(bool(job_));
    if (!depth) {
        lblSimulationMessage_->setText(error);
        return;
    }
    txtInformationDepthSimulated_->setText(withError(depth->informationDepth(job_->probability)));
    txtMeanEscapeDepthSimulated_->setText(withError(depth->meanEscapeDepth()));
    lblSimulationMessage_->setText(QString());
    QList<QPointF> profile;
    const double whole = depth->total().value;
    for (std::size_t i = 1; i <= depth->profileLength(); ++i)
        profile.append(QPointF(static_cast<double>(i) * depth->step(), depth->phi(i).value / whole));
    emit profileReady(profile);
}

} // namespace korvane::ui
