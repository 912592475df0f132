// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/tablecontrols.h"

#include "gui/platform/placed.h"
#include "gui/platform/zoom.h"

#include "core/platform/clipboardcopy.h"
#include "core/platform/files.h"
#include "core/table/tablecsv.h"
#include "gui/platform/dialogs.h"
#include "gui/table/arith.h"
#include "gui/table/fnblignes.h"
#include "gui/table/formatdonnees.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

// The pointer over the title row: a black arrow pointing down into the column.
const QCursor& columnCursor()
{
    static const QCursor cursor = [] {
        QPixmap pix(16, 16);
        pix.fill(Qt::transparent);
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF arrow[] = {{6, 0.5}, {10, 0.5}, {10, 8}, {14, 8}, {8, 15}, {2, 8}, {6, 8}};
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::black);
        p.drawPolygon(arrow, 7);
        p.end();
        return QCursor(pix, 8, 15);
    }();
    return cursor;
}

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The model as the grid sees it: the titles are the horizontal header, so that they stay in view
// while a long table scrolls; view row r is table row r + 1.

TableItemModel::TableItemModel(TableModel& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table)
{}

int TableItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.dataRows();
}

int TableItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table::Columns;
}

QVariant TableItemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_table.getCell(index.row() + 1, index.column());
    case Qt::AccessibleTextRole: {
        // "C2, ligne 3 : 20,100": the column's title, the row, the text.
        const QString text = m_table.getCell(index.row() + 1, index.column());
        return m_table.title(index.column()).trimmed() + QStringLiteral(", ligne ") +
               QString::number(index.row() + 1) + QStringLiteral(" : ") +
               (text.isEmpty() ? QStringLiteral("vide") : text);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags TableItemModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TableItemModel::reload()
{
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, table::Columns - 1);
}

void TableItemModel::cellChanged(int row, int column)
{
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
        return;
    }
    const QModelIndex i = index(row - 1, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

QVariant TableItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_table.title(section);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QAbstractTableModel::headerData(section, orientation, role);
}

// ---------------------------------------------------------------------------------------------
// The grid

TableGrid::TableGrid(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(true);
    setMouseTracking(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMouseTracking(true);
    applySizes();
}

void TableGrid::applySizes()
{
    const double z = zoom::of(this);
    auto pixels = [z](int twips) { return int(std::lround(twips / 15 * z)); };
    verticalHeader()->setDefaultSectionSize(pixels(RowHeightTwips));
    horizontalHeader()->setFixedHeight(int(std::lround(18 * z)));
    if (model())
        for (int c = 0; c < model()->columnCount(); ++c)
            setColumnWidth(c, pixels(ColumnWidthTwips));
}

bool TableGrid::event(QEvent* event)
{
    if (event->type() == zoom::ChangeEvent)
        applySizes();
    return QTableView::event(event);
}

void TableGrid::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        (event->modifiers() & Qt::ControlModifier)) {
        // Tab goes from cell to cell: Ctrl+Tab leaves the grid, with Shift backwards.
        const bool back =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(!back);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
        return;
    }
    if (isNavigationKey(event->key())) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Both Enter keys, whatever text the platform gives them.
        QKeyEvent enter(QEvent::KeyPress, event->key(), event->modifiers(), QStringLiteral("\r"));
        emit keyTyped(&enter);
        return;
    }
    emit keyTyped(event);
}

void TableGrid::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(event->position().toPoint());
    QTableView::mouseMoveEvent(event);
}

void TableGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    emit released(event->button(), event->position().toPoint(), event->globalPosition().toPoint());
}

void TableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!syncing && current.isValid() && current != previous)
        emit currentCellMoving(previous, current);
}

// ---------------------------------------------------------------------------------------------
// The controls

