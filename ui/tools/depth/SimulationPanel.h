#pragma once

#include "calc/ElasticScattering.h"
#include "core/Result.h"

#include <QGroupBox>

#include <cstdint>
#include <memory>

class QLineEdit;

namespace korvane {
class SimulatedDepth;
}

namespace korvane::ui {

class SimulationControls;

// The simulated model of the depth of the signal: electron trajectories in the
// current material, run off the GUI thread on the press of "Simulate" with a
// progress bar and "Cancel". Its ID and MED come with their standard errors,
// at any angle. A change of any of its inputs cancels the run in flight.
class SimulationPanel : public QGroupBox {
    Q_OBJECT
public:
    // What a simulation needs from the depth tab.
    struct Job {
        std::vector<FormulaAtom> atoms;
        double density = 0; // g/cm3
        double mass = 0;    // g/mol
        double imfp = 0;    // Å
        double energy = 0;  // eV
        double angle = 0;   // degrees
        double probability = 0.95;
        bool operator==(const Job& other) const;
    };

    explicit SimulationPanel(QWidget* parent = nullptr);

    // The inputs as they stand: another job than the one before cancels a run
    // in flight and clears the results, the same job leaves a run running;
    // with no job, its failure says why nothing can be simulated.
    void setJob(Result<Job> job);

signals:
    // phi(z) of a finished run at the depths z, normalised to a whole signal of 1.
    void profileReady(const QList<QPointF>& profile);

private:
    void simulate(std::uint64_t electrons);
    // Cancels a run in flight and clears the results.
    void replaceJob(Result<Job> job);
    void showResult(const std::shared_ptr<SimulatedDepth>& depth, const QString& error);

    Result<Job> job_ = Failed{}; // or why there is none
    SimulationControls* controls_;
    QLineEdit* txtInformationDepthSimulated_;
    QLineEdit* txtMeanEscapeDepthSimulated_;
};

} // namespace korvane::ui
