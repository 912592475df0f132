// SPDX-License-Identifier: GPL-3.0-or-later
// The print window `confimp`: what to print (the bench picture or the table), the bench's layout
// options, the number of copies, the printer's name and its set-up dialog.
#pragma once

#include "core/print/printlayout.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class confimp : public QDialog {
    Q_OBJECT
public:
    // The printouts are taken when the window opens: the picture and the table do not change
    // while it is shown. The window's top lies 20 pixels below the top of `mainWindow`.
    confimp(print::BenchPrintout bench, print::TablePrintout table, QWidget* mainWindow);
    ~confimp() override;

    // The options as they stand.
    print::BenchLayout benchLayout() const;
    int copies() const;
    bool tableChosen() const;

    void Option1_Click(); // "Le tableau"
    void Option2_Click(); // "Le schéma de l'expérience"
    void UpDown1_Change();
    void Command1_Click(); // "&OK"
    void Command2_Click(); // "&Imprimantes"
    void Command3_Click(); // "&Annuler"

signals:
    // The printer set-up of "&Imprimantes" closed: chosen with OK, or cancelled. The bench's
    // deferred white-light redraw waits on it.
    void printerSetUp(bool chosen);

public:
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    std::array<QCheckBox*, 4> Chec{};
    QCheckBox* fondblanc = nullptr; // "Imprimer sur fond blanc"
    QLabel* Label3 = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* defaut = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QWidget* Frame2 = nullptr;
    QLabel* Label1 = nullptr;

private:
    void setChecksEnabled(bool enabled);
    void showBusy(bool busy);

    print::BenchPrintout m_bench;
    print::TablePrintout m_table;
};
