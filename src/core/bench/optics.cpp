// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bench/optics.h"

#include <cmath>

namespace optics {

namespace {

// End of a ray of length 300 leaving C in the direction phi (radians, anticlockwise on screen).
Point rayEnd(double phi)
{
    return {CentreX + RayLength * std::cos(phi), CentreY - RayLength * std::sin(phi)};
}

// The indices as n₁ (the medium of the incident light) and n₂ for the side of the lamp.
std::optional<double> sideRefractedSine(int side, double nOuter, double nDisc, double sinI)
{
    return side == 1 ? refractedSine(nOuter, nDisc, sinI) : refractedSine(nDisc, nOuter, sinI);
}

} // namespace

double cauchyIndex(float a, float b, int wavelength)
{
    const double l = wavelength;
    return double(a) + double(b) / std::pow(l, 2);
}

std::optional<double> refractedSine(double n1, double n2, double sinI)
{
    double sinR = 0;
    if (n2 != 0)
        sinR = n1 * sinI / n2;
    if (sinR >= -1 && sinR <= 1)
        return sinR;
    return std::nullopt;
}

RayGeometry rayGeometry(double lampAngle, double nOuter, double nDisc)
{
    RayGeometry g;
    const double theta = lampAngle * Pi / 180;
    g.lampX = float(CentreX + LampRadius * std::cos(theta));
    g.lampY = float(CentreY + LampRadius * std::sin(theta));
    g.side = g.lampX <= CentreX ? 1 : 2;
    g.incidence = lampAngle - 180;
    g.reflected = rayEnd((lampAngle + 360) * DegToRad);

    const std::optional<double> sinR =
        sideRefractedSine(g.side, nOuter, nDisc, std::sin(g.incidence * DegToRad));
    if (sinR) {
        const double cosR = std::sqrt(1 - *sinR * *sinR);
        double rho = 0;
        if (cosR != 0) // at |sin r| = 1 exactly the angle is not computed and stays 0
            rho = -std::atan(*sinR / cosR) * RadToDeg;
        if (g.side == 2)
            rho = 180 - rho;
        g.refracted = rayEnd(rho * DegToRad);
    }
    return g;
}

bool violetRefracted(float outerA, float outerB, float discA, float discB, int side, double i)
{
    return sideRefractedSine(side, cauchyIndex(outerA, outerB, 400), cauchyIndex(discA, discB, 400),
                             std::sin(i * DegToRad))
        .has_value();
}

} // namespace optics
