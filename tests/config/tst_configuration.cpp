// SPDX-License-Identifier: GPL-3.0-or-later
// Configuration files on the core alone: the record layout byte for byte against samples written
// independently of the program, the checked reader on a corpus of damaged files (nothing applied,
// the message said), round trips of an experiment, a save that fails leaving the old file intact,
// and the command-line modes that read and write configurations.
#include "core/app/experimentsetup.h"
#include "core/bench/materials.h"
#include "core/state/module1.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QString sample(const QString& name)
{
    return qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/config/data/") + name;
}
QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// An experiment as the file would hold it.
QByteArray snapshot(const Experiment& e)
{
    return config::fileBytes(config::fromExperiment(e)).value_or(QByteArray());
}
bool save(const Experiment& e, const QString& path)
{
    return config::writeFile(path, config::fromExperiment(e));
}
// The experiment as the program starts it.
std::unique_ptr<Experiment> started()
{
    auto e = std::make_unique<Experiment>();
    experimentsetup::start(*e);
    return e;
}

} // namespace

class TestConfiguration : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Experiment> w;

    QString path(const QString& name) const { return dir->filePath(name); }

private slots:
    void init()
    {
        module1() = Module1{};
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        w = started();
    }
    void cleanup()
    {
        w.reset();
        dir.reset();
    }

    // Expected: the start-up experiment is written exactly as the sample made from the layout:
    // 80 records, 10 127 bytes, the last record ending right after its text.
    void startup_file_byte_for_byte()
    {
        QVERIFY(save(*w, path("start.P02")));
        const QByteArray written = bytesOf(path("start.P02"));
        QCOMPARE(written.size(), 10127);
        QCOMPARE(written, bytesOf(sample("startup.P02")));
        const QStringList records = config::records(config::fromExperiment(*w));
        QCOMPARE(records.size(), 80);
        QCOMPARE(records.at(18), QStringLiteral(" 11"));
        QCOMPARE(records.mid(19, 5), QStringList({"C1", "C2", "C3", "C4", "C5"}));
        QCOMPARE(records.mid(74, 5), QStringList(5, QString()));
        QCOMPARE(records.at(79), QStringLiteral("########0.000"));
    }

    void number_texts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("text");
        QTest::newRow("lamp angle") << 135.0 << false << " 135";
        QTest::newRow("negative") << -2.5 << false << "-2.5";
        QTest::newRow("tenth of a degree") << 152.3 << false << " 152.3";
        QTest::newRow("air's A") << double(1.0002747f) << true << " 1.000275";
        QTest::newRow("below 1") << double(0.74f) << true << " .74";
        QTest::newRow("crown's B") << double(11848.408f) << true << " 11848.41";
    }
    void number_texts()
    {
        QFETCH(double, value);
        QFETCH(bool, single);
        QFETCH(QString, text);
        QCOMPARE(single ? config::singleNumberText(float(value)) : config::numberText(value), text);
    }

    // Expected: 100 data rows give 530 records; titles, formulas, a format of no option, a
    // custom material and white light come back as saved.
    void round_trip()
    {
        TableModel& t = w->table;
        t.setRowCount(101);
        t.setCell(0, 0, QStringLiteral("Angle i (°)"));
        t.setCell(100, 4, QStringLiteral("12,500"));
        t.setColumnFormula(2, QStringLiteral("sin (C1)"));
        t.setNumberFormat(QStringLiteral("0.0"));
        t.reformatTable();
        w->bench.discA = 1.7f;
        w->bench.discB = 12345.67f;
        w->settings.discMaterial = QStringLiteral("Autre");
        w->settings.source = Source::WhiteLight;
        w->settings.wavelength = 650;
        w->settings.arrows = false;
        w->bench.lampAngle = 152.3;
        QCOMPARE(config::records(config::fromExperiment(*w)).size(), 530);
        QVERIFY(save(*w, path("full.P02")));
        const QByteArray saved = bytesOf(path("full.P02"));

        const std::unique_ptr<Experiment> other = started();
        QCOMPARE(experimentsetup::open(*other, path("full.P02")), std::optional<QString>());
        QCOMPARE(other->table.rowCount(), 101);
        QCOMPARE(other->table.title(0), QStringLiteral("Angle i (°)"));
        QCOMPARE(other->table.getCell(100, 4), QStringLiteral("12,5"));
        QCOMPARE(other->table.columnFormula(2), QStringLiteral("sin (C1)"));
        QCOMPARE(other->table.numberFormat(), QStringLiteral("0.0"));
        QCOMPARE(other->settings.discMaterial, QStringLiteral("Autre"));
        QCOMPARE(other->bench.discA, 1.7f);
        QCOMPARE(other->bench.discB, 12345.67f);
        QCOMPARE(other->settings, w->settings);
        QCOMPARE(other->bench.lampAngle, 152.3);
        QCOMPARE(snapshot(*other), saved);
    }

    // Expected: a catalogue material takes the catalogue's coefficients, not the file's copy.
    void catalogue_material_takes_catalogue_coefficients()
    {
        QByteArray bytes = bytesOf(sample("startup.P02"));
        const QByteArray disc = " 1.472363";
        QCOMPARE(bytes.mid(16 * 128 + 2, disc.size()), disc);
        bytes.replace(16 * 128 + 2, disc.size(), " 1.400000");
        QFile f(path("copy.P02"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QCOMPARE(experimentsetup::open(*w, path("copy.P02")), std::optional<QString>());
        QCOMPARE(w->bench.discA, 1.472363f);
    }

    // Expected: a file of the old program (spaces as filler, old records after the end) opens.
    void file_of_the_old_program_opens()
    {
        QCOMPARE(experimentsetup::open(*w, sample("old-program.P02")), std::optional<QString>());
        QCOMPARE(w->table.rowCount(), 3);
        QCOMPARE(w->table.title(0), QStringLiteral("Angle i"));
        QCOMPARE(w->table.getCell(2, 1), QStringLiteral("28,100"));
        QCOMPARE(
            w->table.contentText(),
            QStringLiteral("Angle i\tAngle r\tsin i\tsin r\tn\n30,000\t19,500\t0,500\t0,334\t\n"
                           "45,000\t28,100\t0,707\t0,471\t"));
    }

    void damaged_files_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        const QString damaged = QStringLiteral("Lecture impossible sur disque");
        const QString wrong = QStringLiteral("Ce fichier ne correspond pas à cette application");
        for (const char* name : {"damaged-empty.P02",           "damaged-header-cut.P02",
                                 "damaged-cut-in-material.P02", "damaged-cut-in-row-count.P02",
                                 "damaged-cut-in-cell.P02",     "damaged-cut-in-format.P02",
                                 "damaged-row-count-0.P02",     "damaged-row-count-1.P02",
                                 "damaged-row-count-102.P02",   "damaged-row-count-65535.P02",
                                 "damaged-fewer-records.P02",   "damaged-length-over-126.P02",
                                 "damaged-not-a-number.P02",    "damaged-unknown-material.P02",
                                 "damaged-option.P02",          "damaged-wavelength.P02",
                                 "damaged-no-source.P02",       "damaged-two-sources.P02",
                                 "damaged-two-elements.P02",    "missing.P02"})
            QTest::newRow(name) << name << damaged;
        QTest::newRow("wrong header") << "wrong-header.P02" << wrong;
        QTest::newRow("lower-case header") << "wrong-header-lower-case.P02" << wrong;
        QTest::newRow("a folder") << "." << damaged;
    }
    // Action: open a damaged file over an experiment the user changed. Expected: the message,
    // and nothing of the experiment changed.
    void damaged_files()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        w->table.setCell(1, 0, QStringLiteral("4,000"));
        w->settings.blackBackground = false;
        const QByteArray before = snapshot(*w);
        QCOMPARE(experimentsetup::open(*w, sample(file)), std::optional<QString>(message));
        QCOMPARE(snapshot(*w), before);
    }

    void failed_saves_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("missingFolder");
        QTest::newRow("a title over 126 bytes") << QString(127, u'x') << false;
        QTest::newRow("a vanished folder") << QStringLiteral("C1") << true;
    }
    // Action: save over an existing file, the save failing. Expected: the failure said, the old
    // file byte for byte as it was.
    void failed_saves()
    {
        QFETCH(QString, title);
        QFETCH(bool, missingFolder);
        const QString target = missingFolder ? path("gone/x.P02") : path("x.P02");
        QVERIFY(save(*w, path("x.P02")));
        const QByteArray old = bytesOf(path("x.P02"));
        w->table.setCell(0, 0, title);
        w->table.setCell(1, 0, QStringLiteral("1,000"));
        QVERIFY(!save(*w, target));
        QCOMPARE(bytesOf(path("x.P02")), old);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"x.P02"});
    }

    void stored_number_formats_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("cell");
        QTest::newRow("one of the dialog's formats") << "0.00E+00"
                                                     << "0.00E+00"
                                                     << "1,10E+01";
        QTest::newRow("the free format") << ""
                                         << ""
                                         << "11";
        QTest::newRow("placeholders of no option") << "0.0"
                                                   << "0.0"
                                                   << "11,0";
        QTest::newRow("a literal digit") << "30,000" << table::StartFormat << "11,000";
        QTest::newRow("literal text") << "0.0 cm" << table::StartFormat << "11,000";
    }
    // State: a file whose table holds 11 under a stored format. Expected: the table takes the
    // format when it can write with it, else the default; what it shows is what a save then
    // writes and a new opening shows again.
    void stored_number_formats()
    {
        QFETCH(QString, stored);
        QFETCH(QString, format);
        QFETCH(QString, cell);
        QByteArray bytes = bytesOf(sample("startup.P02"));
        const qsizetype cellStart = 24 * 128; // record 25: row 1, column 1
        bytes.replace(cellStart, 4,
                      QByteArray("\x02\x00"
                                 "11",
                                 4));
        const qsizetype last = (bytes.size() - 1) / 128 * 128;
        bytes.truncate(last);
        bytes += char(stored.size()) + QByteArray(1, '\0') + stored.toLatin1();
        QFile f(path("format.P02"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();

        QCOMPARE(experimentsetup::open(*w, path("format.P02")), std::optional<QString>());
        QCOMPARE(w->table.numberFormat(), format);
        QCOMPARE(w->table.getCell(1, 0), cell);
        QVERIFY(save(*w, path("again.P02")));
        const std::unique_ptr<Experiment> other = started();
        QCOMPARE(experimentsetup::open(*other, path("again.P02")), std::optional<QString>());
        QCOMPARE(other->table.contentText(), w->table.contentText());
    }

    // Expected: a save over a longer old file leaves exactly the new records.
    void saving_over_a_longer_file_shortens_it()
    {
        w->table.setRowCount(101);
        QVERIFY(save(*w, path("x.P02")));
        w->table.setRowCount(11);
        QVERIFY(save(*w, path("x.P02")));
        QCOMPARE(bytesOf(path("x.P02")), bytesOf(sample("startup.P02")));
    }

    // Action: the command-line modes on the samples. Expected: the table's text, a picture, a
    // rewritten file identical to the start-up sample; a damaged file refused with exit 2.
    void command_line()
    {
        auto run = [this](const QStringList& args, QString* out = nullptr) {
            QProcess p;
            p.setWorkingDirectory(dir->path());
            p.start(QStringLiteral(OPTIPHANE_EXECUTABLE), args);
            if (!p.waitForFinished(60000))
                return -1;
            if (out)
                *out = QString::fromUtf8(p.readAllStandardOutput()) +
                       QString::fromUtf8(p.readAllStandardError());
            return p.exitCode();
        };
        QString out;
        QCOMPARE(run({"--tableau", sample("old-program.P02")}, &out), 0);
        QCOMPARE(out, QStringLiteral("Angle i\tAngle r\tsin i\tsin r\tn\n30,000\t19,500\t0,500\t"
                                     "0,334\t\n45,000\t28,100\t0,707\t0,471\t\n"));
        QCOMPARE(run({"--image", "out.png", sample("old-program.P02")}), 0);
        QCOMPARE(QImage(path("out.png")).size(), QSize(404, 404));
        QCOMPARE(run({"--enregistrer", "copy.P02", sample("startup.P02")}), 0);
        QCOMPARE(bytesOf(path("copy.P02")), bytesOf(sample("startup.P02")));
        QCOMPARE(run({"--enregistrer", "start.P02"}), 0);
        QCOMPARE(bytesOf(path("start.P02")), bytesOf(sample("startup.P02")));
        QCOMPARE(run({"--tableau", sample("wrong-header.P02")}, &out), 2);
        QCOMPARE(out, "optiphane --tableau : Ce fichier ne correspond pas à cette application : " +
                          sample("wrong-header.P02") + "\n");
    }
};

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"
