// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the bench's redraw cycle: the static picture, a redraw with the five radiations over
// the cached picture, and the 401 wavelengths of white light; the static picture, a lamp step and
// white light also at scale 2 (the argument: the picture's scale).
#include "core/bench/redraw.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

struct Bench {
    BenchState state;
    BenchOptions options;
    BenchPicture picture;
    explicit Bench(double scale = 1) : picture(scale)
    {
        buildSpectrumColours(state);
        redrawBench(state, options, picture);
    }
};

void BM_drawBenchBackground(benchmark::State& st)
{
    Bench b(double(st.range(0)));
    for (auto _ : st) {
        drawBenchBackground(b.state, b.options, b.picture);
        benchmark::DoNotOptimize(b.picture.fond.constBits());
    }
}
BENCHMARK(BM_drawBenchBackground)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_redrawBenchFiveRadiations(benchmark::State& st)
{
    Bench b;
    b.options.source = Source::FiveRadiations;
    for (auto _ : st) {
        b.state.lampAngle = b.state.lampAngle >= 170 ? 100 : b.state.lampAngle + 1;
        redrawBench(b.state, b.options, b.picture);
        benchmark::DoNotOptimize(b.picture.dessin.image().constBits());
    }
}
BENCHMARK(BM_redrawBenchFiveRadiations)->Unit(benchmark::kMicrosecond);

// A step of the lamp dragged round the bench.
void BM_redrawBenchMonochromatic(benchmark::State& st)
{
    Bench b(double(st.range(0)));
    for (auto _ : st) {
        b.state.lampAngle = b.state.lampAngle >= 170 ? 100 : b.state.lampAngle + 1;
        redrawBench(b.state, b.options, b.picture);
        benchmark::DoNotOptimize(b.picture.dessin.image().constBits());
    }
}
BENCHMARK(BM_redrawBenchMonochromatic)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_redrawWhiteLight(benchmark::State& st)
{
    Bench b(double(st.range(0)));
    b.options.source = Source::WhiteLight;
    b.options.arrows = false;
    redrawBench(b.state, b.options, b.picture);
    for (auto _ : st) {
        redrawWhiteLight(b.state, b.options, b.picture);
        benchmark::DoNotOptimize(b.picture.dessin.image().constBits());
    }
}
BENCHMARK(BM_redrawWhiteLight)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the labels need the font system
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

namespace {

// Shapes reaching far beyond a 404 × 404 surface: a segment starting a billion pixels away, a
// circle, a filled circle and an arc of radius one billion centred on the surface. Only their
// visible part should cost anything.
void BM_FarOffShapes(benchmark::State& st)
{
    Surface s(404, 404);
    const int shape = int(st.range(0));
    if (shape == 2)
        s.fillStyle = FillStyle::Solid;
    static const char* const labels[] = {"line", "circle", "filled circle", "arc"};
    st.SetLabel(labels[shape]);
    for (auto _ : st) {
        switch (shape) {
        case 0:
            s.line(-1e9, 200, 200, 200, 0xff);
            break;
        case 1:
        case 2:
            s.circle(200, 200, 1e9, 0xff);
            break;
        case 3:
            s.arc(200, 200, 1e9, 0.5, 2.5, 0xff);
            break;
        }
        benchmark::DoNotOptimize(s.image().constBits());
    }
}
BENCHMARK(BM_FarOffShapes)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace
