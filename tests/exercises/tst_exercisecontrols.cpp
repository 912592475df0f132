// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise menu and the exercise window over the text area: the preview, opening a statement
// with its configuration, the correction read-only, the getting-started activity, the question
// before edits are dropped, closing back to the start-up text, saving, reading and printing the
// text, and every file that cannot be read.
#include "core/app/experimentsetup.h"
#include "core/exercises/exercisefile.h"
#include "core/exercises/rtfpicture.h"
#include "core/exercises/rtfreader.h"
#include "core/exercises/rtfwriter.h"
#include "core/exercises/startuptext.h"
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/exercises/exercisecontrols.h"
#include "gui/exercises/fichexo.h"
#include "gui/exercises/statementedit.h"
#include "gui/print/printers.h"
#include "support/modalwatchdog.h"
#include "support/poppler.h"
#include "support/responder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>
#include <memory>

using Kind = dialogs::Request::Kind;

namespace {

QString data(const QString& name)
{
    return qEnvironmentVariable("OPTIPHANE_TEST_DATA") + QStringLiteral("/exercises/data/") + name;
}

dialogs::Reply answer(dialogs::Answer a)
{
    dialogs::Reply r;
    r.answer = a;
    return r;
}

dialogs::Reply file(const QString& path)
{
    dialogs::Reply r;
    r.text = path;
    return r;
}

QString firstLine(const QTextEdit* box)
{
    return box->document()->firstBlock().text();
}

// The exercise controls on a bare window with the text area they take over. What an exercise
// asks of the rest of the window is answered as the main window answers it, on the core: its
// configuration opened into the experiment, the start-up text shown again; hiding the panels is
// counted.
class ExerciseRig : public QWidget {
public:
    ExerciseRig()
    {
        resize(791, 565);
        auto* btexo = new QWidget(this);
        fich = new QLineEdit(this);
        fich->setObjectName(QStringLiteral("fich"));
        supertext = new QTextEdit(this);
        supertext->setObjectName(QStringLiteral("supertext"));
        experimentsetup::start(experiment);
        exercisesMenu = new ExerciseControls(
            {.window = this, .btexo = btexo, .supertext = supertext, .fich = fich}, experiment,
            this);
        QObject::connect(exercisesMenu, &ExerciseControls::configurationRequested, this,
                         [this](const QString& path) {
                             if (const auto error = experimentsetup::open(experiment, path))
                                 configurationErrors << *error;
                         });
        QObject::connect(exercisesMenu, &ExerciseControls::panelsHideRequested, this,
                         [this] { ++panelsHidden; });
        QObject::connect(exercisesMenu, &ExerciseControls::startupTextRequested, this, [this] {
            ExerciseControls::showDocument(supertext, startupText());
            supertext->setReadOnly(true);
        });
    }

    Experiment experiment;
    TableModel& table = experiment.table;
    QLineEdit* fich = nullptr;
    QTextEdit* supertext = nullptr;
    ExerciseControls* exercisesMenu = nullptr;
    QStringList configurationErrors;
    int panelsHidden = 0;
};

} // namespace

class TestExerciseControls : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<ExerciseRig> w;
    ExerciseControls* menu() { return w->exercisesMenu; }

    // The exercise window over the samples' folder, the file selected and previewed.
    std::unique_ptr<Fichexo> select(const QString& name)
    {
        auto f = std::make_unique<Fichexo>(*menu(), w.get());
        f->setFolder(data(QStringLiteral("exo")));
        const QList<QListWidgetItem*> items = f->File1->findItems(name, Qt::MatchExactly);
        if (items.size() == 1)
            f->File1->setCurrentItem(items.first());
        return f;
    }
    bool open(const QString& name) { return menu()->openSelected(*select(name)); }

