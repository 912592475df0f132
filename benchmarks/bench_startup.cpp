// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the main window's start-up (off-screen): built with its controls, the experiment
// prepared and the bench drawn, shown and painted once.
#include "gui/app/prisme.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_startWindow(benchmark::State& st)
{
    for (auto _ : st) {
        Prisme window(Prisme::StartMode::CommandLine);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_startWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
