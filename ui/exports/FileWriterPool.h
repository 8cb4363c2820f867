#pragma once
// Writes many files through the atomic writer on a few threads, so that one
// file's disk flush overlaps the next one's making. Errors are kept per file.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TFileWriterPool {
public:
    explicit TFileWriterPool(int threads = 4, std::size_t maxQueued = 8);
    // Waits for every file submitted.
    ~TFileWriterPool();
    TFileWriterPool(const TFileWriterPool&) = delete;
    TFileWriterPool& operator=(const TFileWriterPool&) = delete;

    // Blocks while maxQueued files wait. id names the file in Finish's answer.
    void Submit(int id, std::string fileName, std::string content);
    // Waits for every file; then per id submitted: empty, or the German error.
    std::vector<std::pair<int, std::string>> Finish();

private:
    struct TJob {
        int Id = 0;
        std::string FileName;
        std::string Content;
    };
    void Work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<TJob> queue_;
    std::vector<std::pair<int, std::string>> done_;
    std::vector<std::thread> threads_;
    std::size_t maxQueued_;
    bool closing_ = false;
};
