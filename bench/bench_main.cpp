// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark entry point: a headless application for the widget benchmarks.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "runtime/application.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    rt::Application application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
