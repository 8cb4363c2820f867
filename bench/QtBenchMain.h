#pragma once
// main() of the benchmarks that paint: a GUI application (offscreen unless
// the environment names a platform) around Google Benchmark's run.
#include <QGuiApplication>
#include <benchmark/benchmark.h>

inline int RunQtBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
