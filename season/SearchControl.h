#pragma once
// How a caller on another thread steers a long search: cancel, progress and
// an optional budget. The search reads the flag and calls back from its own
// thread; it shares nothing else with the caller.
#include <atomic>
#include <cstdint>
#include <functional>

struct TSearchProgress {
    double Fraction = 0; // 0..1 of the current search (of the current pass)
    int Pass = 1;        // whole season: the round over all divisions
    int Division = -1;   // whole season: the division being searched
    int Clashes = 0;     // the season's clash count of the best placement so far
};

struct TSearchControl {
    // Set to true (from any thread) to stop; the result is then the best so far.
    const std::atomic<bool>* Cancel = nullptr;
    // Called now and then from the searching thread; keep it short.
    std::function<void(const TSearchProgress&)> Progress;
    // Search nodes one division's search may visit; 0: no limit (exact).
    std::int64_t NodeLimit = 0;

    bool Cancelled() const { return Cancel && Cancel->load(std::memory_order_relaxed); }
};
