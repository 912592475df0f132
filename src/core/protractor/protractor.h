// SPDX-License-Identifier: GPL-3.0-or-later
// The protractor: a half-disc instrument drawn in its own 202 × 202 box over the bench picture.
// The box shows, as its background, the bench picture under it, and draws on it the incident ray
// and the lamp (which lie over the bench picture, not in it), then the protractor itself: the
// graduated half-circle, the base strip, the centre mark, the three handles and the cyan
// measuring line ended by its sphere.
//
// Angles are in radians, anticlockwise on the screen; the point at angle φ and radius r is
// (100 + r cos φ, 100 − r sin φ) in the box. The orientation a (`protractorAngle`) is the direction
// of the end of the base where the graduations start; the line's angle b (`lineAngle`) is counted
// from a. The drawing keeps a in [0, 6.28]: the period is 6.28, and the approximations of π below
// (3.1415927, 3.1416, 1.571, 0.1745) decide where the marks and the handles fall, so they are kept
// as they are.
#pragma once

#include "core/bench/redraw.h"
#include "core/state/module1.h"

#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace protractor {

constexpr int Size = 202;        // the box, in pixels
constexpr double Centre = 100.0; // the protractor's centre in the box
constexpr double Period = 6.28;  // the turn the orientation is brought back into
constexpr double HalfTurn = 3.1415927;
constexpr double ShortHalfTurn = 3.1416;
constexpr double QuarterTurn = 1.571;
constexpr double Graduation = 0.1745; // ten degrees
constexpr int HandleSize = 16;
// One degree as the read-out counts it (180 of them in the half-turn above).
constexpr double Degree = HalfTurn / 180;
// The box's place when the protractor is opened: its centre on the bench centre.
constexpr QPointF StartPlace{101, 101};

// The point at angle φ and radius r.
QPointF polar(double angle, double radius);

// The direction of the pointer (x, y), in box pixels, seen from the centre; from −1.571 to about
// 4.71, never NaN (the centre itself gives −1.571).
double pointerDirection(double x, double y);

// a brought back into [0, 6.28] by steps of 6.28.
float normalisedAngle(float a);

// The orientation after turning with the pointer at (x, y): the turning handle lies 0.1 short of a
// full period after a, so a = θ + 0.1 keeps it under the pointer.
float turnedAngle(double x, double y);

// The line's angle after a sphere step with the pointer at (x, y), from the orientation a and the
// line's angle b before the step: a sphere just past the 180° end stops on it, one just before the
// 0° end stops there, and a step into the base side is ignored (b is returned unchanged).
float measuredLineAngle(float a, float b, double x, double y);
// The same rules for a line's angle wanted from the base (any real, brought into the turn): from b,
// the angle the line takes. The arrow keys on the sphere step with it.
float caughtLineAngle(float b, double wanted);

// The acute angle between the line and the base, in degrees, from 0 to 90.
double measuredDegrees(float b);
// That angle as the read-out shows it: one decimal, a comma ("90,0", "37,5").
QString readout(float b);

// The box's top-left corner asked for, kept within the area (the bench picture's visible part).
QPointF clampedPlace(QPointF wanted, const QRectF& area, double boxSize = Size);

// The top-left corners of the three 16 × 16 handles for a and b.
struct HandlePlaces {
    QPointF turn;   // Imaged, radius 88 at a + 6.18, inside the base strip at the 0° end
    QPointF cross;  // Imagecroix, radius 88 at a + 3.24, at the 180° end
    QPointF sphere; // Imageboule, radius 90 at a + b, on the graduated band
};
HandlePlaces handlePlaces(float a, float b);

} // namespace protractor

// The protractor's box `picturap`: its surface (the background is its persistent picture), its
// place in the bench picture, and the handles' places from the last drawing.
struct ProtractorPicture {
    ProtractorPicture();

    Surface box;
    QPointF place = protractor::StartPlace; // top-left corner in the bench picture, not rounded
    protractor::HandlePlaces handles;
    int drawings = 0; // how many times the protractor was drawn (tests)

    // The whole pixel where the box lies.
    QPoint placedAt() const;
    // The box as the screen shows it: the surface with the three handle pictures over it.
    QImage composed() const;
};

// Rebuilds the box's background from the bench picture under it (the drawing only: the incident
// ray and the lamp are drawn by drawProtractor), then draws.
void copyBenchUnder(ProtractorPicture& picture, const BenchPicture& bench, ProtractorState& state);
// Clears the box to its background and draws the incident ray, the lamp and the protractor for
// the current a and b, in white and light cyan on a black bench, black and cyan on a white one.
// Brings a back into [0, 6.28].
void drawProtractor(ProtractorPicture& picture, const BenchPicture& bench, ProtractorState& state);

// The three 16 × 16 handle pictures, drawn at scale (16 scale pixels wide).
QImage turnHandleIcon(double scale = 1);
QImage crossIcon(double scale = 1);
QImage sphereIcon(double scale = 1);
