// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of opening a shipped exercise on the real main window (off-screen): its records, its
// statement read into the rich-text box, its configuration applied with the redraws it runs.
#include "gui/app/prisme.h"
#include "gui/exercises/exercisecontrols.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_openExercise(benchmark::State& st)
{
    Prisme window(Prisme::StartMode::CommandLine);
    const QString exercise = QStringLiteral(OPTIPHANE_SOURCE_DIR "/data/exercices/REFRACTION.E02");
    for (auto _ : st)
        benchmark::DoNotOptimize(window.exercisesMenu->openExercise(exercise, &window));
}
BENCHMARK(BM_openExercise)->Unit(benchmark::kMillisecond);

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
