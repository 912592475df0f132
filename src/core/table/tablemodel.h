// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement table: five value columns C1 to C5 under one title row, 1 to 100 data rows. Every
// cell holds text; a data cell is empty or a single-precision number written in the table's number
// format. Everything that reads or writes the table (the grid on the main window, the column
// computation, the grapher, the configuration files, printing and the clipboard) goes through
// this model; the grid only shows it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace table {

constexpr int Columns = 5;
constexpr int MinRows = 2;    // the title row and one data row
constexpr int MaxRows = 101;  // the title row and 100 data rows
constexpr int StartRows = 11; // the title row and 10 data rows
// The grid's cells as the printout and the picture of the table measure them, in twips.
constexpr int ColumnWidthTwips = 1015;
constexpr int RowHeightTwips = 270;

inline const QString StartFormat = QStringLiteral("########0.000");
// Plain decimal notation with up to 30 decimals and no exponent: the sort compares these texts'
// values without losing anything the cells show.
inline const QString SortFormat =
    QStringLiteral("#############################0.##############################");

// The title a column starts with and goes back to: "C1" … "C5".
QString startTitle(int column);

// Reads a number written with a decimal comma: an optional "-", digits with at most one ",",
// (a leading or a trailing comma is allowed: ",5", "10,"), an optional exponent "E" with an
// optional sign and digits. Nothing for any other text, the empty text, or a value beyond the
// single-precision range. A point is not a decimal separator here.
std::optional<float> parseCellNumber(const QString& text);
// Writes a single-precision value with a pattern ("########0.000", "0.00E+00", "" the free format).
QString formatCellNumber(float value, const QString& pattern);
// A cell's text as it is rewritten when the cell is left: the number it holds in the pattern, or
// the empty text.
QString normalisedCell(const QString& text, const QString& pattern);
// The cell's text after a key typed into it: digits, "," and "-" are appended, "." is appended as
// ",", "e" and "E" as "E", Backspace (code 8) removes the last character; any other key changes
// nothing.
QString typedIntoCell(const QString& text, QChar key);
void typeInto(QString& text, QChar key); // the same, in place

// The result of filling a column with an arithmetic sequence.
enum class SequenceResult { Filled, Invalid, TooLong };

} // namespace table

class TableModel {
public:
    TableModel();

    // Rows including the title row, 2 to 101. Growing adds empty rows at the end; shrinking drops
    // the last rows with their texts. Values outside 2 … 101 are brought into it.
    int rowCount() const { return int(m_cells.size()); }
    void setRowCount(int rows);
    int dataRows() const { return rowCount() - 1; }

    // The cell's text; row 0 holds the titles. Outside the table: "" (get) or nothing (set).
    QString getCell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    QString title(int column) const { return getCell(0, column); }

    // The current cell, a data cell: keyboard entry edits it and the menus act on it.
    int currentRow() const { return m_row; }
    int currentColumn() const { return m_column; }
    void setCurrentCell(int row, int column); // kept within the data cells

    // One formula per column, "" for none.
    QString columnFormula(int column) const;
    void setColumnFormula(int column, const QString& formula);

    QString numberFormat() const { return m_format; }
    void setNumberFormat(const QString& pattern)
    {
        if (pattern != m_format)
            ++m_revision;
        m_format = pattern;
    }

    // Empties every cell, the titles included (callers write the titles back).
    void clearAll();
    // Rewrites every data cell as on leaving it; titles are not touched.
    void reformatTable();

    // Keyboard entry into the current cell, the Delete key, and leaving the current cell. Leaving
    // rewrites the cell in the table's format, or empties it when its text is not a number, and
    // then returns that text, so that the pupil can be told what was lost ("" otherwise).
    void typeKey(QChar key);
    void deleteKey();
    QString leaveCell();
    // Enter: leaves the cell, then the cell below is current (the last data row stays current).
    // Returns what leaveCell returns.
    QString enterKey();

    // The menus' commands. Each returns false when it does nothing (the table full, the last data
    // row, the title row current).
    bool insertRowAbove(); // above the current row, which then holds the empty row
    bool appendRow();
    bool deleteCurrentRow();
    void clearColumn(int column); // values only: the title and the formula stay
    void reset();                 // "Effacer tableau": 10 empty rows, start titles, no formulas
    // Whole rows ordered by the column's values; cells that are not numbers are emptied first.
    void sortRows(int column, bool ascending);
    // The column filled with first, first + step, … up to last (at most 100 terms); the table
    // grows to hold them and never shrinks.
    table::SequenceResult fillSequence(int column, float first, float last, float step);

    // Tab-separated text of the whole table, titles first, rows ended by line feeds: what
    // "Copier le contenu du tableau" and Ctrl+C put on the clipboard.
    QString contentText() const;
    // Pastes tab-separated rows (line feeds, or carriage return + line feed) from the current cell:
    // each value is typed in by the key-entry rules, then rewritten as on leaving a cell. The table
    // grows up to 100 data rows; returns how many values fell beyond C5 or row 100 and were
    // dropped. unreadable, when given, is set to how many values were not numbers and left their
    // cells empty (a blank value is no value: it only empties its cell).
    int paste(const QString& text, int* unreadable = nullptr);

    // Called after every change: (row, column) for one cell, (-1, -1) when the shape or many
    // cells changed.
    std::function<void(int row, int column)> changed;
    // Grows with every change of a cell, the shape, a formula or the format.
    quint64 revision() const { return m_revision; }

private:
    void notify(int row, int column) const;
    using Row = std::array<QString, table::Columns>;
    std::vector<Row> m_cells;
    std::array<QString, table::Columns> m_formulas;
    QString m_format = table::StartFormat;
    int m_row = 1;
    int m_column = 0;
    mutable quint64 m_revision = 0;
};
