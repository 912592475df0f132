// SPDX-License-Identifier: GPL-3.0-or-later
// The experiment without a window: as the program starts it, as opening a configuration leaves
// it, its bench picture and the parameters its printout names. The main window and the
// command-line modes share these, so that both show the same experiment.
#pragma once

#include "core/config/configuration.h"
#include "core/experiment/experiment.h"
#include "core/print/printlayout.h"

#include <QImage>
#include <QString>
#include <optional>

namespace experimentsetup {

inline const QString ReadFailed = QStringLiteral("Lecture impossible sur disque");
inline const QString NotOurs = QStringLiteral("Ce fichier ne correspond pas à cette application");

// The start-up experiment: "Verre Crown" in "Air" with the catalogue's coefficients, a
// monochromatic source of 589 nm on the black background, the lamp at 135°, the start table.
void start(Experiment& experiment);

// A configuration file read and checked whole: the configuration, or the message that says why
// it is refused ("Ce fichier ne correspond pas à cette application", "Lecture impossible sur
// disque").
struct ReadOutcome {
    std::optional<Configuration> configuration;
    QString error;
};
ReadOutcome read(const QString& path);

// Reads a configuration file into the experiment as opening it does: every record checked first
// (nothing applied otherwise), a catalogue material taking the catalogue's coefficients, "Autre"
// the file's, the table reformatted. Nothing, or the message that says why it was refused.
std::optional<QString> open(Experiment& experiment, const QString& path);

// The bench picture as the screen shows it and a copy takes it (incident ray and lamp painted in,
// no protractor), white light fully drawn; at scale k the same picture drawn k times finer.
QImage benchImage(Experiment& experiment, double scale = 1);
// The same picture as "Fond blanc" draws it (black on white), whatever the bench's background:
// drawn from a copy, the experiment is left as it is.
QImage whiteBenchImage(const Experiment& experiment, double scale = 1);

// The printout's redraw at the printer's scale: a copy of the experiment's bench, drawn as
// benchImage (or whiteBenchImage) draws it.
std::function<QImage(double scale, bool onWhite)> benchDrawer(const Experiment& experiment);

// The parameters block of the bench printout: the source, and each medium's name and index at
// the wavelength, as the panels show them.
print::BenchParameters parameters(const Experiment& experiment);

} // namespace experimentsetup
