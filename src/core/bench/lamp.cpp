// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bench/lamp.h"

#include "core/bench/optics.h"

#include <cmath>

double mirrorSideAngle(double angle)
{
    for (int guard = 0; guard < 1000; ++guard) {
        if (angle < 90)
            angle = 180 - angle;
        if (angle > 270)
            angle = 540 - angle;
        if (angle < 90) {
            angle += 360;
            continue;
        }
        if (angle > 360) {
            angle -= 360;
            continue;
        }
        break;
    }
    return angle;
}

double pointerAngle(int dx, int dy, bool mirror)
{
    double theta;
    if (dx != 0) {
        theta = std::atan(double(dy) / double(dx)) * 180 / optics::Pi;
        if (dx > 0)
            theta += 180;
    } else {
        theta = dy <= 0 ? 90 : 270;
    }
    while (theta < 0)
        theta += 360;
    while (theta > 360)
        theta -= 360;
    if (mirror) {
        if (theta < 90)
            theta = 90;
        if (theta > 270)
            theta = 270;
    }
    return theta;
}

double turnedLampAngle(double angle, double delta, bool mirror)
{
    // Rounded to a millionth of a degree, so that repeated steps of 0.1° land on round values.
    double a = std::round((angle + delta) * 1e6) / 1e6;
    a = std::fmod(a, 360.0);
    if (a < 0)
        a += 360;
    if (a >= 360)
        a -= 360;
    if (mirror) {
        if (a < 90)
            a = 90;
        if (a > 270)
            a = 270;
    }
    return a;
}
