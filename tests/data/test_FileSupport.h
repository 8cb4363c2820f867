#pragma once
// Scratch folders for the file tests: a fresh folder per test, optionally
// made the working directory for the test's duration.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
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
