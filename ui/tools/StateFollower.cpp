#include "ui/tools/StateFollower.h"

#include <QEvent>
#include <QWidget>

namespace korvane::ui {

StateFollower::StateFollower(const MainWindowState& state, MainWindowState::Changes inputs, QWidget* widget,
                             std::function<void()> compute)
    : QObject(widget), inputs_(inputs), widget_(widget), compute_(std::move(compute))
{
    setObjectName(QStringLiteral("stateFollower"));
    connect(&state, &MainWindowState::changed, this, &StateFollower::follow);
    widget_->installEventFilter(this);
}

void StateFollower::follow(MainWindowState::Changes what)
{
    if (!(what & inputs_))
        return;
    stale_ = true;
    if (widget_->isVisible())
        run();
}

void StateFollower::run()
{
    stale_ = false;
    ++runs_;
    compute_();
}

bool StateFollower::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget_ && event->type() == QEvent::Show && stale_)
        run();
    return QObject::eventFilter(watched, event);
}

} // namespace korvane::ui
