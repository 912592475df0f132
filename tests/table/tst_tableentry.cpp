// SPDX-License-Identifier: GPL-3.0-or-later
// The table's controls on a grid of their own: Enter in the grid, the beep and the hint when a
// cell is emptied because its text is not a number, the paste hint, and the picture of the table.
#include "gui/table/tablecontrols.h"
#include "support/modalwatchdog.h"
#include "support/responder.h"
#include "support/tablerig.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QtTest>
#include <memory>

namespace {

// Types into the grid: '\n' is Return, '\r' the keypad's Enter, '\t' Tab, 'v' Down, anything
// else its own key.
void type(QWidget* grid, const QString& keys)
{
    for (const QChar ch : keys) {
        if (ch == u'\n')
            QTest::keyClick(grid, Qt::Key_Return);
        else if (ch == u'\r')
            QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
        else if (ch == u'\t')
            QTest::keyClick(grid, Qt::Key_Tab);
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

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<RecordingResponder> responder;
    std::unique_ptr<TableRig> bench;
    TableGrid* grid() const { return bench->tableControls->widgets().MSFlexGrid1; }

private slots:
    void init()
    {
        watchdog = std::make_unique<ModalWatchdog>();
        responder = std::make_unique<RecordingResponder>();
        bench = std::make_unique<TableRig>();
        bench->show();
        QVERIFY(QTest::qWaitForWindowExposed(bench.get()));
        grid()->setFocus();
    }
    void cleanup()
    {
        bench.reset();
        responder.reset();
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    void typing_and_leaving_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("cells"); // "row,column=text"
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<int>("currentColumn");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Enter between two measurements")
            << 1 << 0 << "10.3\n20.1v" << QStringList{"1,0=10,300", "2,0=20,100"} << 3 << 0 << 0
            << "";
        QTest::newRow("keypad Enter")
            << 4 << 2 << "5\r" << QStringList{"4,2=5,000"} << 5 << 2 << 0 << "";
        QTest::newRow("Enter on empty cells goes down")
            << 1 << 1 << "\n\n"
            << QStringList{"1,1=", "2,1="} << 3 << 1 << 0 << "";
        QTest::newRow("Enter on the last data row only leaves")
            << 10 << 4 << "7\n8" << QStringList{"10,4=7,0008"} << 10 << 4 << 0 << "";
        QTest::newRow("Tab still goes right")
            << 2 << 0 << "1\t" << QStringList{"2,0=1,000"} << 2 << 1 << 0 << "";
        QTest::newRow("measurements run together, left by Down")
            << 1 << 0 << "10.320.1v" << QStringList{"1,0="} << 2 << 0 << 1
            << notANumber("10,320,1");
        QTest::newRow("not a number, left by Enter")
            << 3 << 0 << "1-\n"
            << QStringList{"3,0="} << 4 << 0 << 1 << notANumber("1-");
        QTest::newRow("not a number, left by Tab")
            << 3 << 3 << "1,,2\t" << QStringList{"3,3="} << 3 << 4 << 1 << notANumber("1,,2");
        QTest::newRow("two losses, the last one told")
            << 1 << 0 << "1-v2E\n"
            << QStringList{"1,0=", "2,0="} << 3 << 0 << 2 << notANumber("2E");
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
        QFETCH(int, currentColumn);
        QFETCH(int, beeps);
        QFETCH(QString, hint);
        bench->table.setCurrentCell(row, column);
        bench->tableControls->showCurrentCell();
        type(grid(), keys);
        for (const QString& cell : cells) {
            const QStringList parts = cell.split(u'=');
            const QStringList at = parts[0].split(u',');
            QCOMPARE(bench->table.getCell(at[0].toInt(), at[1].toInt()), parts[1]);
        }
        QCOMPARE(bench->table.currentRow(), currentRow);
        QCOMPARE(bench->table.currentColumn(), currentColumn);
        QCOMPARE(grid()->currentIndex(), grid()->model()->index(currentRow - 1, currentColumn));
        QCOMPARE(responder->beeps(), beeps);
        QCOMPARE(bench->hint(), hint);
    }

    // Action: type a text that is not a number, then a command reads the table (twice).
    // Expected: the cell emptied, one beep and the hint, the first time only.
    void a_command_settles_with_the_same_warning()
    {
        bench->table.setCurrentCell(2, 1);
        bench->tableControls->showCurrentCell();
        type(grid(), QStringLiteral("3-"));
        bench->tableControls->settleCurrentCell();
        QCOMPARE(bench->table.getCell(2, 1), QString());
        QCOMPARE(responder->beeps(), 1);
        QCOMPARE(bench->hint(), notANumber(QStringLiteral("3-")));
        bench->setHint(QString());
        bench->tableControls->settleCurrentCell();
        QCOMPARE(responder->beeps(), 1);
        QCOMPARE(bench->hint(), QString());
    }

    void paste_hint_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("all read") << 0 << "1\t2\n3"
                                  << "";
        QTest::newRow("one not a number") << 0 << "x\t1"
                                          << "Une valeur n'a pas pu être collée.";
        QTest::newRow("two not numbers") << 0 << "x\tabc\t1"
                                         << "2 valeurs n'ont pas pu être collées.";
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
        bench->table.setCurrentCell(1, column);
        bench->tableControls->pasteText(text);
        QCOMPARE(bench->hint(), hint);
    }

    // State: the text of the table just copied (the whole grid selected). Action: "Copier une
    // image du tableau". Expected: the picture of the cells without any selection; the grid's
    // selection as it was.
    void table_picture_without_the_selection()
    {
        bench->table.setCell(1, 0, QStringLiteral("1,500"));
        bench->table.setCell(2, 1, QStringLiteral("2,500"));
        bench->tableControls->cop003_Click();
        const int selected = int(grid()->selectionModel()->selectedIndexes().size());
        QCOMPARE(selected, 50);
        bench->tableControls->cop002_Click();
        const QImage got =
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!got.isNull());
        QCOMPARE(grid()->selectionModel()->selectedIndexes().size(), selected);

        const QPalette palette = grid()->palette();
        const QRgb highlights[] = {palette.color(QPalette::Active, QPalette::Highlight).rgb(),
                                   palette.color(QPalette::Inactive, QPalette::Highlight).rgb()};
        int highlighted = 0;
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x)
                highlighted += got.pixel(x, y) == highlights[0] || got.pixel(x, y) == highlights[1];
        QCOMPARE(highlighted, 0);

        grid()->clearSelection();
        QCOMPARE(got, grid()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestTableEntry)
#include "tst_tableentry.moc"
