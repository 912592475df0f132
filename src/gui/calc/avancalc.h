// SPDX-License-Identifier: GPL-3.0-or-later
// The column menu's computation commands: "Calculer C3" and "Recalculer C3" open the calculator in
// column mode (EXE then computes every data row, showing the progress window `avancalc`), and
// "Voir expression C3" shows the stored formula.
#pragma once

#include "core/table/tablemodel.h"

#include <QDialog>

class Machine;
class QLabel;
class QProgressBar;

// "Patience: calculs en cours..." with its progress bar, shown while a column is computed.
class avancalc : public QDialog {
    Q_OBJECT
public:
    explicit avancalc(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QProgressBar* PBar = nullptr;
};

namespace calc {

// Opens the calculator for the table's current column, empty ("Calculer") or preset with the
// stored formula ("Recalculer"), and runs it modally.
void openColumnCalculator(TableModel& table, double& memory, bool recalc, QWidget* window);
// EXE in column mode: hides the calculator, computes the column with the calculator's angle and
// display modes, reports the missed rows, closes the calculator.
void computeColumn(Machine& machine, TableModel& table, int target, const QString& formula,
                   QWidget* window);
// "Voir expression": the title "Expression de C3", the text "C3 = C1 * C2".
void showColumnFormula(const TableModel& table, QWidget* window);

} // namespace calc
