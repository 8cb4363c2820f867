#include "ui/exports/FileWriterPool.h"

#include "data/file/AtomicFile.h"

#include <algorithm>
#include <exception>

TFileWriterPool::TFileWriterPool(int threads, std::size_t maxQueued)
    : maxQueued_(std::max<std::size_t>(1, maxQueued)) {
    for (int i = 0; i < std::max(1, threads); ++i)
        threads_.emplace_back([this] { Work(); });
}

TFileWriterPool::~TFileWriterPool() {
    Finish();
}

void TFileWriterPool::Submit(int id, std::string fileName, std::string content) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < maxQueued_; });
    queue_.push_back({id, std::move(fileName), std::move(content)});
    changed_.notify_all();
}

std::vector<std::pair<int, std::string>> TFileWriterPool::Finish() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable())
            thread.join();
    std::lock_guard lock(mutex_);
    std::sort(done_.begin(), done_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return done_;
}

void TFileWriterPool::Work() {
    for (;;) {
        TJob job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return closing_ || !queue_.empty(); });
            if (queue_.empty())
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();
        std::string error;
        try {
            WriteFileAtomically(job.FileName, job.Content);
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        std::lock_guard lock(mutex_);
        done_.emplace_back(job.Id, std::move(error));
    }
}
