// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise files as plain data: the preview's rules (corrected status, lit difficulty marks,
// notions joined as stored, trimmed title), the old Val reading of a difficulty, names written
// on another system, damaged files, and rich-text files loaded and saved.
#include "core/exercises/exercisefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

QString data(const QString& name)
{
    return qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/exercises/data/") + name;
}

} // namespace

class TestExerciseFile : public QObject {
    Q_OBJECT

private slots:
    void difficulty_marks_data()
    {
        QTest::addColumn<QString>("difficulty");
        QTest::addColumn<int>("lit");
        QTest::newRow("3 lights all three") << "3" << 3;
        QTest::newRow("2 lights two of three") << "2" << 2;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("0 lights none") << "0" << 0;
        QTest::newRow("blank lights none") << "   " << 0;
        QTest::newRow("empty lights none") << "" << 0;
        QTest::newRow("not a number lights none") << "difficile" << 0;
        QTest::newRow("leading number read") << "2 sur 3" << 2;
        QTest::newRow("blanks inside the number: 1 2 is 12") << " 1 2" << 3;
        QTest::newRow("over 3 lights three") << "7" << 3;
        QTest::newRow("negative lights none") << "-1" << 0;
        QTest::newRow("a half lights one") << ".5" << 1;
        QTest::newRow("2.5 lights three") << "2.5" << 3;
        QTest::newRow("a comma ends the number") << "2,5" << 2;
        QTest::newRow("exponent") << "1e0" << 1;
    }
    void difficulty_marks()
    {
        QFETCH(QString, difficulty);
        QFETCH(int, lit);
        exercises::ExerciseRecords r;
        r.difficulty = difficulty;
        QCOMPARE(exercises::preview(r).litMarks, lit);
    }

