// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a QTextDocument as RTF: its text with fonts, sizes, styles, colours, alignment and
// indents.
#pragma once

#include <QByteArray>
#include <QTextDocument>

namespace rtf {

// The document as RTF 1.x that WordPad, Word and LibreOffice read: 7-bit bytes, one paragraph a
// line; characters beyond Windows-1252 are written as \uN with "?" for readers without Unicode.
QByteArray write(const QTextDocument& document);

} // namespace rtf
