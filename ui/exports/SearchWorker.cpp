#include "ui/exports/SearchWorker.h"

#include "ui/ErrorGuard.h"

#include <QMetaObject>

TSearchWorker::TSearchWorker(QObject* parent)
    : QObject(parent), progressQueued_(std::make_shared<std::atomic<bool>>(false)) {}

TSearchWorker::~TSearchWorker() {
    cancel_ = true;
    Join();
}

void TSearchWorker::Join() {
    if (thread_.joinable())
        thread_.join();
}

bool TSearchWorker::Start(TWork work, TProgress progress) {
    if (running_)
        return false;
    Join();
    cancel_ = false;
    running_ = true;
    thread_ = std::thread(
        [this, work = std::move(work), progress = std::move(progress), queued = progressQueued_] {
            TSearchControl control;
            control.Cancel = &cancel_;
            if (progress)
                control.Progress = [this, progress, queued](const TSearchProgress& step) {
                    // One progress call waits at a time; the search never blocks on the window.
                    if (queued->exchange(true))
                        return;
                    QMetaObject::invokeMethod(
                        this,
                        [progress, queued, step] {
                            queued->store(false);
                            Guard([&] { progress(step); });
                        },
                        Qt::QueuedConnection);
                };
            std::function<void()> deliver;
            try {
                deliver = work(control);
            } catch (...) {
                deliver = [error = std::current_exception()] { std::rethrow_exception(error); };
            }
            QMetaObject::invokeMethod(
                this,
                [this, deliver = std::move(deliver)] {
                    running_ = false;
                    Join();
                    Guard([&] {
                        if (deliver)
                            deliver();
                    });
                },
                Qt::QueuedConnection);
        });
    return true;
}

void TSearchWorker::Cancel() {
    cancel_ = true;
}
