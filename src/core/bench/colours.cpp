// SPDX-License-Identifier: GPL-3.0-or-later
// Colours of the light: a whole wavelength in nm to a display colour, violet through red.
#include "core/bench/redraw.h"
#include "core/platform/numtext.h"

#include <cmath>

namespace {
using numtext::roundToInt;
} // namespace

void wavelengthColour(int wavelength, VbColour& full, VbColour& half)
{
    const int l = wavelength;
    if (l < 400 || l > 800)
        return;
    int r = 0, g = 0, b = 0;
    // Piecewise-linear ramps; each expression keeps its order of operations so that the values
    // landing on a half round the same way every time.
    if (l < 440) {
        b = roundToInt((l - 360) * 255 / 80.0);
    } else if (l < 500) {
        g = roundToInt((l - 440) * 255 / 60.0);
        b = 255;
    } else if (l < 550) {
        g = 255;
        b = roundToInt((550 - l) * 255 / 50.0);
    } else if (l < 590) {
        r = roundToInt((l - 550) * 255 / 40.0);
        g = 255;
    } else if (l < 750) {
        r = 255;
        g = roundToInt((750 - l) / 160.0 * 255);
    } else {
        r = roundToInt((850 - l) / 100.0 * 255);
    }
    full = rgbColour(r, g, b);
    half = rgbColour(roundToInt(r / 2.0), roundToInt(g / 2.0), roundToInt(b / 2.0));
}

void buildSpectrumColours(BenchState& state)
{
    for (int l = 400; l <= 800; ++l) {
        VbColour full = 0, half = 0;
        wavelengthColour(l, full, half);
        state.spectrumColours[size_t(l - 400)] = full;
    }
}

QImage spectrumStrip()
{
    constexpr int W = 159, H = 31;
    QImage img(W, H, QImage::Format_RGB32);
    for (int x = 0; x < W; ++x) {
        const int lambda = 400 + int(std::lround(x * 400.0 / (W - 1)));
        VbColour full = 0, half = 0;
        wavelengthColour(lambda, full, half);
        const QRgb pixel = toPixel(full);
        for (int y = 0; y < H; ++y)
            img.setPixel(x, y, pixel);
    }
    return img;
}
