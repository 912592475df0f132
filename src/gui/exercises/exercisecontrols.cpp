// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/exercises/exercisecontrols.h"

#include "core/experiment/experiment.h"

#include "core/exercises/exercisefile.h"
#include "core/platform/files.h"
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/exercises/fichexo.h"
#include "gui/platform/dialogs.h"
#include "gui/platform/folderlists.h"
#include "gui/platform/zoom.h"
#include "gui/print/printers.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace {

const QString kRtfFilter = QStringLiteral("Texte au format RTF (*.RTF)");

} // namespace

ExerciseControls::ExerciseControls(ExerciseWidgets widgets, const Experiment& experiment,
                                   QObject* parent)
    : QObject(parent), m_w(std::move(widgets)), m_experiment(experiment)
{
    optionexo = new QMenu(m_w.window);
    optionexo->setObjectName(QStringLiteral("optionexo"));
    auto item = [this](const char* name, const QString& text, void (ExerciseControls::*slot)()) {
        QAction* a = optionexo->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    PRISENMAIN =
        item("PRISENMAIN", QStringLiteral("Prise en main"), &ExerciseControls::PRISENMAIN_Click);
    optionexo->addSeparator();
    openexo = item("openexo", QStringLiteral("Ouvrir un exercice (énoncé + configuration)"),
                   &ExerciseControls::openexo_Click);
    opencor =
        item("opencor", QStringLiteral("Voir la correction"), &ExerciseControls::opencor_Click);
    optionexo->addSeparator();
    savetexte = item("savetexte", QStringLiteral("Enregistrer le contenu de la fenêtre exercice"),
                     &ExerciseControls::savetexte_Click);
    opentexte =
        item("opentexte", QStringLiteral("Retrouver un texte"), &ExerciseControls::opentexte_Click);
    imprimetexte =
        item("imprimetexte", QStringLiteral("Imprimer le contenu de la fenêtre exercice"),
             &ExerciseControls::imprimetexte_Click);
    optionexo->addSeparator();
    Closexo =
        item("Closexo", QStringLiteral("Fermer l'exercice"), &ExerciseControls::Closexo_Click);
    connect(optionexo, &QMenu::aboutToShow, this, [this] { opencor->setEnabled(m_hasCorrection); });

    // The name box shows the end of a long name, and all of it as its tool tip.
    connect(m_w.fich, &QLineEdit::textChanged, this, [this] {
        m_w.fich->setCursorPosition(int(m_w.fich->text().size()));
        m_w.fich->setToolTip(m_w.fich->text());
    });
    connect(m_w.supertext, &QTextEdit::textChanged, this, [this] {
        if (!m_w.fich->text().isEmpty())
            m_textModified = true;
    });
}

ExerciseControls::~ExerciseControls() = default;

void ExerciseControls::reportUnreadable(QWidget* parent)
{
    dialogs::msgBox(QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur."),
                    dialogs::Buttons::Ok, dialogs::Icon::Stop, QStringLiteral("Lecture impossible"),
                    parent);
}

void ExerciseControls::reportMissingInstallation(QWidget* parent)
{
    dialogs::msgBox(QStringLiteral("Fichier introuvable. Revoir l'installation du logiciel."),
                    dialogs::Buttons::Ok, dialogs::Icon::Stop,
                    QStringLiteral("Erreur lors du chargement"), parent);
}

void ExerciseControls::showDocument(QTextEdit* box, std::unique_ptr<QTextDocument> document)
{
    // The box's own first document is deleted by the box itself; later ones are children of the
    // box and go here.
    const QPointer<QTextDocument> old = box->document();
    // Laid out for the box's window factor, as the one it replaces.
    zoom::layOutDocument(document.get(), zoom::of(box));
    document->setParent(box);
    box->setDocument(document.release());
    box->moveCursor(QTextCursor::Start);
    if (old && old->parent() == box)
        old->deleteLater();
}

bool ExerciseControls::confirmDropEdits()
{
    if (!m_textModified)
        return true;
    if (dialogs::msgBox(QStringLiteral("Attention: perte des modifications du texte."),
                        dialogs::Buttons::OkCancel, dialogs::Icon::Question,
                        QStringLiteral("Abandon des données?"), m_w.window) != dialogs::Answer::Ok)
        return false;
    m_textModified = false;
    return true;
}

bool ExerciseControls::confirmDropMeasurements()
{
    if (!m_experiment.tableUnsaved())
        return true;
    return dialogs::msgBox(DropMeasurementsQuestion, dialogs::Buttons::YesNo,
                           dialogs::Icon::Question, QStringLiteral("Mesures non enregistrées"),
                           m_w.window, dialogs::Answer::No) == dialogs::Answer::Yes;
}

void ExerciseControls::btexo_Click()
{
    opencor->setEnabled(m_hasCorrection);
    Closexo->setEnabled(!m_w.fich->text().isEmpty());
    optionexo->popup(m_w.btexo->mapToGlobal(QPoint(0, m_w.btexo->height())));
}

void ExerciseControls::missingFile(const QString& folder, const QString& name)
{
    dialogs::msgBox(
        QStringLiteral("Le fichier ") + folder + name + QStringLiteral(" est introuvable"),
        dialogs::Buttons::Ok, dialogs::Icon::Stop, QStringLiteral("Fichier absent"), m_w.window);
}

void ExerciseControls::reportTooLarge()
{
    QString message = exercises::tooLargeMessage();
    message[0] = message[0].toUpper();
    dialogs::msgBox(message + QLatin1Char('.'), dialogs::Buttons::Ok, dialogs::Icon::Stop,
                    QStringLiteral("Erreur de lecture."), m_w.window);
}

bool ExerciseControls::loadStatement(const QString& folder, const QString& name,
                                     bool gettingStarted)
{
    const std::optional<QString> path = exercises::resolveName(folder, name);
    auto document = std::make_unique<QTextDocument>();
    const exercises::LoadResult loaded =
        path ? exercises::loadRichText(*path, *document) : exercises::LoadResult::Missing;
    if (loaded == exercises::LoadResult::TooLarge) {
        reportTooLarge();
        return false;
    }
    if (loaded != exercises::LoadResult::Loaded) {
        if (gettingStarted)
            reportMissingInstallation(m_w.window);
        else
            missingFile(folder, name);
        return false;
    }
    showDocument(m_w.supertext, std::move(document));
    return true;
}

bool ExerciseControls::loadNamedConfiguration(const QString& folder, const QString& name)
{
    if (name.trimmed().isEmpty())
        return true;
    const std::optional<QString> path = exercises::resolveName(folder, name);
    if (!path || !files::isRegularFile(*path)) {
        missingFile(folder, name);
        return false;
    }
    emit configurationRequested(*path);
    return true;
}

void ExerciseControls::afterOpening(bool readOnly)
{
    m_w.supertext->setReadOnly(readOnly);
    m_textModified = false;
    emit panelsHideRequested();
}

void ExerciseControls::PRISENMAIN_Click()
{
    m_exerciseFolder = folderlists::withSeparator(programfolder::path());
    const QString folder = m_exerciseFolder;
    const QString pem = folder + exercises::GettingStartedName;
    if (!QFileInfo::exists(pem))
        return;
    // The activity replaces the text and the experiment as an exercise does: neither typed answers
    // nor measurements are dropped unasked.
    if (!confirmDropMeasurements() || !confirmDropEdits())
        return;
    const std::optional<exercises::ExerciseRecords> records = exercises::readGettingStarted(pem);
    if (!records) {
        reportMissingInstallation(m_w.window);
        return;
    }
    if (!loadStatement(folder, records->statement, true))
        return;
    m_w.fich->setText(pem);
    m_hasCorrection = false;
    m_exercise.clear();
    loadNamedConfiguration(folder, records->configuration);
    afterOpening(false);
}

void ExerciseControls::openexo_Click()
{
    if (!confirmDropMeasurements() || !confirmDropEdits())
        return;
    Fichexo window(*this, m_w.window);
    m_fichexo = &window;
    window.exec();
    m_fichexo = nullptr;
}

bool ExerciseControls::openSelected(Fichexo& window)
{
    const QString exercise = window.fichierexo->text();
    if (exercise.trimmed().isEmpty())
        return false;
    window.Frame2->show();
    window.Frame2->repaint();
    const bool opened = openExercise(exercise, &window);
    window.Frame2->hide();
    return opened;
}

bool ExerciseControls::openExercise(const QString& exercise, QWidget* messageParent)
{
    const std::optional<exercises::ExerciseRecords> records = exercises::readExercise(exercise);
    if (!records) {
        reportUnreadable(messageParent);
        return false;
    }
    m_exerciseFolder = folderlists::withSeparator(QFileInfo(exercise).absolutePath());
    const QString folder = m_exerciseFolder;
    if (!loadStatement(folder, records->statement, false))
        return false;
    m_w.fich->setText(exercise);
    m_exercise = exercise;
    m_hasCorrection = exercises::preview(*records).status == exercises::Corrected;
    if (!loadNamedConfiguration(folder, records->configuration))
        return false;
    afterOpening(false);
    return true;
}

void ExerciseControls::opencor_Click()
{
    if (!confirmDropMeasurements() || !confirmDropEdits())
        return;
    m_textModified = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    const std::optional<exercises::ExerciseRecords> records = exercises::readExercise(m_exercise);
    if (!records) {
        reportUnreadable(m_w.window);
        return;
    }
    const QString folder = m_exerciseFolder;
    if (!records->correctedStatement.trimmed().isEmpty() &&
        !loadStatement(folder, records->correctedStatement, false))
        return;
    if (!loadNamedConfiguration(folder, records->correctedConfiguration))
        return;
    afterOpening(true);
}

void ExerciseControls::savetexte_Click()
{
    QString path =
        dialogs::saveFileName(QStringLiteral("Enregistrer le contenu de la fenêtre exercice"),
                              QString(), kRtfFilter, m_w.window, false);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".RTF");
    if (files::exists(path) &&
        dialogs::msgBox(QStringLiteral("Le fichier ") + QFileInfo(path).fileName() +
                            QStringLiteral(" existe déjà.\nEcraser l'ancien?"),
                        dialogs::Buttons::OkCancel, dialogs::Icon::Question,
                        QStringLiteral("Ecraser le fichier?"), m_w.window,
                        dialogs::Answer::Cancel) != dialogs::Answer::Ok)
        return;
    const QString comment = m_exercise.isEmpty() ? QString() : exercises::answerComment(m_exercise);
    if (!exercises::saveRichText(path, *m_w.supertext->document(), comment)) {
        // The edits are not on the disc: they stay marked as unsaved.
        dialogs::msgBox(QStringLiteral("Vérifier l'état du lecteur et le nom du fichier."),
                        dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("Erreur d'écriture."), m_w.window);
        return;
    }
    m_textModified = false;
}

