#pragma once

#include "ui/mainwindow/MainWindowState.h"

#include <QObject>

#include <functional>

class QWidget;

namespace korvane::ui {

// Runs a Tools window's computation when the main window's state changes in
// an input it uses, and only while its widget is visible: a change while the
// widget is hidden is computed when it is shown again. Counts its runs.
class StateFollower : public QObject {
    Q_OBJECT
public:
    StateFollower(const MainWindowState& state, MainWindowState::Changes inputs, QWidget* widget,
                  std::function<void()> compute);

    // How many times the computation ran for the state.
    int runs() const { return runs_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(MainWindowState::Changes what);
    void run();

    MainWindowState::Changes inputs_;
    QWidget* widget_;
    std::function<void()> compute_;
    bool stale_ = false;
    int runs_ = 0;
};

} // namespace korvane::ui
