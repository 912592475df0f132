// SPDX-License-Identifier: GPL-3.0-or-later
// The save and open dialogs `enregistrer` and `ouvrir`: a drive list reduced to the root "/", a
// folder list and the configuration files ("*.P02", any letter case) of the chosen folder. The
// save dialog settles the file's full path and asks before overwriting; the open dialog checks
// that the file exists and shows a waiting message while it is read. Writing and reading belong
// to the callbacks, which report their own failures. A typed "\" is a folder separator too.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace configdialogs {

// The pattern of the file lists.
inline const QString Pattern = QStringLiteral("*.P02");

// The full path the save dialog writes for the typed text, seen from the folder `folder`, or ""
// when the text names no file. Blanks around the text go; the file name loses everything from
// its first "." on (folders keep their dots), then takes ".P02"; a bare name goes into `folder`,
// a relative path is read from `folder`. `kept` receives the text once trimmed and cut, as the
// name box then shows it.
QString savePath(const QString& typed, const QString& folder, QString* kept = nullptr);

// What the save dialog proposes: the last configuration, or, when that lies in the program's
// folder (a shipped exercise's, which the pupil cannot or must not overwrite), the same name in
// `documents`.
QString proposedSavePath(const QString& last, const QString& programFolder,
                         const QString& documents);
// The pupil's documents folder: the desktop's, else the home folder.
QString documentsFolder();

} // namespace configdialogs

// What both dialogs share: the drive list, the folder list and the file list of its folder.
class FolderDialog : public QDialog {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr;     // "Lecteur:"
    QComboBox* Drive1 = nullptr;  // the one root "/"
    QLabel* Dir1Path = nullptr;   // the folder the lists show
    QListWidget* Dir1 = nullptr;  // ".." and the sub-folders
    QListWidget* File1 = nullptr; // the "*.P02" files of Dir1's folder

    // The folder list's and the file list's folder (always the same once the dialog is built).
    QString Dir1_path() const { return m_dirPath; }
    QString File1_path() const { return m_filePath; }
    // Moves the folder list to `path`; the file list follows.
    void setDir1Path(const QString& path);

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Open(QListWidgetItem* item);
    bool Dir1_KeyPress(QKeyEvent* key);

protected:
    // The two captions over the folder list and the file list, with their object names.
    FolderDialog(QWidget* mainWindow, const char* folderName, const QString& folderText,
                 const char* filesName, const QString& filesText);
    // Placed beside the main window, the lists at the start folder.
    // The lists at `folder` when it exists (the last configuration's folder by default).
    void showStartFolder(QWidget* mainWindow, const QString& folder = QString());
    // The file list has moved to another folder.
    virtual void filesFolderChanged() {}

    QLabel* m_folderCaption = nullptr;
    QLabel* m_filesCaption = nullptr;
    QString m_dirPath;
    QString m_filePath;
};

class enregistrer : public FolderDialog {
    Q_OBJECT
public:
    explicit enregistrer(QWidget* mainWindow);

    QLabel* Label3 = nullptr;        // "Répertoire:"
    QLabel* Label4 = nullptr;        // "Fichiers enregistrés"
    QLabel* Label2 = nullptr;        // "Nom du fichier:"
    QLineEdit* Text1 = nullptr;      // the file name or path
    QPushButton* Command1 = nullptr; // "ENREGISTRER"
    QPushButton* Command2 = nullptr; // "ANNULER"

    void File1_DblClick(QListWidgetItem* item);
    void File1_PathChange();
    bool Text1_KeyPress(QKeyEvent* key);
    void Command1_Click();
    void Command2_Click();

signals:
    // The file chosen (and its replacement agreed to): whoever listens writes the configuration,
    // shows its own failure message, and accepts the dialog once it is written (otherwise the
    // dialog stays open).
    void saveRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void filesFolderChanged() override { File1_PathChange(); }

private:
    void Form_Load(QWidget* mainWindow);
};

class ouvrir : public FolderDialog {
    Q_OBJECT
public:
    explicit ouvrir(QWidget* mainWindow);

signals:
    // "OUVRIR" on an existing file: whoever listens reads it and reports its own errors.
    void configurationRequested(const QString& path);

public:
    QLabel* Label2 = nullptr;        // "Répertoire"
    QLabel* Label3 = nullptr;        // "Fichiers"
    QLineEdit* ficharge = nullptr;   // the chosen file's full path
    QPushButton* Command1 = nullptr; // "OUVRIR"
    QPushButton* Command2 = nullptr; // "ANNULER"
    QFrame* Frame1 = nullptr;        // the waiting message, hidden until a file is read
    QLabel* Image1 = nullptr;        // its hourglass
    QLabel* Label4 = nullptr;        // "Patience: chargement du fichier"

    void File1_Click(QListWidgetItem* item);
    void File1_DblClick(QListWidgetItem* item);
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load(QWidget* mainWindow);
};
