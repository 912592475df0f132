// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line mode `--calcul`: the calculator evaluates an expression, or one expression per
// line of standard input, off-screen, and prints what its display shows.
#pragma once

#include <QStringList>

class QTextStream;

namespace calc {
// The longest line of standard input read as an expression (the entry holds far less).
constexpr int MaxInputLine = 1024 * 1024;
} // namespace calc

// arguments: what follows "--calcul": the expression (or "-" for standard input), and the options
// "--radians" and "--scientifique". Prints one display text and a line feed per expression.
// Returns 0; 1 when the single expression could not be evaluated; 2 on a usage or input failure
// (a line longer than calc::MaxInputLine included) or an output that could not be written, with
// a French message on err. Needs no window: the calculator's registers work alone. The standard
// input is read as UTF-8 (never guessed from its first bytes); it must be open (inputOpen, seen
// before Qt started) and neither a folder nor unreadable.
int runCalculCommand(const QStringList& arguments, bool inputOpen, QTextStream& out,
                     QTextStream& err);
// The same, reading the expressions of "-" from in.
int runCalculCommand(const QStringList& arguments, QTextStream& in, QTextStream& out,
                     QTextStream& err);
