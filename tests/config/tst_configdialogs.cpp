// SPDX-License-Identifier: GPL-3.0-or-later
// The save and open dialogs driven through their controls, over folders made for each test, with
// callbacks that record what they are asked to write or read.
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/config/configdialogs.h"

#include "support/modalwatchdog.h"
#include "support/responder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QStringList texts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QListWidgetItem* itemNamed(const QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Highlights the entry of the folder list and presses Enter on it.
void enterFolder(QListWidget* dir1, const QString& name)
{
    QListWidgetItem* item = itemNamed(dir1, name);
    QVERIFY2(item, qPrintable(name));
    dir1->setCurrentItem(item);
    QTest::keyClick(dir1, Qt::Key_Return);
}

void doubleClick(QListWidget* list, QListWidgetItem* item)
{
    // A double click is a click followed by the second press the system reports as double.
    QVERIFY(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// How many distinct colours the picture holds.
int colourCount(const QImage& image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            seen.insert(image.pixel(x, y) & 0xffffff);
    return int(seen.size());
}

} // namespace

class TestConfigDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp;
    QString home; // the home folder the dialogs start in
    QStringList saved;
    bool saveResult = true;
    std::function<void()> duringSave;
    int loads = 0;
    std::function<void()> duringLoad;

    // The main window's part: the file written (or not), the dialog accepted once it is.
    void answerSaves(enregistrer& dialog)
    {
        connect(&dialog, &enregistrer::saveRequested, &dialog,
                [this, &dialog](const QString& path) {
                    saved << path;
                    if (duringSave)
                        duringSave();
                    if (saveResult)
                        dialog.accept();
                });
    }
    std::function<void()> loader()
    {
        return [this] {
            ++loads;
            if (duringLoad)
                duringLoad();
        };
    }
    static void showAndWait(QWidget& w)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

private slots:
    // The save dialog never proposes a file of the program's folder: a shipped exercise's
    // configuration goes, under its name, to the pupil's documents.
    void proposed_save_path_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("nothing yet") << ""
                                     << "";
        QTest::newRow("the pupil's own file") << "/home/eleve/tp/mesures.P02"
                                              << "/home/eleve/tp/mesures.P02";
        QTest::newRow("a shipped exercise's") << "/usr/share/optiphane/exercices/REFRACTION.P02"
                                              << "/home/eleve/Documents/REFRACTION.P02";
        QTest::newRow("the getting-started activity's") << "/usr/share/optiphane/PRISENMAIN.P02"
                                                        << "/home/eleve/Documents/PRISENMAIN.P02";
        QTest::newRow("a folder whose name only begins alike") << "/usr/share/optiphane2/a.P02"
                                                               << "/usr/share/optiphane2/a.P02";
    }
    void save_dialog_proposes_the_documents()
    {
        QTemporaryDir program;
        programfolder::setPath(program.path());
        module1().currentConfigPath = program.filePath(QStringLiteral("REFRACTION.P02"));
        enregistrer dlg(nullptr);
        const QString proposed =
            QDir(configdialogs::documentsFolder()).filePath(QStringLiteral("REFRACTION.P02"));
        QCOMPARE(dlg.Text1->text(), proposed);
        QCOMPARE(dlg.Dir1_path(), QDir::cleanPath(configdialogs::documentsFolder()));
        programfolder::setPath(QString());
    }
    void proposed_save_path()
    {
        QFETCH(QString, last);
        QFETCH(QString, proposed);
        QCOMPARE(configdialogs::proposedSavePath(last, QStringLiteral("/usr/share/optiphane"),
                                                 QStringLiteral("/home/eleve/Documents")),
                 proposed);
    }

    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
        home = tmp->filePath(QStringLiteral("eleve"));
        QVERIFY(QDir().mkpath(home));
        qputenv("HOME", home.toLocal8Bit());
        module1().currentConfigPath.clear();
        saved.clear();
        saveResult = true;
        duringSave = {};
        loads = 0;
        duringLoad = {};
    }
    void cleanup()
    {
        QDir::setCurrent(QDir::rootPath()); // never stay inside a folder about to be removed
        tmp.reset();
    }

    // ---- enregistrer: the file's full path --------------------------------------------------

    void saveSettlesThePath_data()
    {
        // %1 stands for the home folder the lists show, %2 for its parent.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("path");  // "" = refused with the message
        QTest::addColumn<QString>("shown"); // Text1 afterwards
        QTest::newRow("bare name") << "essai"
                                   << "%1/essai.P02"
                                   << "essai";
        QTest::newRow("blanks around") << "   mesure  "
                                       << "%1/mesure.P02"
                                       << "mesure";
        QTest::newRow("name with blanks") << "mesure 1"
                                          << "%1/mesure 1.P02"
                                          << "mesure 1";
        QTest::newRow("other extension") << "essai.txt"
                                         << "%1/essai.P02"
                                         << "essai";
        QTest::newRow("two dots") << "essai.v2.txt"
                                  << "%1/essai.P02"
                                  << "essai";
        QTest::newRow("blank before the dot") << "essai .txt"
                                              << "%1/essai.P02"
                                              << "essai";
        QTest::newRow("own extension") << "essai.P02"
                                       << "%1/essai.P02"
                                       << "essai";
        QTest::newRow("extension only") << ".P02"
                                        << ""
                                        << "";
        QTest::newRow("dots only") << "..."
                                   << ""
                                   << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("blanks only") << "    "
                                     << ""
                                     << "";
        QTest::newRow("folder without name") << "%1/tp/"
                                             << ""
                                             << "%1/tp/";
        QTest::newRow("folder and extension only") << "%1/tp/.txt"
                                                   << ""
                                                   << "%1/tp/";
        QTest::newRow("typed full path") << "/srv/tp/serie1"
                                         << "/srv/tp/serie1.P02"
                                         << "/srv/tp/serie1";
        QTest::newRow("full path with extension") << "/srv/tp/serie1.dat"
                                                  << "/srv/tp/serie1.P02"
                                                  << "/srv/tp/serie1";
        QTest::newRow("folder with a dot") << "/home/eleve/tp.optique/essai"
                                           << "/home/eleve/tp.optique/essai.P02"
                                           << "/home/eleve/tp.optique/essai";
        QTest::newRow("folder with a dot, name with one") << "/home/eleve/tp.optique/essai.txt"
                                                          << "/home/eleve/tp.optique/essai.P02"
                                                          << "/home/eleve/tp.optique/essai";
        QTest::newRow("backslashes") << "\\srv\\tp\\serie1"
                                     << "/srv/tp/serie1.P02"
                                     << "/srv/tp/serie1";
        QTest::newRow("mixed separators") << "%1/tp\\serie1.txt"
                                          << "%1/tp/serie1.P02"
                                          << "%1/tp/serie1";
        QTest::newRow("relative path") << "tp/serie1"
                                       << "%1/tp/serie1.P02"
                                       << "tp/serie1";
        QTest::newRow("relative path upwards") << "../serie1"
                                               << "%2/serie1.P02"
                                               << "../serie1";
    }
    // Action: type a name or path in Text1 and click ENREGISTRER (no such file yet). Expected:
    // save is called once with the settled full path, which becomes currentConfigPath, and the
    // dialog closes; a text naming no file shows "Il faut donner un nom au fichier!" instead.
    void saveSettlesThePath()
    {
        QFETCH(QString, typed);
        QFETCH(QString, path);
        QFETCH(QString, shown);
        typed.replace(QStringLiteral("%1"), home);
        shown.replace(QStringLiteral("%1"), home);
        path.replace(QStringLiteral("%1"), home).replace(QStringLiteral("%2"), tmp->path());

        RecordingResponder responder;
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        QCOMPARE(dlg.Dir1_path(), home);
        dlg.Text1->setText(typed);
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);

        QCOMPARE(dlg.Text1->text(), shown);
        if (path.isEmpty()) {
            QCOMPARE(saved, QStringList());
            QCOMPARE(responder.requests.size(), 1);
            QCOMPARE(responder.requests[0].text,
                     QStringLiteral("Il faut donner un nom au fichier!"));
            QCOMPARE(responder.requests[0].title, QStringLiteral("Enregistrement impossible"));
            QCOMPARE(responder.requests[0].icon, dialogs::Icon::Stop);
            QCOMPARE(responder.requests[0].buttons, dialogs::Buttons::Ok);
            QVERIFY(dlg.isVisible());
            QCOMPARE(module1().currentConfigPath, QString());
            QCOMPARE(dlg.cursor().shape(), Qt::ArrowCursor);
        } else {
            QCOMPARE(saved, QStringList{path});
            QCOMPARE(responder.requests.size(), 0);
            QCOMPARE(module1().currentConfigPath, path);
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
    }

    // Action: click ENREGISTRER with a save callback that fails. Expected: the pointer is the
    // hourglass while writing, then the dialog stays open with the normal pointer.
    void saveFailureKeepsTheDialogOpen()
    {
        RecordingResponder responder;
        saveResult = false;
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        Qt::CursorShape whileSaving = Qt::ArrowCursor;
        duringSave = [&] { whileSaving = dlg.cursor().shape(); };
        showAndWait(dlg);
        dlg.Text1->setText(QStringLiteral("essai"));
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);

        QCOMPARE(saved, QStringList{home + QStringLiteral("/essai.P02")});
        QCOMPARE(whileSaving, Qt::WaitCursor);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(responder.requests.size(), 0);

        // A second try that succeeds closes it.
        saveResult = true;
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QCOMPARE(saved.size(), 2);
        QVERIFY(!dlg.isVisible());
    }

    void overwriteIsAsked_data()
    {
        QTest::addColumn<int>("answer"); // dialogs::Answer
        QTest::addColumn<bool>("written");
        QTest::newRow("yes") << int(dialogs::Answer::Yes) << true;
        QTest::newRow("no") << int(dialogs::Answer::No) << false;
        QTest::newRow("closed") << int(dialogs::Answer::Cancel) << false;
    }
    // Action: save under the name of an existing file and answer the overwrite question.
    // Expected: "Ecraser le fichier existant?" is asked, Non by default; Yes saves and closes, any
    // other answer leaves the dialog open and the file untouched.
    void overwriteIsAsked()
    {
        QFETCH(int, answer);
        QFETCH(bool, written);
        const QString path = home + QStringLiteral("/essai.P02");
        writeFile(path, "ancien");

        RecordingResponder responder;
        responder.answers << dialogs::Reply{dialogs::Answer(answer), {}};
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        dlg.Text1->setText(QStringLiteral("essai.txt"));
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);

        QCOMPARE(responder.requests.size(), 1);
        const dialogs::Request& q = responder.requests[0];
        QCOMPARE(q.text, QStringLiteral("Ecraser le fichier existant?"));
        QCOMPARE(q.title, QStringLiteral("Ce fichier existe déjà!"));
        QCOMPARE(q.buttons, dialogs::Buttons::YesNo);
        QCOMPARE(q.icon, dialogs::Icon::Exclamation);
        QCOMPARE(q.defaultButton, dialogs::Answer::No); // Enter keeps the old file
        QCOMPARE(saved, written ? QStringList{path} : QStringList());
        QCOMPARE(dlg.isVisible(), !written);
        QCOMPARE(dlg.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(contents(path), QByteArray("ancien"));
    }

    // Action: double-click a listed file in the save dialog. Expected: Text1 takes its name and
    // the save runs at once, asking first since the file exists.
    void saveDoubleClickOnAFileSavesOverIt()
    {
        const QString path = home + QStringLiteral("/serie1.P02");
        writeFile(path, "ancien");
        RecordingResponder responder;
        responder.answers << dialogs::Reply{dialogs::Answer::Yes, {}};
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        QCOMPARE(texts(dlg.File1), QStringList{QStringLiteral("serie1.P02")});
        doubleClick(dlg.File1, dlg.File1->item(0));

        QCOMPARE(responder.messages(), QStringList{QStringLiteral("Ecraser le fichier existant?")});
        QCOMPARE(saved, QStringList{path});
        QVERIFY(!dlg.isVisible());
    }

    // Action: press Enter in Text1. Expected: the same as ENREGISTRER, once.
    void saveEnterInTheNameBoxConfirms()
    {
        RecordingResponder responder;
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        dlg.Text1->setText(QStringLiteral("mesure"));
        QTest::keyClick(dlg.Text1, Qt::Key_Return);
        QCOMPARE(saved, QStringList{home + QStringLiteral("/mesure.P02")});
        QVERIFY(!dlg.isVisible());
    }

    // Action: click ANNULER. Expected: the dialog closes rejected and nothing is written.
    void saveCancelWritesNothing()
    {
        RecordingResponder responder;
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        dlg.Text1->setText(QStringLiteral("essai"));
        QTest::mouseClick(dlg.Command2, Qt::LeftButton);
        QCOMPARE(saved, QStringList());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(module1().currentConfigPath, QString());
    }

    // Action: save into a sub-folder, open the save dialog again, then go up one folder.
    // Expected: the dialog starts in the saved file's folder proposing its full path; after
    // the folder change Text1 holds the file name only.
    void saveReopenedProposesTheLastFile()
    {
        QVERIFY(QDir(home).mkdir(QStringLiteral("mesures")));
        const QString path = home + QStringLiteral("/mesures/serie1.P02");
        RecordingResponder responder;
        {
            enregistrer first(nullptr);
            answerSaves(first);
            showAndWait(first);
            enterFolder(first.Dir1, QStringLiteral("mesures"));
            QCOMPARE(first.Dir1_path(), home + QStringLiteral("/mesures"));
            first.Text1->setText(QStringLiteral("serie1"));
            QTest::mouseClick(first.Command1, Qt::LeftButton);
            QCOMPARE(saved, QStringList{path});
        }
        writeFile(path, "x");

        enregistrer again(nullptr);
        answerSaves(again);
        QCOMPARE(again.Text1->text(), path);
        QCOMPARE(again.Dir1_path(), home + QStringLiteral("/mesures"));
        QCOMPARE(texts(again.File1), QStringList{QStringLiteral("serie1.P02")});
        showAndWait(again);
        enterFolder(again.Dir1, QStringLiteral(".."));
        QCOMPARE(again.Dir1_path(), home);
        QCOMPARE(again.File1_path(), home);
        QCOMPARE(again.Text1->text(), QStringLiteral("serie1.P02"));
    }

    void saveFolderChangeKeepsTheFileName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("slashes") << "/srv/tp/serie1.P02"
                                 << "serie1.P02";
        QTest::newRow("backslashes") << "d:\\tp\\serie1"
                                     << "serie1";
        QTest::newRow("bare name") << "serie 2"
                                   << "serie 2";
        QTest::newRow("folder only") << "/srv/tp/"
                                     << "";
    }
    // Action: type a text, then open a folder of the list with a double click. Expected: Text1
    // keeps what follows its last separator; a text without one is unchanged.
    void saveFolderChangeKeepsTheFileName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QVERIFY(QDir(home).mkdir(QStringLiteral("tp")));
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        dlg.Text1->setText(typed);
        doubleClick(dlg.Dir1, itemNamed(dlg.Dir1, QStringLiteral("tp")));
        QCOMPARE(dlg.Dir1_path(), home + QStringLiteral("/tp"));
        QCOMPARE(dlg.Text1->text(), kept);
    }

    // ---- the lists, common to both dialogs ------------------------------------------------

    void listsStartFolder_data()
    {
        QTest::addColumn<QString>("last"); // %1 the temporary folder
        QTest::addColumn<QString>("start");
        QTest::newRow("nothing saved yet") << ""
                                           << "%1/eleve";
        QTest::newRow("last file's folder") << "%1/tp/serie1.P02"
                                            << "%1/tp";
        QTest::newRow("last file gone, folder kept") << "%1/tp/efface.P02"
                                                     << "%1/tp";
        QTest::newRow("folder gone") << "%1/disparu/serie1.P02"
                                     << "%1/eleve";
        QTest::newRow("root file") << "/serie1.P02"
                                   << "/";
    }
    // Action: open either dialog with currentConfigPath set in several ways. Expected: the
    // lists start at the folder of the last file when it exists, else the home folder.
    void listsStartFolder()
    {
        QFETCH(QString, last);
        QFETCH(QString, start);
        last.replace(QStringLiteral("%1"), tmp->path());
        start.replace(QStringLiteral("%1"), tmp->path());
        QVERIFY(QDir(tmp->path()).mkdir(QStringLiteral("tp")));
        writeFile(tmp->filePath(QStringLiteral("tp/serie1.P02")), "x");
        module1().currentConfigPath = last;

        enregistrer save(nullptr);
        answerSaves(save);
        QCOMPARE(save.Dir1_path(), start);
        QCOMPARE(save.File1_path(), start);
        QCOMPARE(save.Text1->text(), last);
        ouvrir open(nullptr);
        connect(&open, &ouvrir::configurationRequested, this, loader());
        QCOMPARE(open.Dir1_path(), start);
        QCOMPARE(open.File1_path(), start);
        QCOMPARE(open.ficharge->text(), QString());
    }

    // Action: open the dialogs on a folder holding folders and files of several kinds.
    // Expected: Dir1 lists ".." then the visible sub-folders by name; File1 only the files
    // ending in ".P02" in any letter case, not a folder "x.P02" nor a hidden file.
    void listsShowFoldersAndConfigurations()
    {
        QDir h(home);
        for (const char* folder : {"b", "A", "x.P02", ".cache"})
            QVERIFY(h.mkdir(QString::fromLatin1(folder)));
        for (const char* file : {"un.P02", "deux.p02", "Trois.P02", "quatre.txt", "cinq.P02.bak",
                                 "six.P0", ".cache.P02"})
            writeFile(h.filePath(QString::fromLatin1(file)), "x");

        const QStringList folders{"..", "A", "b", "x.P02"};
        const QStringList files{"deux.p02", "Trois.P02", "un.P02"};
        enregistrer save(nullptr);
        answerSaves(save);
        QCOMPARE(texts(save.Dir1), folders);
        QCOMPARE(texts(save.File1), files);
        ouvrir open(nullptr);
        connect(&open, &ouvrir::configurationRequested, this, loader());
        QCOMPARE(texts(open.Dir1), folders);
        QCOMPARE(texts(open.File1), files);
        QCOMPARE(save.Drive1->count(), 1);
        QCOMPARE(save.Drive1->currentText(), QStringLiteral("/"));
    }

    // Action: walk down with Enter, up with a double click on "..", then choose the drive.
    // Expected: the folder list and the file list follow each step; the root lists no "..".
    void listsNavigate()
    {
        QVERIFY(QDir(home).mkpath(QStringLiteral("tp/serie")));
        writeFile(home + QStringLiteral("/tp/serie/mesure.P02"), "x");
        ouvrir dlg(nullptr);
        connect(&dlg, &ouvrir::configurationRequested, this, loader());
        showAndWait(dlg);

        enterFolder(dlg.Dir1, QStringLiteral("tp"));
        QCOMPARE(dlg.Dir1_path(), home + QStringLiteral("/tp"));
        QCOMPARE(texts(dlg.Dir1), (QStringList{"..", "serie"}));
        enterFolder(dlg.Dir1, QStringLiteral("serie"));
        QCOMPARE(dlg.File1_path(), home + QStringLiteral("/tp/serie"));
        QCOMPARE(texts(dlg.File1), QStringList{QStringLiteral("mesure.P02")});
        doubleClick(dlg.Dir1, itemNamed(dlg.Dir1, QStringLiteral("..")));
        QCOMPARE(dlg.Dir1_path(), home + QStringLiteral("/tp"));
        QCOMPARE(texts(dlg.File1), QStringList());

        emit dlg.Drive1->activated(0);
        QCOMPARE(dlg.Dir1_path(), QStringLiteral("/"));
        QCOMPARE(dlg.File1_path(), QStringLiteral("/"));
        QVERIFY(!texts(dlg.Dir1).contains(QStringLiteral("..")));
        QCOMPARE(dlg.Drive1->currentText(), QStringLiteral("/"));
        QVERIFY(dlg.isVisible());
    }

    // Action: open a folder the user may not read. Expected: no crash; the lists show only "..".
    void listsUnreadableFolderListsNothing()
    {
        const QString locked = home + QStringLiteral("/ferme");
        QVERIFY(QDir(home).mkpath(QStringLiteral("ferme/dedans")));
        writeFile(locked + QStringLiteral("/cache.P02"), "x");
        QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
        // Readable again at the end, so that the temporary folder can be removed.
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        });
        if (!QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty())
            QSKIP("permissions do not apply to this user");
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        enterFolder(dlg.Dir1, QStringLiteral("ferme"));
        QCOMPARE(dlg.Dir1_path(), locked);
        QCOMPARE(texts(dlg.Dir1), QStringList{QStringLiteral("..")});
        QCOMPARE(texts(dlg.File1), QStringList());
    }

    // Action: let the shown folder vanish, then refresh into it and save there. Expected: the
    // lists show only ".."; the save is still attempted at that path (the callback reports).
    void listsVanishedFolderListsNothing()
    {
        const QString gone = home + QStringLiteral("/disparu");
        QVERIFY(QDir(home).mkdir(QStringLiteral("disparu")));
        RecordingResponder responder;
        saveResult = false;
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        showAndWait(dlg);
        QVERIFY(QDir(gone).removeRecursively());
        enterFolder(dlg.Dir1, QStringLiteral("disparu"));
        QCOMPARE(texts(dlg.Dir1), QStringList{QStringLiteral("..")});
        QCOMPARE(texts(dlg.File1), QStringList());
        dlg.Text1->setText(QStringLiteral("essai"));
        QTest::keyClick(dlg.Text1, Qt::Key_Enter);
        QCOMPARE(saved, QStringList{gone + QStringLiteral("/essai.P02")});
        QVERIFY(dlg.isVisible());
    }

    void placedBesideTheMainWindow_data()
    {
        QTest::addColumn<QPoint>("mainAt");
        QTest::newRow("100, 150") << QPoint(100, 150);
        QTest::newRow("corner") << QPoint(0, 0);
        QTest::newRow("far") << QPoint(640, 37);
    }
    // Action: open both dialogs over a main window placed somewhere. Expected: each dialog's
    // top-left corner is 20 pixels right of and below the main window's.
    void placedBesideTheMainWindow()
    {
        QFETCH(QPoint, mainAt);
        QWidget main;
        main.resize(800, 600);
        main.move(mainAt);
        showAndWait(main);
        const QPoint corner = main.pos();

        enregistrer save(&main);
        showAndWait(save);
        QCOMPARE(save.pos(), corner + QPoint(20, 20));
        save.reject();
        ouvrir open(&main);
        connect(&open, &ouvrir::configurationRequested, this, loader());
        showAndWait(open);
        QCOMPARE(open.pos(), corner + QPoint(20, 20));
    }

    // Action: run the save dialog modal as the main window does, typing a name in it.
    // Expected: exec() returns Accepted after the save.
    void saveRunsModal()
    {
        RecordingResponder responder;
        ModalWatchdog watchdog;
        enregistrer dlg(nullptr);
        answerSaves(dlg);
        watchdog.expect([](QWidget* w) {
            auto* d = static_cast<enregistrer*>(w);
            d->Text1->setText(QStringLiteral("modal"));
            d->Command1->click();
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(saved, QStringList{home + QStringLiteral("/modal.P02")});
        QCOMPARE(watchdog.pending(), 0);
    }

    // ---- ouvrir -----------------------------------------------------------------------------

    // Action: click a listed file, then double-click it. Expected: ficharge shows its full path;
    // the double click opens it: currentConfigPath is set, the waiting frame shows during the
    // load, the load runs once and the dialog closes.
    void openChosenFile()
    {
        const QString path = home + QStringLiteral("/serie1.P02");
        writeFile(path, "x");
        writeFile(home + QStringLiteral("/autre.P02"), "x");
        RecordingResponder responder;
        ouvrir dlg(nullptr);
        connect(&dlg, &ouvrir::configurationRequested, this, loader());
        QVERIFY(dlg.Frame1->isHidden());
        showAndWait(dlg);
        QVERIFY(!dlg.Frame1->isVisible());
        bool frameShown = false;
        QString pathDuringLoad;
        duringLoad = [&] {
            frameShown = dlg.Frame1->isVisible();
            pathDuringLoad = module1().currentConfigPath;
        };

        QListWidgetItem* item = itemNamed(dlg.File1, QStringLiteral("serie1.P02"));
        QTest::mouseClick(dlg.File1->viewport(), Qt::LeftButton, {},
                          dlg.File1->visualItemRect(item).center());
        QCOMPARE(dlg.ficharge->text(), path);
        QCOMPARE(loads, 0);
        QVERIFY(dlg.isVisible());

        doubleClick(dlg.File1, item);
        QCOMPARE(loads, 1);
        QVERIFY(frameShown);
        QCOMPARE(pathDuringLoad, path);
        QCOMPARE(module1().currentConfigPath, path);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(responder.requests.size(), 0);
    }

    // Action: move through the file list with the arrow keys. Expected: ficharge follows the
    // highlighted file.
    void openArrowKeysChooseTheFile()
    {
        writeFile(home + QStringLiteral("/a.P02"), "x");
        writeFile(home + QStringLiteral("/b.P02"), "x");
        ouvrir dlg(nullptr);
        connect(&dlg, &ouvrir::configurationRequested, this, loader());
        showAndWait(dlg);
        dlg.File1->setFocus();
        dlg.File1->setCurrentRow(0);
        QCOMPARE(dlg.ficharge->text(), home + QStringLiteral("/a.P02"));
        QTest::keyClick(dlg.File1, Qt::Key_Down);
        QCOMPARE(dlg.ficharge->text(), home + QStringLiteral("/b.P02"));
        QCOMPARE(loads, 0);
    }

    void openTypedPath_data()
    {
        // %1 the home folder, where "serie1.P02" and a folder "x.P02" exist.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("path"); // currentConfigPath afterwards
        QTest::addColumn<bool>("opened");
        QTest::newRow("full path") << "%1/serie1.P02"
                                   << "%1/serie1.P02" << true;
        QTest::newRow("backslashes") << "%1\\serie1.P02"
                                     << "%1/serie1.P02" << true;
        QTest::newRow("bare name") << "serie1.P02"
                                   << "%1/serie1.P02" << true;
        QTest::newRow("missing file") << "%1/absent.P02"
                                      << "%1/absent.P02" << false;
        QTest::newRow("missing folder") << "/nulle/part/serie1.P02"
                                        << "/nulle/part/serie1.P02" << false;
        QTest::newRow("a folder") << "%1/x.P02"
                                  << "%1/x.P02" << false;
        QTest::newRow("trailing blank") << "%1/serie1.P02 "
                                        << "%1/serie1.P02 " << false;
        QTest::newRow("wrong case") << "%1/SERIE1.P02"
                                    << "%1/SERIE1.P02" << false;
        QTest::newRow("odd text") << "*?<>|\t\""
                                  << "%1/*?<>|\t\"" << false;
    }
    // Action: type a path in ficharge and click OUVRIR. Expected: it becomes currentConfigPath;
    // an existing file is loaded and the dialog closes, anything else shows "Nom de fichier
    // incorrect ou chemin non valide" and the dialog stays open without loading.
    void openTypedPath()
    {
        QFETCH(QString, typed);
        QFETCH(QString, path);
        QFETCH(bool, opened);
        typed.replace(QStringLiteral("%1"), home);
        path.replace(QStringLiteral("%1"), home);
        writeFile(home + QStringLiteral("/serie1.P02"), "x");
        QVERIFY(QDir(home).mkdir(QStringLiteral("x.P02")));

        RecordingResponder responder;
        ouvrir dlg(nullptr);
        connect(&dlg, &ouvrir::configurationRequested, this, loader());
        showAndWait(dlg);
        dlg.ficharge->setText(typed);
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);

        QCOMPARE(module1().currentConfigPath, path);
        QCOMPARE(loads, opened ? 1 : 0);
        QCOMPARE(dlg.isVisible(), !opened);
        if (opened) {
            QCOMPARE(responder.requests.size(), 0);
        } else {
            QCOMPARE(responder.requests.size(), 1);
            const dialogs::Request& q = responder.requests[0];
            QCOMPARE(q.text, QStringLiteral("Nom de fichier incorrect ou chemin non valide"));
            QCOMPARE(q.title, QStringLiteral("impossible d'ouvrir ce fichier"));
            QCOMPARE(q.icon, dialogs::Icon::Stop);
            QCOMPARE(q.buttons, dialogs::Buttons::Ok);
            QVERIFY(dlg.Frame1->isHidden());
        }
    }

    void openEmptyBoxDoesNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "    ";
        QTest::newRow("tab") << "\t ";
    }
    // Action: click OUVRIR with ficharge empty or blank. Expected: nothing at all: no message,
    // no load, currentConfigPath unchanged, the dialog open.
    void openEmptyBoxDoesNothing()
    {
        QFETCH(QString, typed);
        module1().currentConfigPath = QStringLiteral("/avant/serie1.P02");
        RecordingResponder responder;
        ouvrir dlg(nullptr);
        connect(&dlg, &ouvrir::configurationRequested, this, loader());
        showAndWait(dlg);
        dlg.ficharge->setText(typed);
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QCOMPARE(responder.requests.size(), 0);
        QCOMPARE(loads, 0);
        QCOMPARE(module1().currentConfigPath, QStringLiteral("/avant/serie1.P02"));
        QVERIFY(dlg.isVisible());
    }

    // Action: click ANNULER in the open dialog. Expected: rejected, nothing read.
    void openCancelReadsNothing()
    {
        writeFile(home + QStringLiteral("/serie1.P02"), "x");
        ouvrir dlg(nullptr);
        connect(&dlg, &ouvrir::configurationRequested, this, loader());
        showAndWait(dlg);
        dlg.ficharge->setText(home + QStringLiteral("/serie1.P02"));
        QTest::mouseClick(dlg.Command2, Qt::LeftButton);
        QCOMPARE(loads, 0);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(module1().currentConfigPath, QString());
    }

    // ---- the look ---------------------------------------------------------------------------

    // Action: render both dialogs, and the open dialog's waiting frame. Expected: titles and
    // captions as the program shows them, and pictures that are not blank.
    void dialogsRender()
    {
        writeFile(home + QStringLiteral("/serie1.P02"), "x");
        enregistrer save(nullptr);
        answerSaves(save);
        QCOMPARE(save.windowTitle(), QStringLiteral("Enregistrer les paramètres."));
        QCOMPARE(save.Label1->text(), QStringLiteral("Lecteur:"));
        QCOMPARE(save.Label3->text(), QStringLiteral("Répertoire:"));
        QCOMPARE(save.Label4->text(), QStringLiteral("Fichiers enregistrés"));
        QCOMPARE(save.Label2->text(), QStringLiteral("Nom du fichier:"));
        QCOMPARE(save.Command1->text(), QStringLiteral("ENREGISTRER"));
        QCOMPARE(save.Command2->text(), QStringLiteral("ANNULER"));
        const QImage savePicture = save.grab().toImage();
        QVERIFY(!savePicture.isNull());
        QVERIFY2(colourCount(savePicture) > 4, "save dialog blank");

        ouvrir open(nullptr);
        connect(&open, &ouvrir::configurationRequested, this, loader());
        QCOMPARE(open.windowTitle(), QStringLiteral("Ouvrir une configuration"));
        QCOMPARE(open.Label1->text(), QStringLiteral("Lecteur:"));
        QCOMPARE(open.Label2->text(), QStringLiteral("Répertoire"));
        QCOMPARE(open.Label3->text(), QStringLiteral("Fichiers"));
        QCOMPARE(open.Label4->text(), QStringLiteral("Patience: chargement du fichier"));
        QCOMPARE(open.Command1->text(), QStringLiteral("OUVRIR"));
        QCOMPARE(open.Command2->text(), QStringLiteral("ANNULER"));
        const QImage openPicture = open.grab().toImage();
        QVERIFY2(colourCount(openPicture) > 4, "open dialog blank");

        open.Frame1->show();
        const QImage frame = open.Frame1->grab().toImage();
        QVERIFY2(colourCount(frame) > 3, "waiting frame blank");
        QVERIFY(!open.Image1->pixmap().isNull());
        QVERIFY(open.grab().toImage() != openPicture);
    }
};

QTEST_MAIN(TestConfigDialogs)
#include "tst_configdialogs.moc"
