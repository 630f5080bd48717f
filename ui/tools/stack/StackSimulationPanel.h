#pragma once

#include "calc/SimulatedDepth.h"
#include "core/Result.h"
#include "lookup/MaterialInputs.h"

#include <QGroupBox>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace korvane::ui {

class SimulationControls;

// The Monte Carlo model of a layered sample: trajectories through the stack,
// one run per angle, off the GUI thread on the press of "Simulate" with a
// progress bar and "Cancel", as the depth window simulates one material. A
// change of any of its inputs cancels the run in flight with the same words.
class StackSimulationPanel : public QGroupBox {
    Q_OBJECT
public:
    // What a run needs: the materials (the substrate last), the layers'
    // thicknesses (Å), every IMFP (Å), the energy (eV) and the angles (°).
    struct Job {
        std::vector<MaterialInputs> materials;
        std::vector<double> thicknesses;
        std::vector<double> imfps;
        float energy = 0;
        std::vector<double> angles;
        bool operator==(const Job& other) const;
    };
    // ∫φ dz of each layer with its standard error, per angle in the job's order.
    using Signals = std::vector<std::vector<Estimate>>;

    explicit StackSimulationPanel(QWidget* parent = nullptr);

    // The inputs as they stand: another job than the one before cancels a run
    // in flight and clears the result, the same job leaves a run running;
    // with no job, its failure says why nothing can be simulated.
    void setJob(Result<Job> job);
    // The signals of the last finished run of the current job, if any.
    const std::optional<Signals>& result() const { return result_; }

signals:
    // A run finished, or its result was cleared.
    void resultChanged();

private:
    void simulate(std::uint64_t electrons);
    void replaceJob(Result<Job> job);
    void showResult(const std::shared_ptr<Signals>& found, const QString& error);

    Result<Job> job_ = Failed{};
    std::optional<Signals> result_;
    SimulationControls* controls_;
};

} // namespace korvane::ui
