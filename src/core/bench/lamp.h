// SPDX-License-Identifier: GPL-3.0-or-later
// The lamp's direction, lampAngle, in degrees and screen convention (0 right, 90 down, 180 left,
// 270 up), kept in [0, 360); with the mirror, in [90, 270], on the mirror's reflecting side.
#pragma once

// The lamp moved to the mirror's side by its mirror image about the vertical diameter:
// 60 → 120, 300 → 240, −30 → 210; an angle already in [90, 270] is left as it is.
double mirrorSideAngle(double angle);

// The direction of the pointer seen from the centre, from its offset (dx = 201 − x, positive left
// of the centre; dy = 201 − y, positive above it), held at 90 … 270 with the mirror.
double pointerAngle(int dx, int dy, bool mirror);

// The lamp turned by delta degrees from the keyboard, with the same range rules as a drag.
double turnedLampAngle(double angle, double delta, bool mirror);
