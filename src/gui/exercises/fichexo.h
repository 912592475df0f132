// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window `Fichexo`: it covers the main window; the folder and file lists on the
// left ("*.E02"), the preview of the selected exercise on the right (title, corrected status with
// its shadow, three difficulty marks, notions), and on the painted title strip the pictures that
// open the exercise or close the window.
#pragma once

#include "core/exercises/exercisefile.h"

#include <QDialog>
#include <array>

class ExerciseControls;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextEdit;

class Fichexo : public QDialog {
    Q_OBJECT
public:
    Fichexo(ExerciseControls& controls, QWidget* mainWindow);

    // The lists' folder.
    QString folder() const { return m_folder; }
    void setFolder(const QString& path);

    void Drive1_Change();
    void Dir1_Open(QListWidgetItem* item);
    void File1_Click();
    void File1_DblClick();
    void ouvreur_Click();
    void Image5_Click();
    // The preview of the file named by fichierexo; false when it could not be read.
    bool apercu();

    QWidget* tito = nullptr;
    QFrame* Frame1 = nullptr;
    QComboBox* Drive1 = nullptr;
    QLabel* Dir1Path = nullptr;
    QListWidget* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QLabel* titratexo = nullptr;
    QLabel* intratro = nullptr;
    QLabel* Label4 = nullptr; // "Niveau de difficulté:"
    std::array<QLabel*, 3> Image4{};
    QLabel* Label2 = nullptr; // the corrected status
    QLabel* Label3 = nullptr; // its shadow
    QLabel* Label1 = nullptr; // "Notions abordées:"
    QTextEdit* Text1 = nullptr;
    QLineEdit* fichierexo = nullptr;
    QLabel* ouvreur = nullptr;
    QLabel* Image5 = nullptr;
    QFrame* Frame2 = nullptr;

    // Whether difficulty mark i is lit.
    bool markLit(int i) const { return i >= 0 && i < 3 && m_lit[i]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    // The preview's labels and picture shown or hidden, the difficulty marks with them or not.
    void setPreviewShown(bool shown, bool marks = true);

    ExerciseControls& m_controls;
    QString m_folder;
    std::array<bool, 3> m_lit{};
    bool m_activated = false;
};
