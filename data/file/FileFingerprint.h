#pragma once
// What the program last read or wrote of a file, to tell a change made by
// someone else: the file's identity and time, and a hash of its bytes.
#include <cstdint>
#include <optional>
#include <string>

struct TFileFingerprint {
    std::uint64_t Size = 0;
    std::int64_t ModifiedNs = 0;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::uint64_t Hash = 0;
};

// Same file, size and time: taken to hold the same bytes without reading them.
inline bool SameFileState(const TFileFingerprint& a, const TFileFingerprint& b) {
    return a.Size == b.Size && a.ModifiedNs == b.ModifiedNs && a.Device == b.Device &&
           a.Inode == b.Inode;
}

// The state of the file a name leads to (links followed), without its hash;
// nothing when there is no such file.
std::optional<TFileFingerprint> FileStateOf(const std::string& fileName);
