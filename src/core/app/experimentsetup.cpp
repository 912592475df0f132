// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/experimentsetup.h"

#include "core/bench/materials.h"
#include "core/bench/redraw.h"

namespace experimentsetup {

namespace {

// A medium's list entry: the catalogue's coefficients for a catalogue name, the ones already in
// the record for "Autre".
void selectMaterial(BenchState& state, Medium medium, const QString& name)
{
    const int position = int(materialNames().indexOf(name));
    chooseMaterial(state, medium, position);
    mediumListIndex(state, medium) = std::int16_t(position);
}

} // namespace

void start(Experiment& experiment)
{
    BenchState& state = experiment.bench;
    state.benchDrawnFor = 0;
    state.loadingConfig = false;
    selectMaterial(state, Medium::Disc, experiment.settings.discMaterial);
    selectMaterial(state, Medium::Outer, experiment.settings.outerMaterial);
    buildSpectrumColours(state);
    state.lampAngle = 135;
    experiment.tableSaved();
}

ReadOutcome read(const QString& path)
{
    config::ReadResult read = config::readFile(path, materialNames());
    switch (read.error) {
    case config::ReadError::WrongHeader:
        return {std::nullopt, NotOurs};
    case config::ReadError::Damaged:
        return {std::nullopt, ReadFailed};
    case config::ReadError::None:
        break;
    }
    return {std::move(read.configuration), QString()};
}

std::optional<QString> open(Experiment& experiment, const QString& path)
{
    const ReadOutcome read = experimentsetup::read(path);
    if (!read.configuration)
        return read.error;
    const Configuration& c = *read.configuration;
    BenchState& state = experiment.bench;
    state.outerA = c.outerA;
    state.outerB = c.outerB;
    state.discA = c.discA;
    state.discB = c.discB;
    selectMaterial(state, Medium::Disc, c.discMaterial);
    selectMaterial(state, Medium::Outer, c.outerMaterial);
    BenchSettings& s = experiment.settings;
    s.discMaterial = c.discMaterial;
    s.outerMaterial = c.outerMaterial;
    s.source = c.source;
    s.blackBackground = c.blackBackground;
    s.halfDisc = c.halfDisc;
    s.partialReflection = c.partialReflection != 0;
    s.wavelength = c.wavelength;
    s.arrows = c.arrows != 0;
    state.lampAngle = c.lampAngle;
    state.benchDrawnFor = 0;
    c.giveTable(experiment.table);
    experiment.table.reformatTable();
    experiment.changed();
    experiment.tableSaved();
    return std::nullopt;
}

QImage benchImage(Experiment& experiment, double scale)
{
    BenchPicture picture(scale);
    const BenchOptions options = benchOptions(experiment.settings, false);
    experiment.bench.benchDrawnFor = 0; // a new picture has no static picture yet
    redrawBench(experiment.bench, options, picture);
    redrawWhiteLight(experiment.bench, options, picture);
    return picture.composed();
}

QImage whiteBenchImage(const Experiment& experiment, double scale)
{
    Experiment copy;
    copy.settings = experiment.settings;
    copy.bench = experiment.bench;
    copy.settings.blackBackground = false;
    return benchImage(copy, scale);
}

std::function<QImage(double, bool)> benchDrawer(const Experiment& experiment)
{
    return [settings = experiment.settings, bench = experiment.bench](double scale, bool onWhite) {
        Experiment copy;
        copy.settings = settings;
        copy.bench = bench;
        return onWhite ? whiteBenchImage(copy, scale) : benchImage(copy, scale);
    };
}

print::BenchParameters parameters(const Experiment& experiment)
{
    const BenchSettings& s = experiment.settings;
    const BenchState& bench = experiment.bench;
    print::BenchParameters p;
    p.source = s.source;
    p.wavelength = QString::number(s.wavelength);
    p.discMaterial = s.discMaterial;
    p.discIndex = indexReadout(bench.discA, bench.discB, s.wavelength);
    p.outerMaterial = s.outerMaterial;
    p.outerIndex = indexReadout(bench.outerA, bench.outerB, s.wavelength);
    return p;
}

} // namespace experimentsetup
