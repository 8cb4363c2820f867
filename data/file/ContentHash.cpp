#include "data/file/ContentHash.h"

#include <cstring>

namespace {

constexpr std::uint64_t Prime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t Prime2 = 0xC2B2AE3D27D4EB4Full;

std::uint64_t Word(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

std::uint64_t RotateLeft(std::uint64_t x, int r) {
    return (x << r) | (x >> (64 - r));
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t word) {
    return RotateLeft(lane + word * Prime2, 31) * Prime1;
}

std::uint64_t Avalanche(std::uint64_t h) {
    h ^= h >> 33;
    h *= Prime2;
    h ^= h >> 29;
    h *= Prime1;
    h ^= h >> 32;
    return h;
}

} // namespace

// Four independent lanes keep the multiplier busy; 32 bytes a step.
void TContentHash::Block(const unsigned char* p) {
    for (int i = 0; i < 4; ++i)
        lanes_[i] = Round(lanes_[i], Word(p + 8 * i));
}

void TContentHash::Add(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    total_ += left;
    if (pendingSize_ > 0) {
        const std::size_t take = std::min(left, sizeof pending_ - pendingSize_);
        std::memcpy(pending_ + pendingSize_, p, take);
        pendingSize_ += take;
        p += take;
        left -= take;
        if (pendingSize_ < sizeof pending_)
            return;
        Block(pending_);
        pendingSize_ = 0;
    }
    for (; left >= sizeof pending_; p += sizeof pending_, left -= sizeof pending_)
        Block(p);
    std::memcpy(pending_, p, left);
    pendingSize_ = left;
}

std::uint64_t TContentHash::Value() const {
    std::uint64_t h = RotateLeft(lanes_[0], 1) + RotateLeft(lanes_[1], 7) +
                      RotateLeft(lanes_[2], 12) + RotateLeft(lanes_[3], 18);
    h ^= total_ * Prime1;
    for (std::size_t i = 0; i < pendingSize_; ++i)
        h = RotateLeft(h ^ (pending_[i] * Prime2), 11) * Prime1;
    return Avalanche(h);
}

std::uint64_t ContentHash(std::string_view bytes) {
    TContentHash hash;
    hash.Add(bytes);
    return hash.Value();
}
