// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the graph: a full redraw of 100 points with the grid, crosses and joined points (the
// redraw after every click of an option), the same with the regression line, and the least-squares
// fit alone; the report's graph: values, names and both lines, and its page printed to PDF.
#include "core/graph/graph.h"
#include "core/print/printlayout.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// 100 data rows: a noisy rising line in C1 against C2, and a few negative values.
TableModel hundredPoints()
{
    TableModel t;
    t.setRowCount(table::MaxRows);
    for (int r = 1; r < table::MaxRows; ++r) {
        const float x = float(r) * 0.37f - 5;
        const float y = 2.5f * x + 3 + float((r * 37) % 11) * 0.4f;
        t.setCell(r, 0, table::formatCellNumber(x, t.numberFormat()));
        t.setCell(r, 1, table::formatCellNumber(y, t.numberFormat()));
    }
    return t;
}

void BM_majgrafHundredPoints(benchmark::State& st)
{
    const TableModel t = hundredPoints();
    Surface picture(graph::PictureSize, graph::PictureSize);
    graph::Options options;
    options.joined = options.grid = options.crosses = true;
    options.regression = st.range(0) != 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(graph::majgraf(picture, t, 0, 1, options));
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_majgrafHundredPoints)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_regressionHundredPoints(benchmark::State& st)
{
    const std::vector<graph::Mark> points = graph::marks(hundredPoints(), 0, 1);
    for (auto _ : st)
        benchmark::DoNotOptimize(graph::regression(points));
}
BENCHMARK(BM_regressionHundredPoints)->Unit(benchmark::kMicrosecond);

void BM_reportGraphHundredPoints(benchmark::State& st)
{
    TableModel t = hundredPoints();
    t.setCell(0, 0, QStringLiteral("sin r"));
    t.setCell(0, 1, QStringLiteral("sin i"));
    Surface picture(graph::PictureSize, graph::PictureSize);
    graph::Options options;
    options.crosses = options.regression = options.throughOrigin = options.values = true;
    options.xTitle = t.title(0);
    options.yTitle = t.title(1);
    for (auto _ : st) {
        benchmark::DoNotOptimize(graph::majgraf(picture, t, 0, 1, options));
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_reportGraphHundredPoints)->Unit(benchmark::kMicrosecond);

void BM_graphPageToPdf(benchmark::State& st)
{
    TableModel t = hundredPoints();
    Surface picture(graph::PictureSize, graph::PictureSize);
    graph::Options options;
    options.regression = options.values = true;
    graph::majgraf(picture, t, 0, 1, options);
    const graph::Page page = graph::page(picture.image(), t, 0, 1, options);
    // Printed as the window prints it: the plot drawn again at the printer's resolution.
    const print::GraphPage text{
        .title = page.title,
        .equations = page.equations,
        .pointsHeader = page.pointsHeader,
        .points = page.points,
        .drawAt = [&t, &options](double scale) { return graph::plot(t, 0, 1, options, scale); }};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graphe.pdf"));
    for (auto _ : st) {
        print::PdfTarget target(path);
        benchmark::DoNotOptimize(print::printGraph(target, page.plot, text));
    }
}
BENCHMARK(BM_graphPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The message for unusable columns is drawn text, which needs the fonts.
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
