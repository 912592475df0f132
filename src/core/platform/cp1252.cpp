// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/cp1252.h"

#include <array>

namespace cp1252 {

namespace {
// Bytes 0x80 to 0x9F; the other bytes are their own Latin-1 code points.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

int toByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == c)
            return int(0x80 + i);
    }
    return -1;
}
} // namespace

QChar toChar(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(HighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString toUnicode(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(toChar(static_cast<unsigned char>(b)));
    return text;
}

QByteArray fromUnicode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const int b = toByte(c.unicode());
        bytes.append(b < 0 ? '?' : char(b));
    }
    return bytes;
}

} // namespace cp1252
