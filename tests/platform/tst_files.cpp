// SPDX-License-Identifier: GPL-3.0-or-later
// File names as the file system holds them: any bytes in, the same bytes out, UTF-8 read as text.
#include "core/platform/files.h"

#include <QTest>

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    void names_keep_their_bytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // null: not all UTF-8
        QTest::newRow("ASCII") << QByteArray("mesures.P02") << QStringLiteral("mesures.P02");
        QTest::newRow("UTF-8 accents and a symbol beyond 16 bits")
            << QByteArray("r\xc3\xa9"
                          "fraction \xf0\x9f\x94\xa6.rtf")
            << QStringLiteral("réfraction \U0001F526.rtf");
        QTest::newRow("a Windows-1252 byte") << QByteArray("caf\xe9.P02") << QString();
        QTest::newRow("a cut sequence at the end") << QByteArray("a\xc3") << QString();
        QTest::newRow("an overlong slash") << QByteArray("a\xc0\xaf"
                                                         "b")
                                           << QString();
        QTest::newRow("an encoded surrogate") << QByteArray("\xed\xa0\x80") << QString();
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QString();
        QTest::newRow("a lone continuation byte") << QByteArray("\x80z") << QString();
    }
    // Expected: decoded then encoded, every name gives back its bytes; UTF-8 reads as its text.
    void names_keep_their_bytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString name = files::decodeName(bytes);
        QCOMPARE(files::encodeName(name), bytes);
        if (!text.isNull())
            QCOMPARE(name, text);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
