// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the configuration files on the real main window (off-screen): saving a 100-row
// experiment, and opening it, with the redraws a load runs; and the three copies to the clipboard.
#include "core/state/module1.h"
#include "gui/app/prisme.h"
#include "gui/table/tablecontrols.h"

#include <QAction>

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Experiment {
    QTemporaryDir dir;
    Prisme window{Prisme::StartMode::CommandLine};
    QString path = dir.filePath(QStringLiteral("mesures.P02"));
    Experiment()
    {
        TableModel& t = window.table;
        t.setRowCount(table::MaxRows);
        for (int r = 1; r < table::MaxRows; ++r)
            for (int c = 0; c < table::Columns; ++c)
                t.setCell(r, c, table::formatCellNumber(float(r * 0.5 + c), t.numberFormat()));
        window.writeConfiguration(path);
    }
};

void BM_saveHundredRows(benchmark::State& st)
{
    Experiment e;
    for (auto _ : st)
        benchmark::DoNotOptimize(e.window.writeConfiguration(e.path));
}
BENCHMARK(BM_saveHundredRows)->Unit(benchmark::kMillisecond);

void BM_loadHundredRows(benchmark::State& st)
{
    Experiment e;
    for (auto _ : st)
        benchmark::DoNotOptimize(e.window.openConfiguration(e.path));
}
BENCHMARK(BM_loadHundredRows)->Unit(benchmark::kMillisecond);

// Each copy to the clipboard, with 100 rows in the table.
void BM_copyBenchPicture(benchmark::State& st)
{
    Experiment e;
    for (auto _ : st)
        e.window.findChild<QAction*>(QStringLiteral("cop001"))->trigger();
}
BENCHMARK(BM_copyBenchPicture)->Unit(benchmark::kMillisecond);

void BM_copyTablePicture(benchmark::State& st)
{
    Experiment e;
    for (auto _ : st)
        e.window.findChild<QAction*>(QStringLiteral("cop002"))->trigger();
}
BENCHMARK(BM_copyTablePicture)->Unit(benchmark::kMillisecond);

void BM_copyTableText(benchmark::State& st)
{
    Experiment e;
    for (auto _ : st)
        e.window.findChild<QAction*>(QStringLiteral("cop003"))->trigger();
}
BENCHMARK(BM_copyTableText)->Unit(benchmark::kMillisecond);

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
