#pragma once

#include "ui/tools/BackgroundRun.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace korvane::ui {

// The controls of a Monte Carlo run of a Tools window: the electrons to
// follow, "Simulate" and "Cancel", the progress bar and the message below,
// over a BackgroundRun. The panel that holds them says what a run computes and
// shows its result; these keep the buttons, the bar and the words in step
// with the run: a cancelled run, by "Cancel" or by changed inputs, is noted
// until the next run starts.
class SimulationControls : public QWidget {
    Q_OBJECT
public:
    // `simulateText` is the button's text, with its shortcut if any.
    SimulationControls(const QString& simulateText, QWidget* parent);
    ~SimulationControls() override;

    bool running() const { return run_->running(); }
    // Puts a panel's results between the progress bar and the message.
    void addResults(QWidget* results);

    // The inputs changed: cancels a run in flight (noting so) and clears the
    // bar; "Simulate" is there for a job, and the message says the last run's
    // note, or `failure`, why there is no job.
    void replaceJob(bool hasJob, const QString& failure);
    // Starts `work` with a bar of `steps` steps.
    void start(int steps, BackgroundRun::Work work);
    // A run ended: "Simulate" comes back and the message shows `error`
    // (nothing after a run that succeeded).
    void finish(const QString& error);
    // Cancels a run in flight, without a note.
    void stop();

signals:
    // "Simulate" was pressed with a job and an electron count that a run
    // takes; the panel starts its run.
    void simulateRequested(std::uint64_t electrons);
    // The electron count was edited: the run in flight is no longer the one asked for.
    void electronsEdited();

private:
    void cmdSimulate_Click();
    void cmdCancel_Click();

    bool hasJob_ = false;
    QString note_; // what became of the last run
    BackgroundRun* run_;
    QVBoxLayout* layout_;
    QLineEdit* txtElectrons_;
    QPushButton* cmdSimulate_;
    QPushButton* cmdCancel_;
    QProgressBar* prgSimulation_;
    QLabel* lblSimulationMessage_;
};

} // namespace korvane::ui
