#pragma once
// Runs a long search on a thread of its own and hands its progress and its
// result back to the user-interface thread by queued calls. The search sees
// only what its work function captured (a copy), and the cancel flag.
#include "season/SearchControl.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class TSearchWorker : public QObject {
    Q_OBJECT
public:
    // Runs on the worker; returns what to do with its result on the
    // user-interface thread (may throw there, the guard shows it).
    using TWork = std::function<std::function<void()>(const TSearchControl&)>;
    using TProgress = std::function<void(const TSearchProgress&)>;

    explicit TSearchWorker(QObject* parent = nullptr);
    // Cancels a running search and waits for it.
    ~TSearchWorker() override;

    // Starts work unless a search is running (then returns false).
    bool Start(TWork work, TProgress progress = {});
    // The search stops soon and still delivers its best so far.
    void Cancel();
    bool Running() const { return running_; }

private:
    void Join();

    std::atomic<bool> cancel_{false};
    std::thread thread_;
    bool running_ = false;
    // Shared with the worker so that the progress it posts never outlives us.
    std::shared_ptr<std::atomic<bool>> progressQueued_;
};
