// SPDX-License-Identifier: GPL-3.0-or-later
// The table's controls on their own panel: Enter in the grid, the beep and the hint when a
// cell is emptied because its text is not a number, the paste hint, and the picture of the table.
#include "gui/table/tablecontrols.h"
#include "support/responder.h"
#include "support/tablerig.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QtTest>
#include <memory>

namespace {

// Types into the grid: '\n' is Return, '\r' the keypad's Enter, 'v' Down, anything else its own
// key.
void type(QWidget* grid, const QString& keys)
{
    for (const QChar ch : keys) {
        if (ch == u'\n')
            QTest::keyClick(grid, Qt::Key_Return);
        else if (ch == u'\r')
            QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
        else if (ch == u'v')
            QTest::keyClick(grid, Qt::Key_Down);
        else
            QTest::keyClick(grid, ch.toLatin1());
    }
}

QString notANumber(const QString& text)
{
    return QStringLiteral("« ") + text +
           QStringLiteral(" » n'est pas un nombre : la cellule a été vidée.");
}

} // namespace

class TestTableEntry : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingResponder> responder;
    std::unique_ptr<TableRig> w;
    TableGrid* grid() const { return w->tableControls->widgets().MSFlexGrid1; }

private slots:
    void init()
    {
        responder = std::make_unique<RecordingResponder>();
        w = std::make_unique<TableRig>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        grid()->setFocus();
    }
    void cleanup()
    {
        w.reset();
        responder.reset();
    }

    void typing_and_leaving_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("cells"); // "row,column=text"
        QTest::addColumn<int>("currentRow");    // in the same column
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Enter between two measurements")
            << 1 << 0 << "10.3\n20.1v" << QStringList{"1,0=10,300", "2,0=20,100"} << 3 << 0 << "";
        QTest::newRow("keypad Enter")
            << 4 << 2 << "5\r" << QStringList{"4,2=5,000"} << 5 << 0 << "";
        QTest::newRow("Enter on the last data row only leaves")
            << 10 << 4 << "7\n8" << QStringList{"10,4=7,0008"} << 10 << 0 << "";
        QTest::newRow("measurements run together, left by Down")
            << 1 << 0 << "10.320.1v" << QStringList{"1,0="} << 2 << 1 << notANumber("10,320,1");
        QTest::newRow("not a number, left by Enter")
            << 3 << 0 << "1-\n"
            << QStringList{"3,0="} << 4 << 1 << notANumber("1-");
    }
    // State: ten empty data rows, the cell current. Action: the keys on the grid. Expected: the
    // cells, the current cell in the model and in the grid, the beeps and the hint.
    void typing_and_leaving()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(QStringList, cells);
        QFETCH(int, currentRow);
        QFETCH(int, beeps);
        QFETCH(QString, hint);
        w->table.setCurrentCell(row, column);
        w->tableControls->showCurrentCell();
        type(grid(), keys);
        for (const QString& cell : cells) {
            const QStringList parts = cell.split(u'=');
            const QStringList at = parts[0].split(u',');
            QCOMPARE(w->table.getCell(at[0].toInt(), at[1].toInt()), parts[1]);
        }
        QCOMPARE(w->table.currentRow(), currentRow);
        QCOMPARE(grid()->currentIndex(), grid()->model()->index(currentRow - 1, column));
        QCOMPARE(responder->beeps(), beeps);
        QCOMPARE(w->hint(), hint);
    }

    // Action: type a text that is not a number; a command reads the table, then another.
    // Expected: the cell emptied with one beep and the hint, the first time only.
    void a_command_settles_with_the_same_warning()
    {
        type(grid(), QStringLiteral("3-"));
        w->tableControls->settleCurrentCell();
        QCOMPARE(w->hint(), notANumber(QStringLiteral("3-")));
        w->tableControls->settleCurrentCell();
        QCOMPARE(w->table.getCell(1, 0), QString());
        QCOMPARE(responder->beeps(), 1);
    }

    void paste_hint_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("one not a number") << 0 << "x\t1"
                                          << "Une valeur n'a pas pu être collée.";
        QTest::newRow("not numbers and beyond C5 together")
            << 3 << "x\t2\t3\nabc\t4"
            << "3 valeurs n'ont pas pu être collées.";
    }
    // Action: paste into the first data row from the column. Expected: the hint counts every
    // value lost.
    void paste_hint()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        w->table.setCurrentCell(1, column);
        w->tableControls->pasteText(text);
        QCOMPARE(w->hint(), hint);
    }

    // State: the text of the table just copied (the whole grid selected). Action: "Copier une
    // image du tableau". Expected: the picture of the cells without any selection; the grid's
    // selection as it was.
    void table_picture_without_the_selection()
    {
        w->table.setCell(1, 0, QStringLiteral("1,500"));
        w->tableControls->cop003_Click();
        w->tableControls->cop002_Click();
        QCOMPARE(grid()->selectionModel()->selectedIndexes().size(), 50);
        grid()->clearSelection();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 grid()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestTableEntry)
#include "tst_tableentry.moc"
