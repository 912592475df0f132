// SPDX-License-Identifier: GPL-3.0-or-later
// The table on its own panel: keys typed into cells, leaving a cell by mouse and keyboard, the
// hints, the two pop-up menus' captions and enabling, their commands with their questions, pasting
// and copying with the keyboard, and the three dialogs opened from the menus.
#include "core/state/module1.h"
#include "core/table/tablecsv.h"
#include "gui/table/arith.h"
#include "gui/table/fnblignes.h"
#include "gui/table/formatdonnees.h"
#include "gui/table/tablecontrols.h"
#include "support/modalwatchdog.h"
#include "support/responder.h"
#include "support/tablerig.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestTableControls : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<RecordingResponder> responder;
    std::unique_ptr<TableRig> w;

    TableGrid* grid() { return w->tableControls->widgets().MSFlexGrid1; }
    TableModel& table() { return w->table; }

    QPoint cellCentre(int row, int column)
    {
        return grid()->visualRect(grid()->model()->index(row - 1, column)).center();
    }
    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(grid()->viewport(), button, {}, cellCentre(row, column));
    }
    QPoint titleCentre(int column)
    {
        QHeaderView* h = grid()->horizontalHeader();
        return QPoint(h->sectionViewportPosition(column) + h->sectionSize(column) / 2,
                      h->height() / 2);
    }
    // A click on a column's title, which opens the column menu; the menu is closed again.
    void clickTitle(int column, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(grid()->horizontalHeader()->viewport(), button, {}, titleCentre(column));
    }
    // A pointer move over a widget without a button, delivered even where the pointer already is.
    void hover(QWidget* target, QPoint local)
    {
        QMouseEvent e(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
    void closeMenus()
    {
        w->tableControls->widgets().menucol->hide();
        w->tableControls->widgets().menutableau->hide();
    }
    QStringList columnTexts(int c)
    {
        QStringList out;
        for (int r = 1; r < table().rowCount(); ++r)
            out << table().getCell(r, c);
        return out;
    }

private slots:
    void init()
    {
        module1() = Module1{};
        watchdog = std::make_unique<ModalWatchdog>();
        responder = std::make_unique<RecordingResponder>();
        w = std::make_unique<TableRig>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup()
    {
        closeMenus();
        w.reset();
        responder.reset();
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    // Expected: the grid shows the table: five columns titled C1 to C5, 67 pixels wide, ten
    // empty data rows, the first data cell current.
    void start_state()
    {
        QCOMPARE(grid()->model()->columnCount(), 5);
        QCOMPARE(grid()->model()->rowCount(), 10);
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(grid()->model()->headerData(c, Qt::Horizontal).toString(),
                     QStringLiteral("C%1").arg(c + 1));
            QCOMPARE(grid()->columnWidth(c), 67);
        }
        QCOMPARE(grid()->currentIndex(), grid()->model()->index(0, 0));
    }

    // Action: click a cell, type 1.5, leave it by a click elsewhere; type 2e3 in another and
    // leave it by the keyboard. Expected: the typed texts, then the table's format.
    void key_entry_and_leaving_a_cell()
    {
        clickCell(3, 1);
        QTest::keyClicks(grid(), QStringLiteral("1.5"));
        QCOMPARE(table().getCell(3, 1), QStringLiteral("1,5"));
        QCOMPARE(grid()->model()->index(2, 1).data().toString(), QStringLiteral("1,5"));
        clickCell(5, 2);
        QCOMPARE(table().getCell(3, 1), QStringLiteral("1,500"));
        QCOMPARE(table().currentRow(), 5);
        QCOMPARE(table().currentColumn(), 2);
        QTest::keyClicks(grid(), QStringLiteral("2e3x"));
        QCOMPARE(table().getCell(5, 2), QStringLiteral("2E3"));
        QTest::keyClick(grid(), Qt::Key_Down);
        QCOMPARE(table().getCell(5, 2), QStringLiteral("2000,000"));
        QCOMPARE(table().currentRow(), 6);
        // Backspace, then Delete.
        QTest::keyClicks(grid(), QStringLiteral("12"));
        QTest::keyClick(grid(), Qt::Key_Backspace);
        QCOMPARE(table().getCell(6, 2), QStringLiteral("1"));
        QTest::keyClick(grid(), Qt::Key_Delete);
        QCOMPARE(table().getCell(6, 2), QString());
        // Up from the first data row stays on it: the title row is never current.
        clickCell(1, 0);
        QTest::keyClicks(grid(), QStringLiteral("1,,2"));
        QTest::keyClick(grid(), Qt::Key_Up);
        QCOMPARE(table().currentRow(), 1);
        QTest::keyClick(grid(), Qt::Key_Right);
        QCOMPARE(table().getCell(1, 0), QString());
    }

    // Expected: the hints over the data rows and over the title row.
    void hints()
    {
        hover(grid()->viewport(), cellCentre(2, 2));
        QCOMPARE(w->hint(), TableControls::DataRowsHint);
        hover(grid()->horizontalHeader()->viewport(), titleCentre(2));
        QCOMPARE(w->hint(), TableControls::TitleRowHint);
        QCOMPARE(grid()->viewport()->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(grid()->horizontalHeader()->viewport()->cursor().shape(), Qt::BitmapCursor);
    }

    void table_menu_enabling_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<bool>("remove");
        QTest::newRow("1 data row") << 2 << true << false;
        QTest::newRow("10 data rows") << 11 << true << true;
        QTest::newRow("100 data rows") << 101 << false << true;
    }
    // Action: move over the grid, right-click a cell. Expected: menutableau with its items
    // enabled for the table's size.
    void table_menu_enabling()
    {
        QFETCH(int, rows);
        QFETCH(bool, insert);
        QFETCH(bool, remove);
        table().setRowCount(rows);
        hover(grid()->viewport(), cellCentre(1, 0));
        QCOMPARE(w->tableControls->widgets().insligsous->isEnabled(), insert);
        QCOMPARE(w->tableControls->widgets().insereligne->isEnabled(), insert);
        QCOMPARE(w->tableControls->widgets().efflig->isEnabled(), remove);
        for (QAction* always :
             {w->tableControls->widgets().nblignes, w->tableControls->widgets().formatsc,
              w->tableControls->widgets().efftableau, w->tableControls->widgets().fermtab})
            QVERIFY(always->isEnabled());
        clickCell(1, 0, Qt::RightButton);
        QVERIFY(w->tableControls->widgets().menutableau->isVisible());
    }

    void column_menu_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("formula");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("C3 without formula") << 2 << false << Qt::LeftButton;
        QTest::newRow("C3 with a formula") << 2 << true << Qt::LeftButton;
        QTest::newRow("C5, right button") << 4 << false << Qt::RightButton;
    }
    // Action: click a column's title. Expected: the whole column selected and current, the
    // column menu captioned for it, "Voir expression" and "Recalculer" only with a formula.
    void column_menu()
    {
        QFETCH(int, column);
        QFETCH(bool, formula);
        QFETCH(Qt::MouseButton, button);
        if (formula)
            table().setColumnFormula(column, QStringLiteral("C1 * sin (C2)"));
        clickCell(4, 0);
        QTest::keyClicks(grid(), QStringLiteral("7"));
        clickTitle(column, button);
        QCOMPARE(table().getCell(4, 0), QStringLiteral("7,000")); // the cell was left
        QVERIFY(w->tableControls->widgets().menucol->isVisible());
        const QString n = QString::number(column + 1);
        QCOMPARE(w->tableControls->widgets().calcutab->text(), "Calculer C" + n);
        QCOMPARE(w->tableControls->widgets().Vexpress->text(), "Voir expression C" + n);
        QCOMPARE(w->tableControls->widgets().recalc->text(), "Recalculer C" + n);
        QCOMPARE(w->tableControls->widgets().suitar->text(), QStringLiteral("Suite arithmétique"));
        QCOMPARE(w->tableControls->widgets().effcol->text(), "Effacer C" + n);
        QCOMPARE(w->tableControls->widgets().titrecol->text(), "Nommer C" + n);
        QCOMPARE(w->tableControls->widgets().triertab->text(),
                 "Trier C" + n + " dans l'ordre croissant.");
        QCOMPARE(w->tableControls->widgets().triertab2->text(),
                 "Trier C" + n + " dans l'ordre décroissant.");
        QCOMPARE(w->tableControls->widgets().Vexpress->isEnabled(), formula);
        QCOMPARE(w->tableControls->widgets().recalc->isEnabled(), formula);
        for (QAction* a :
             {w->tableControls->widgets().calcutab, w->tableControls->widgets().suitar,
              w->tableControls->widgets().effcol, w->tableControls->widgets().titrecol,
              w->tableControls->widgets().triertab, w->tableControls->widgets().triertab2})
            QVERIFY(a->isEnabled());
        QCOMPARE(table().currentColumn(), column);
        const QModelIndexList selected = grid()->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 10);
        for (const QModelIndex& i : selected)
            QCOMPARE(i.column(), column);
    }

    void naming_a_column_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("title");
        QTest::newRow("a name") << "Angle"
                                << "Angle";
        QTest::newRow("blanks kept") << " i (°) "
                                     << " i (°) ";
        QTest::newRow("blanks only keep the old title") << "   "
                                                        << "C2";
        QTest::newRow("cancelled") << ""
                                   << "C2";
    }
    // Action: "Nommer C2". Expected: the input box's texts; the title as answered.
    void naming_a_column()
    {
        QFETCH(QString, answer);
        QFETCH(QString, title);
        clickTitle(1);
        closeMenus();
        dialogs::Reply reply;
        reply.text = answer;
        responder->answers << reply;
        w->tableControls->widgets().titrecol->trigger();
        QCOMPARE(responder->requests.size(), 1);
        const dialogs::Request& r = responder->requests.first();
        QCOMPARE(r.kind, dialogs::Request::Kind::Input);
        QCOMPARE(r.text, QStringLiteral("Saisir le texte à afficher pour la colonne C2"));
        QCOMPARE(r.title, QStringLiteral("Nommer C2"));
        QCOMPARE(r.defaultText, QStringLiteral("C2"));
        QCOMPARE(table().title(1), title);
        QCOMPARE(grid()->model()->headerData(1, Qt::Horizontal).toString(), title);
    }

    void clearing_the_table_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("OK") << int(dialogs::Answer::Ok) << true;
        QTest::newRow("Annuler") << int(dialogs::Answer::Cancel) << false;
    }
    // Action: "Effacer tableau". Expected: the question; on OK the start table, formulas gone.
    void clearing_the_table()
    {
        QFETCH(int, answer);
        QFETCH(bool, cleared);
        table().setCell(0, 0, QStringLiteral("Angle"));
        table().setCell(1, 0, QStringLiteral("5,000"));
        table().setColumnFormula(1, QStringLiteral("C1 * 2"));
        table().setRowCount(20);
        dialogs::Reply reply;
        reply.answer = dialogs::Answer(answer);
        responder->answers << reply;
        w->tableControls->widgets().efftableau->trigger();
        QCOMPARE(responder->requests.size(), 1);
        const dialogs::Request& r = responder->requests.first();
        QCOMPARE(r.text, QStringLiteral("Attention: perte des données."));
        QCOMPARE(r.title, QStringLiteral("Effacer le tableau"));
        QCOMPARE(r.buttons, dialogs::Buttons::OkCancel);
        QCOMPARE(r.icon, dialogs::Icon::Question);
        QCOMPARE(table().title(0), cleared ? QStringLiteral("C1") : QStringLiteral("Angle"));
        QCOMPARE(table().rowCount(), cleared ? 11 : 20);
        QCOMPARE(table().columnFormula(1).isEmpty(), cleared);
        QCOMPARE(grid()->model()->rowCount(), table().rowCount() - 1);
    }

    // Action: the row commands from the menu on rows A, B, C. Expected: as on the model, and
    // the grid follows.
    void row_commands_from_the_menu()
    {
        table().setRowCount(4);
        for (int r = 1; r <= 3; ++r)
            table().setCell(r, 0, QString::number(r) + QStringLiteral(",000"));
        clickCell(2, 0);
        w->tableControls->widgets().insligsous->trigger();
        QCOMPARE(columnTexts(0), QStringList({"1,000", "", "2,000", "3,000"}));
        QCOMPARE(grid()->model()->rowCount(), 4);
        QCOMPARE(grid()->currentIndex().row(), 1);
        w->tableControls->widgets().efflig->trigger();
        w->tableControls->widgets().efflig->trigger();
        QCOMPARE(columnTexts(0), QStringList({"1,000", "3,000"}));
        w->tableControls->widgets().insereligne->trigger();
        QCOMPARE(columnTexts(0), QStringList({"1,000", "3,000", ""}));
        QCOMPARE(grid()->model()->rowCount(), 3);
    }

    // Action: sort C2 descending from its menu, then clear it. Expected: whole rows move; the
    // formula survives the clearing.
    void sorting_and_clearing_a_column()
    {
        const QStringList key{"10,000", "2,000", "33,000"};
        for (int r = 0; r < 3; ++r) {
            table().setCell(r + 1, 1, key[r]);
            table().setCell(r + 1, 0, QString::number(r + 1) + QStringLiteral(",000"));
        }
        table().setColumnFormula(1, QStringLiteral("C1 * 2"));
        clickTitle(1);
        closeMenus();
        w->tableControls->widgets().triertab2->trigger();
        QCOMPARE(columnTexts(1).mid(0, 3), QStringList({"33,000", "10,000", "2,000"}));
        QCOMPARE(columnTexts(0).mid(0, 3), QStringList({"3,000", "1,000", "2,000"}));
        QCOMPARE(grid()->model()->index(0, 1).data().toString(), QStringLiteral("33,000"));
        w->tableControls->widgets().effcol->trigger();
        QCOMPARE(columnTexts(1), QStringList(10, QString()));
        QCOMPARE(table().columnFormula(1), QStringLiteral("C1 * 2"));
    }

    // Action: Ctrl+V with measurements from a spreadsheet, then Ctrl+C. Expected: the values in
    // the table's format from the current cell, the dropped ones counted in the hint bar, and the
    // whole table's text on the clipboard.
    void paste_and_copy_with_the_keyboard()
    {
        clickCell(1, 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("1.5\t2\t3\r\n4\t5\t6\r\n"));
        QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(table().getCell(1, 3), QStringLiteral("1,500"));
        QCOMPARE(table().getCell(2, 4), QStringLiteral("5,000"));
        QCOMPARE(w->hint(), QStringLiteral("2 valeurs n'ont pas pu être collées."));
        QCOMPARE(grid()->model()->index(1, 3).data().toString(), QStringLiteral("4,000"));
        clickCell(1, 4);
        QGuiApplication::clipboard()->setText(QStringLiteral("7\t8"));
        QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->hint(), QStringLiteral("Une valeur n'a pas pu être collée."));
        table().setRowCount(3);
        QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("C1\tC2\tC3\tC4\tC5\n\t\t\t1,500\t7,000\n\t\t\t4,000\t5,000"));
    }

    void dialogs_open_from_the_menus_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("row count") << "nblignes"
                                   << "fnblignes";
        QTest::newRow("number format") << "formatsc"
                                       << "Formatdonnees";
        QTest::newRow("arithmetic sequence") << "suitar"
                                             << "arith";
    }
    // Expected: each item opens its dialog modal over the main window.
    void dialogs_open_from_the_menus()
    {
        QFETCH(QString, item);
        QFETCH(QString, dialog);
        QString seen;
        watchdog->expect([&seen](QWidget* modal) {
            seen = QString::fromLatin1(modal->metaObject()->className());
            QVERIFY(qobject_cast<QDialog*>(modal));
            static_cast<QDialog*>(modal)->reject();
        });
        w->findChild<QAction*>(item)->trigger();
        QCOMPARE(seen, dialog);
        QCOMPARE(table().rowCount(), 11);
    }

    // "Exporter le tableau (CSV)…", after "Représentation graphique": the file asked for (".csv"
    // added when there is no suffix), the question before replacing a file with Non by default,
    // the table written with the cell being typed, a failure said.
    void export_csv_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("replace"); // the answer to the question, when asked
        QTest::addColumn<QString>("written");
        QTest::addColumn<QStringList>("messages");
        const QString question =
            QStringLiteral("Le fichier mesures.csv existe déjà.\nEcraser l'ancien?");
        QTest::newRow("a new name without suffix")
            << "mesures" << false << 0 << "mesures.csv" << QStringList();
        QTest::newRow("a new name with its suffix")
            << "mesures.CSV" << false << 0 << "mesures.CSV" << QStringList();
        QTest::newRow("an existing file kept")
            << "mesures" << true << int(dialogs::Answer::No) << "" << QStringList{question};
        QTest::newRow("an existing file replaced")
            << "mesures.csv" << true << int(dialogs::Answer::Yes) << "mesures.csv"
            << QStringList{question};
        QTest::newRow("cancelled") << "" << false << 0 << "" << QStringList();
        QTest::newRow("a folder that does not exist")
            << "absent/mesures.csv" << false << 0 << ""
            << QStringList{QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.")};
    }
    void export_csv()
    {
        QFETCH(QString, typed);
        QFETCH(bool, exists);
        QFETCH(int, replace);
        QFETCH(QString, written);
        QFETCH(QStringList, messages);
        QTemporaryDir here;
        const QString old = here.filePath(QStringLiteral("mesures.csv"));
        if (exists) {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        TableRig rig;
        const QList<QAction*> items = rig.tableControls->widgets().menutableau->actions();
        const qsizetype at = items.indexOf(rig.tableControls->widgets().repgraphe);
        QCOMPARE(items.value(at + 1), rig.tableControls->widgets().exportcsv);
        QCOMPARE(rig.tableControls->widgets().exportcsv->objectName(), QStringLiteral("exportcsv"));
        QCOMPARE(rig.tableControls->widgets().exportcsv->text(),
                 QStringLiteral("Exporter le tableau (CSV)…"));
        rig.table.setCurrentCell(1, 0);
        rig.tableControls->MSFlexGrid1_KeyPress(QLatin1Char('7'));
        RecordingResponder r;
        dialogs::Reply name;
        name.text = typed.isEmpty() ? QString() : here.filePath(typed);
        r.answers << name;
        if (replace) {
            dialogs::Reply answer;
            answer.answer = dialogs::Answer(replace);
            r.answers << answer;
        }
        QVERIFY(rig.tableControls->widgets().exportcsv->isEnabled());
        rig.tableControls->widgets().exportcsv->trigger();
        QCOMPARE(r.requests.first().kind, dialogs::Request::Kind::SaveFile);
        QCOMPARE(r.requests.first().filter, QStringLiteral("Tableau CSV (*.csv)"));
        QCOMPARE(r.messages(), messages);
        if (!messages.isEmpty())
            QCOMPARE(r.requests.last().defaultButton,
                     replace ? dialogs::Answer::No : dialogs::Answer::Ok);
        if (!written.isEmpty()) {
            QFile file(here.filePath(written));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes, table::csvText(rig.table));
            QVERIFY(bytes.contains("\r\n7,000;"));
        } else if (exists) {
            QCOMPARE(QFileInfo(old).size(), 3);
        }
        QCOMPARE(QDir(here.path()).entryList(QDir::Files).size(),
                 int(exists || !written.isEmpty()));
    }
};

QTEST_MAIN(TestTableControls)
#include "tst_tablecontrols.moc"
