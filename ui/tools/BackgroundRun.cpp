#include "ui/tools/BackgroundRun.h"

namespace korvane::ui {

BackgroundRun::BackgroundRun(QObject* parent) : QObject(parent) {}

BackgroundRun::~BackgroundRun()
{
    stop();
}

void BackgroundRun::stop()
{
    if (cancel_)
        cancel_->store(true);
    if (worker_.joinable())
        worker_.join();
    cancel_.reset();
}

void BackgroundRun::start(Work work)
{
    stop();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    worker_ = std::thread([this, work = std::move(work), cancel = cancel_] {
        // Progress of a run that has since ended tells nothing more.
        const Progress progress = [this, cancel](double done) {
            QMetaObject::invokeMethod(
                this,
                [this, done, cancel] {
                    if (cancel == cancel_)
                        emit progressed(done);
                },
                Qt::QueuedConnection);
        };
        std::function<void()> deliver = work(*cancel, progress);
        if (cancel->load())
            return; // whoever cancelled has already said so
        QMetaObject::invokeMethod(
            this,
            [this, deliver = std::move(deliver), cancel] {
                if (cancel != cancel_)
                    return; // a run cancelled after it sent its result
                stop();
                deliver();
            },
            Qt::QueuedConnection);
    });
}

} // namespace korvane::ui
