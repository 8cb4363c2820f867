#pragma once
// A fast 64-bit hash of a file's bytes: tells whether a file on disk still
// holds what the program read or wrote. Not for security.
#include <cstdint>
#include <string_view>

// Takes the content in pieces of any size; the value depends only on the
// bytes, never on where the pieces were cut.
class TContentHash {
public:
    void Add(std::string_view bytes);
    std::uint64_t Value() const;

private:
    void Block(const unsigned char* p);

    std::uint64_t lanes_[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                               0x27D4EB2F165667C5ull};
    std::uint64_t total_ = 0;
    unsigned char pending_[32] = {};
    std::size_t pendingSize_ = 0;
};

std::uint64_t ContentHash(std::string_view bytes);
