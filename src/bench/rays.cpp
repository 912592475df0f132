// SPDX-License-Identifier: GPL-3.0-or-later
// The rays of one wavelength. The incident ray runs from the lamp L, on the circle of radius 190,
// to the centre C = (201, 201). The half-disc refracts by Snell's law n₁ sin i = n₂ sin r, with
// i = lampAngle − 180 the signed angle of incidence: on side 1 (lamp on the left) light enters
// the half-disc, on side 2 it leaves it. Past the critical angle (|sin r| > 1) the light is
// totally reflected. The reflected ray is the mirror image of the incident ray about the normal.
#include "bench/redraw.h"

#include <cmath>

namespace {

constexpr double LampPi = 3.1415927;    // degrees to radians for the lamp's position
constexpr double DegToRad = 0.0174532;  // degrees to radians in the ray construction
constexpr double RadToDeg = 57.29578;

inline int nearest(double v) { return int(std::nearbyint(v)); }
inline int floorInt(double v) { return int(std::floor(v)); }

struct Point {
    double x, y;
};

// End of a ray of length 300 leaving C in the direction phi (radians, anticlockwise on screen).
Point rayEnd(double phi) { return {201 + 300 * std::cos(phi), 201 - 300 * std::sin(phi)}; }

} // namespace

void drawArrow(Surface& surface, int x1, int y1, int x2, int y2, double f, VbColour colour)
{
    const double px = nearest(x1 + (x2 - x1) * f);
    const double py = nearest(y1 + (y2 - y1) * f);
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
    const double theta = state.lampAngle * LampPi / 180;
    const double c = std::cos(theta), sn = std::sin(theta);

    auto& l1 = picture.line1;
    l1.x2 = 201;
    l1.y2 = 201;
    l1.x1 = float(201 + 190 * c);
    l1.y1 = float(201 + 190 * sn);
    picture.lampeTopLeft = QPointF(l1.x1 - 16, l1.y1 - 16);

    if (options.arrows)
        drawArrow(s, nearest(l1.x1), nearest(l1.y1), nearest(l1.x2), nearest(l1.y2), 0.5,
                  l1.colour);

    const double i = state.lampAngle - 180;
    double sinR = 0;
    int side;
    if (l1.x1 <= 201) {
        side = 1;
        if (state.nDisc != 0)
            sinR = state.nOuter * std::sin(i * DegToRad) / state.nDisc;
    } else {
        side = 2;
        if (state.nOuter != 0)
            sinR = state.nDisc * std::sin(i * DegToRad) / state.nOuter;
    }

    const Point reflected = rayEnd((state.lampAngle + 360) * DegToRad);

    if (!options.halfDisc) { // the mirror reflects everything
        s.line(201, 201, reflected.x, reflected.y, colour);
        if (options.arrows)
            drawArrow(s, 201, 201, floorInt(reflected.x), floorInt(reflected.y), 0.3, colour);
        return;
    }

    if (options.partialReflection) {
        bool show = true;
        if (options.source != BenchOptions::Source::Monochromatic && options.blackBackground) {
            // Polychromatic light: the partial reflection is drawn only while the violet ray
            // (400 nm) is not totally reflected.
            const double n0 = cauchyIndex(state.outerA, state.outerB, 400);
            const double n1 = cauchyIndex(state.discA, state.discB, 400);
            const double s400 = std::sin(i * DegToRad);
            double r400 = 0;
            if (side == 1 ? n1 != 0 : n0 != 0)
                r400 = side == 1 ? s400 * n0 / n1 : s400 * n1 / n0;
            show = r400 >= -1 && r400 <= 1;
        }
        if (show) {
            const DrawMode saved = s.drawMode;
            if (!options.blackBackground) {
                secondColour = paletteColour(7);
                s.drawMode = DrawMode::CopyPen;
            }
            s.line(201, 201, reflected.x, reflected.y, secondColour);
            if (options.arrows)
                drawArrow(s, 201, 201, floorInt(reflected.x), floorInt(reflected.y), 0.3,
                          secondColour);
            s.drawMode = saved;
        }
    }

    Point end;
    if (sinR >= -1 && sinR <= 1) {
        const double cosR = std::sqrt(1 - sinR * sinR);
        double rho = 0;
        if (cosR != 0) // at |sin r| = 1 exactly the angle is not computed and stays 0
            rho = -std::atan(sinR / cosR) * RadToDeg;
        if (side == 2)
            rho = 180 - rho;
        end = rayEnd(rho * DegToRad);
    } else {
        end = reflected; // total reflection
    }
    s.line(201, 201, end.x, end.y, colour);
    if (options.arrows)
        drawArrow(s, 201, 201, floorInt(end.x), floorInt(end.y), 0.3, colour);
}
