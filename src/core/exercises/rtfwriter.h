// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a QTextDocument as RTF: its text with fonts, sizes, styles, colours, alignment and
// indents, its pictures with their own bytes and its tables row by row.
#pragma once

#include <QByteArray>
#include <QTextDocument>

namespace rtf {

// The document as RTF 1.x that WordPad, Word and LibreOffice read: 7-bit bytes, one paragraph a
// line; characters beyond Windows-1252 are written as \uN with "?" for readers without Unicode.
// comment, when not empty, goes into the document information group as its comments
// ({\info{\doccomm …}}), which word processors keep.
QByteArray write(const QTextDocument& document, const QString& comment = QString());

} // namespace rtf
