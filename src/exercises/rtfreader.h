// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the RTF that WordPad, Word and LibreOffice write (exercise statements, saved texts) into a
// QTextDocument: text, character formats and paragraph formats; pictures, notes and the like are
// left out.
#pragma once

#include <QByteArray>
#include <QTextDocument>

namespace rtf {

// Whether the bytes are RTF: they begin, after optional whitespace, with "{\rtf".
bool isRtf(const QByteArray& bytes);

// Reads RTF bytes into the document (replacing its content). Returns false, leaving the document
// untouched, when the bytes are not RTF (they must begin, after optional whitespace, with "{\rtf").
bool read(const QByteArray& bytes, QTextDocument& document);

} // namespace rtf
