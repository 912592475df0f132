// SPDX-License-Identifier: GPL-3.0-or-later
// Record files, down to the byte.
#include "core/config/recordfile.h"

#include <QTemporaryDir>
#include <QTest>

class TestRecordFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void new_file_is_zero_filled_up_to_the_record();
    void writing_leaves_the_other_bytes_as_they_are();
    void a_text_too_long_for_a_record_writes_nothing_data();
    void a_text_too_long_for_a_record_writes_nothing();
    void records_read_back_data();
    void records_read_back();
    void a_damaged_length_is_a_read_error_data();
    void a_damaged_length_is_a_read_error();
    void reading_a_missing_file_fails();
    void one_open_file_takes_many_records();

private:
    QByteArray bytesOf(const QString& path);
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};

QByteArray TestRecordFile::bytesOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestRecordFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("records.dat"));
}

void TestRecordFile::new_file_is_zero_filled_up_to_the_record()
{
    // State: no file. Action: record 4 gets "OUI". Expected: 384 zero bytes, 03 00, "OUI".
    QVERIFY(writeRecord(m_path, 4, QStringLiteral("OUI")));
    const QByteArray bytes = bytesOf(m_path);
    QCOMPARE(bytes.size(), 389);
    QCOMPARE(bytes.left(384), QByteArray(384, '\0'));
    QCOMPARE(bytes.mid(384), QByteArray("\x03\x00OUI", 5));
}

void TestRecordFile::writing_leaves_the_other_bytes_as_they_are()
{
    // State: 600 bytes of 0x55. Action: record 2 gets "NON". Expected: only bytes 128 to 132
    // change and the file keeps its length.
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(600, '\x55'));
    }
    QVERIFY(writeRecord(m_path, 2, QStringLiteral("NON")));
    QByteArray expected(600, '\x55');
    expected.replace(128, 5, QByteArray("\x03\x00NON", 5));
    QCOMPARE(bytesOf(m_path), expected);

    // A shorter text over a longer one leaves the longer one's tail behind the new length.
    QVERIFY(writeRecord(m_path, 2, QStringLiteral("é")));
    expected.replace(128, 3, QByteArray("\x01\x00\xE9", 3));
    QCOMPARE(bytesOf(m_path), expected);
    QCOMPARE(readRecord(m_path, 2), std::optional<QString>(QStringLiteral("é")));
}

void TestRecordFile::a_text_too_long_for_a_record_writes_nothing_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("written");
    QTest::newRow("126 bytes fill the record") << 1 << 126 << true;
    QTest::newRow("127 bytes do not fit") << 1 << 127 << false;
    QTest::newRow("record 0 does not exist") << 0 << 3 << false;
    QTest::newRow("negative record") << -2 << 3 << false;
}

void TestRecordFile::a_text_too_long_for_a_record_writes_nothing()
{
    QFETCH(int, record);
    QFETCH(int, length);
    QFETCH(bool, written);
    QCOMPARE(writeRecord(m_path, record, QString(length, QLatin1Char('x'))), written);
    if (written) {
        QCOMPARE(bytesOf(m_path).size(), 128);
        QCOMPARE(readRecord(m_path, record)->size(), length);
    } else {
        QVERIFY(bytesOf(m_path).isEmpty());
    }
}

void TestRecordFile::records_read_back_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("text");
    QByteArray two(128, '\0');
    two.replace(0, 11, QByteArray("\x09\x00OPTIPHANE", 11));
    two.append(QByteArray("\x0B\x00Verre Crown", 13));
    QTest::newRow("first record") << two << 1 << QStringLiteral("OPTIPHANE");
    QTest::newRow("last record ends with its text") << two << 2 << QStringLiteral("Verre Crown");
    QTest::newRow("beyond the end reads empty") << two << 3 << QString();
    QTest::newRow("cut short by the end") << QByteArray("\x05\x00"
                                                        "ab",
                                                        4)
                                          << 1 << QStringLiteral("ab");
    QTest::newRow("a lone length byte") << QByteArray("\x05", 1) << 1 << QString();
    QTest::newRow("empty text") << QByteArray("\x00\x00", 2) << 1 << QString();
    QTest::newRow("windows-1252 text") << QByteArray("\x0B\x00R\xE9"
                                                     "flexion \x80",
                                                     13)
                                       << 1 << QStringLiteral("Réflexion €");
}

void TestRecordFile::records_read_back()
{
    QFETCH(QByteArray, file);
    QFETCH(int, record);
    QFETCH(QString, text);
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    const std::optional<QString> read = readRecord(m_path, record);
    QVERIFY(read.has_value());
    QCOMPARE(*read, text);
    QCOMPARE(bytesOf(m_path), file); // reading never changes the file
}

void TestRecordFile::a_damaged_length_is_a_read_error_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("record");
    // Two full records: "OPTIPHANE", then a record whose length field is damaged.
    auto twoRecords = [](char low, char high) {
        QByteArray bytes(256, 'x');
        bytes.replace(0, 11, QByteArray("\x09\x00OPTIPHANE", 11));
        bytes[128] = low;
        bytes[129] = high;
        return bytes;
    };
    QTest::newRow("127 bytes") << twoRecords('\x7F', '\x00') << 2;
    QTest::newRow("300 bytes, into the next record") << twoRecords('\x2C', '\x01') << 2;
    QTest::newRow("65535 bytes") << twoRecords('\xFF', '\xFF') << 2;
    QByteArray first = twoRecords('\x03', '\x00');
    first[0] = '\x2C';
    first[1] = '\x01';
    QTest::newRow("the first record announces 300") << first << 1;
}

// State: a record's length field announces more than 126 bytes. Expected: no text at all (the
// callers report a read error), never the bytes of the next record.
void TestRecordFile::a_damaged_length_is_a_read_error()
{
    QFETCH(QByteArray, file);
    QFETCH(int, record);
    {
        QFile f(m_path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    QVERIFY(!readRecord(m_path, record).has_value());
}

void TestRecordFile::reading_a_missing_file_fails()
{
    QVERIFY(!readRecord(m_path, 1).has_value());
    QVERIFY(!QFile::exists(m_path));
}

void TestRecordFile::one_open_file_takes_many_records()
{
    RecordFile file(m_path);
    QVERIFY(file.open());
    for (int r = 1; r <= 80; ++r)
        QVERIFY(file.write(r, QStringLiteral("ligne %1").arg(r)));
    QCOMPARE(file.read(80), std::optional<QString>(QStringLiteral("ligne 80")));
    file.close();
    QVERIFY(!file.write(81, QStringLiteral("x")));
    QCOMPARE(bytesOf(m_path).size(), 79 * 128 + 2 + 8);
    QCOMPARE(readRecord(m_path, 37), std::optional<QString>(QStringLiteral("ligne 37")));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
