// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252 texts, the encoding of every record file.
#include "core/platform/cp1252.h"

#include <QTest>

class TestCp1252 : public QObject {
    Q_OBJECT

private slots:
    void maps_each_character_data();
    void maps_each_character();
    void decodes_every_byte_back();
};

void TestCp1252::maps_each_character_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("reversible");
    QTest::newRow("ascii") << QStringLiteral("OPTIPHANE 1.5") << QByteArray("OPTIPHANE 1.5")
                           << true;
    QTest::newRow("latin accents")
        << QStringLiteral("éèàçùÉ") << QByteArray("\xE9\xE8\xE0\xE7\xF9\xC9") << true;
    QTest::newRow("euro and ligatures")
        << QStringLiteral("€œŒŸ") << QByteArray("\x80\x9C\x8C\x9F") << true;
    QTest::newRow("typographic quotes and dashes")
        << QStringLiteral("‘’“”–—…") << QByteArray("\x91\x92\x93\x94\x96\x97\x85") << true;
    QTest::newRow("undefined bytes stand for controls")
        << QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D)
        << QByteArray("\x81\x8D\x8F\x90\x9D") << true;
    QTest::newRow("greek lambda has no byte")
        << QStringLiteral("λ=589") << QByteArray("?=589") << false;
    QTest::newRow("a surrogate pair is one character")
        << QStringLiteral("a") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("b")
        << QByteArray("a?b") << false;
}

void TestCp1252::maps_each_character()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, reversible);
    QCOMPARE(cp1252::fromUnicode(text), bytes);
    if (reversible)
        QCOMPARE(cp1252::toUnicode(bytes), text);
}

void TestCp1252::decodes_every_byte_back()
{
    // Every one of the 256 bytes reads as a character that writes back as the same byte.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1252::toUnicode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(cp1252::fromUnicode(text), all);
}

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