private slots:
    void init()
    {
        module1() = Module1{};
        programfolder::setPath(data(QStringLiteral("pem")));
        watchdog = std::make_unique<ModalWatchdog>();
        w = std::make_unique<ExerciseRig>();
        w->show();
    }
    void cleanup()
    {
        w.reset();
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
        programfolder::setPath(QString());
        printing::systemPrinter().setOutputFileName(QString());
    }

    // The menu's items in order; "Voir la correction" follows the exercise's correction and
    // "Fermer l'exercice" what the box shows.
    void menu_items()
    {
        QStringList texts;
        for (QAction* a : menu()->optionexo->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(
            texts,
            QStringList({"Prise en main", "-", "Ouvrir un exercice (énoncé + configuration)",
                         "Voir la correction", "-", "Enregistrer le contenu de la fenêtre exercice",
                         "Retrouver un texte", "Imprimer le contenu de la fenêtre exercice", "-",
                         "Fermer l'exercice"}));
        menu()->btexo_Click();
        QVERIFY(!menu()->opencor->isEnabled());
        QVERIFY(!menu()->Closexo->isEnabled());
        menu()->optionexo->hide();
        QVERIFY(open(QStringLiteral("CORRIGE.E02")));
        menu()->btexo_Click();
        QVERIFY(menu()->opencor->isEnabled());
        QVERIFY(menu()->Closexo->isEnabled());
        menu()->optionexo->hide();
    }

    // State: the window at the samples' folder. Action: a file selected. Expected: its preview.
    void preview()
    {
        const auto f = select(QStringLiteral("SIMPLE.E02"));
        QCOMPARE(f->fichierexo->text(), data(QStringLiteral("exo/SIMPLE.E02")));
        QCOMPARE(f->titratexo->text(), QStringLiteral("Réflexion sur un miroir"));
        QCOMPARE(f->Label2->text(), QStringLiteral("Non corrigé"));
        QCOMPARE(f->Label3->text(), f->Label2->text());
        QCOMPARE(f->Label3->pos(), f->Label2->pos() + QPoint(2, 2));
        QVERIFY(f->markLit(0) && f->markLit(1) && !f->markLit(2));
        QCOMPARE(f->Text1->toPlainText(), QStringLiteral("Réflexion,  loi  "));
        QVERIFY(!f->ouvreur->isHidden() && f->intratro->isHidden());
        f->File1->setCurrentItem(
            f->File1->findItems(QStringLiteral("CORRIGE.E02"), Qt::MatchExactly)[0]);
        QCOMPARE(f->Label2->text(), QStringLiteral("Exercice corrigé"));
        QVERIFY(f->markLit(2));
        QCOMPARE(f->Text1->toPlainText(), QString());
    }

    // Expected: with the shipped "exercices" folder the window starts there, where the exercises
    // are.
    void window_starts_where_the_exercises_are()
    {
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("exercices")));
        programfolder::setPath(program.path());
        Fichexo f(*menu(), w.get());
        QCOMPARE(f.folder(), QDir::cleanPath(program.filePath(QStringLiteral("exercices"))));
    }

    // Expected: without an "exercices" folder the window starts at the program's folder, nothing
    // previewed until a file is chosen; shown, it previews its first file.
    void window_start()
    {
        Fichexo f(*menu(), w.get());
        QCOMPARE(f.folder(), QDir::cleanPath(data(QStringLiteral("pem"))));
        QCOMPARE(f.File1->count(), 0); // the getting-started folder holds no exercise
        QVERIFY(!f.intratro->isHidden());
        QVERIFY(f.ouvreur->isHidden());
        QCOMPARE(f.geometry(), w->geometry());
        f.setFolder(data(QStringLiteral("exo")));
        QStringList files;
        for (int i = 0; i < f.File1->count(); ++i)
            files << f.File1->item(i)->text();
        QVERIFY(files.contains(QStringLiteral("SIMPLE.E02")));
        QVERIFY(!files.contains(QStringLiteral("ENONCE.RTF")));
        // The first file, damaged, is previewed as soon as the window shows: its message.
        RecordingResponder r;
        f.show();
        QCOMPARE(f.File1->currentRow(), 0);
        QCOMPARE(f.File1->currentItem()->text(), QStringLiteral("ABIME.E02"));
        QCOMPARE(r.requests.size(), 1);
        QCOMPARE(r.requests.first().title, QStringLiteral("Lecture impossible"));
    }

    // Action: the exercise opened. Expected: the statement editable, the file named, the
    // configuration on the bench and in the table, the panels and the table hidden.
    void opening()
    {
        QVERIFY(open(QStringLiteral("SIMPLE.E02")));
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Énoncé"));
        QVERIFY(!w->supertext->isReadOnly());
        QCOMPARE(w->fich->text(), data(QStringLiteral("exo/SIMPLE.E02")));
        QCOMPARE(w->exercisesMenu->textModified(), 0);
        QVERIFY(!menu()->exerciseHasCorrection());
        QCOMPARE(w->experiment.bench.lampAngle, 150.0);
        QCOMPARE(w->table.title(0), QStringLiteral("i"));
        QCOMPARE(w->experiment.settings.discMaterial, QStringLiteral("Verre Flint"));
        QCOMPARE(w->panelsHidden, 1);
        QVERIFY(w->configurationErrors.isEmpty());
        // Typing in the statement marks it edited.
        w->supertext->moveCursor(QTextCursor::End);
        QTest::keyClicks(w->supertext, QStringLiteral(" 42"));
        QCOMPARE(w->exercisesMenu->textModified(), 1);
    }

    // Through the menu: the window opens modally and "ouvreur" loads the selected exercise.
    void opening_through_the_menu()
    {
        watchdog->expect([this](QWidget* dialog) {
            auto* f = qobject_cast<Fichexo*>(dialog);
            QVERIFY(f);
            f->setFolder(data(QStringLiteral("exo")));
            f->File1->setCurrentItem(
                f->File1->findItems(QStringLiteral("CASSE.E02"), Qt::MatchExactly)[0]);
            QTest::mouseClick(f->ouvreur, Qt::LeftButton);
        });
        menu()->openexo->trigger();
        // Names from another system: "sous\enonce.rtf" and "Config.p02".
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Dans le sous-dossier"));
        QCOMPARE(w->experiment.bench.lampAngle, 150.0);
    }

    // A blank configuration record: the statement only; the bench and the table stay.
    void blank_configuration()
    {
        w->table.setCell(0, 0, QStringLiteral("mes mesures"));
        QVERIFY(open(QStringLiteral("SANSCONF.E02")));
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Énoncé"));
        QCOMPARE(w->experiment.bench.lampAngle, 135.0);
        QCOMPARE(w->table.title(0), QStringLiteral("mes mesures"));
    }

    // "Voir la correction": the corrected statement, read-only, and the corrected configuration.
    void correction()
    {
        QVERIFY(open(QStringLiteral("CORRIGE.E02")));
        QVERIFY(menu()->exerciseHasCorrection());
        menu()->opencor->trigger();
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Correction"));
        QVERIFY(w->supertext->isReadOnly());
        QCOMPARE(w->experiment.bench.lampAngle, 160.0);
        QCOMPARE(w->table.title(2), QStringLiteral("sin i"));
        QCOMPARE(w->fich->text(), data(QStringLiteral("exo/CORRIGE.E02")));
        QVERIFY(!QApplication::overrideCursor());
    }

    // Measurements typed since the table was last loaded are not dropped without the question:
    // Non (the default) cancels the command, Oui carries it out; a saved table is not asked for.
    void dropping_measurements_asks_first_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("agree");
        for (const char* item : {"PRISENMAIN", "opencor", "openexo"}) {
            QTest::addRow("%s, Non", item) << item << false;
            QTest::addRow("%s, Oui", item) << item << true;
        }
    }
    void dropping_measurements_asks_first()
    {
        QFETCH(QString, item);
        QFETCH(bool, agree);
        QVERIFY(open(QStringLiteral("CORRIGE.E02")));
        QVERIFY(!w->experiment.tableUnsaved());
        w->table.setCell(1, 0, QStringLiteral("24,930"));
        const QString text = firstLine(w->supertext);
        RecordingResponder r;
        r.answers << answer(agree ? dialogs::Answer::Yes : dialogs::Answer::No);
        if (item == QLatin1String("openexo") && agree)
            watchdog->expect([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        menu()->optionexo->findChild<QAction*>(item)->trigger();
        QCOMPARE(r.messages(), QStringList{ExerciseControls::DropMeasurementsQuestion});
        QCOMPARE(r.requests.first().buttons, dialogs::Buttons::YesNo);
        QCOMPARE(r.requests.first().defaultButton, dialogs::Answer::No);
        const bool replaced = agree && item != QLatin1String("openexo"); // its window was closed
        QCOMPARE(w->table.getCell(1, 0) == QStringLiteral("24,930"), !replaced);
        QCOMPARE(firstLine(w->supertext) == text, !replaced);
        QCOMPARE(w->experiment.tableUnsaved(), !replaced);
    }

    // Edits are not dropped without the question; Cancel keeps everything.
    void dropping_edits_asks_first_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("closing") << "Closexo";
        QTest::newRow("the correction") << "opencor";
        QTest::newRow("reading a text") << "opentexte";
        QTest::newRow("another exercise") << "openexo";
        QTest::newRow("the getting-started activity") << "PRISENMAIN";
    }
    void dropping_edits_asks_first()
    {
        QFETCH(QString, item);
        QVERIFY(open(QStringLiteral("CORRIGE.E02")));
        w->supertext->moveCursor(QTextCursor::End);
        QTest::keyClicks(w->supertext, QStringLiteral("x"));
        QCOMPARE(w->exercisesMenu->textModified(), 1);
        RecordingResponder r;
        r.answers << answer(dialogs::Answer::Cancel);
        QAction* action = menu()->optionexo->findChild<QAction*>(item);
        QVERIFY(action);
        action->setEnabled(true);
        action->trigger();
        QCOMPARE(r.messages(),
                 QStringList{QStringLiteral("Attention: perte des modifications du texte.")});
        QCOMPARE(r.requests.first().title, QStringLiteral("Abandon des données?"));
        QCOMPARE(r.requests.first().icon, dialogs::Icon::Question);
        QCOMPARE(w->exercisesMenu->textModified(), 1);
        QCOMPARE(w->fich->text(), data(QStringLiteral("exo/CORRIGE.E02")));
        QVERIFY(w->supertext->toPlainText().endsWith(QLatin1Char('x')));
    }

    // "Fermer l'exercice" after OK: the start-up text again, read-only; the bench stays.
    void closing()
    {
        QVERIFY(open(QStringLiteral("CORRIGE.E02")));
        QTest::keyClicks(w->supertext, QStringLiteral("x"));
        RecordingResponder r;
        menu()->Closexo->trigger();
        QCOMPARE(r.messages().size(), 1);
        QCOMPARE(w->fich->text(), QString());
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Optiphane"));
        QVERIFY(w->supertext->isReadOnly());
        QVERIFY(!menu()->exerciseHasCorrection());
        QCOMPARE(w->exercisesMenu->textModified(), 0);
        QCOMPARE(w->experiment.bench.lampAngle, 150.0);
        // The start-up text takes no typing.
        QTest::keyClicks(w->supertext, QStringLiteral("abc"));
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Optiphane"));
        QCOMPARE(w->exercisesMenu->textModified(), 0);
    }

    // "Prise en main": the activity of the program's folder; without its file, nothing at all.
    void getting_started()
    {
        menu()->PRISENMAIN->trigger();
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Prise en main"));
        QCOMPARE(w->fich->text(), data(QStringLiteral("pem/OPTIPHANE.PEM")));
        QVERIFY(!w->supertext->isReadOnly());
        QCOMPARE(w->experiment.bench.lampAngle, 170.0);
        QVERIFY(!menu()->exerciseHasCorrection());

        QTemporaryDir empty;
        programfolder::setPath(empty.path());
        menu()->Closexo->trigger();
        RecordingResponder r;
        menu()->PRISENMAIN->trigger();
        QVERIFY(r.requests.isEmpty());
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Optiphane"));
        QCOMPARE(w->fich->text(), QString());
    }

    // Files that cannot be read: the messages, the window left open, what was loaded before
    // the failure kept.
    void failures_data()
    {
        QTest::addColumn<QString>("exercise");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fich");
        const QString folder = data(QStringLiteral("exo/"));
        QTest::newRow("statement missing")
            << "ABSENT.E02"
            << "Fichier absent"
            << "Le fichier " + folder + "NULLEPART.RTF est introuvable"
            << "";
        QTest::newRow("statement not RTF") << "PASRTF.E02"
                                           << "Fichier absent"
                                           << "Le fichier " + folder + "TEXTE.TXT est introuvable"
                                           << "";
        QTest::newRow("name climbing out of the folder")
            << "MONTE.E02"
            << "Fichier absent"
            << "Le fichier " + folder + "..\\pem\\PEM.RTF est introuvable"
            << "";
        QTest::newRow("configuration missing")
            << "CONFABSENTE.E02"
            << "Fichier absent"
            << "Le fichier " + folder + "PERDUE.P02 est introuvable"
            << "CONFABSENTE.E02";
        QTest::newRow("empty exercise file") << "VIDE.E02"
                                             << "Fichier absent"
                                             << "Le fichier " + folder + " est introuvable"
                                             << "";
        QTest::newRow("cut exercise file") << "TRONQUE.E02"
                                           << "Fichier absent"
                                           << "Le fichier " + folder + "ENON est introuvable"
                                           << "";
    }
    void failures()
    {
        QFETCH(QString, exercise);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, fich);
        RecordingResponder r;
        const auto f = select(exercise);
        QVERIFY(r.requests.isEmpty());
        QVERIFY(!menu()->openSelected(*f));
        QCOMPARE(r.messages(), QStringList{text});
        QCOMPARE(r.requests.first().title, title);
        QCOMPARE(r.requests.first().icon, dialogs::Icon::Stop);
        QVERIFY(f->Frame2->isHidden());
        QCOMPARE(w->fich->text(), fich.isEmpty() ? QString() : data(QStringLiteral("exo/") + fich));
        QCOMPARE(w->experiment.bench.lampAngle, 135.0);
    }

    // A damaged exercise file is told at its preview.
    void damaged_preview()
    {
        RecordingResponder r;
        const auto f = select(QStringLiteral("ABIME.E02"));
        QCOMPARE(r.messages(), QStringList{QStringLiteral(
                                   "Vérifier:\n- le nom du fichier,\n- l'état du lecteur.")});
        QCOMPARE(r.requests.first().title, QStringLiteral("Lecture impossible"));
    }

    // A correction that is not there: the message, the pointer back, the statement kept.
    void missing_correction()
    {
        QVERIFY(open(QStringLiteral("CORRABSENTE.E02")));
        RecordingResponder r;
        menu()->opencor->trigger();
        QCOMPARE(r.messages(), QStringList{"Le fichier " + data(QStringLiteral("exo/")) +
                                           "PERDU.RTF est introuvable"});
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Énoncé"));
    }

    // State: an image on the clipboard, then a text. Action: Ctrl+V into the statement, then a
    // save. Expected: the image is a picture of the text, saved as a PNG with its pixels; a text
    // still pastes as text.
    void pasted_image_is_a_picture_kept_on_save()
    {
        StatementEdit edit;
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(qRgb(200, 40, 10));
        image.setPixel(3, 4, qRgb(0, 0, 255));
        QApplication::clipboard()->setImage(image);
        edit.setFocus();
        QTest::keySequence(&edit, QKeySequence::Paste);
        auto* text = new QMimeData;
        text->setText(QStringLiteral(" vue"));
        QApplication::clipboard()->setMimeData(text);
        QTest::keySequence(&edit, QKeySequence::Paste);
        QCOMPARE(edit.toPlainText(), QString(QChar::ObjectReplacementCharacter) + " vue");

        QTextDocument back;
        QCOMPARE(rtf::read(rtf::write(*edit.document()), back), rtf::ReadStatus::Read);
        const QTextCharFormat picture = back.begin().begin().fragment().charFormat();
        QVERIFY(picture.isImageFormat());
        QCOMPARE(picture.property(rtf::PictureKind).toByteArray(), QByteArray("png"));
        QImage pixels;
        QVERIFY(pixels.loadFromData(picture.property(rtf::PictureData).toByteArray()));
        QCOMPARE(pixels.convertToFormat(QImage::Format_RGB32), image);
        QCOMPARE(picture.toImageFormat().width(), 30.0);
    }

    // Saving: ".RTF" added, the question before replacing, a failed save keeps the edits marked.
    void saving()
    {
        QTemporaryDir dir;
        QVERIFY(open(QStringLiteral("SIMPLE.E02")));
        QTest::keyClicks(w->supertext, QStringLiteral("Ma reponse"));
        RecordingResponder r;
        r.answers << file(dir.filePath(QStringLiteral("reponse")));
        menu()->savetexte->trigger();
        QCOMPARE(r.requests.first().filter, QStringLiteral("Texte au format RTF (*.RTF)"));
        const QString saved = dir.filePath(QStringLiteral("reponse.RTF"));
        QVERIFY(QFileInfo::exists(saved));
        QCOMPARE(w->exercisesMenu->textModified(), 0);

        QTest::keyClicks(w->supertext, QStringLiteral("!"));
        r.requests.clear();
        r.answers << file(saved) << answer(dialogs::Answer::Cancel);
        menu()->savetexte->trigger();
        QCOMPARE(r.messages(), QStringList{QStringLiteral(
                                   "Le fichier reponse.RTF existe déjà.\nEcraser l'ancien?")});
        QCOMPARE(r.requests.last().title, QStringLiteral("Ecraser le fichier?"));
        QCOMPARE(r.requests.last().buttons, dialogs::Buttons::OkCancel);
        QCOMPARE(r.requests.last().defaultButton, dialogs::Answer::Cancel); // Enter keeps it
        QCOMPARE(w->exercisesMenu->textModified(), 1);

        r.requests.clear();
        r.answers << file(dir.filePath(QStringLiteral("absent/x.rtf")));
        menu()->savetexte->trigger();
        QCOMPARE(r.messages(),
                 QStringList{QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.")});
        QCOMPARE(r.requests.last().title, QStringLiteral("Erreur d'écriture."));
        QCOMPARE(w->exercisesMenu->textModified(), 1); // not saved: the edits are still to be kept

        // What was saved reads back as typed.
        QTextDocument back;
        QVERIFY(exercises::loadRichText(saved, back) == exercises::LoadResult::Loaded);
        QVERIFY(back.toPlainText().contains(QStringLiteral("Ma reponse")));
    }

    // Answers saved from an exercise name it in the document's information; read again later
    // (even once the exercise's folder moved, among the shipped exercises), they give back its
    // correction. A text saved from no exercise names none.
    void answers_remember_their_exercise()
    {
        QTemporaryDir dir;
        QVERIFY(open(QStringLiteral("CORRIGE.E02")));
        QTest::keyClicks(w->supertext, QStringLiteral("Ma reponse"));
        const QString answered = w->supertext->toPlainText();
        RecordingResponder r;
        const QString saved = dir.filePath(QStringLiteral("reponse.RTF"));
        r.answers << file(saved);
        menu()->savetexte->trigger();
        menu()->Closexo->trigger();
        QVERIFY(!menu()->exerciseHasCorrection());

        r.answers << file(saved);
        menu()->opentexte->trigger();
        QCOMPARE(w->supertext->toPlainText(), answered);
        QVERIFY(menu()->exerciseHasCorrection());
        menu()->opencor->trigger();
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Correction"));

        // The exercise elsewhere than where it was: the shipped one of that name.
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("exercices")));
        for (const char* name :
             {"CORRIGE.E02", "CORRIGE.RTF", "CORRIGE.P02", "ENONCE.RTF", "CONFIG.P02"})
            QFile::copy(data(QStringLiteral("exo/") + QLatin1String(name)),
                        program.filePath(QStringLiteral("exercices/") + QLatin1String(name)));
        QFile answers(saved);
        QVERIFY(answers.open(QIODevice::ReadOnly));
        QByteArray bytes = answers.readAll();
        answers.close();
        QVERIFY(bytes.contains("{\\info{\\doccomm"));
        bytes.replace(QFile::encodeName(data(QStringLiteral("exo"))), "/ailleurs");
        QFile moved(dir.filePath(QStringLiteral("ailleurs.RTF")));
        QVERIFY(moved.open(QIODevice::WriteOnly) && moved.write(bytes) == bytes.size());
        moved.close();
        programfolder::setPath(program.path());
        r.answers << file(moved.fileName());
        menu()->opentexte->trigger();
        QVERIFY(menu()->exerciseHasCorrection());

        // No exercise: nothing named, no correction.
        menu()->Closexo->trigger();
        w->supertext->setPlainText(QStringLiteral("Notes"));
        r.answers << file(saved);
        menu()->savetexte->trigger();
        r.answers << file(saved);
        menu()->opentexte->trigger();
        QVERIFY(!menu()->exerciseHasCorrection());
    }

    // "Retrouver un texte": the file named in fich, editable; one that is not RTF is told.
    void reading_a_text()
    {
        RecordingResponder r;
        r.answers << file(data(QStringLiteral("exo/CORRIGE.RTF")));
        menu()->opentexte->trigger();
        QCOMPARE(r.requests.first().defaultText, QStringLiteral("*.rtf"));
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Correction"));
        QCOMPARE(w->fich->text(), "Texte: " + data(QStringLiteral("exo/CORRIGE.RTF")));
        QVERIFY(!w->supertext->isReadOnly());
        QCOMPARE(w->exercisesMenu->textModified(), 0);

        r.requests.clear();
        r.answers << file(data(QStringLiteral("exo/TEXTE.TXT")));
        menu()->opentexte->trigger();
        QCOMPARE(r.messages(),
                 QStringList{QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.")});
        QCOMPARE(r.requests.last().title, QStringLiteral("Erreur de lecture."));
        QCOMPARE(firstLine(w->supertext), QStringLiteral("Correction"));
    }

    // Every exercise that ships opens with no message, and so does its correction; the
    // getting-started activity too.
    void shipped_content_data()
    {
        QTest::addColumn<QString>("exercise");
        const QDir shipped(qEnvironmentVariable("OPTIPHANE_TEST_DATA") +
                           QStringLiteral("/../data/exercices"));
        const QStringList files = shipped.entryList({QStringLiteral("*.E02")}, QDir::Files);
        QVERIFY(files.size() >= 5);
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << shipped.filePath(f);
    }
    void shipped_content()
    {
        QFETCH(QString, exercise);
        RecordingResponder r;
        QVERIFY(menu()->openExercise(exercise, w.get()));
        QVERIFY(w->supertext->toPlainText().size() > 500);
        const auto records = exercises::readExercise(exercise);
        QVERIFY(records);
        const exercises::Preview p = exercises::preview(*records);
        QCOMPARE(p.status, QStringLiteral("Exercice corrigé"));
        QVERIFY(p.litMarks >= 1 && !p.notions.isEmpty() && !p.title.isEmpty());
        const QString statement = w->supertext->toPlainText();
        menu()->opencor->trigger();
        QVERIFY(w->supertext->toPlainText() != statement);
        QVERIFY(w->supertext->isReadOnly());
        programfolder::setPath(qEnvironmentVariable("OPTIPHANE_TEST_DATA") +
                               QStringLiteral("/../data"));
        menu()->PRISENMAIN->trigger();
        QVERIFY(w->fich->text().endsWith(QStringLiteral("OPTIPHANE.PEM")));
        QVERIFY(w->supertext->toPlainText().contains(QStringLiteral("rapporteur")));
        QCOMPARE(r.requests.size(), 0);
    }

    // Printing the text, or only its selection; the set-up dialog cancelled prints nothing.
    void printing_the_text()
    {
        QVERIFY2(poppler::available(), "poppler-utils is not installed");
        QVERIFY(open(QStringLiteral("SIMPLE.E02")));
        QTemporaryDir dir;
        {
            RecordingResponder r;
            r.answers << answer(dialogs::Answer::Cancel);
            menu()->imprimetexte->trigger();
            QCOMPARE(r.requests.size(), 1);
        }
        RecordingResponder r;
        const QString whole = dir.filePath(QStringLiteral("enonce.pdf"));
        r.answers << dialogs::Reply{} << file(whole);
        menu()->imprimetexte->trigger();
        const QString text = poppler::text(whole);
        QVERIFY2(text.contains(QStringLiteral("Énoncé")) &&
                     text.contains(QStringLiteral("Mesurer l'angle d'incidence")),
                 qPrintable(text));

        QTextCursor c(w->supertext->document());
        c.movePosition(QTextCursor::NextBlock);
        c.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        w->supertext->setTextCursor(c);
        const QString part = dir.filePath(QStringLiteral("selection.pdf"));
        r.answers << dialogs::Reply{} << file(part);
        menu()->imprimetexte->trigger();
        QCOMPARE(poppler::text(part).simplified(), QStringLiteral("Mesurer"));
    }
};

QTEST_MAIN(TestExerciseControls)
#include "tst_exercisecontrols.moc"
