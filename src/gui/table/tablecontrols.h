// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement table on the main window: the grid `MSFlexGrid1`, a view of the table model
// with the program's own key entry (the grid has no in-cell editor), and the two pop-up menus
// `menutableau` and `menucol` with their handlers. The controls build the grid in the panel the
// main window gives them; what belongs to other windows (the grapher, the column calculator,
// hiding the panel) they ask for by a signal.
#pragma once

#include "core/table/tablemodel.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

class QAction;
class QMenu;

// The table model as the grid sees it. Row 0 is the title row.
class TableItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableItemModel(TableModel& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void reload(); // the shape or many cells changed
    void cellChanged(int row, int column);

private:
    TableModel& m_table;
};

// The grid. Keys, pointer moves and releases are handed to TableControls.
class TableGrid : public QTableView {
    Q_OBJECT
public:
    explicit TableGrid(QWidget* parent = nullptr);

    // Every column's width, set at start, and every row's height, in twips (15 per pixel).
    static constexpr int ColumnWidthTwips = table::ColumnWidthTwips;
    static constexpr int RowHeightTwips = table::RowHeightTwips;
    // The rows' and columns' sizes, and the header's height, at the window's factor.
    void applySizes();

signals:
    void keyTyped(QKeyEvent* event); // every key the view itself does not use to move
    void deletePressed();            // Delete
    void pasteRequested();           // Ctrl+V
    void copyRequested();            // Ctrl+C
    void pointerMoved(QPoint pos);   // in the grid's viewport
    void released(Qt::MouseButton button, QPoint pos, QPoint globalPos);
    void currentCellMoving(QModelIndex from, QModelIndex to);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

public:
    bool syncing = false; // the controls are moving the current cell themselves
};

// The grid and the menus the controls built, under their historical names.
struct TableWidgets {
    TableGrid* MSFlexGrid1 = nullptr;
    QMenu* menutableau = nullptr;
    QMenu* menucol = nullptr;
    QAction* nblignes = nullptr;
    QAction* insligsous = nullptr;
    QAction* insereligne = nullptr;
    QAction* efflig = nullptr;
    QAction* formatsc = nullptr;
    QAction* repgraphe = nullptr;
    QAction* exportcsv = nullptr;
    QAction* efftableau = nullptr;
    QAction* fermtab = nullptr;
    QAction* calcutab = nullptr;
    QAction* Vexpress = nullptr;
    QAction* recalc = nullptr;
    QAction* suitar = nullptr;
    QAction* effcol = nullptr;
    QAction* titrecol = nullptr;
    QAction* triertab = nullptr;
    QAction* triertab2 = nullptr;
};

class TableControls : public QObject {
    Q_OBJECT
public:
    static inline const QString DataRowsHint =
        QStringLiteral("Cliquer sur une cellule pour l'activer et saisir une valeur.");
    static inline const QString TitleRowHint = QStringLiteral(
        "Cliquer sur la première cellule d'une colonne pour calculer, effacer, nommer ou classer.");

    static inline const QString LastRowHint =
        QStringLiteral("Mesure inscrite dans la dernière ligne : la suivante la remplacera "
                       "(menu du tableau, « Nombre de lignes » pour en ajouter).");

    // What the hint bar says when a cell is left with a text that is not a number.
    static QString notANumberHint(const QString& text)
    {
        return QStringLiteral("« ") + text +
               QStringLiteral(" » n'est pas un nombre : la cellule a été vidée.");
    }

    // panel: the table's panel, the grid goes under its title strip; window: the main window,
    // parent of the menus and the dialogs.
    TableControls(QWidget* panel, TableModel& table, QWidget* window);
    ~TableControls() override;

    const TableWidgets& widgets() const { return m_w; }
    // The table's menu, its corner at a point of the screen.
    void showTableMenu(QPoint globalPos);

signals:
    // The hint bar's text for what the pointer is on.
    void hintChanged(const QString& text);
    // "Représentation graphique", "Cacher le tableau", and the column's "Calculer" (again false)
    // or "Recalculer" (again true) and "Voir expression": the current cell is settled first.
    void graphRequested();
    void hideRequested();
    void columnCalculationRequested(bool again);
    void columnFormulaRequested();

public:
    TableItemModel* itemModel() const { return m_items; }

    // The grid's events. A key press of "\r" is Enter: the cell is left, the cell below is
    // current.
    void MSFlexGrid1_KeyPress(QChar key);
    void MSFlexGrid1_KeyUp(int key); // Delete (46) empties the current cell
    // A reading recorded from another window (the protractor's read-out), whether the grid is
    // shown or not: the current cell emptied, the text typed into it key by key, then Enter. On
    // the last row, which stays current, the hint says that the next reading will replace it.
    void enterReading(const QString& text);
    void MSFlexGrid1_LeaveCell();
    void MSFlexGrid1_MouseMove(QPoint pos);
    void MSFlexGrid1_MouseUp(Qt::MouseButton button, QPoint pos, QPoint globalPos);

    // Items of menutableau and menucol enabled from the table's state.
    void updateTableMenu();
    void prepareColumnMenu();

    // The menus' commands.
    void nblignes_Click();
    void insligsous_Click();
    void insereligne_Click();
    void efflig_Click();
    void formatsc_Click();
    void efftableau_Click();
    void suitar_Click();
    void effcol_Click();
    void titrecol_Click();
    void triertab_Click();
    void triertab2_Click();
    // "Exporter le tableau (CSV)…": the table as a spreadsheet file, into a file asked for.
    void exportcsv_Click();

    // "Copier le contenu du tableau" (the text, the whole grid then shown selected) and "Copier
    // une image du tableau" (the grid as displayed, without its selection).
    void cop003_Click();
    void cop002_Click();

    // Ctrl+V and Ctrl+C on the grid.
    void pasteFromClipboard();
    void pasteText(const QString& text);
    void copyToClipboard();

    // The grid's current cell and selection brought back to the model's current cell.
    void showCurrentCell();
    // The current cell's typed text rewritten in the table's format before a command reads
    // the table (a text that is not a number is emptied, with a beep and a hint, as on leaving).
    void settleCurrentCell();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // the title row

private:
    void buildMenus(QWidget* window);
    void selectCurrentColumn();
    // Tells the pupil that leaving the cell emptied it: a beep and the hint (nothing for "").
    void reportEmptied(const QString& text);

    TableWidgets m_w;
    TableModel& m_table;
    TableItemModel* m_items;
    QWidget* m_window;
};
