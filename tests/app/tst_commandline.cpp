// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line run as a user runs it: bad arguments, unreadable input and failed
// writes end with a French message on standard error and exit status 2, never silently.
#include "support/smalldisc.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs a shell line in which "$OPTIPHANE" is the program, in folder.
Run shell(const QString& line, const QString& folder)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OPTIPHANE"), QStringLiteral(OPTIPHANE_EXECUTABLE));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the command line needs no display of its own
    env.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), line});
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    // --image draws today's picture byte for byte at scale 1 (given or not), and at scale K the
    // same experiment on a K times larger picture.
    void image_scales_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("reference"); // empty: not compared
        QTest::addColumn<int>("side");
        const QString exercises =
            qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/../data/exercices/");
        QTest::newRow("start-up") << QString() << "depart.png" << 404;
        QTest::newRow("start-up, --echelle 1") << "--echelle 1"
                                               << "depart.png" << 404;
        QTest::newRow("white light")
            << exercises + QStringLiteral("DISPERSION.P02") << "DISPERSION.png" << 404;
        QTest::newRow("mirror") << QStringLiteral("--echelle 1,0 ") + exercises +
                                       QStringLiteral("REFLEXION.P02")
                                << "REFLEXION.png" << 404;
        QTest::newRow("--echelle 2") << "--echelle 2" << QString() << 808;
        QTest::newRow("--echelle 1,5") << "--echelle 1,5" << QString() << 606;
        QTest::newRow("--echelle 2.5, white light")
            << exercises + QStringLiteral("DISPERSION.P02 --echelle 2.5") << QString() << 1010;
    }
    void image_scales()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, reference);
        QFETCH(int, side);
        const Run run =
            shell(QStringLiteral(R"("$OPTIPHANE" --image out.png )") + arguments, m_dir->path());
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QFile made(m_dir->filePath(QStringLiteral("out.png")));
        QVERIFY(made.open(QIODevice::ReadOnly));
        const QByteArray bytes = made.readAll();
        // The PNG header's width and height, big-endian after "IHDR".
        QVERIFY(bytes.size() > 24 && bytes.mid(12, 4) == "IHDR");
        const auto word = [&bytes](int at) {
            return (uchar(bytes[at]) << 24) | (uchar(bytes[at + 1]) << 16) |
                   (uchar(bytes[at + 2]) << 8) | uchar(bytes[at + 3]);
        };
        QCOMPARE(word(16), side);
        QCOMPARE(word(20), side);
        if (!reference.isEmpty()) {
            QFile expected(qEnvironmentVariable("OPTIPHANE_TEST_DATA") +
                           QStringLiteral("/bench/data/") + reference);
            QVERIFY(expected.open(QIODevice::ReadOnly));
            QVERIFY(bytes == expected.readAll());
        }
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("no output name")
            << R"("$OPTIPHANE" --image)"
            << "optiphane --image : nom du fichier de sortie manquant\n";
        QTest::newRow("an empty output name")
            << R"("$OPTIPHANE" --image "")"
            << "optiphane --image : nom du fichier de sortie manquant\n";
        QTest::newRow("a missing configuration")
            << R"("$OPTIPHANE" --image out.png CONF.P02)"
            << "optiphane --image : Lecture impossible sur disque : CONF.P02\n";
        QTest::newRow("a scale out of range")
            << R"("$OPTIPHANE" --image out.png --echelle 0,5)"
            << "optiphane --image : --echelle : facteur de 1 à 8 attendu : 0,5\n";
        QTest::newRow("a scale that is not a number")
            << R"("$OPTIPHANE" --image out.png --echelle deux)"
            << "optiphane --image : --echelle : facteur de 1 à 8 attendu : deux\n";
        QTest::newRow("the window at a scale out of range")
            << R"("$OPTIPHANE" --echelle 9)"
            << "optiphane : --echelle : facteur de 1 à 8 attendu : 9\n";
        QTest::newRow("a scale without its factor")
            << R"("$OPTIPHANE" --image out.png --echelle)"
            << "optiphane --image : --echelle : facteur manquant\n";
        QTest::newRow("a table without its configuration")
            << R"("$OPTIPHANE" --tableau)"
            << "optiphane --tableau : nom du fichier de configuration manquant\n";
        QTest::newRow("a spreadsheet without its configuration")
            << R"("$OPTIPHANE" --csv out.csv)"
            << "optiphane --csv : nom du fichier de configuration manquant\n";
        QTest::newRow("a spreadsheet with one argument too many")
            << R"("$OPTIPHANE" --csv out.csv a.P02 b.P02)"
            << "optiphane --csv : argument en trop : b.P02\n";
        QTest::newRow("a folder as the configuration")
            << R"("$OPTIPHANE" --tableau /)"
            << "optiphane --tableau : Lecture impossible sur disque : /\n";
        QTest::newRow("saving without a name")
            << R"("$OPTIPHANE" --enregistrer)"
            << "optiphane --enregistrer : nom du fichier de sortie manquant\n";
        QTest::newRow("saving into a missing folder")
            << R"("$OPTIPHANE" --enregistrer nowhere/out.P02)"
            << "optiphane --enregistrer : Ecriture impossible sur disque : nowhere/out.P02\n";
        QTest::newRow("a PDF without its name")
            << R"("$OPTIPHANE" --pdf --tableau)"
            << "optiphane --pdf : nom du fichier de sortie manquant\n";
        QTest::newRow("a PDF with one argument too many")
            << R"("$OPTIPHANE" --pdf out.pdf a.P02 b.P02)"
            << "optiphane --pdf : argument en trop : b.P02\n";
        QTest::newRow("a PDF of a missing configuration")
            << R"("$OPTIPHANE" --pdf out.pdf CONF.P02 --tableau)"
            << "optiphane --pdf : Lecture impossible sur disque : CONF.P02\n";
        QTest::newRow("a PDF into a missing folder")
            << R"("$OPTIPHANE" --pdf nowhere/out.pdf)"
            << "optiphane --pdf : Impression impossible : nowhere/out.pdf\n";
        QTest::newRow("a PDF on a full disc")
            << R"(trap '' SIGXFSZ; ulimit -f 0; "$OPTIPHANE" --pdf big.pdf --tableau)"
            << "optiphane --pdf : Impression impossible : big.pdf\n";
        QTest::newRow("a file of another kind to open at start")
            << R"("$OPTIPHANE" notes.txt)"
            << "optiphane : un seul fichier .P02, .E02 ou .RTF peut être ouvert au démarrage : "
               "notes.txt\n";
        QTest::newRow("two files to open at start")
            << R"("$OPTIPHANE" a.E02 b.E02)"
            << "optiphane : un seul fichier .P02, .E02 ou .RTF peut être ouvert au démarrage : "
               "b.E02\n";
        QTest::newRow("a text without its name")
            << R"("$OPTIPHANE" --texte)"
            << "optiphane --texte : nom du fichier RTF manquant\n";
        QTest::newRow("a missing text")
            << R"("$OPTIPHANE" --texte absent.rtf)"
            << "optiphane --texte : Lecture impossible sur disque : absent.rtf\n";
        QTest::newRow("a text that is not RTF")
            << R"(echo notes > notes.rtf; "$OPTIPHANE" --texte notes.rtf; s=$?; rm notes.rtf; exit $s)"
            << "optiphane --texte : ce fichier n'est pas au format RTF : notes.rtf\n";
        QTest::newRow("a text saved into a missing folder")
            << R"(printf '{\\rtf1 a}' > in.rtf; "$OPTIPHANE" --texte in.rtf nowhere/out.rtf; s=$?; rm in.rtf; exit $s)"
            << "optiphane --texte : Ecriture impossible sur disque : nowhere/out.rtf\n";
        QTest::newRow("an unknown mode") << R"("$OPTIPHANE" --inconnu CONF.P02)"
                                         << "optiphane : option inconnue : --inconnu\n";
        QTest::newRow("a folder as standard input")
            << R"("$OPTIPHANE" --calcul - < /)"
            << "optiphane --calcul : impossible de lire l'entrée standard.\n";
        QTest::newRow("standard input closed")
            << R"("$OPTIPHANE" --calcul - <&-)"
            << "optiphane --calcul : impossible de lire l'entrée standard.\n";
        QTest::newRow("a full disc")
            << R"(trap '' SIGXFSZ; ulimit -f 0; "$OPTIPHANE" --image big.png)"
            << "optiphane --image : Ecriture impossible sur disque : big.png\n";
        QTest::newRow("a file named like an option of Qt")
            << R"("$OPTIPHANE" --tableau -reverse)"
            << "optiphane --tableau : Lecture impossible sur disque : -reverse\n";
        QTest::newRow("a text saved under an empty name")
            << R"(printf '{\\rtf1 a}' > in.rtf; "$OPTIPHANE" --texte in.rtf ""; s=$?; rm in.rtf; exit $s)"
            << "optiphane --texte : nom du fichier de sortie manquant\n";
        QTest::newRow("a text over the size limit")
            << R"(truncate -s 17M big.rtf; "$OPTIPHANE" --texte big.rtf; s=$?; rm big.rtf; exit $s)"
            << "optiphane --texte : ce texte est trop volumineux pour être lu (plus de 16 Mo ou "
               "de 500 000 paragraphes) : big.rtf\n";
        QTest::newRow("an endless line on standard input")
            << R"("$OPTIPHANE" --calcul - < /dev/zero)"
            << "optiphane --calcul : ligne trop longue (plus de 1048576 caractères) sur l'entrée "
               "standard.\n";
        QTest::newRow("a display platform that cannot start")
            << R"(QT_QPA_PLATFORM=xcb "$OPTIPHANE" --tableau CONF.P02)"
            << "optiphane --tableau : Lecture impossible sur disque : CONF.P02\n";
        // Readers never wait on a FIFO: each of these would hang.
        const char* fifo =
            R"(mkfifo tube.P02; timeout 20 "$OPTIPHANE" %1 tube.P02; s=$?; rm tube.P02; exit $s)";
        for (const char* mode :
             {"--tableau", "--image out.png", "--enregistrer out.P02", "--pdf out.pdf"})
            QTest::addRow("a FIFO as the configuration of %s", mode)
                << QString::fromLatin1(fifo).arg(QLatin1String(mode))
                << QStringLiteral("optiphane %1 : Lecture impossible sur disque : tube.P02\n")
                       .arg(QString::fromLatin1(mode).section(u' ', 0, 0));
        QTest::newRow("a FIFO as a text")
            << R"(mkfifo tube.rtf; timeout 20 "$OPTIPHANE" --texte tube.rtf; s=$?; rm tube.rtf; exit $s)"
            << "optiphane --texte : Lecture impossible sur disque : tube.rtf\n";
        // What goes to a standard output that takes nothing is lost: never a success.
        QTest::newRow("the table to a full output")
            << R"("$OPTIPHANE" --tableau "$OPTIPHANE_TEST_DATA/config/data/startup.P02" > /dev/full)"
            << "optiphane --tableau : Ecriture impossible sur la sortie standard\n";
        QTest::newRow("a text to a full output")
            << R"(printf '{\\rtf1 a}' > in.rtf; "$OPTIPHANE" --texte in.rtf > /dev/full; s=$?; rm in.rtf; exit $s)"
            << "optiphane --texte : Ecriture impossible sur la sortie standard\n";
        QTest::newRow("a result to a full output")
            << R"("$OPTIPHANE" --calcul "2+3" > /dev/full)"
            << "optiphane --calcul : Ecriture impossible sur la sortie standard\n";
        QTest::newRow("a picture to a full output")
            << R"("$OPTIPHANE" --image - > /dev/full)"
            << "optiphane --image : Ecriture impossible sur la sortie standard\n";
    }
    // Expected: status 2, the program's own French message and nothing else (no warning of Qt),
    // nothing on standard output, no file left behind.
    void refusals()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        const Run run = shell(line, m_dir->path());
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, message);
        QCOMPARE(run.out, QString());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    }

    void outputs_reach_their_target_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("out");
        QTest::newRow("a picture into a FIFO, which stays a FIFO")
            << R"(mkfifo tube.png; head -c 4 tube.png > got & "$OPTIPHANE" --image tube.png; wait; test -p tube.png && tail -c 3 got; rm tube.png got)"
            << "PNG";
        QTest::newRow("a picture to standard output")
            << R"("$OPTIPHANE" --image - | head -c 4 | tail -c 3)"
            << "PNG";
        QTest::newRow("a configuration to standard output")
            << R"("$OPTIPHANE" --enregistrer - | head -c 11 | tail -c 9)"
            << "OPTIPHANE";
        QTest::newRow("a configuration into a device, which stays a device")
            << R"("$OPTIPHANE" --enregistrer /dev/null && test -c /dev/null && echo ok)"
            << "ok\n";
        QTest::newRow("a name that is not UTF-8, kept as it is")
            << R"("$OPTIPHANE" --enregistrer $'caf\xe9.P02' && "$OPTIPHANE" --tableau $'caf\xe9.P02' | head -c 2; test -f $'caf\xe9.P02' && rm $'caf\xe9.P02' && echo " ok")"
            << "C1 ok\n";
        QTest::newRow("the lines before a line too long answered")
            << R"((printf '1+1\n'; head -c 2000000 /dev/zero) | "$OPTIPHANE" --calcul - 2>/dev/null; echo "status $?")"
            << " 2\nstatus 2\n";
        // Each mode runs under the GUI layer alone, where making a widget ends the program: each
        // answering is the proof that none needs one.
        QTest::newRow("--image without a widget")
            << R"("$OPTIPHANE" --image - | head -c 4 | tail -c 3)"
            << "PNG";
        QTest::newRow("--pdf without a widget") << R"("$OPTIPHANE" --pdf - --tableau | head -c 5)"
                                                << "%PDF-";
        QTest::newRow("--tableau without a widget")
            << R"("$OPTIPHANE" --enregistrer c.P02 && "$OPTIPHANE" --tableau c.P02 | head -c 5; rm c.P02)"
            << "C1\tC2";
        QTest::newRow("--csv without a widget, to standard output")
            << R"("$OPTIPHANE" --enregistrer c.P02 && "$OPTIPHANE" --csv - c.P02 | head -c 19 | tail -c 16 | tr '\r' R; rm c.P02)"
            << "C1;C2;C3;C4;C5R\n";
        QTest::newRow("--texte without a widget")
            << R"("$OPTIPHANE" --texte "$OPTIPHANE_TEST_DATA/exercises/data/exo/ENONCE.RTF" | head -c 1 | wc -c)"
            << "1\n";
        QTest::newRow("--calcul without a widget") << R"("$OPTIPHANE" --calcul "2*3")"
                                                   << " 6\n";
        QTest::newRow("--version") << R"("$OPTIPHANE" --version)"
                                   << "optiphane 0.1\n";
        QTest::newRow("--help, in French") << R"("$OPTIPHANE" --help | head -n 1)"
                                           << "Utilisation : optiphane [--echelle K] [FICHIER]\n";
        QTest::newRow("a display platform that cannot start")
            << R"(QT_QPA_PLATFORM=xcb "$OPTIPHANE" --calcul "1+1")"
            << " 2\n";
    }
    // Expected: what the line prints, nothing on standard error, no file left behind; a FIFO or a
    // device given as the output is written to and left as it was.
    void outputs_reach_their_target()
    {
        QFETCH(QString, line);
        QFETCH(QString, out);
        const Run run = shell(line, m_dir->path());
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, out);
        QCOMPARE(
            QDir(m_dir->path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
    }

    void full_disc_keeps_the_old_file_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("a configuration saved over")
            << R"("$OPTIPHANE" --enregistrer disque/a.P02 "$OPTIPHANE_TEST_DATA/config/data/old-program.P02")"
            << "optiphane --enregistrer : Ecriture impossible sur disque : disque/a.P02\n";
        QTest::newRow("a new configuration")
            << R"("$OPTIPHANE" --enregistrer disque/nouveau.P02)"
            << "optiphane --enregistrer : Ecriture impossible sur disque : disque/nouveau.P02\n";
        QTest::newRow("a text saved over")
            << R"("$OPTIPHANE" --texte disque/b.rtf disque/a.rtf)"
            << "optiphane --texte : Ecriture impossible sur disque : disque/a.rtf\n";
        QTest::newRow("a picture saved over")
            << R"("$OPTIPHANE" --image disque/a.png "$OPTIPHANE_TEST_DATA/config/data/old-program.P02")"
            << "optiphane --image : Ecriture impossible sur disque : disque/a.png\n";
        QTest::newRow("a PDF printed over")
            << R"("$OPTIPHANE" --pdf disque/a.pdf --tableau)"
            << "optiphane --pdf : Impression impossible : disque/a.pdf\n";
    }
    // State: a small real file system holding a configuration, a text, a picture and a PDF, then
    // filled. Expected: status 2 and the message; every file byte for byte as it was, no
    // temporary file left.
    void full_disc_keeps_the_old_file()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        const QString folder = m_dir->filePath(QStringLiteral("disque"));
        SmallDisc disc(folder, 512);
        if (!disc.mounted())
            QSKIP(SmallDisc::skipReason());
        const Run made = shell(
            R"("$OPTIPHANE" --enregistrer disque/a.P02 && "$OPTIPHANE" --image disque/a.png &&
               "$OPTIPHANE" --pdf disque/a.pdf --tableau && printf '{\\rtf1 ancien}' > disque/a.rtf &&
               printf '{\\rtf1 nouveau texte}' > disque/b.rtf)",
            m_dir->path());
        QCOMPARE(made.err, QString());
        QCOMPARE(made.status, 0);
        disc.fill();
        const auto snapshot = [&folder] {
            QStringList files;
            QDir dir(folder);
            for (const QString& name : dir.entryList(QDir::AllEntries | QDir::System |
                                                     QDir::Hidden | QDir::NoDotAndDotDot)) {
                QFile file(dir.filePath(name));
                files << name + QStringLiteral(" ") +
                             (file.open(QIODevice::ReadOnly)
                                  ? QString::fromLatin1(
                                        QCryptographicHash::hash(file.readAll(),
                                                                 QCryptographicHash::Sha1)
                                            .toHex())
                                  : QStringLiteral("illisible"));
            }
            return files;
        };
        const QStringList before = snapshot();
        QCOMPARE(before.size(), 7); // five files and the two fillers

        const Run run = shell(line, m_dir->path());
        QCOMPARE(run.err, message);
        QCOMPARE(run.status, 2);
        QCOMPARE(snapshot(), before);
    }

    // State: standard input starts with the bytes FF FE. Expected: read as UTF-8 (two characters
    // the engine does not know), not guessed to be UTF-16: the line is an error, the next one is
    // evaluated.
    void input_is_never_taken_for_utf16()
    {
        const Run run =
            shell(R"(printf '\xff\xfe2\n3+4\n' | "$OPTIPHANE" --calcul -)", m_dir->path());
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(1), QStringLiteral(" 7"));
        QCOMPARE(run.err, QString());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
