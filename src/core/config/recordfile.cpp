// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/recordfile.h"

#include "core/platform/cp1252.h"
#include "core/platform/files.h"

RecordFile::RecordFile(const QString& path) : m_path(path) {}

bool RecordFile::open()
{
    return m_file.isOpen() || files::openRegular(m_file, m_path, QIODevice::ReadWrite);
}

bool RecordFile::openReadOnly()
{
    return m_file.isOpen() || files::openRegular(m_file, m_path, QIODevice::ReadOnly);
}

void RecordFile::close()
{
    m_file.close();
}

bool RecordFile::write(int recordNumber, const QString& text)
{
    if (recordNumber < 1 || !m_file.isOpen() || !m_file.isWritable())
        return false;
    const QByteArray bytes = cp1252::fromUnicode(text);
    if (bytes.size() > MaxTextBytes)
        return false;
    const qint64 start = qint64(recordNumber - 1) * RecordSize;
    const qint64 size = m_file.size();
    if (size < start) {
        if (!m_file.seek(size) || m_file.write(QByteArray(start - size, '\0')) != start - size)
            return false;
    }
    QByteArray record;
    record.reserve(2 + bytes.size());
    record.append(char(bytes.size() & 0xff));
    record.append(char((bytes.size() >> 8) & 0xff));
    record.append(bytes);
    if (!m_file.seek(start) || m_file.write(record) != record.size())
        return false;
    return m_file.flush();
}

std::optional<QString> RecordFile::read(int recordNumber)
{
    if (recordNumber < 1 || !m_file.isOpen() || !m_file.isReadable())
        return std::nullopt;
    const qint64 start = qint64(recordNumber - 1) * RecordSize;
    if (start + 2 > m_file.size())
        return QString();
    if (!m_file.seek(start))
        return std::nullopt;
    const QByteArray head = m_file.read(2);
    if (head.size() != 2)
        return std::nullopt;
    const int length =
        static_cast<unsigned char>(head[0]) | (static_cast<unsigned char>(head[1]) << 8);
    // A longer text cannot be in a record: the file is damaged, and reading on would return the
    // start of the next record.
    if (length > MaxTextBytes)
        return std::nullopt;
    return cp1252::toUnicode(m_file.read(length));
}

bool writeRecord(const QString& path, int recordNumber, const QString& text)
{
    RecordFile file(path);
    if (!file.open())
        return false;
    const bool written = file.write(recordNumber, text);
    file.close();
    return written;
}

std::optional<QString> readRecord(const QString& path, int recordNumber)
{
    RecordFile file(path);
    if (!file.openReadOnly())
        return std::nullopt;
    return file.read(recordNumber);
}
