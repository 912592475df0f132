// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the rays of one wavelength from their geometry (bench/optics.h): the incident-ray line
// and the lamp, the reflected ray (mirror), the partial reflection, the refracted or totally
// reflected ray, and their arrows.
#include "core/bench/optics.h"
#include "core/bench/redraw.h"
#include "core/platform/numtext.h"

#include <cmath>

namespace {

using numtext::roundToInt;
inline int floorInt(double v)
{
    return int(std::floor(v));
}

// A ray from the centre to its end, with its arrow at three tenths.
void drawRay(Surface& s, optics::Point end, VbColour colour, bool arrows)
{
    s.line(optics::CentreX, optics::CentreY, end.x, end.y, colour);
    if (arrows)
        drawArrow(s, 201, 201, floorInt(end.x), floorInt(end.y), 0.3, colour);
}

} // namespace

void drawArrow(Surface& surface, int x1, int y1, int x2, int y2, double f, VbColour colour)
{
    const double px = roundToInt(x1 + (x2 - x1) * f);
    const double py = roundToInt(y1 + (y2 - y1) * f);
    // Slope of the ray and of its perpendicular; a vertical or horizontal ray takes a huge slope.
    const double m = (x2 == x1) ? 1e10 : double(y2 - y1) / double(x2 - x1);
    const double q = (m == 0) ? 1e11 : 1 / m;
    double d = 10 / std::sqrt(1 + m * m);
    if (x2 < x1)
        d = -d;
    if (x1 == x2 && y2 < y1)
        d = -d;
    const double w = 5 / std::sqrt(1 + q * q);
    // The tip lies 10 pixels ahead along the ray; the barbs 5 pixels on either side of P.
    const float tx = float(px + d), ty = float(py + m * d);
    surface.line(tx, ty, float(px - w), float(py + q * w), colour);
    surface.line(tx, ty, float(px + w), float(py - q * w), colour);
}

void traceRays(BenchState& state, const BenchOptions& options, BenchPicture& picture,
               VbColour& colour, VbColour& secondColour)
{
    Surface& s = picture.dessin;
    const optics::RayGeometry g = optics::rayGeometry(state.lampAngle, state.nOuter, state.nDisc);

    auto& l1 = picture.line1;
    l1.x2 = 201;
    l1.y2 = 201;
    l1.x1 = g.lampX;
    l1.y1 = g.lampY;
    picture.lampeTopLeft = QPointF(l1.x1 - 16, l1.y1 - 16);

    if (options.arrows)
        drawArrow(s, roundToInt(l1.x1), roundToInt(l1.y1), roundToInt(l1.x2), roundToInt(l1.y2),
                  0.5, l1.colour);

    if (!options.halfDisc) { // the mirror reflects everything
        drawRay(s, g.reflected, colour, options.arrows);
        return;
    }

    if (options.partialReflection) {
        const bool polychromeOnBlack =
            options.source != Source::Monochromatic && options.blackBackground;
        if (!polychromeOnBlack || optics::violetRefracted(state.outerA, state.outerB, state.discA,
                                                          state.discB, g.side, g.incidence)) {
            const DrawMode saved = s.drawMode;
            if (!options.blackBackground) {
                secondColour = paletteColour(7);
                s.drawMode = DrawMode::CopyPen;
            }
            drawRay(s, g.reflected, secondColour, options.arrows);
            s.drawMode = saved;
        }
    }

    drawRay(s, g.transmitted(), colour, options.arrows);
}
