// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog `fnblignes`: the number of data rows of the table, 1 to 100, chosen with a spinner.
// OK resizes the table at once: shrinking drops the last rows with their texts, without asking.
#pragma once

#include "core/table/tablemodel.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

class fnblignes : public QDialog {
    Q_OBJECT
public:
    fnblignes(TableModel& table, QWidget* mainWindow);

    // The engraved captions painted on the dialog, in drawing order.
    static inline const QString Caption1 =
        QStringLiteral("Modifier le nombre de lignes du tableau (de 1 à 100)");
    static inline const QString Caption2 = QStringLiteral("sans compter la première ligne.");
    static inline const QString Caption3 = QStringLiteral("Nombre de lignes...");

    QSpinBox* UpDown1 = nullptr;     // data rows, 1 to 100
    QLabel* Label1 = nullptr;        // the spinner's value
    QPushButton* Command1 = nullptr; // "OK"
    QPushButton* Command2 = nullptr; // "Annuler"

    void UpDown1_Change(int value);
    void Command1_Click();
    void Command2_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    TableModel& m_table;
};
