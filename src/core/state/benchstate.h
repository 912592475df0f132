// SPDX-License-Identifier: GPL-3.0-or-later
// The record of the optical bench: where the lamp stands, the two media's Cauchy coefficients,
// the indices being drawn and the flags of the redraw cycle.
#pragma once

#include "core/platform/surface.h"

#include <array>
#include <cstdint>

struct BenchState {
    // Direction of the lamp seen from the centre, degrees, screen convention: 0 right, 90 down,
    // 180 left (on the normal), 270 up.
    double lampAngle = 135.0;
    // Cauchy coefficients, n = A + B / λ² (λ in nm, B in nm²), kept in single precision.
    float outerA = 1.0002747f;
    float outerB = 0.74f;
    float discA = 1.472363f;
    float discB = 11848.408f;
    // Indices of the outer medium and of the half-disc at the wavelength being drawn.
    double nOuter = 0.0;
    double nDisc = 0.0;
    // Colour of every whole wavelength 400…800 nm at index λ − 400.
    std::array<VbColour, 401> spectrumColours{};
    // Background the cached static picture was drawn for: 0 stale, 1 black, 2 white.
    std::int16_t benchDrawnFor = 0;
    bool loadingConfig = false;      // a configuration is being applied
    bool lampMoved = false;          // the lamp moved since white light was last drawn
    bool printRedrawPending = false; // the printer set-up was chosen: white light once more
    // Which selector opened the custom-material dialog: 2 the half-disc, 1 the outer medium.
    std::int16_t customMaterialTarget = 0;
    std::int16_t discMaterialIndex = 0;
    std::int16_t outerMaterialIndex = 0;
};
