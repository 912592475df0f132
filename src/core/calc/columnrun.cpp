// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/columnrun.h"

#include "core/calc/calculator.h"
#include "core/platform/numtext.h"

#include <cmath>
#include <limits>

namespace calc {

namespace {

// A single-precision value as the engine reads it, with the 7 significant digits it holds: the
// double nearest that decimal text, written by the engine's writer.
QString singleText(float value)
{
    return numtext::writeNumberTrimmed(numtext::singleDigits(value));
}

} // namespace

std::optional<QString> rowEntry(const QString& formula, const TableModel& table, int row)
{
    // One pass: a number put in place of a reference never holds a "C", so nothing it brings in
    // can be taken for another reference.
    QString out;
    out.reserve(formula.size() + 16);
    const qsizetype n = formula.size();
    for (qsizetype j = 0; j < n; ++j) {
        const QChar c = formula[j];
        if (c == u'C' && j + 1 < n && formula[j + 1] >= u'1' && formula[j + 1] <= u'5') {
            const int column = formula[j + 1].unicode() - u'1';
            const QString cell = table.getCell(row, column);
            if (cell.trimmed().isEmpty())
                return std::nullopt;
            if (const std::optional<float> v = table::parseCellNumber(cell)) {
                out += singleText(*v);
                ++j;
                continue;
            }
        }
        out += c;
    }
    return out;
}

ColumnRun runColumn(TableModel& table, int target, const QString& formula, int angleMode,
                    bool scientific, const std::function<void(int row, int rows)>& progress)
{
    ColumnRun run;
    table.setColumnFormula(target, formula);
    const int rows = table.rowCount();
    for (int r = 1; r < rows; ++r) {
        if (progress)
            progress(r, rows - 1);
        const std::optional<QString> entry = rowEntry(formula, table, r);
        if (!entry) {
            table.setCell(r, target, QString());
            ++run.missed;
            continue;
        }
        const Evaluation e = evaluateEntry(*entry, angleMode, scientific);
        run.beeps += e.beeps;
        std::optional<double> value;
        if (e.error == CalcError::None)
            value = numtext::readNumber(e.text);
        // A result beyond single precision cannot go into a cell either.
        if (!value || !std::isfinite(*value) ||
            std::fabs(*value) > double(std::numeric_limits<float>::max())) {
            table.setCell(r, target, QString());
            ++run.missed;
            continue;
        }
        table.setCell(r, target, table::formatCellNumber(float(*value), table.numberFormat()));
    }
    return run;
}

QString missedMessage(int missed)
{
    if (missed <= 0)
        return {};
    if (missed == 1)
        return QStringLiteral("Une valeur n'a pas été calculée.");
    return numtext::writeNumber(missed) + QStringLiteral(" valeurs n'ont pas été calculées.");
}

} // namespace calc
