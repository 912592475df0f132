// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts: every number the program writes or reads as text goes through this module, so that
// no value is ever formatted twice in two ways.
#pragma once

#include <QString>
#include <optional>

namespace numtext {

// The integer nearest to v, halves going to the even integer (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double v);
int roundToInt(double v); // roundHalfEven, then clamped to the int range

// Formats a number with a display pattern, as every read-out and table cell shows it:
// "0" a digit always written, "#" a digit written when significant, "." the decimal separator
// (written as ","; a pattern holding "." always writes it: "##.######" of 1 is "1,"),
// "E+"/"E-" an exponent with sign and at least as many digits as the "0"s after it.
// Digits are rounded at the last place the pattern shows, halves away from zero; no grouping.
// The empty pattern is the free format: at most 7 significant digits (a single-precision value),
// no trailing zeros, a "0" before the comma below 1, exponent notation when the rounded value is
// 1E+07 or more or below 1E-04 ("1,234568E+07", "2,58E-05").
// Digits are taken from the value's 15-significant-digit decimal form before rounding. A value
// that rounds to zero is written without a minus sign ("0,00"). NaN and infinities give "".
QString format(double value, const QString& pattern);
// True for a pattern of placeholders only ("0", "#", ",", one ".", an exponent "E+"/"E-" with
// "0"s and "#"s after it) or the free format: what such a pattern writes reads back as the
// number shown. A literal character makes a pattern the table cannot keep: with "30,000", 11
// shows as "30011" (a "3", then 0011), which reads back as another number.
bool isPlainPattern(const QString& pattern);
// The free format of a single-precision value (up to 7 significant digits, decimal comma):
// 11848.408f -> "11848,41", 1.472363f -> "1,472363".
QString formatSingle(float value);
// A single-precision value as the double nearest its 7 significant digits: 0.1f gives 0.1, not
// 0.100000001490116. What the engine and the configuration files write for a single.
double singleDigits(float value);

// The engine's number writer: at most 15 significant digits, "." as decimal point, no "0" before
// the point below 1 (".5", "-.25"). Exponent notation ("1E+20", "1.5E-07", a sign and at least two
// exponent digits) when the value, rounded to 15 digits, is 1E+15 or more, or below 1E-04: so
// 999999999999999 and .0001 are still plain, 1E+15 and 5E-05 are not.
// A non-negative number gets one leading space (" 14"); writeNumberTrimmed omits it. Zero, of
// either sign, is " 0". The largest doubles are written 1.79769313486231E+308 (rounding them to
// 15 digits would leave the range). An infinite value is written "1E+309", which reads back as
// an overflow; NaN is written as the empty text.
QString writeNumber(double value);
QString writeNumberTrimmed(double value);

// The calculator's scientific display: one digit, the point, up to seven decimals, the exponent
// ("1.2345E+03", "5.E-01"); the pattern "#.#######E+00" with the point of expression texts.
QString scientificText(double value);

// The engine's number reader: skips leading spaces, then reads an optional sign, digits with at
// most one ".", and an optional exponent ("E" or "D", optional sign, digits); stops at the first
// character that does not fit ("5)" -> 5; "(5", "C1" and "" -> 0). Returns nothing on overflow
// (a magnitude beyond the double range); a magnitude too small for a double reads as 0.
// Lower-case "e" and "d" are read as exponent letters too.
std::optional<double> readNumber(const QString& text);
std::optional<double> readNumber(QStringView text);

} // namespace numtext
