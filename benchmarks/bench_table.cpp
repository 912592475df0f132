// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the table: rewriting 100 full rows in the table's format, a sort of 100 rows (both
// rewrites included), a paste of 100 × 5 values, a column computed from a formula, and the
// spreadsheet file of 100 rows (at most 5 ms).
#include "core/calc/columnrun.h"
#include "core/expr/engine.h"
#include "core/table/tablecsv.h"
#include "core/table/tablemodel.h"

#include <benchmark/benchmark.h>

namespace {

// 100 data rows of five measurements each, in the start format.
TableModel fullTable()
{
    TableModel t;
    t.setRowCount(table::MaxRows);
    for (int r = 1; r < table::MaxRows; ++r)
        for (int c = 0; c < table::Columns; ++c)
            t.setCell(r, c,
                      table::formatCellNumber(float((r * 37 + c * 11) % 101) * 0.731f - 20,
                                              t.numberFormat()));
    return t;
}

void BM_reformatTable(benchmark::State& st)
{
    TableModel t = fullTable();
    for (auto _ : st) {
        t.reformatTable();
        benchmark::DoNotOptimize(t.getCell(50, 2));
    }
}
BENCHMARK(BM_reformatTable)->Unit(benchmark::kMicrosecond);

void BM_sortHundredRows(benchmark::State& st)
{
    TableModel t = fullTable();
    bool ascending = true;
    for (auto _ : st) {
        t.sortRows(2, ascending);
        ascending = !ascending;
        benchmark::DoNotOptimize(t.getCell(50, 2));
    }
}
BENCHMARK(BM_sortHundredRows)->Unit(benchmark::kMicrosecond);

void BM_pasteHundredRows(benchmark::State& st)
{
    QString text;
    for (int r = 0; r < 100; ++r)
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\r\n")
                    .arg(r * 0.5)
                    .arg(r * 1.25)
                    .arg(-r)
                    .arg(r * 1e-3)
                    .arg(r * 3.14159);
    for (auto _ : st) {
        TableModel t;
        benchmark::DoNotOptimize(t.paste(text));
    }
}
BENCHMARK(BM_pasteHundredRows)->Unit(benchmark::kMicrosecond);

// A 100-row column computed from "C1 * sin (C2)", the cell writes included.
void BM_computeColumn(benchmark::State& st)
{
    TableModel t = fullTable();
    const QString formula = QStringLiteral("C1 * sin (C2)");
    for (auto _ : st) {
        const calc::ColumnRun run = calc::runColumn(t, 2, formula, expr::Degrees, false);
        benchmark::DoNotOptimize(run.missed);
    }
}
BENCHMARK(BM_computeColumn)->Unit(benchmark::kMicrosecond);

void BM_csvHundredRows(benchmark::State& st)
{
    const TableModel t = fullTable();
    for (auto _ : st)
        benchmark::DoNotOptimize(table::csvText(t));
}
BENCHMARK(BM_csvHundredRows)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