TableControls::TableControls(QWidget* panel, TableModel& table, QWidget* window)
    : QObject(window), m_table(table), m_items(new TableItemModel(table, this)), m_window(window)
{
    m_w.MSFlexGrid1 = placed(new TableGrid(panel), "MSFlexGrid1", QRect(1, 17, 359, 200));
    buildMenus(window);
    TableGrid* grid = m_w.MSFlexGrid1;
    grid->setModel(m_items);
    grid->applySizes();
    grid->viewport()->setCursor(Qt::IBeamCursor);
    grid->horizontalHeader()->viewport()->setCursor(columnCursor());
    grid->horizontalHeader()->viewport()->installEventFilter(this);

    m_table.changed = [this](int row, int column) {
        if (row >= 0) {
            m_items->cellChanged(row, column);
            return;
        }
        m_items->reload(); // the view forgets its current cell
        showCurrentCell();
    };

    connect(grid, &TableGrid::keyTyped, this, [this](QKeyEvent* e) {
        if (!e->text().isEmpty())
            MSFlexGrid1_KeyPress(e->text().at(0));
    });
    connect(grid, &TableGrid::deletePressed, this, [this] { MSFlexGrid1_KeyUp(46); });
    connect(grid, &TableGrid::pasteRequested, this, &TableControls::pasteFromClipboard);
    connect(grid, &TableGrid::copyRequested, this, &TableControls::copyToClipboard);
    connect(grid, &TableGrid::pointerMoved, this, &TableControls::MSFlexGrid1_MouseMove);
    connect(grid, &TableGrid::released, this, &TableControls::MSFlexGrid1_MouseUp);
    connect(grid, &TableGrid::currentCellMoving, this, [this](QModelIndex, QModelIndex to) {
        MSFlexGrid1_LeaveCell();
        m_table.setCurrentCell(to.row() + 1, to.column());
    });

    auto on = [this](QAction* action, void (TableControls::*handler)()) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    };
    on(m_w.nblignes, &TableControls::nblignes_Click);
    on(m_w.insligsous, &TableControls::insligsous_Click);
    on(m_w.insereligne, &TableControls::insereligne_Click);
    on(m_w.efflig, &TableControls::efflig_Click);
    on(m_w.formatsc, &TableControls::formatsc_Click);
    on(m_w.efftableau, &TableControls::efftableau_Click);
    on(m_w.suitar, &TableControls::suitar_Click);
    on(m_w.effcol, &TableControls::effcol_Click);
    on(m_w.titrecol, &TableControls::titrecol_Click);
    on(m_w.triertab, &TableControls::triertab_Click);
    on(m_w.triertab2, &TableControls::triertab2_Click);
    m_w.calcutab->setEnabled(true);
    connect(m_w.menutableau, &QMenu::aboutToShow, this, &TableControls::updateTableMenu);

    auto settled = [this](auto request) {
        return [this, request] {
            settleCurrentCell();
            request();
        };
    };
    m_w.repgraphe->setEnabled(true);
    connect(m_w.repgraphe, &QAction::triggered, this, settled([this] { emit graphRequested(); }));
    m_w.exportcsv->setEnabled(true);
    connect(m_w.exportcsv, &QAction::triggered, this, &TableControls::exportcsv_Click);
    connect(m_w.fermtab, &QAction::triggered, this, &TableControls::hideRequested);
    connect(m_w.calcutab, &QAction::triggered, this,
            settled([this] { emit columnCalculationRequested(false); }));
    connect(m_w.recalc, &QAction::triggered, this,
            settled([this] { emit columnCalculationRequested(true); }));
    connect(m_w.Vexpress, &QAction::triggered, this, &TableControls::columnFormulaRequested);

    showCurrentCell();
}

void TableControls::exportcsv_Click()
{
    settleCurrentCell();
    QString path = dialogs::saveFileName(QStringLiteral("Exporter le tableau (CSV)"), QString(),
                                         QStringLiteral("Tableau CSV (*.csv)"), m_window, false);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (files::exists(path) &&
        dialogs::msgBox(QStringLiteral("Le fichier ") + QFileInfo(path).fileName() +
                            QStringLiteral(" existe déjà.\nEcraser l'ancien?"),
                        dialogs::Buttons::YesNo, dialogs::Icon::Question,
                        QStringLiteral("Ecraser le fichier?"), m_window,
                        dialogs::Answer::No) != dialogs::Answer::Yes)
        return;
    if (!files::writeWhole(path, table::csvText(m_table)))
        dialogs::msgBox(QStringLiteral("Vérifier l'état du lecteur et le nom du fichier."),
                        dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("Erreur d'écriture."), m_window);
}

