// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252, the code page of every text the program stores in a file: one byte per character.
// Qt 6.4 has no such codec on every build, so the table lives here.
#pragma once

#include <QByteArray>
#include <QString>

namespace cp1252 {

// The character of one byte. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the control characters of the same number, as Windows reads them.
QChar toChar(unsigned char byte);
QString toUnicode(const QByteArray& bytes);

// One byte per character; a character the code page cannot hold becomes "?" (a surrogate pair
// counts as one character).
QByteArray fromUnicode(const QString& text);

} // namespace cp1252
