#pragma once
// Timing in the thread's CPU time, so that other work on the machine does
// not count, and the counters every season benchmark prints.
#include <benchmark/benchmark.h>

#include <ctime>

inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Mean milliseconds of a few runs of work.
template <typename Work> double MeasureMs(Work work, int runs = 20) {
    const double start = ThreadCpuMs();
    for (int i = 0; i < runs; ++i)
        work();
    return (ThreadCpuMs() - start) / runs;
}

// The time against its budget and against a yardstick measured in the same run.
inline void Report(benchmark::State& state, double measuredMs, double budgetMs,
                   double yardstickMs) {
    state.counters["ms"] = measuredMs;
    state.counters["budget_ms"] = budgetMs;
    state.counters["of_budget"] = measuredMs / budgetMs;
    state.counters["yardstick_ms"] = yardstickMs;
    state.counters["of_yardstick"] = measuredMs / yardstickMs;
}
