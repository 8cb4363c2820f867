// What telling outside changes costs: the content hash every load and save
// computes, measured against memcpy of the same bytes in the same run.
#include "data/file/ContentHash.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Content(std::size_t bytes) {
    std::string content(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        content[i] = static_cast<char>('A' + (i * 7 + i / 61) % 26);
    return content;
}

double MemcpyBytesPerSecond(const std::string& content) {
    std::vector<char> target(content.size());
    const auto start = std::chrono::steady_clock::now();
    int rounds = 0;
    for (; std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200); ++rounds) {
        std::memcpy(target.data(), content.data(), content.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<double>(content.size()) * rounds / elapsed.count();
}

// Workload: one data file's bytes (64 KiB to 64 MiB). "vs_memcpy" is the
// hash's throughput divided by memcpy's on the same buffer.
void BM_ContentHash(benchmark::State& state) {
    const std::string content = Content(static_cast<std::size_t>(state.range(0)));
    const double yardstick = MemcpyBytesPerSecond(content);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(ContentHash(content));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double hashed = static_cast<double>(content.size()) * state.iterations();
    state.SetBytesProcessed(static_cast<std::int64_t>(hashed));
    state.counters["vs_memcpy"] = hashed / elapsed.count() / yardstick;
}

} // namespace

BENCHMARK(BM_ContentHash)->RangeMultiplier(32)->Range(64 << 10, 64 << 20);

BENCHMARK_MAIN();
