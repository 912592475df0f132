// SPDX-License-Identifier: GPL-3.0-or-later
// The redraw cycle of the optical bench. Nothing is drawn incrementally: every change rebuilds the
// rays over a fresh copy of the cached static picture (circle, graduations, half-disc or mirror).
#pragma once

#include "core/platform/surface.h"
#include "core/state/benchsettings.h"
#include "core/state/benchstate.h"

#include <QPointF>
#include <functional>

// What a redraw draws: the user's settings and whether the protractor lies over the bench.
struct BenchOptions {
    Source source = Source::Monochromatic;
    int wavelength = 589;          // HScroll1, nm
    bool blackBackground = true;   // Option3 ("Fond noir"); otherwise Option4 ("Fond blanc")
    bool halfDisc = true;          // Option6 ("Demi-disque"); otherwise Option7 ("Miroir")
    bool partialReflection = true; // Check3
    bool arrows = true;            // propa
    bool protractorShown = false;  // Picture2 visible
};
BenchOptions benchOptions(const BenchSettings& settings, bool protractorShown);

// The bench picture: the drawing surface `dessin`, the cached static picture `fond`, and the two
// overlays that lie over the drawing, the incident-ray line `Line1` and the lamp `lampe`. The
// screen, the clipboard, the printer, the command line and the protractor's background all take
// the same composed image (`composed`).
struct BenchPicture {
    static constexpr int Size = 404; // drawing area inside the sunken border
    static constexpr double Centre = 201.0;

    // A picture of scale k draws the same bench k times finer (Surface); 1 is the screen's.
    explicit BenchPicture(double scale = 1);

    Surface dessin;
    QImage fond;
    struct {
        float x1 = 201, y1 = 201, x2 = 201, y2 = 201;
        VbColour colour = 0xffffff;
    } line1;
    QPointF lampeTopLeft{185, 185};
    bool hidden = false; // dessin is hidden while it is rebuilt

    // How many times each drawing ran (the redraw order of the handlers is checked by tests, the
    // cache of the static picture too).
    struct Counts {
        int bench = 0;      // redrawBench
        int whiteLight = 0; // redrawWhiteLight, including the calls that return at once
        int background = 0; // the static picture
    } counts;

    // What the window does around a redraw: refresh the protractor, arm the deferred timer, show
    // the busy pointer, repaint. Each may be left empty.
    std::function<void()> fondrap;
    std::function<void()> startTimer1;
    std::function<void()> stopTimer1;
    std::function<void(bool busy)> setBusy;
    std::function<void()> repaint;

    // The picture as the screen shows it and the clipboard and the printer take it: the drawing
    // with Line1 (an opaque line, drawn like every other line of the bench) and the lamp painted
    // in.
    QImage composed() const;
    double scale() const { return dessin.scale(); }
    // Draws from now on at scale k (the screen's pixel ratio); the drawing starts blank, and
    // whoever calls it redraws the bench, static picture included.
    void setScale(double scale);
};

// Full and half-intensity colours of a whole wavelength; leaves both unchanged outside 400…800.
void wavelengthColour(int wavelength, VbColour& full, VbColour& half);
void buildSpectrumColours(BenchState& state);
// The visible spectrum, violet at the left to red at the right, 159 × 31 (behind the wavelength's
// scroll bar).
QImage spectrumStrip();

// Draws the static picture for the current background and element and caches it in fond.
void drawBenchBackground(BenchState& state, const BenchOptions& options, BenchPicture& picture);
// Rebuilds the drawing for one wavelength or the five radiations (also the quick stand-in for
// white light while the lamp is dragged).
void redrawBench(BenchState& state, const BenchOptions& options, BenchPicture& picture);
// Draws the 401 wavelengths of white light over the bench; returns at once otherwise.
void redrawWhiteLight(BenchState& state, const BenchOptions& options, BenchPicture& picture);
// The rays of one wavelength at nOuter and nDisc (Snell's law n₁ sin i = n₂ sin r).
void traceRays(BenchState& state, const BenchOptions& options, BenchPicture& picture,
               VbColour& colour, VbColour& secondColour);
// An open arrow head on the segment, at fraction f from (x1, y1), pointing towards (x2, y2).
void drawArrow(Surface& surface, int x1, int y1, int x2, int y2, double f, VbColour colour);
// The deferred white-light redraw.
void timer1Fired(BenchState& state, const BenchOptions& options, BenchPicture& picture);