void TableControls::buildMenus(QWidget* window)
{
    QMenu* menu = m_w.menutableau = new QMenu(window);
    menu->setObjectName(QStringLiteral("menutableau"));
    m_w.nblignes = menuItem(menu, "nblignes", QStringLiteral("Nombre de lignes"));
    m_w.insligsous = menuItem(menu, "insligsous",
                              QStringLiteral("Insérer une ligne au dessus de  la cellule active"));
    m_w.insereligne =
        menuItem(menu, "insereligne", QStringLiteral("Insérer une ligne à la fin du tableau"));
    m_w.efflig =
        menuItem(menu, "efflig", QStringLiteral("Supprimer la ligne de la cellule active"));
    menuSeparator(menu, "sq001");
    m_w.formatsc = menuItem(menu, "formatsc", QStringLiteral("Format d'écriture des données"));
    menuSeparator(menu, "sq002");
    m_w.repgraphe = menuItem(menu, "repgraphe", QStringLiteral("Représentation graphique"));
    m_w.exportcsv = menuItem(menu, "exportcsv", QStringLiteral("Exporter le tableau (CSV)…"));
    menuSeparator(menu, "sq003");
    m_w.efftableau = menuItem(menu, "efftableau", QStringLiteral("Effacer tableau"));
    m_w.fermtab = menuItem(menu, "fermtab", QStringLiteral("Cacher le tableau"));
    m_w.fermtab->setEnabled(true);

    menu = m_w.menucol = new QMenu(window);
    menu->setObjectName(QStringLiteral("menucol"));
    m_w.calcutab = menuItem(menu, "calcutab", QStringLiteral("Calculer"));
    m_w.Vexpress = menuItem(menu, "Vexpress", QStringLiteral("Voir expression"));
    m_w.recalc = menuItem(menu, "recalc", QStringLiteral("Recalculer"));
    m_w.suitar = menuItem(menu, "suitar", QStringLiteral("Suite arithmétique"));
    menuSeparator(menu, "sep5sep");
    m_w.effcol = menuItem(menu, "effcol", QStringLiteral("Effacer la colonne"));
    m_w.titrecol = menuItem(menu, "titrecol", QStringLiteral("Titre de la colonne"));
    menuSeparator(menu, "sep004");
    m_w.triertab =
        menuItem(menu, "triertab",
                 QStringLiteral("Trier la colonne de la cellule active dans l'ordre croissant"));
    m_w.triertab2 =
        menuItem(menu, "triertab2",
                 QStringLiteral("Trier la colonne de la cellule active dans l'ordre décroissant"));
}

void TableControls::showTableMenu(QPoint globalPos)
{
    m_w.menutableau->popup(globalPos);
}

TableControls::~TableControls()
{
    m_table.changed = {};
    m_w.MSFlexGrid1->setModel(nullptr);
}

void TableControls::showCurrentCell()
{
    TableGrid* grid = m_w.MSFlexGrid1;
    grid->syncing = true;
    grid->setCurrentIndex(m_items->index(m_table.currentRow() - 1, m_table.currentColumn()));
    grid->syncing = false;
}

void TableControls::reportEmptied(const QString& text)
{
    if (text.isEmpty())
        return;
    dialogs::beep();
    emit hintChanged(notANumberHint(text));
}

void TableControls::settleCurrentCell()
{
    reportEmptied(m_table.leaveCell());
}

void TableControls::MSFlexGrid1_KeyPress(QChar key)
{
    if (key == u'\r') {
        reportEmptied(m_table.enterKey());
        showCurrentCell();
        return;
    }
    m_table.typeKey(key);
}

void TableControls::enterReading(const QString& text)
{
    // The reading replaces what the cell held: typed after it, it would make another number.
    m_table.deleteKey();
    for (const QChar key : text)
        MSFlexGrid1_KeyPress(key);
    const int row = m_table.currentRow();
    MSFlexGrid1_KeyPress(u'\r');
    if (m_table.currentRow() == row)
        emit hintChanged(LastRowHint);
}

void TableControls::MSFlexGrid1_KeyUp(int key)
{
    if (key == 46)
        m_table.deleteKey();
}

void TableControls::MSFlexGrid1_LeaveCell()
{
    reportEmptied(m_table.leaveCell());
}

void TableControls::MSFlexGrid1_MouseMove(QPoint)
{
    emit hintChanged(DataRowsHint);
    updateTableMenu();
}

void TableControls::updateTableMenu()
{
    const int rows = m_table.rowCount();
    m_w.insligsous->setEnabled(rows < table::MaxRows);
    m_w.insereligne->setEnabled(rows < table::MaxRows);
    m_w.efflig->setEnabled(rows >= 3);
}

void TableControls::prepareColumnMenu()
{
    const QString n = QString::number(m_table.currentColumn() + 1);
    m_w.calcutab->setText(QStringLiteral("Calculer C") + n);
    m_w.Vexpress->setText(QStringLiteral("Voir expression C") + n);
    m_w.recalc->setText(QStringLiteral("Recalculer C") + n);
    m_w.effcol->setText(QStringLiteral("Effacer C") + n);
    m_w.titrecol->setText(QStringLiteral("Nommer C") + n);
    m_w.triertab->setText(QStringLiteral("Trier C") + n +
                          QStringLiteral(" dans l'ordre croissant."));
    m_w.triertab2->setText(QStringLiteral("Trier C") + n +
                           QStringLiteral(" dans l'ordre décroissant."));
    const bool formula = !m_table.columnFormula(m_table.currentColumn()).isEmpty();
    m_w.Vexpress->setEnabled(formula);
    m_w.recalc->setEnabled(formula);
}

