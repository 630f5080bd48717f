#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace korvane::ui {

// A long computation of a Tools window (a simulation) on a thread of its own,
// one at a time, that can be cancelled: its progress and its result reach the
// GUI thread only while it is the current run, so nothing of a cancelled or
// replaced run arrives later.
class BackgroundRun : public QObject {
    Q_OBJECT
public:
    // Tells the fraction done, from any thread.
    using Progress = std::function<void(double)>;
    // The work, on the run's thread: it reads `cancel` (or hands it on) and
    // returns what to do with its result on the GUI thread.
    using Work = std::function<std::function<void()>(const std::atomic<bool>& cancel, const Progress& progress)>;

    explicit BackgroundRun(QObject* parent = nullptr);
    ~BackgroundRun() override;

    bool running() const { return cancel_ != nullptr; }
    // Starts `work`; a run in flight is stopped first.
    void start(Work work);
    // Cancels the run in flight and waits for its thread to end.
    void stop();

signals:
    // The fraction done of the current run.
    void progressed(double done);

private:
    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
};

} // namespace korvane::ui
