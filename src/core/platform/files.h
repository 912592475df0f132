// SPDX-License-Identifier: GPL-3.0-or-later
// The program's files on the disc, reached by the names the file system holds.
//
// A name is any sequence of bytes. Its UTF-8 parts read as text; a byte that is not UTF-8 (a
// name written on an old USB stick) is held in the QString as U+DC80 … U+DCFF and given back as
// that same byte, so that such a file can be opened, saved over and named in a message.
//
// Readers take regular files only: a FIFO, a device or a folder is refused at once, never waited
// on. Writers put a regular file in place only once every byte has reached the disc (a full disc
// leaves the old file intact and no temporary file); a name that exists and is not a regular
// file (a device, a FIFO) is written to directly, never replaced; "-" is standard output.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

class QFile;

namespace files {

// The output name that means standard output.
inline const QString StandardOutput = QStringLiteral("-");

QString decodeName(const QByteArray& bytes);
QByteArray encodeName(const QString& name);

enum class ReadStatus {
    Read,
    Unreadable, // missing, not a regular file, or an error while reading
    TooLarge,   // over the limit asked for
};
struct ReadResult {
    ReadStatus status = ReadStatus::Unreadable;
    QByteArray bytes;
};
// The whole content of a regular file of at most maxBytes bytes.
ReadResult readWhole(const QString& path, qint64 maxBytes);
// The first maxBytes bytes of a regular file (all of it when shorter).
ReadResult readHead(const QString& path, qint64 maxBytes);

// Opens a regular file into `file`: ReadOnly, or ReadWrite (created when missing, never
// truncated). False, with `file` closed, for anything but a regular file.
bool openRegular(QFile& file, const QString& path, QIODevice::OpenMode mode);

// True for a regular file (a link to one included).
bool isRegularFile(const QString& path);
// True for a folder (a link to one included).
bool isFolder(const QString& path);
// The names in a folder, in no particular order: its folders or its regular files (links
// followed, hidden names left out), or every name but "." and "..". Nothing for a folder that
// cannot be read.
enum class Entries { Folders, Files, All };
QStringList entries(const QString& folder, Entries kind);
// Makes the folder the current one; false when it cannot be entered.
bool setCurrentFolder(const QString& folder);
// True when the name exists, whatever it is.
bool exists(const QString& path);

// Writes bytes as the whole content of path (see above). False when any byte could not be
// written; a regular file that stood there is then as it was.
bool writeWhole(const QString& path, const QByteArray& bytes);

// Flushes standard output; false when anything written to it was lost (a closed pipe, a full
// disc, /dev/full).
bool flushStandardOutput();

} // namespace files