void ExerciseControls::opentexte_Click()
{
    if (!confirmDropEdits())
        return;
    const QString path = dialogs::openFileName(QStringLiteral("Retrouver un texte"),
                                               QStringLiteral("*.rtf"), kRtfFilter, m_w.window);
    if (!path.isEmpty())
        readText(path);
}

void ExerciseControls::readText(const QString& path)
{
    m_hasCorrection = false;
    m_exercise.clear();
    auto document = std::make_unique<QTextDocument>();
    QString comment;
    switch (exercises::loadRichText(path, *document, &comment)) {
    case exercises::LoadResult::Loaded:
        showDocument(m_w.supertext, std::move(document));
        rememberExercise(exercises::exerciseOfComment(comment));
        break;
    case exercises::LoadResult::TooLarge:
        reportTooLarge();
        break;
    case exercises::LoadResult::Missing:
    case exercises::LoadResult::NotRichText:
        dialogs::msgBox(QStringLiteral("Vérifier l'état du lecteur et le nom du fichier."),
                        dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("Erreur de lecture."), m_w.window);
        break;
    }
    m_w.supertext->setReadOnly(false);
    m_w.fich->setText(QStringLiteral("Texte: ") + path);
    m_textModified = false;
}

void ExerciseControls::imprimetexte_Click()
{
    if (!printing::showPrinterSetup(m_w.window))
        return;
    const QTextCursor cursor = m_w.supertext->textCursor();
    std::unique_ptr<QTextDocument> selection;
    if (cursor.hasSelection()) {
        selection = std::make_unique<QTextDocument>();
        QTextCursor(selection.get()).insertFragment(cursor.selection());
    }
    const std::unique_ptr<print::PrintTarget> target = printing::chooseTarget(m_w.window);
    if (target && !print::printText(*target, selection ? *selection : *m_w.supertext->document()))
        printing::reportFailure(m_w.window);
}

void ExerciseControls::Closexo_Click()
{
    if (!confirmDropEdits())
        return;
    m_w.fich->setText(QString());
    emit startupTextRequested();
    m_hasCorrection = false;
    m_exercise.clear();
}

void ExerciseControls::rememberExercise(const QString& named)
{
    if (named.isEmpty())
        return;
    QString exercise = named;
    if (!files::isRegularFile(exercise)) {
        const std::optional<QString> shipped = exercises::resolveName(
            programfolder::file(QStringLiteral("exercices")), QFileInfo(named).fileName());
        if (!shipped)
            return;
        exercise = *shipped;
    }
    const std::optional<exercises::ExerciseRecords> records = exercises::readExercise(exercise);
    if (!records)
        return;
    m_exercise = exercise;
    m_exerciseFolder = folderlists::withSeparator(QFileInfo(exercise).absolutePath());
    m_hasCorrection = exercises::preview(*records).status == exercises::Corrected;
}
