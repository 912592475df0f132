// SPDX-License-Identifier: GPL-3.0-or-later
// The table model without a window: number texts, key entry, leaving a cell, the rows and columns
// commands, the sort, arithmetic sequences, the table's text and pasting.
#include "core/table/tablecsv.h"
#include "core/table/tablemodel.h"

#include <QtTest>

namespace {

// Column c of the data rows, as texts.
QStringList column(const TableModel& t, int c)
{
    QStringList out;
    for (int r = 1; r < t.rowCount(); ++r)
        out << t.getCell(r, c);
    return out;
}
void fillColumn(TableModel& t, int c, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        t.setCell(i + 1, c, texts[i]);
}
QStringList blanks(int n)
{
    return QStringList(n, QString());
}

} // namespace

class TestTableModel : public QObject {
    Q_OBJECT

private slots:
    void format_table_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        const struct {
            const char* name;
            QString pattern;
            QString pi, negative, small;
        } rows[] = {
            {"2 decimals", "########0.00", "3,14", "-32135,35", "0,03"},
            {"3 decimals", "########0.000", "3,142", "-32135,350", "0,026"},
            {"free", "", "3,141593", "-32135,35", "0,0258"},
            {"scientific 3", "0.00E+00", "3,14E+00", "-3,21E+04", "2,58E-02"},
            {"scientific 4", "0.000E+00", "3,142E+00", "-3,214E+04", "2,580E-02"},
        };
        for (const auto& r : rows) {
            QTest::addRow("%s, pi", r.name) << r.pattern << 3.1415927f << r.pi;
            QTest::addRow("%s, negative", r.name) << r.pattern << -32135.35f << r.negative;
            QTest::addRow("%s, small", r.name) << r.pattern << 0.0258f << r.small;
        }
        QTest::newRow("integer part beyond the placeholders") << "0.00" << 123456.0f << "123456,00";
        QTest::newRow("sort format, whole number") << table::SortFormat << 10.0f << "10,";
        QTest::newRow("sort format keeps single precision")
            << table::SortFormat << 0.1f << "0,100000001490116";
        QTest::newRow("negative zero") << "########0.000" << -0.0f << "0,000";
        QTest::newRow("halves away from zero") << "0.0" << 0.25f << "0,3";
    }
    void format_table()
    {
        QFETCH(QString, pattern);
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(table::formatCellNumber(value, pattern), text);
    }

    void parse_cell_number_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<float>("value");
        QTest::newRow("integer") << "12" << true << 12.0f;
        QTest::newRow("decimal comma") << "1,5" << true << 1.5f;
        QTest::newRow("negative") << "-0,25" << true << -0.25f;
        QTest::newRow("exponent") << "1,5E-3" << true << 0.0015f;
        QTest::newRow("exponent with plus") << "2E+03" << true << 2000.0f;
        QTest::newRow("trailing comma") << "10," << true << 10.0f;
        QTest::newRow("leading comma") << ",5" << true << 0.5f;
        QTest::newRow("negative leading comma") << "-,5" << true << -0.5f;
        QTest::newRow("long decimals") << "3,14159274101257" << true << 3.1415927f;
        QTest::newRow("below the range is zero") << "1E-400" << true << 0.0f;
        QTest::newRow("empty") << "" << false << 0.0f;
        QTest::newRow("two commas") << "1,,2" << false << 0.0f;
        QTest::newRow("a point") << "1.5" << false << 0.0f;
        QTest::newRow("minus in the middle") << "1-2" << false << 0.0f;
        QTest::newRow("trailing E") << "2E" << false << 0.0f;
        QTest::newRow("lone comma") << "," << false << 0.0f;
        QTest::newRow("lone minus") << "-" << false << 0.0f;
        QTest::newRow("E alone") << "E5" << false << 0.0f;
        QTest::newRow("beyond single precision") << "1E39" << false << 0.0f;
        QTest::newRow("beyond double") << "1E400" << false << 0.0f;
        QTest::newRow("blanks") << " 1" << false << 0.0f;
        QTest::newRow("lower-case e") << "2e3" << false << 0.0f;
        QTest::newRow("arabic digits") << QString::fromUtf8("\u0661") << false << 0.0f;
    }
    void parse_cell_number()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(float, value);
        const auto v = table::parseCellNumber(text);
        QCOMPARE(v.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*v, value);
    }

    void key_entry_and_leaving_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("point becomes comma") << ""
                                             << "1.5"
                                             << "########0.000"
                                             << "1,5"
                                             << "1,500";
        QTest::newRow("exponent") << ""
                                  << "2e3"
                                  << "0.00E+00"
                                  << "2E3"
                                  << "2,00E+03";
        QTest::newRow("two commas") << ""
                                    << "1,,2"
                                    << "########0.000"
                                    << "1,,2"
                                    << "";
        QTest::newRow("keys append") << "1,500"
                                     << "2"
                                     << "########0.000"
                                     << "1,5002"
                                     << "1,500";
        QTest::newRow("free format") << ""
                                     << "0,1"
                                     << ""
                                     << "0,1"
                                     << "0,1";
        QTest::newRow("start format") << ""
                                      << "0,1"
                                      << "########0.000"
                                      << "0,1"
                                      << "0,100";
        QTest::newRow("other keys ignored") << ""
                                            << "a1 x+/2"
                                            << "########0.000"
                                            << "12"
                                            << "12,000";
        QTest::newRow("backspace") << ""
                                   << "12\b3"
                                   << "########0.000"
                                   << "13"
                                   << "13,000";
        QTest::newRow("backspace on empty") << ""
                                            << "\b"
                                            << "########0.000"
                                            << ""
                                            << "";
        QTest::newRow("minus anywhere") << ""
                                        << "1-"
                                        << "########0.000"
                                        << "1-"
                                        << "";
        QTest::newRow("enter and escape") << ""
                                          << "5\r\x1b"
                                          << "########0.000"
                                          << "5"
                                          << "5,000";
        QTest::newRow("two measurements run together") << ""
                                                       << "10.320.1"
                                                       << "########0.000"
                                                       << "10,320,1"
                                                       << "";
    }
    // Action: type the keys into the current cell, then leave it. Expected: the texts, and
    // leaving gives back the typed text exactly when it emptied the cell.
    void key_entry_and_leaving()
    {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, pattern);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        TableModel t;
        t.setNumberFormat(pattern);
        t.setCurrentCell(3, 2);
        t.setCell(3, 2, start);
        for (QChar k : keys)
            t.typeKey(k);
        QCOMPARE(t.getCell(3, 2), typed);
        QCOMPARE(t.leaveCell(), left.isEmpty() ? typed : QString());
        QCOMPARE(t.getCell(3, 2), left);
    }

    void delete_key_empties_at_once()
    {
        TableModel t;
        t.setCurrentCell(1, 0);
        t.setCell(1, 0, QStringLiteral("1,500"));
        t.deleteKey();
        QCOMPARE(t.getCell(1, 0), QString());
    }

    // State: the start table. Expected: titles C1 … C5, 10 data rows, no formulas, start format.
    void start_state()
    {
        TableModel t;
        QCOMPARE(t.rowCount(), 11);
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(t.title(c), QStringLiteral("C%1").arg(c + 1));
            QCOMPARE(t.columnFormula(c), QString());
        }
        QCOMPARE(t.numberFormat(), QStringLiteral("########0.000"));
        QCOMPARE(t.currentRow(), 1);
        QCOMPARE(t.getCell(1, 5), QString()); // outside: empty
        QCOMPARE(t.getCell(11, 0), QString());
    }

    // Expected: every data cell rewritten in the pattern; titles and texts beyond the last row
    // untouched; text that is not a number emptied.
    void reformat_table()
    {
        TableModel t;
        t.setCell(0, 1, QStringLiteral("1,5")); // a title that looks like a number
        fillColumn(t, 0, {"0,0258", "abc", "", "-1E2"});
        fillColumn(t, 1, {"3", "4,000"});
        t.setNumberFormat(QStringLiteral("0.000E+00"));
        t.reformatTable();
        QCOMPARE(column(t, 0), QStringList({"2,580E-02", "", "", "-1,000E+02"}) + blanks(6));
        QCOMPARE(column(t, 1), QStringList({"3,000E+00", "4,000E+00"}) + blanks(8));
        QCOMPARE(t.title(1), QStringLiteral("1,5"));
    }

    void row_count_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("rows");
        QTest::newRow("shrink to 3 data rows") << 4 << 4;
        QTest::newRow("grow to 100 data rows") << 101 << 101;
        QTest::newRow("beyond 100") << 500 << 101;
        QTest::newRow("no data row") << 1 << 2;
        QTest::newRow("negative") << -3 << 2;
    }
    // Action: set the row count with every row filled. Expected: dropped rows lose their texts
    // for good; new rows are empty.
    void row_count()
    {
        QFETCH(int, asked);
        QFETCH(int, rows);
        TableModel t;
        for (int r = 1; r <= 10; ++r)
            t.setCell(r, 0, QString::number(r));
        t.setCurrentCell(10, 0);
        t.setRowCount(asked);
        QCOMPARE(t.rowCount(), rows);
        QVERIFY(t.currentRow() < t.rowCount());
        t.setRowCount(101);
        for (int r = 1; r <= 100; ++r)
            QCOMPARE(t.getCell(r, 0), r < rows && r <= 10 ? QString::number(r) : QString());
    }

    void rows_commands()
    {
        TableModel t;
        t.setRowCount(4);
        fillColumn(t, 0, {"A", "B", "C"});
        fillColumn(t, 4, {"a", "b", "c"});
        t.setCurrentCell(2, 3);
        // Insert above the current row: A, empty, B, C; the current row is the empty one.
        QVERIFY(t.insertRowAbove());
        QCOMPARE(column(t, 0), QStringList({"A", "", "B", "C"}));
        QCOMPARE(column(t, 4), QStringList({"a", "", "b", "c"}));
        QCOMPARE(t.currentRow(), 2);
        // Delete it again, then the row of B: A, C.
        QVERIFY(t.deleteCurrentRow());
        QVERIFY(t.deleteCurrentRow());
        QCOMPARE(column(t, 0), QStringList({"A", "C"}));
        QCOMPARE(t.rowCount(), 3);
        QVERIFY(t.appendRow());
        QCOMPARE(column(t, 0), QStringList({"A", "C", ""}));
        // The last data row cannot be deleted.
        t.setRowCount(2);
        QVERIFY(!t.deleteCurrentRow());
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.getCell(1, 0), QStringLiteral("A"));
        // A full table takes no more rows.
        t.setRowCount(101);
        t.setCurrentCell(50, 0);
        t.setCell(100, 0, QStringLiteral("last"));
        QVERIFY(!t.insertRowAbove());
        QVERIFY(!t.appendRow());
        QCOMPARE(t.rowCount(), 101);
        QCOMPARE(t.getCell(100, 0), QStringLiteral("last"));
        // Deleting the last row moves the current cell onto the new last row.
        t.setCurrentCell(100, 0);
        QVERIFY(t.deleteCurrentRow());
        QCOMPARE(t.currentRow(), 99);
    }

    // Expected: clearing a column keeps its title and its formula; clearing the table brings
    // back the start titles, 10 empty rows and no formulas, and keeps the format.
    void clearing()
    {
        TableModel t;
        t.setCell(0, 0, QStringLiteral("Angle"));
        t.setColumnFormula(2, QStringLiteral("C1 * 2"));
        fillColumn(t, 2, {"1,000", "2,000"});
        fillColumn(t, 0, {"5,000"});
        t.clearColumn(2);
        QCOMPARE(column(t, 2), blanks(10));
        QCOMPARE(t.columnFormula(2), QStringLiteral("C1 * 2"));
        QCOMPARE(t.getCell(1, 0), QStringLiteral("5,000"));
        t.setRowCount(30);
        t.setNumberFormat(QStringLiteral("0.00E+00"));
        t.reset();
        QCOMPARE(t.rowCount(), 11);
        QCOMPARE(t.title(0), QStringLiteral("C1"));
        QCOMPARE(t.columnFormula(2), QString());
        QCOMPARE(column(t, 0), blanks(10));
        QCOMPARE(t.numberFormat(), QStringLiteral("0.00E+00"));
        t.clearAll();
        QCOMPARE(t.title(3), QString());
    }

    void sort_data()
    {
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QStringList>("key");
        QTest::addColumn<QStringList>("other");
        QTest::addColumn<QStringList>("sortedKey");
        QTest::addColumn<QStringList>("sortedOther");
        const QStringList key{"10,000", "2,000", "33,000"}, other{"a", "b", "c"};
        QTest::newRow("ascending")
            << true << key << other << QStringList{"2,000", "10,000", "33,000"}
            << QStringList{"2,000", "1,000", "3,000"};
        QTest::newRow("descending")
            << false << key << other << QStringList{"33,000", "10,000", "2,000"}
            << QStringList{"3,000", "1,000", "2,000"};
        QTest::newRow("text is emptied first, empty rows last")
            << true << QStringList{"5,000", "abc", "-1,000"} << other
            << QStringList{"-1,000", "5,000", ""} << QStringList{"3,000", "1,000", "2,000"};
        QTest::newRow("negative and exponent values")
            << true << QStringList{"1,000E+02", "-2,500", "0,001"} << other
            << QStringList{"-2,500", "0,001", "100,000"} << QStringList{"2,000", "3,000", "1,000"};
    }
    // Action: sort on C2, C4 holding 1, 2, 3 on the same rows. Expected: whole rows move, back
    // in the table's format; the empty rows stay below the values.
    void sort()
    {
        QFETCH(bool, ascending);
        QFETCH(QStringList, key);
        QFETCH(QStringList, sortedKey);
        QFETCH(QStringList, sortedOther);
        TableModel t;
        fillColumn(t, 1, key);
        fillColumn(t, 3, {"1,000", "2,000", "3,000"});
        t.sortRows(1, ascending);
        QCOMPARE(column(t, 1), sortedKey + blanks(7));
        QCOMPARE(column(t, 3), sortedOther + blanks(7));
        QCOMPARE(t.numberFormat(), QStringLiteral("########0.000"));
    }

    // Expected: a sort keeps whole numbers and every digit the format shows.
    void sort_keeps_values()
    {
        TableModel t;
        t.setNumberFormat(QString());
        fillColumn(t, 0, {"3,141593", "10", "0,0001", "1,234568E+07"});
        t.sortRows(0, true);
        QCOMPARE(column(t, 0),
                 QStringList({"0,0001", "3,141593", "10", "1,234568E+07"}) + blanks(6));
    }

    void sequence_data()
    {
        QTest::addColumn<float>("first");
        QTest::addColumn<float>("last");
        QTest::addColumn<float>("step");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("texts");
        using R = table::SequenceResult;
        QTest::newRow("0 to 10 by 2")
            << 0.0f << 10.0f << 2.0f << int(R::Filled) << 11
            << QStringList{"0,000", "2,000", "4,000", "6,000", "8,000", "10,000"};
        QTest::newRow("10 to 0 by -2.5")
            << 10.0f << 0.0f << -2.5f << int(R::Filled) << 11
            << QStringList{"10,000", "7,500", "5,000", "2,500", "0,000"};
        QTest::newRow("0 to 1 by 0.3, 1 never written")
            << 0.0f << 1.0f << 0.3f << int(R::Filled) << 11
            << QStringList{"0,000", "0,300", "0,600", "0,900"};
        QTest::newRow("empty first counts as 0") << 0.0f << 3.0f << 1.0f << int(R::Filled) << 11
                                                 << QStringList{"0,000", "1,000", "2,000", "3,000"};
        QTest::newRow("100 terms")
            << 1.0f << 100.0f << 1.0f << int(R::Filled) << 101 << QStringList{"1,000", "2,000"};
        QTest::newRow("101 terms refused")
            << 0.0f << 100.0f << 1.0f << int(R::TooLong) << 11 << QStringList{};
        QTest::newRow("a huge count refused")
            << 0.0f << 1e30f << 1e-30f << int(R::TooLong) << 11 << QStringList{};
        QTest::newRow("wrong direction")
            << 5.0f << 1.0f << 1.0f << int(R::Invalid) << 11 << QStringList{};
        QTest::newRow("wrong direction, negative step")
            << 1.0f << 5.0f << -1.0f << int(R::Invalid) << 11 << QStringList{};
        QTest::newRow("zero step")
            << 0.0f << 5.0f << 0.0f << int(R::Invalid) << 11 << QStringList{};
        QTest::newRow("first equals last")
            << 2.0f << 2.0f << 1.0f << int(R::Invalid) << 11 << QStringList{};
    }
    // Action: fill C3 of a table holding "x" in C3's row 8 and C1 everywhere.
    // Expected: the terms from row 1, the table grown when needed, the rest untouched.
    void sequence()
    {
        QFETCH(float, first);
        QFETCH(float, last);
        QFETCH(float, step);
        QFETCH(int, result);
        QFETCH(int, rows);
        QFETCH(QStringList, texts);
        TableModel t;
        t.setCell(8, 2, QStringLiteral("8,000"));
        fillColumn(t, 0, QStringList(10, QStringLiteral("1,000")));
        QCOMPARE(int(t.fillSequence(2, first, last, step)), result);
        QCOMPARE(t.rowCount(), rows);
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(t.getCell(i + 1, 2), texts[i]);
        if (texts.size() < 8)
            QCOMPARE(t.getCell(8, 2), QStringLiteral("8,000"));
        QCOMPARE(column(t, 0).mid(0, 10), QStringList(10, QStringLiteral("1,000")));
        if (rows == 101)
            QCOMPARE(t.getCell(100, 2), QStringLiteral("100,000"));
    }

    // Expected: titles first, a tab between cells, a line feed between rows, none at the end.
    void content_text()
    {
        TableModel t;
        t.setRowCount(3);
        fillColumn(t, 0, {"1,000", "2,000"});
        QCOMPARE(t.contentText(),
                 QStringLiteral("C1\tC2\tC3\tC4\tC5\n1,000\t\t\t\t\n2,000\t\t\t\t"));
    }

    void paste_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("dropped");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("cells"); // "row,column=text"
        QTest::addColumn<int>("unreadable");
        QTest::newRow("one value") << 1 << 0 << "1.5" << 0 << 11 << QStringList{"1,0=1,500"} << 0;
        QTest::newRow("tabs and line feeds")
            << 2 << 1 << "1\t2\n3\t4\n"
            << 0 << 11 << QStringList{"2,1=1,000", "2,2=2,000", "3,1=3,000", "3,2=4,000"} << 0;
        QTest::newRow("carriage return and line feed")
            << 1 << 0 << "10,5\t-2e1\r\n0.25\r\n"
            << 0 << 11 << QStringList{"1,0=10,500", "1,1=-20,000", "2,0=0,250"} << 0;
        QTest::newRow("beyond C5 dropped")
            << 1 << 3 << "1\t2\t3\t4" << 2 << 11 << QStringList{"1,3=1,000", "1,4=2,000"} << 0;
        QTest::newRow("one beyond C5")
            << 1 << 4 << "1\t2" << 1 << 11 << QStringList{"1,4=1,000"} << 0;
        QTest::newRow("text is not a number")
            << 1 << 0 << "Angle\t12" << 0 << 11 << QStringList{"1,0=", "1,1=12,000"} << 1;
        QTest::newRow("texts without a digit")
            << 1 << 0 << "x\tabc\t3" << 0 << 11 << QStringList{"1,0=", "1,1=", "1,2=3,000"} << 2;
        QTest::newRow("one not a number, one beyond C5")
            << 1 << 4 << "x\ty" << 1 << 11 << QStringList{"1,4="} << 1;
        QTest::newRow("empty values empty the cells")
            << 1 << 0 << "\t7" << 0 << 11 << QStringList{"1,0=", "1,1=7,000"} << 0;
        QTest::newRow("grows the table")
            << 10 << 0 << "1\n2\n3" << 0 << 13 << QStringList{"10,0=1,000", "12,0=3,000"} << 0;
    }
    // Action: paste from the current cell of a table whose C1 holds 9,000 in row 1. Expected: the
    // values dropped beyond C5 or row 100, the cells, the values that were not numbers.
    void paste()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, dropped);
        QFETCH(int, rows);
        QFETCH(QStringList, cells);
        QFETCH(int, unreadable);
        TableModel t;
        t.setCell(1, 0, QStringLiteral("9,000"));
        t.setCurrentCell(row, column);
        int unread = -1;
        QCOMPARE(t.paste(text, &unread), dropped);
        QCOMPARE(unread, unreadable);
        QCOMPARE(t.rowCount(), rows);
        for (const QString& cell : cells) {
            const QStringList parts = cell.split(u'=');
            const QStringList at = parts[0].split(u',');
            QCOMPARE(t.getCell(at[0].toInt(), at[1].toInt()), parts[1]);
        }
    }

    // Expected: a paste never grows past 100 data rows; what falls beyond is counted.
    void paste_beyond_row_100()
    {
        TableModel t;
        t.setCurrentCell(10, 3);
        QString text;
        for (int i = 0; i < 120; ++i)
            text += QStringLiteral("%1\t%2\t%3\n").arg(i).arg(i).arg(i);
        QCOMPARE(t.paste(text), 120 + 29 * 2); // the third values, and rows 101 to 129
        QCOMPARE(t.rowCount(), 101);
        QCOMPARE(t.getCell(100, 3), QStringLiteral("90,000"));
        QCOMPARE(t.getCell(100, 4), QStringLiteral("90,000"));
    }

    // Expected: binary and huge texts neither crash nor break the invariant.
    void paste_garbage()
    {
        TableModel t;
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes.append(char((i * 7919) % 256));
        t.paste(QString::fromLatin1(bytes));
        QString huge(1'000'000, u'9');
        huge[500] = u'\t';
        t.paste(huge);
        for (int r = 1; r < t.rowCount(); ++r)
            for (int c = 0; c < 5; ++c) {
                const QString cell = t.getCell(r, c);
                QVERIFY(cell.isEmpty() || table::parseCellNumber(cell).has_value());
            }
    }

    // The spreadsheet file: a byte-order mark, the titles first, ";" between fields, the cells as
    // the table shows them (decimal commas), empty cells empty, CR LF after every line; a field
    // holding ";", quotes or a line break quoted with its quotes doubled.
    void csv_text_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("lines");
        QTest::newRow("start titles, empty cells")
            << QString() << QString() << QByteArray("C1;C2;C3;C4;C5\r\n;;;;\r\n;;;;\r\n");
        QTest::newRow("a number with its decimal comma")
            << QString() << QStringLiteral("2,5")
            << QByteArray("C1;C2;C3;C4;C5\r\n2,500;;;;\r\n;;;;\r\n");
        QTest::newRow("a title with accents")
            << QStringLiteral("Angle réfracté r (°)") << QStringLiteral("-0,25")
            << QByteArray("Angle r\xc3\xa9"
                          "fract\xc3\xa9 r (\xc2\xb0);C2;C3;C4;C5\r\n-0,250;;;;\r\n;;;;\r\n");
        QTest::newRow("a title with a semicolon and quotes")
            << QStringLiteral("i; \"mesuré\"") << QString()
            << QByteArray("\"i; \"\"mesur\xc3\xa9\"\"\";C2;C3;C4;C5\r\n;;;;\r\n;;;;\r\n");
        QTest::newRow("a title on two lines")
            << QStringLiteral("sin i\nsin r") << QString()
            << QByteArray("\"sin i\nsin r\";C2;C3;C4;C5\r\n;;;;\r\n;;;;\r\n");
    }
    void csv_text()
    {
        QFETCH(QString, title);
        QFETCH(QString, value);
        QFETCH(QByteArray, lines);
        TableModel table;
        table.setRowCount(3);
        if (!title.isEmpty())
            table.setCell(0, 0, title);
        if (!value.isEmpty()) {
            table.setCell(1, 0, value);
            table.reformatTable();
        }
        QCOMPARE(table::csvText(table), QByteArray("\xEF\xBB\xBF") + lines);
    }

    // The number format's own writing is kept: a scientific format's comma and exponent, as shown.
    void csv_keeps_the_number_format()
    {
        TableModel table;
        table.setRowCount(2);
        table.setNumberFormat(QStringLiteral("0.00E+00"));
        table.setCell(1, 4, QStringLiteral("1234,5"));
        table.reformatTable();
        const QByteArray csv = table::csvText(table);
        QCOMPARE(csv.split('\n').at(1), (";;;;" + table.getCell(1, 4).toUtf8() + "\r"));
        QVERIFY(table.getCell(1, 4).contains(QLatin1Char(',')));
    }
};

QTEST_GUILESS_MAIN(TestTableModel)
#include "tst_tablemodel.moc"