    void corrected_status_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("configuration");
        QTest::addColumn<QString>("status");
        QTest::newRow("both blank") << ""
                                    << ""
                                    << "Non corrigé";
        QTest::newRow("blanks only") << "   "
                                     << " "
                                     << "Non corrigé";
        QTest::newRow("a corrected statement") << "C.RTF"
                                               << ""
                                               << "Exercice corrigé";
        QTest::newRow("a corrected configuration only") << ""
                                                        << "C.P02"
                                                        << "Exercice corrigé";
    }
    void corrected_status()
    {
        QFETCH(QString, statement);
        QFETCH(QString, configuration);
        QFETCH(QString, status);
        exercises::ExerciseRecords r;
        r.correctedStatement = statement;
        r.correctedConfiguration = configuration;
        QCOMPARE(exercises::preview(r).status, status);
    }

    // Notions are appended as stored, nothing between them; blank ones are left out; the title
    // loses its surrounding blanks.
    void notions_and_title()
    {
        exercises::ExerciseRecords r;
        r.notions = {QStringLiteral("Réflexion, "), QStringLiteral("   "), QStringLiteral(" loi  "),
                     QString()};
        r.title = QStringLiteral("  Réflexion sur un miroir  ");
        const exercises::Preview p = exercises::preview(r);
        QCOMPARE(p.notions, QStringLiteral("Réflexion,  loi  "));
        QCOMPARE(p.title, QStringLiteral("Réflexion sur un miroir"));
    }

    // The sample written independently of the program, read back record by record.
    void reads_the_records()
    {
        const auto r = exercises::readExercise(data(QStringLiteral("exo/CORRIGE.E02")));
        QVERIFY(r);
        QCOMPARE(r->statement, QStringLiteral("ENONCE.RTF"));
        QCOMPARE(r->configuration, QStringLiteral("CONFIG.P02"));
        QCOMPARE(r->correctedStatement, QStringLiteral("CORRIGE.RTF"));
        QCOMPARE(r->correctedConfiguration, QStringLiteral("CORRIGE.P02"));
        QCOMPARE(r->difficulty, QStringLiteral("3"));
        QCOMPARE(r->title, QStringLiteral("Avec correction"));
        const auto simple = exercises::readExercise(data(QStringLiteral("exo/SIMPLE.E02")));
        QVERIFY(simple);
        QCOMPARE(exercises::preview(*simple).notions, QStringLiteral("Réflexion,  loi  "));
    }

    void damaged_files_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("statement");
        QTest::newRow("empty: every record blank") << "exo/VIDE.E02" << true << "";
        QTest::newRow("cut in the statement's name") << "exo/TRONQUE.E02" << true << "ENON";
        QTest::newRow("length over 126") << "exo/ABIME.E02" << false << "";
        QTest::newRow("missing file") << "exo/NULLE.E02" << false << "";
        QTest::newRow("a folder") << "exo" << false << "";
    }
    void damaged_files()
    {
        QFETCH(QString, file);
        QFETCH(bool, readable);
        QFETCH(QString, statement);
        const auto r = exercises::readExercise(data(file));
        QCOMPARE(bool(r), readable);
        if (r)
            QCOMPARE(r->statement, statement);
    }

    // Names from another system: "\" separates folders, letter case is found, the folder is
    // never left.
    void resolved_names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected"); // relative to exo/, "-" when refused
        QTest::newRow("exact") << "ENONCE.RTF"
                               << "ENONCE.RTF";
        QTest::newRow("other case") << "enonce.rtf"
                                    << "ENONCE.RTF";
        QTest::newRow("backslash and case in the folder") << "sous\\enonce.rtf"
                                                          << "SOUS/ENONCE.RTF";
        QTest::newRow("blanks around") << "  ENONCE.RTF  "
                                       << "ENONCE.RTF";
        QTest::newRow("a dot folder") << ".\\ENONCE.RTF"
                                      << "ENONCE.RTF";
        QTest::newRow("missing file keeps its name") << "absent.rtf"
                                                     << "absent.rtf";
        QTest::newRow("climbing out") << "..\\pem\\PEM.RTF"
                                      << "-";
        QTest::newRow("climbing out in the middle") << "SOUS\\..\\..\\x.rtf"
                                                    << "-";
        QTest::newRow("absolute") << "/etc/passwd"
                                  << "-";
        QTest::newRow("a drive letter") << "C:\\EXOS\\A.RTF"
                                        << "-";
        QTest::newRow("blank") << "   "
                               << "-";
    }
    void resolved_names()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const QString folder = data(QStringLiteral("exo/"));
        const std::optional<QString> got = exercises::resolveName(folder, name);
        if (expected == QLatin1String("-"))
            QVERIFY(!got);
        else
            QCOMPARE(got.value_or(QStringLiteral("<none>")), folder + expected);
    }

    void rich_text_files_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("a statement")
            << "exo/ENONCE.RTF" << int(exercises::LoadResult::Loaded) << "Énoncé";
        QTest::newRow("plain text")
            << "exo/TEXTE.TXT" << int(exercises::LoadResult::NotRichText) << "";
        QTest::newRow("missing") << "exo/NULLE.RTF" << int(exercises::LoadResult::Missing) << "";
        QTest::newRow("a folder") << "exo" << int(exercises::LoadResult::Missing) << "";
    }
    void rich_text_files()
    {
        QFETCH(QString, file);
        QFETCH(int, result);
        QFETCH(QString, firstLine);
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("avant"));
        QCOMPARE(int(exercises::loadRichText(data(file), doc)), result);
        QCOMPARE(doc.firstBlock().text(), result == int(exercises::LoadResult::Loaded)
                                              ? firstLine
                                              : QStringLiteral("avant"));
    }

    // Saved, then read back; a save that cannot be written leaves the older file as it was.
    void saving()
    {
        QTemporaryDir dir;
        QTextDocument doc;
        QVERIFY(exercises::loadRichText(data(QStringLiteral("exo/ENONCE.RTF")), doc) ==
                exercises::LoadResult::Loaded);
        const QString path = dir.filePath(QStringLiteral("copie.rtf"));
        QVERIFY(exercises::saveRichText(path, doc));
        QTextDocument back;
        QVERIFY(exercises::loadRichText(path, back) == exercises::LoadResult::Loaded);
        QCOMPARE(back.toPlainText(), QStringLiteral("Énoncé\nMesurer l'angle d'incidence i."));
        QVERIFY(!exercises::saveRichText(dir.filePath(QStringLiteral("absent/x.rtf")), doc));
        QVERIFY(!exercises::saveRichText(dir.path(), doc));
    }
};

QTEST_MAIN(TestExerciseFile)
#include "tst_exercisefile.moc"
