// SPDX-License-Identifier: GPL-3.0-or-later
// The system's printer, as the old program's one printer object: chosen in the printer set-up
// dialog, named in the print window, and the target every printout goes to. With no printer
// installed, printouts go to a PDF file the user names.
#pragma once

#include "core/print/printlayout.h"

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace printing {

inline const QString NoPrinterText =
    QStringLiteral("Aucune imprimante: impression dans un fichier PDF");

// The program's printer: the system's default one at first.
QPrinter& systemPrinter();
// True when printouts go to a printer (or to the file chosen in the printer set-up dialog).
bool hasPrinter();
// What the print window shows of the printer.
QString printerName();

// The printer set-up dialog; true when accepted.
bool showPrinterSetup(QWidget* parent);

// Where the next printout goes: the file the printer set-up has just chosen (for this printout
// only: the printer forgets it), the printer, or a PDF file asked for now (".pdf" added when
// missing). Null when the user cancelled.
std::unique_ptr<print::PrintTarget> chooseTarget(QWidget* parent);
// The printer forgets a file chosen in its set-up dialog and not printed to (a print window
// closed without printing): the next printout asks again.
void forgetOutputFile();

// Says that a printout failed ("Impression impossible").
void reportFailure(QWidget* parent);

// The file name with ".pdf" at its end.
QString withPdfSuffix(const QString& path);

} // namespace printing
