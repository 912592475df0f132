// SPDX-License-Identifier: GPL-3.0-or-later
// The light source of the bench, one choice of three: what the controls select, the redraw draws,
// the configuration file stores (one "1" among records 4, 5 and 8) and the printout names.
#pragma once

enum class Source {
    Monochromatic,  // Option1 "Monochromatique": one wavelength of 400 to 800 nm
    FiveRadiations, // Option5: 400, 500, 600, 700 and 800 nm
    WhiteLight,     // Option2 "lumière polychromatique blanche": the 401 wavelengths
};
