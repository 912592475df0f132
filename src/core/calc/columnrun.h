// SPDX-License-Identifier: GPL-3.0-or-later
// A table column computed from a formula over the other columns ("C3 = C1 * sin (C2)"): for every
// data row the references C1 … C5 are replaced by the row's values and the entry is evaluated as
// the calculator's EXE does, in its angle and display modes. No window: the calculator's column
// mode and the tests call it alike.
#pragma once

#include "core/table/tablemodel.h"

#include <QString>
#include <functional>
#include <optional>

namespace calc {

// The entry for one data row: every "C" followed by a digit 1 to 5 replaced by the value of that
// column's cell, single precision written with 7 significant digits (0,1 gives ".1", so that
// "C1 - .1" is 0). Nothing when a referenced cell is blank: the row is then missed. A cell that
// is not a number is left as its reference (which the engine reads as 0).
std::optional<QString> rowEntry(const QString& formula, const TableModel& table, int row);

struct ColumnRun {
    int missed = 0; // data rows whose target cell was left empty
    int beeps = 0;  // overflows while reading a result
};

// Stores the formula with the target column, then computes every data row into it, in the table's
// number format. `progress` is told each row before it is computed.
ColumnRun runColumn(TableModel& table, int target, const QString& formula, int angleMode,
                    bool scientific, const std::function<void(int row, int rows)>& progress = {});

// The message at the end of a run ("" when every row was computed).
QString missedMessage(int missed);
inline const QString RunDoneTitle = QStringLiteral("Calcul terminé");

} // namespace calc
