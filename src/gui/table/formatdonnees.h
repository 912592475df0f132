// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog `Formatdonnees`: the number format of every data cell of the table, chosen among five
// options beside a painted table of examples that shows three values in each format.
#pragma once

#include "core/table/tablemodel.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

class Formatdonnees : public QDialog {
    Q_OBJECT
public:
    Formatdonnees(TableModel& table, QWidget* mainWindow);

    // The example table's texts row by row, three to a row: the heading row in the free format,
    // then one row for each option in their order.
    static QStringList exampleTexts();

    QLabel* Label1 = nullptr;
    QRadioButton* Option1 = nullptr; // "########0.00"
    QRadioButton* Option2 = nullptr; // "########0.000"
    QRadioButton* Option3 = nullptr; // the free format
    QRadioButton* Option4 = nullptr; // "0.00E+00"
    QRadioButton* Option5 = nullptr; // "0.000E+00"
    QPushButton* Command1 = nullptr; // "OK"
    QPushButton* Command2 = nullptr; // "Annuler"

    void Command1_Click();
    void Command2_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    TableModel& m_table;
    QButtonGroup* m_options = nullptr; // ids 0 to 4, in the order of the options
};