void TableControls::selectCurrentColumn()
{
    TableGrid* grid = m_w.MSFlexGrid1;
    const int column = m_table.currentColumn();
    grid->syncing = true;
    grid->setCurrentIndex(m_items->index(0, column));
    grid->selectionModel()->select(
        QItemSelection(m_items->index(0, column), m_items->index(m_table.dataRows() - 1, column)),
        QItemSelectionModel::ClearAndSelect);
    grid->syncing = false;
}

void TableControls::MSFlexGrid1_MouseUp(Qt::MouseButton button, QPoint, QPoint globalPos)
{
    if (button == Qt::RightButton) {
        updateTableMenu();
        m_w.menutableau->popup(globalPos);
    }
}

bool TableControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_w.MSFlexGrid1->horizontalHeader()->viewport())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        emit hintChanged(TitleRowHint);
        updateTableMenu();
        break;
    case QEvent::MouseButtonPress:
        return true; // the release below selects the column
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const int column =
            m_w.MSFlexGrid1->horizontalHeader()->logicalIndexAt(e->position().toPoint());
        if (column < 0)
            return true;
        // A click on a title selects the whole column, which becomes the current one.
        MSFlexGrid1_LeaveCell();
        m_table.setCurrentCell(1, column);
        selectCurrentColumn();
        prepareColumnMenu();
        m_w.menucol->popup(e->globalPosition().toPoint());
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TableControls::nblignes_Click()
{
    settleCurrentCell();
    fnblignes dialog(m_table, m_window);
    dialog.exec();
}

void TableControls::insligsous_Click()
{
    settleCurrentCell();
    m_table.insertRowAbove();
}

void TableControls::insereligne_Click()
{
    settleCurrentCell();
    m_table.appendRow();
}

void TableControls::efflig_Click()
{
    settleCurrentCell();
    m_table.deleteCurrentRow();
}

void TableControls::formatsc_Click()
{
    settleCurrentCell();
    Formatdonnees dialog(m_table, m_window);
    dialog.exec();
}

void TableControls::efftableau_Click()
{
    settleCurrentCell();
    if (dialogs::msgBox(QStringLiteral("Attention: perte des données."), dialogs::Buttons::OkCancel,
                        dialogs::Icon::Question, QStringLiteral("Effacer le tableau"),
                        m_window) == dialogs::Answer::Ok)
        m_table.reset();
}

void TableControls::suitar_Click()
{
    settleCurrentCell();
    arith dialog(m_table, m_window);
    dialog.exec();
}

void TableControls::effcol_Click()
{
    m_table.clearColumn(m_table.currentColumn());
}

void TableControls::titrecol_Click()
{
    const int column = m_table.currentColumn();
    const QString n = QString::number(column + 1);
    const QString answer =
        dialogs::inputBox(QStringLiteral("Saisir le texte à afficher pour la colonne C") + n,
                          QStringLiteral("Nommer C") + n, m_table.title(column), m_window);
    if (answer.trimmed().isEmpty())
        return;
    m_table.setCell(0, column, answer);
}

void TableControls::triertab_Click()
{
    m_table.sortRows(m_table.currentColumn(), true);
}

void TableControls::triertab2_Click()
{
    m_table.sortRows(m_table.currentColumn(), false);
}

void TableControls::pasteFromClipboard()
{
    pasteText(QGuiApplication::clipboard()->text());
}

void TableControls::pasteText(const QString& text)
{
    settleCurrentCell();
    // Values beyond C5 or row 100 and values that are not numbers are lost alike.
    int unreadable = 0;
    const int lost = m_table.paste(text, &unreadable) + unreadable;
    if (lost == 1)
        emit hintChanged(QStringLiteral("Une valeur n'a pas pu être collée."));
    else if (lost > 1)
        emit hintChanged(QStringLiteral("%1 valeurs n'ont pas pu être collées.").arg(lost));
}

void TableControls::cop003_Click()
{
    settleCurrentCell();
    // The whole table shown selected, the first cell current.
    TableGrid* grid = m_w.MSFlexGrid1;
    m_table.setCurrentCell(1, 0);
    grid->syncing = true;
    grid->setCurrentIndex(m_items->index(0, 0));
    grid->selectAll();
    grid->syncing = false;
    clipboardcopy::putText(m_table.contentText());
}

void TableControls::cop002_Click()
{
    settleCurrentCell();
    // The picture shows the cells, not what is selected (after "Copier le contenu du tableau",
    // the whole table); the selection comes back once the grid is taken.
    TableGrid* grid = m_w.MSFlexGrid1;
    QItemSelectionModel* selection = grid->selectionModel();
    const QItemSelection selected = selection->selection();
    selection->clearSelection();
    const QImage picture = grid->grab().toImage();
    selection->select(selected, QItemSelectionModel::Select);
    clipboardcopy::putImage(picture);
}

void TableControls::copyToClipboard()
{
    settleCurrentCell();
    clipboardcopy::putText(m_table.contentText());
}
