// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise menu `optionexo` and what its items do to the main window: the getting-started
// activity, opening an exercise through `Fichexo`, its correction, saving, reading and printing
// the rich text, and closing the exercise. The main window hands over the text area; what an
// exercise asks of the rest of the window (its configuration, hiding the panels) goes by signals.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QAction;
class QLineEdit;
class QMenu;
class QTextDocument;
class QTextEdit;
class QWidget;
class Experiment;
class Fichexo;

// The text area of the main window.
struct ExerciseWidgets {
    QWidget* window = nullptr;      // the main window, parent of the menu and the dialogs
    QWidget* btexo = nullptr;       // the "Exercices" tab
    QTextEdit* supertext = nullptr; // the rich text
    QLineEdit* fich = nullptr;      // what the rich text shows
};

class ExerciseControls : public QObject {
    Q_OBJECT
public:
    // experiment: the one the exercises replace (its table is protected).
    ExerciseControls(ExerciseWidgets widgets, const Experiment& experiment, QObject* parent);
    ~ExerciseControls() override;

    QMenu* optionexo = nullptr;
    QAction* PRISENMAIN = nullptr;
    QAction* openexo = nullptr;
    QAction* opencor = nullptr;
    QAction* savetexte = nullptr;
    QAction* opentexte = nullptr;
    QAction* imprimetexte = nullptr;
    QAction* Closexo = nullptr;

    void btexo_Click();
    void PRISENMAIN_Click();
    void openexo_Click();
    void opencor_Click();
    void savetexte_Click();
    void opentexte_Click();
    void imprimetexte_Click();
    void Closexo_Click();

    // "Ouvrir l'exercice sélectionné" of the exercise window: the statement, then the
    // configuration; false when the window stays open (a file could not be read).
    bool openSelected(Fichexo& window);
    // The same for an exercise file named otherwise (the command line).
    bool openExercise(const QString& exercise, QWidget* messageParent);
    // "Retrouver un texte" once the file is chosen.
    void readText(const QString& path);

    // The rich text was edited since it was loaded or saved (an edit counts once a file name
    // is shown).
    bool textModified() const { return m_textModified; }
    // True when there is nothing to lose, or the pupil agreed to lose the edits.
    bool confirmDropEdits();
    // The same for the table's measurements not saved since it was last saved or loaded.
    static inline const QString DropMeasurementsQuestion = QStringLiteral(
        "Le tableau contient des mesures qui n'ont pas été enregistrées. Les abandonner ?");
    bool confirmDropMeasurements();

    // "Lecture impossible": an exercise file could not be read. "Erreur lors du chargement": a
    // file that ships with the program is missing.
    static void reportUnreadable(QWidget* parent);
    static void reportMissingInstallation(QWidget* parent);

    // Puts a document in the rich-text box, the box's previous one deleted.
    static void showDocument(QTextEdit* box, std::unique_ptr<QTextDocument> document);

signals:
    // An exercise names its configuration: whoever listens reads it and reports its own errors.
    void configurationRequested(const QString& path);
    // An exercise opens: the statement is read beside the bench alone (the table, the
    // protractor and the four panels go).
    void panelsHideRequested();
    // The exercise closed: the start-up text comes back.
    void startupTextRequested();

public:
    // The last exercise window (tests look at it while it is open).
    Fichexo* exerciseWindow() const { return m_fichexo; }
    // The folder of the exercise shown (the program's folder for the getting-started activity),
    // ending in a separator, and whether that exercise has a correction.
    QString exerciseFolder() const { return m_exerciseFolder; }
    bool exerciseHasCorrection() const { return m_hasCorrection; }

private:
    bool loadStatement(const QString& folder, const QString& name, bool gettingStarted);
    bool loadNamedConfiguration(const QString& folder, const QString& name);
    void missingFile(const QString& folder, const QString& name);
    // A text over the size the reader takes: says so.
    void reportTooLarge();
    void afterOpening(bool readOnly);
    // The exercise an answer file names, when it can still be found (where it was, else among the
    // shipped exercises): "Voir la correction" then shows its correction.
    void rememberExercise(const QString& named);

    ExerciseWidgets m_w;
    const Experiment& m_experiment;
    Fichexo* m_fichexo = nullptr;
    QString m_exerciseFolder;
    bool m_hasCorrection = false;
    bool m_textModified = false;
    // The exercise whose statement or answers are shown ("" for none, or the getting-started
    // activity): its correction, and the exercise a saved answer names.
    QString m_exercise;
};
