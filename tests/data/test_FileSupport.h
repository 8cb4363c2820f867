#pragma once
// Scratch folders for the file tests: a fresh folder per test, optionally
// made the working directory for the test's duration.
#include "test_ErrorOf.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

class TScratchFolder {
public:
    TScratchFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("staffel-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

class TWorkingDirectory {
public:
    explicit TWorkingDirectory(const std::filesystem::path& path)
        : former_(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~TWorkingDirectory() { std::filesystem::current_path(former_); }
    TWorkingDirectory(const TWorkingDirectory&) = delete;
    TWorkingDirectory& operator=(const TWorkingDirectory&) = delete;

private:
    std::filesystem::path former_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string Fixture(const std::string& name) {
    return ReadBytes(std::filesystem::path(STAFFEL_FIXTURES) / name);
}

// Names in a folder, for checking that nothing was left behind.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A FIFO for tests that must not block on it. Should the code under test
// hang on it after all, a writer opens and closes it after a deadline, which
// ends the hang; Hung() then tells the test to fail.
class TFifo {
public:
    explicit TFifo(std::string path) : path_(std::move(path)) {
        ::mkfifo(path_.c_str(), 0644);
        guard_ = std::thread([this] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!done_ && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (done_)
                return;
            hung_ = true;
            // A reader blocked in open() is released by this open, one
            // blocked in read() by the close.
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~TFifo() {
        done_ = true;
        guard_.join();
    }
    TFifo(const TFifo&) = delete;
    TFifo& operator=(const TFifo&) = delete;
    bool Hung() const { return hung_; }

private:
    std::string path_;
    std::atomic<bool> done_{false};
    std::atomic<bool> hung_{false};
    std::thread guard_;
};

// HOME points at a scratch folder for the test's duration, so that nothing
// a test writes there reaches the real home folder.
class THomeFolder {
public:
    explicit THomeFolder(const std::filesystem::path& path) {
        if (const char* home = std::getenv("HOME"))
            former_ = home;
        ::setenv("HOME", path.c_str(), 1);
    }
    ~THomeFolder() {
        if (former_.empty())
            ::unsetenv("HOME");
        else
            ::setenv("HOME", former_.c_str(), 1);
    }
    THomeFolder(const THomeFolder&) = delete;
    THomeFolder& operator=(const THomeFolder&) = delete;

private:
    std::string former_;
};
