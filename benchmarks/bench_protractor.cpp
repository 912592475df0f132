// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the protractor: a lamp drag step with the protractor open (the five radiations' preview,
// then the box's background copied and the protractor drawn), a move (copy and drawing), and a
// turning or sphere step (drawing only).
#include "core/protractor/protractor.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

struct Open {
    BenchState state;
    BenchOptions options;
    BenchPicture bench;
    ProtractorState protractor{0.0f, 1.5707964f};
    ProtractorPicture picture;
    Open()
    {
        options.source = Source::FiveRadiations;
        options.protractorShown = true;
        bench.fondrap = [this] { copyBenchUnder(picture, bench, protractor); };
        buildSpectrumColours(state);
        redrawBench(state, options, bench);
    }
};

void BM_lampDragWithProtractor(benchmark::State& st)
{
    Open o;
    for (auto _ : st) {
        o.state.lampAngle = o.state.lampAngle >= 170 ? 100 : o.state.lampAngle + 1;
        redrawBench(o.state, o.options, o.bench);
        benchmark::DoNotOptimize(o.picture.box.image().constBits());
    }
}
BENCHMARK(BM_lampDragWithProtractor)->Unit(benchmark::kMicrosecond);

void BM_protractorMove(benchmark::State& st)
{
    Open o;
    int step = 0;
    for (auto _ : st) {
        step = (step + 1) % 100;
        o.picture.place =
            protractor::clampedPlace(QPointF(50 + step, 150 - step * 0.5), QRectF(0, 0, 404, 404));
        copyBenchUnder(o.picture, o.bench, o.protractor);
        benchmark::DoNotOptimize(o.picture.box.image().constBits());
    }
}
BENCHMARK(BM_protractorMove)->Unit(benchmark::kMicrosecond);

void BM_protractorTurn(benchmark::State& st)
{
    Open o;
    for (auto _ : st) {
        o.protractor.protractorAngle =
            protractor::turnedAngle(100 + 90 * std::cos(o.protractor.protractorAngle),
                                    100 - 90 * std::sin(o.protractor.protractorAngle));
        drawProtractor(o.picture, o.bench, o.protractor);
        benchmark::DoNotOptimize(o.picture.box.image().constBits());
    }
}
BENCHMARK(BM_protractorTurn)->Unit(benchmark::kMicrosecond);

void BM_sphereStep(benchmark::State& st)
{
    Open o;
    double t = 0;
    for (auto _ : st) {
        t = t > 3 ? 0 : t + 0.01;
        o.protractor.lineAngle =
            protractor::measuredLineAngle(o.protractor.protractorAngle, o.protractor.lineAngle,
                                          100 + 90 * std::cos(t), 100 - 90 * std::sin(t));
        benchmark::DoNotOptimize(protractor::readout(o.protractor.lineAngle));
        drawProtractor(o.picture, o.bench, o.protractor);
        benchmark::DoNotOptimize(o.picture.box.image().constBits());
    }
}
BENCHMARK(BM_sphereStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
