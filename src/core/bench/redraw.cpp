// SPDX-License-Identifier: GPL-3.0-or-later
// The redraw cycle: colours, the cached static picture, then the rays of one wavelength, of the
// five radiations, or of the 401 wavelengths of white light.
#include "core/bench/redraw.h"

#include "core/bench/lampicon.h"
#include "core/bench/optics.h"

#include <QPainter>

BenchOptions benchOptions(const BenchSettings& settings, bool protractorShown)
{
    BenchOptions o;
    o.source = settings.source;
    o.wavelength = settings.wavelength;
    o.blackBackground = settings.blackBackground;
    o.halfDisc = settings.halfDisc;
    o.partialReflection = settings.partialReflection;
    o.arrows = settings.arrows;
    o.protractorShown = protractorShown;
    return o;
}

namespace {

void call(const std::function<void()>& f)
{
    if (f)
        f();
}

// The five radiations and their full and darker colours.
struct Radiation {
    int wavelength;
    int colour;
    int secondColour;
};
constexpr Radiation FiveRadiations[] = {
    {400, 9, 1}, {500, 11, 3}, {600, 10, 2}, {700, 14, 6}, {800, 12, 4}};

void setIndices(BenchState& state, int wavelength)
{
    state.nOuter = optics::cauchyIndex(state.outerA, state.outerB, wavelength);
    state.nDisc = optics::cauchyIndex(state.discA, state.discB, wavelength);
}

} // namespace

void redrawBench(BenchState& state, const BenchOptions& options, BenchPicture& picture)
{
    ++picture.counts.bench;
    Surface& s = picture.dessin;
    const bool black = options.blackBackground;

    // 1. Colours of the surface; the static picture is drawn again only when stale.
    if (black) {
        s.setBackColour(paletteColour(0));
        s.foreColour = paletteColour(7);
        s.fillColour = rgbColour(60, 60, 60);
        if (state.benchDrawnFor != 1)
            drawBenchBackground(state, options, picture);
    } else {
        s.setBackColour(paletteColour(15));
        s.foreColour = paletteColour(8);
        s.fillColour = rgbColour(240, 240, 240);
        if (state.benchDrawnFor != 2)
            drawBenchBackground(state, options, picture);
    }

    // 2. A fresh copy of the static picture.
    picture.hidden = true;
    s.setPicture(picture.fond);
    s.cls();

    // 3. Rays add up on black; everything is black on white.
    const DrawMode mode = black ? DrawMode::MergePen : DrawMode::Black;
    s.drawMode = mode;

    if (options.source != Source::Monochromatic) {
        picture.line1.colour = black ? paletteColour(15) : paletteColour(0);
        s.drawMode = mode;
        for (const Radiation& r : FiveRadiations) {
            setIndices(state, r.wavelength);
            VbColour colour = paletteColour(r.colour);
            VbColour second = paletteColour(r.secondColour);
            traceRays(state, options, picture, colour, second);
        }
    } else {
        s.drawMode = DrawMode::CopyPen;
        VbColour c = 0, c2 = 0;
        if (black)
            wavelengthColour(options.wavelength, c, c2);
        picture.line1.colour = c;
        setIndices(state, options.wavelength);
        traceRays(state, options, picture, c, c2);
    }

    if (options.protractorShown)
        call(picture.fondrap);
    picture.hidden = false;
    call(picture.repaint);
    if (state.printRedrawPending)
        call(picture.startTimer1);
}

void redrawWhiteLight(BenchState& state, const BenchOptions& options, BenchPicture& picture)
{
    ++picture.counts.whiteLight;
    call(picture.stopTimer1);
    if (options.source != Source::WhiteLight)
        return;
    if (picture.setBusy)
        picture.setBusy(true);
    Surface& s = picture.dessin;
    if (options.blackBackground) {
        s.setBackColour(paletteColour(0));
        s.drawMode = DrawMode::MergePen;
        picture.line1.colour = paletteColour(15);
    } else {
        s.setBackColour(paletteColour(15));
        s.drawMode = DrawMode::Black;
    }
    s.cls();
    picture.hidden = true;
    for (int l = 400; l <= 800; ++l) {
        setIndices(state, l);
        VbColour colour = state.spectrumColours[size_t(l - 400)];
        VbColour second = paletteColour(8);
        traceRays(state, options, picture, colour, second);
    }
    if (options.protractorShown)
        call(picture.fondrap);
    picture.hidden = false;
    call(picture.repaint);
    if (picture.setBusy)
        picture.setBusy(false);
    state.lampMoved = false;
}

void timer1Fired(BenchState& state, const BenchOptions& options, BenchPicture& picture)
{
    if (options.source == Source::WhiteLight)
        redrawWhiteLight(state, options, picture);
    state.printRedrawPending = false;
    call(picture.stopTimer1);
}

QImage BenchPicture::composed() const
{
    Surface copy = dessin;
    copy.drawMode = DrawMode::CopyPen;
    copy.drawStyle = DrawStyle::Solid;
    copy.line(line1.x1, line1.y1, line1.x2, line1.y2, line1.colour);
    QImage out = copy.image();
    QPainter p(&out);
    // The lamp's corner at k: 1× point x lies at image point x k.
    p.drawImage(lampeTopLeft * scale(), lampIcon(scale()));
    return out;
}
