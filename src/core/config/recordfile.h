// SPDX-License-Identifier: GPL-3.0-or-later
// Files of fixed 128-byte records, the storage of configurations, exercises, the getting-started
// file and the marker file. Record n (from 1) starts at byte (n − 1) × 128 and holds one text:
// a 16-bit little-endian length L (at most 126) followed by L Windows-1252 bytes. The bytes after
// the text are left as they were; the last record of a file may stop right after its text.
#pragma once

#include <QFile>
#include <QString>
#include <optional>

class RecordFile {
public:
    static constexpr int RecordSize = 128;
    static constexpr int MaxTextBytes = RecordSize - 2;

    explicit RecordFile(const QString& path);

    // Opens for reading and writing, creating the file when missing (never truncates it).
    // Only a regular file opens: a FIFO or a device is refused at once.
    bool open();
    // Opens an existing regular file for reading only.
    bool openReadOnly();
    void close();
    bool isOpen() const { return m_file.isOpen(); }

    // Writes one record; a file shorter than the record's start is first extended with zero bytes.
    // Fails (writing nothing) for a record number below 1 or a text longer than 126 bytes.
    bool write(int recordNumber, const QString& text);
    // Reads one record. A record beyond the end of the file reads as the empty text, a record cut
    // short by the end of the file as the bytes that are there. Nothing when the file is not open,
    // the record number is below 1, the file cannot be read, or the length field announces more
    // than 126 bytes (a damaged file).
    std::optional<QString> read(int recordNumber);

private:
    QString m_path;
    QFile m_file;
};

// One record written or read with the file opened and closed around it.
bool writeRecord(const QString& path, int recordNumber, const QString& text);
std::optional<QString> readRecord(const QString& path, int recordNumber);
