// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs that once broke a fuzz target, and the seeds of every target, run through the targets'
// bodies (fuzzbodies.h) without libFuzzer: each must keep every rule its target checks.
#include "fuzzbodies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

using FuzzBody = QString (*)(const std::uint8_t*, std::size_t);

struct FuzzTargetEntry {
    const char* name;
    FuzzBody body;
};

const FuzzTargetEntry fuzzRegressionTargets[] = {
    {"fuzz_configuration", fuzzbodies::fuzzConfiguration},
    {"fuzz_rtf", fuzzbodies::fuzzRtf},
    {"fuzz_expression", fuzzbodies::fuzzExpression},
    {"fuzz_numtext", fuzzbodies::fuzzNumtext},
    {"fuzz_recordfile", fuzzbodies::fuzzRecordFile},
    {"fuzz_exercise", fuzzbodies::fuzzExercise},
};

// Stored inputs that still break a rule, by row name, with what is wrong: the row is expected to
// fail until the code under test is mended, and then must be taken out of here.
const QHash<QString, QString>& knownFuzzFailures()
{
    static const QHash<QString, QString> failures{};
    return failures;
}

FuzzBody fuzzRegressionBody(const QString& target)
{
    for (const FuzzTargetEntry& t : fuzzRegressionTargets)
        if (target == QLatin1String(t.name))
            return t.body;
    return nullptr;
}

QString fuzzDataFolder(const QString& kind, const QString& target)
{
    return qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/fuzz/") + kind +
           QLatin1Char('/') + target;
}

// The inputs of a folder: every file but the README that says what the folder is for.
QFileInfoList fuzzInputs(const QString& folder)
{
    QFileInfoList inputs;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        if (!info.fileName().startsWith(QLatin1String("README")))
            inputs << info;
    return inputs;
}

QString runFuzzBody(const QString& target, const QByteArray& input)
{
    const FuzzBody body = fuzzRegressionBody(target);
    if (!body)
        return QStringLiteral("no such target");
    return body(reinterpret_cast<const std::uint8_t*>(input.constData()),
                std::size_t(input.size()));
}

} // namespace

class TestFuzzRegressions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fuzzbodies::dropBrokenFilenameWarnings(); }

    void storedInputsKeepTheRules_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        for (const FuzzTargetEntry& t : fuzzRegressionTargets) {
            for (const char* kind : {"regressions", "corpus"}) {
                const QString target = QLatin1String(t.name);
                for (const QFileInfo& info : fuzzInputs(fuzzDataFolder(kind, target))) {
                    const QString row = target + QLatin1Char('/') + QLatin1String(kind) +
                                        QLatin1Char('/') + info.fileName();
                    QTest::newRow(qPrintable(row)) << target << info.filePath();
                }
            }
        }
    }
    void storedInputsKeepTheRules()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString finding = runFuzzBody(target, file.readAll());
        const QString row = QString::fromUtf8(QTest::currentDataTag());
        if (knownFuzzFailures().contains(row))
            QEXPECT_FAIL(QTest::currentDataTag(), qPrintable(knownFuzzFailures().value(row)),
                         Continue);
        QVERIFY2(finding.isEmpty(), qPrintable(finding));
    }

    // Inputs at the edges of what the bodies take apart: too short for their fields, a record
    // boundary, bytes that are not text.
    void tinyInputsKeepTheRules_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("input");
        const QList<QPair<const char*, QByteArray>> inputs{
            {"empty", QByteArray()},
            {"one zero byte", QByteArray(1, '\0')},
            {"one 0xff byte", QByteArray(1, '\xff')},
            {"eight bytes", QByteArray(8, '\x7f')},
            {"nine zero bytes", QByteArray(9, '\0')},
            {"NaN then a text", QByteArray("\x00\x00\x00\x00\x00\x00\x00\xf8\x7f"
                                           "1.5",
                                           12)},
            {"one short record", QByteArray("\x05\x00"
                                            "AB",
                                            4)},
            {"length field over 126", QByteArray("\x7f\x00", 2) + QByteArray(126, 'x')},
            {"127 bytes", QByteArray(127, '\x01')},
            {"128 bytes", QByteArray(128, '\x02')},
            {"129 bytes", QByteArray(129, '\x03')},
            {"lone open parenthesis", QByteArray("(")},
            {"climbing name", QByteArray("\x0d\x00..\\ENONCE.RTF", 15)},
            {"invalid UTF-8", QByteArray("\xc3\x28\xe2\x82\xf0\x28\x8c\x28")},
        };
        for (const FuzzTargetEntry& t : fuzzRegressionTargets)
            for (const auto& [name, input] : inputs)
                QTest::newRow(
                    qPrintable(QLatin1String(t.name) + QLatin1Char('/') + QLatin1String(name)))
                    << QString::fromLatin1(t.name) << input;
    }
    void tinyInputsKeepTheRules()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, input);
        const QString finding = runFuzzBody(target, input);
        QVERIFY2(finding.isEmpty(), qPrintable(finding));
    }

    // Every target has seeds, and the repository keeps them small: a fuzz run grows its working
    // corpus elsewhere.
    void seedCorporaAreSmall_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("minimumSeeds");
        QTest::addColumn<qint64>("maximumBytes");
        QTest::newRow("fuzz_configuration") << "fuzz_configuration" << 10 << qint64(200 * 1024);
        QTest::newRow("fuzz_rtf") << "fuzz_rtf" << 10 << qint64(200 * 1024);
        QTest::newRow("fuzz_expression") << "fuzz_expression" << 24 << qint64(200 * 1024);
        QTest::newRow("fuzz_numtext") << "fuzz_numtext" << 24 << qint64(200 * 1024);
        QTest::newRow("fuzz_recordfile") << "fuzz_recordfile" << 12 << qint64(200 * 1024);
        QTest::newRow("fuzz_exercise") << "fuzz_exercise" << 12 << qint64(200 * 1024);
    }
    void seedCorporaAreSmall()
    {
        QFETCH(QString, target);
        QFETCH(int, minimumSeeds);
        QFETCH(qint64, maximumBytes);
        const QFileInfoList seeds = fuzzInputs(fuzzDataFolder(QStringLiteral("corpus"), target));
        QVERIFY2(seeds.size() >= minimumSeeds, qPrintable(QString::number(seeds.size())));
        qint64 bytes = 0;
        for (const QFileInfo& info : seeds)
            bytes += info.size();
        QVERIFY2(bytes <= maximumBytes, qPrintable(QString::number(bytes)));
        QVERIFY(QFileInfo::exists(fuzzDataFolder(QStringLiteral("regressions"), target)));
    }
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
