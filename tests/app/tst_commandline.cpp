// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line run as a user runs it: bad arguments, unreadable input and failed
// writes end with a French message on standard error and exit status 2, never silently.
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
        QTest::newRow("a table without its configuration")
            << R"("$OPTIPHANE" --tableau)"
            << "optiphane --tableau : nom du fichier de configuration manquant\n";
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
            << "Impossible d'écrire le fichier : big.png\n";
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
