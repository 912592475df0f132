// SPDX-License-Identifier: GPL-3.0-or-later
// A table column computed from a formula, without a window: the references replaced row by row,
// the results in the table's format, the missed rows counted, the formula kept.
#include "core/calc/columnrun.h"
#include "core/expr/engine.h"

#include <QtTest>

namespace {

QStringList columnTexts(const TableModel& t, int c)
{
    QStringList out;
    for (int r = 1; r < t.rowCount(); ++r)
        out << t.getCell(r, c);
    return out;
}

} // namespace

class TestColumnRun : public QObject {
    Q_OBJECT

private slots:
    void row_entry_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("c1");
        QTest::addColumn<QString>("c2");
        QTest::addColumn<QString>("entry"); // "-" for a missed row
        QTest::newRow("two references") << "C1 * C2"
                                        << "0,1"
                                        << "-3,000"
                                        << ".1 * -3";
        QTest::newRow("seven significant digits") << "C1"
                                                  << "3,141593"
                                                  << ""
                                                  << "3.141593";
        QTest::newRow("single precision, not its binary tail") << "C1 - .1"
                                                               << "0,100"
                                                               << ""
                                                               << ".1 - .1";
        QTest::newRow("exponent") << "C1"
                                  << "1,5E+20"
                                  << ""
                                  << "1.5E+20";
        QTest::newRow("a blank cell misses the row") << "C1 + C2"
                                                     << "1,000"
                                                     << ""
                                                     << "-";
        QTest::newRow("blanks only are blank") << "C2"
                                               << "1,000"
                                               << "   "
                                               << "-";
        QTest::newRow("text is left as its reference") << "C1 + 1"
                                                       << "abc"
                                                       << ""
                                                       << "C1 + 1";
        QTest::newRow("not a reference") << "C6 + c1 + C0"
                                         << "1,000"
                                         << ""
                                         << "C6 + c1 + C0";
        QTest::newRow("no reference at all") << "2 ^ 10"
                                             << ""
                                             << ""
                                             << "2 ^ 10";
        QTest::newRow("a C before a reference") << "CC1"
                                                << "2,000"
                                                << ""
                                                << "C2";
        QTest::newRow("reference at the very end") << "3*C1"
                                                   << "2,000"
                                                   << ""
                                                   << "3*2";
        QTest::newRow("a lone C at the end") << "C1 C"
                                             << "2,000"
                                             << ""
                                             << "2 C";
    }
    void row_entry()
    {
        QFETCH(QString, formula);
        QFETCH(QString, c1);
        QFETCH(QString, c2);
        QFETCH(QString, entry);
        TableModel t;
        t.setCell(1, 0, c1);
        t.setCell(1, 1, c2);
        const std::optional<QString> got = calc::rowEntry(formula, t, 1);
        QCOMPARE(got.has_value(), entry != "-");
        if (got)
            QCOMPARE(*got, entry);
    }

    void run_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("c1");
        QTest::addColumn<QStringList>("c2");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("angles");
        QTest::addColumn<QStringList>("result");
        QTest::addColumn<int>("missed");
        const QString start = QStringLiteral("########0.000");
        const QStringList none{"", "", ""};
        const int deg = expr::Degrees, rad = expr::Radians;
        QTest::newRow("C1 * 2") << start << QStringList{"1,000", "2,000", "3,000"} << none << 1
                                << "C1 * 2" << deg << QStringList{"2,000", "4,000", "6,000"} << 0;
        QTest::newRow("an empty source cell")
            << start << QStringList{"1,000", "", "3,000"} << none << 1 << "C1 * 2" << deg
            << QStringList{"2,000", "", "6,000"} << 1;
        QTest::newRow("three rows failing")
            << start << QStringList{"0,000", "0,000", "0,000"} << none << 1 << "1 / C1" << deg
            << QStringList{"", "", ""} << 3;
        QTest::newRow("no reference fills every row")
            << start << none << none << 1 << "2 ^ 10" << deg
            << QStringList{"1024,000", "1024,000", "1024,000"} << 0;
        QTest::newRow("minus a negative value")
            << start << QStringList{"-3,000", "", ""} << none << 1 << "2 - C1" << deg
            << QStringList{"5,000", "", ""} << 2;
        QTest::newRow("a negative value squared")
            << start << QStringList{"-3,000", "", ""} << none << 1 << "C1 ^ 2" << deg
            << QStringList{"9,000", "", ""} << 2;
        QTest::newRow("free format, 0,1 - .1 is 0")
            << "" << QStringList{"0,1", "", ""} << none << 1 << "C1 - .1" << deg
            << QStringList{"0", "", ""} << 2;
        QTest::newRow("degrees") << start << QStringList{"2,000", "4,000", "1,000"}
                                 << QStringList{"30,000", "90,000", "0,000"} << 2 << "C1 * sin (C2)"
                                 << deg << QStringList{"1,000", "4,000", "0,000"} << 0;
        QTest::newRow("radians") << start << QStringList{"1,000", "", ""}
                                 << QStringList{"90,000", "", ""} << 2 << "C1 * sin (C2)" << rad
                                 << QStringList{"0,894", "", ""} << 2;
        QTest::newRow("its own column typed in")
            << start << QStringList{"1,000", "2,000", ""} << none << 0 << "C1 + 1" << deg
            << QStringList{"2,000", "3,000", ""} << 1;
        QTest::newRow("beyond single precision is missed")
            << start << QStringList{"1,000E+30", "2,000", ""} << none << 1 << "C1 * C1" << deg
            << QStringList{"", "4,000", ""} << 2;
        QTest::newRow("a syntax error on every row")
            << start << QStringList{"1,000", "2,000", "3,000"} << none << 1 << "C1 * * 2" << deg
            << QStringList{"", "", ""} << 3;
    }
    // Action: compute the target column of a three-row table. Expected: the results in the
    // table's format, the missed rows emptied and counted, the formula stored.
    void run()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, c1);
        QFETCH(QStringList, c2);
        QFETCH(int, target);
        QFETCH(QString, formula);
        QFETCH(int, angles);
        QFETCH(QStringList, result);
        QFETCH(int, missed);
        TableModel t;
        t.setRowCount(4);
        t.setNumberFormat(format);
        for (int r = 0; r < 3; ++r) {
            t.setCell(r + 1, 0, c1[r]);
            t.setCell(r + 1, 1, c2[r]);
            if (target > 1)
                t.setCell(r + 1, target, QStringLiteral("99,000")); // overwritten or emptied
        }
        int seen = 0;
        const calc::ColumnRun run =
            calc::runColumn(t, target, formula, angles, false, [&seen](int row, int rows) {
                QCOMPARE(rows, 3);
                QCOMPARE(row, seen + 1);
                ++seen;
            });
        QCOMPARE(columnTexts(t, target), result);
        QCOMPARE(run.missed, missed);
        QCOMPARE(seen, 3);
        QCOMPARE(t.columnFormula(target), formula);
    }

    // Expected: with "Scientifique" a result goes through eight significant digits first.
    void scientific_display_rounds_first()
    {
        TableModel t;
        t.setRowCount(2);
        t.setNumberFormat(QStringLiteral("0.000000000"));
        t.setCell(1, 0, QStringLiteral("1,000"));
        calc::runColumn(t, 1, QStringLiteral("C1 / 7"), expr::Degrees, true);
        const QString scientific = t.getCell(1, 1);
        calc::runColumn(t, 1, QStringLiteral("C1 / 7"), expr::Degrees, false);
        QCOMPARE(scientific, QStringLiteral("0,142857134"));
        QCOMPARE(t.getCell(1, 1), QStringLiteral("0,142857149"));
    }

    void missed_message_data()
    {
        QTest::addColumn<int>("missed");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "";
        QTest::newRow("one") << 1 << "Une valeur n'a pas été calculée.";
        QTest::newRow("three") << 3 << " 3 valeurs n'ont pas été calculées.";
        QTest::newRow("a hundred") << 100 << " 100 valeurs n'ont pas été calculées.";
    }
    void missed_message()
    {
        QFETCH(int, missed);
        QFETCH(QString, text);
        QCOMPARE(calc::missedMessage(missed), text);
    }

    // Expected: a formula of 10 000 characters over 100 rows is computed, quickly.
    void long_formula()
    {
        TableModel t;
        t.setRowCount(101);
        t.setNumberFormat(QString());
        for (int r = 1; r <= 100; ++r)
            t.setCell(r, 0, QString::number(r));
        QString formula;
        for (int i = 0; i < 2500; ++i)
            formula += QStringLiteral("C1+");
        formula += QStringLiteral("1");
        QElapsedTimer clock;
        clock.start();
        const calc::ColumnRun run = calc::runColumn(t, 1, formula, expr::Degrees, false);
        QCOMPARE(run.missed, 0);
        QCOMPARE(t.getCell(1, 1), QStringLiteral("2501"));
        QCOMPARE(t.getCell(100, 1), QStringLiteral("250001"));
        QVERIFY(clock.elapsed() < 20000);
    }
};

QTEST_GUILESS_MAIN(TestColumnRun)
#include "tst_columnrun.moc"
