// SPDX-License-Identifier: GPL-3.0-or-later
// The optics of the bench, in one place.
//
// The bench: a half-disc of transparent material (or a plane mirror) whose flat face stands on the
// vertical diameter of a graduated circle centred at C = (201, 201); the lamp L lies on a circle of
// radius 190 around C, in the direction `lampAngle` (degrees, screen convention: 0 right, 90 down,
// 180 left, 270 up). The normal to the flat face is the horizontal diameter, so the signed angle of
// incidence is i = lampAngle − 180: 0 when the lamp stands on the normal at the left.
//
// Dispersion (Cauchy's law): the index of each medium at a wavelength λ in vacuum, in nm, is
// n = A + B / λ², A without unit, B in nm². The coefficients are kept in single precision, the
// index is worked out in double precision.
//
// Refraction (Snell's law): n₁ sin i = n₂ sin r. Which medium is n₁ depends on the side of the
// lamp:
// - side 1, lamp on the left (L.x ≤ 201): light travels in the outer medium and enters the
//   half-disc through its flat face, n₁ = nOuter, n₂ = nDisc;
// - side 2, lamp on the right: light travels in the half-disc (it enters along a radius, without
//   deviation) and leaves it through the flat face, n₁ = nDisc, n₂ = nOuter.
// sin r = n₁ sin i / n₂. When n₁ > n₂ and |sin i| exceeds n₂ / n₁ (the critical angle λ with
// sin λ = n₂ / n₁), |sin r| would exceed 1: there is no refracted ray, the light is totally
// reflected. An index of 0 skips the computation (sin r stays 0).
//
// Reflection: the reflected ray is the mirror image of the incident ray about the normal; the
// mirror reflects everything. The half-disc also shows the partial reflection (a weaker ray along
// the same direction) when asked; with several wavelengths on the black background it is drawn only
// while the violet ray (400 nm) is still refracted.
//
// Arrows: with "Sens de propagation", an open arrow head on the incident ray at its middle, and on
// each ray leaving C at three tenths of its length, pointing away from the lamp.
#pragma once

#include <optional>

namespace optics {

// The program's value of π, and its degree conversions in the ray construction.
inline constexpr double Pi = 3.1415927;
inline constexpr double DegToRad = 0.0174532;
inline constexpr double RadToDeg = 57.29578;

// The centre of the circle, the radius of the lamp's circle, and the length of the drawn rays.
inline constexpr double CentreX = 201;
inline constexpr double CentreY = 201;
inline constexpr double LampRadius = 190;
inline constexpr double RayLength = 300;

// n = A + B / λ², in double precision from the single-precision coefficients, λ in nm.
double cauchyIndex(float a, float b, int wavelength);

// sin r = n1 · sinI / n2 by Snell's law; nothing past the critical angle (|sin r| > 1: total
// reflection). An n2 of 0 gives 0.
std::optional<double> refractedSine(double n1, double n2, double sinI);

struct Point {
    double x, y;
};

// Everything the rays of one wavelength need, as values.
struct RayGeometry {
    float lampX = 0, lampY = 0; // L, in the single precision of the incident-ray line
    int side = 1;               // 1 lamp on the left (into the half-disc), 2 on the right
    double incidence = 0;       // i = lampAngle − 180, degrees
    Point reflected{};          // end of the reflected ray
    // End of the refracted ray; nothing when the light is totally reflected.
    std::optional<Point> refracted;
    // Where the light that does not come back goes: the refracted ray, or the totally reflected
    // one.
    Point transmitted() const { return refracted ? *refracted : reflected; }
};

// The geometry of the incident, reflected and refracted rays for the lamp at lampAngle, with the
// indices of the outer medium and of the half-disc.
RayGeometry rayGeometry(double lampAngle, double nOuter, double nDisc);

// Whether the violet ray (400 nm) is refracted rather than totally reflected, for media of those
// coefficients, on that side, at the incidence i (degrees).
bool violetRefracted(float outerA, float outerB, float discA, float discB, int side, double i);

} // namespace optics
