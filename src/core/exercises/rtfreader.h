// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the RTF that WordPad, Word and LibreOffice write (exercise statements, saved texts) into a
// QTextDocument: text, character formats and paragraph formats, pictures (rtfpicture.h) and tables
// (a QTextTable with its merged cells); notes, headers and the like are left out.
#pragma once

#include <QByteArray>
#include <QTextDocument>

namespace rtf {

// Whether the bytes are RTF: they begin, after optional whitespace, with "{\rtf".
bool isRtf(const QByteArray& bytes);

enum class ReadStatus {
    Read,
    NotRtf,   // the document untouched: the bytes do not begin, after optional whitespace, with
              // "{\rtf"
    TooLarge, // the document left empty: over 500 000 paragraphs or 1 000 000 runs of one format
              // (a paragraph counts as two runs)
};
// Reads RTF bytes into the document (replacing its content), in time and memory about linear in
// what the document holds.
ReadStatus read(const QByteArray& bytes, QTextDocument& document);

// The comments of the document information group ({\info{\doccomm …}}), or "" (at most 4096
// characters are read).
QString documentComment(const QByteArray& bytes);

} // namespace rtf
