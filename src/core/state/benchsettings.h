// SPDX-License-Identifier: GPL-3.0-or-later
// The choices the user makes on the bench's panels: the source and its wavelength, the
// background, the element, the partial reflection, the arrows and the two media's names. The
// controls write them as they change; the redraw, the file, the printout and the command line
// read them here, never from a widget.
#pragma once

#include "core/state/source.h"

#include <QString>

struct BenchSettings {
    Source source = Source::Monochromatic;
    int wavelength = 589;          // HScroll1, nm, 400 … 800
    bool blackBackground = true;   // Option3 "Fond noir", else Option4 "Fond blanc"
    bool halfDisc = true;          // Option6 "Demi-disque", else Option7 "Miroir"
    bool partialReflection = true; // Check3 "Réflexion partielle"
    bool arrows = true;            // propa "Sens de propagation"
    // The names shown by the lists "Le demi-disque" and "Milieu extérieur"; their coefficients
    // are the bench record's.
    QString discMaterial = QStringLiteral("Verre Crown");
    QString outerMaterial = QStringLiteral("Air");

    bool operator==(const BenchSettings&) const = default;
};
