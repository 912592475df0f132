// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the printouts into a PDF file: one bench page with its parameters block, from the
// real main window's picture (off-screen), and the table of 100 rows over its three pages.
#include "core/print/printlayout.h"
#include "gui/app/prisme.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_benchPageIntoPdf(benchmark::State& st)
{
    QTemporaryDir dir;
    Prisme window(Prisme::StartMode::CommandLine);
    for (auto _ : st) {
        // The print window takes the printout when it opens, then lays it out.
        const print::BenchPrintout printout = window.benchPrintout();
        print::PdfTarget target(dir.filePath(QStringLiteral("banc.pdf")));
        benchmark::DoNotOptimize(print::printBench(target, printout, {}));
    }
}
BENCHMARK(BM_benchPageIntoPdf)->Unit(benchmark::kMillisecond);

void BM_hundredRowTableIntoPdf(benchmark::State& st)
{
    QTemporaryDir dir;
    Prisme window(Prisme::StartMode::CommandLine);
    TableModel& t = window.table;
    t.setRowCount(table::MaxRows);
    for (int c = 0; c < table::Columns; ++c)
        t.setCell(0, c,
                  QStringLiteral("Angle d'incidence mesuré au rapporteur ").repeated(4).left(126));
    for (int r = 1; r < table::MaxRows; ++r)
        for (int c = 0; c < table::Columns; ++c)
            t.setCell(r, c, table::formatCellNumber(float(r * 0.5 + c), t.numberFormat()));
    for (auto _ : st) {
        const print::TablePrintout printout = window.tablePrintout();
        print::PdfTarget target(dir.filePath(QStringLiteral("tableau.pdf")));
        benchmark::DoNotOptimize(print::Cletab(target, printout, 1));
    }
}
BENCHMARK(BM_hundredRowTableIntoPdf)->Unit(benchmark::kMillisecond);

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
