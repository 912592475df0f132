// SPDX-License-Identifier: GPL-3.0-or-later
// The table's three dialogs driven through their real widgets: the row count, the number format
// and the arithmetic sequence.
#include "core/table/tablemodel.h"
#include "gui/table/arith.h"
#include "gui/table/fnblignes.h"
#include "gui/table/formatdonnees.h"

#include "support/modalwatchdog.h"
#include "support/responder.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

namespace {

QRgb rgbAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xffffff;
}

// How many pixels of the rectangle have exactly that colour.
int countColour(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgbAt(image, x, y) == colour;
    return n;
}

// How many pixels of the rectangle are dark (text ink, smoothed edges included).
int countDark(const QImage& image, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
        }
    return n;
}

QImage picture(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestTableDialogs : public QObject {
    Q_OBJECT
    TableModel table;

    QStringList column(int col, int firstRow, int count) const
    {
        QStringList out;
        for (int r = firstRow; r < firstRow + count; ++r)
            out << table.getCell(r, col);
        return out;
    }

private slots:
    void init() { table = TableModel(); }

    // ---- fnblignes --------------------------------------------------------------------------

    void rowCountStartsAtTheDataRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("label");
        QTest::newRow("start table") << 11 << 10 << "10";
        QTest::newRow("one data row") << 2 << 1 << "1";
        QTest::newRow("full table") << 101 << 100 << "100";
        QTest::newRow("37 data rows") << 38 << 37 << "37";
    }
    // Action: open the dialog on tables of several sizes. Expected: the spinner and Label1 show
    // the number of data rows, the title row not counted.
    void rowCountStartsAtTheDataRows()
    {
        QFETCH(int, rows);
        QFETCH(int, value);
        QFETCH(QString, label);
        table.setRowCount(rows);
        fnblignes dlg(table, nullptr);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Nombre de lignes du tableau"));
        QCOMPARE(dlg.UpDown1->value(), value);
        QCOMPARE(dlg.Label1->text(), label);
        QCOMPARE(dlg.UpDown1->minimum(), 1);
        QCOMPARE(dlg.UpDown1->maximum(), 100);
    }

    void rowCountLabelFollowsTheSpinner_data()
    {
        QTest::addColumn<int>("setTo"); // -1: left at the start value 10
        QTest::addColumn<int>("arrowSteps");
        QTest::addColumn<QString>("label");
        QTest::newRow("set to 42") << 42 << 0 << "42";
        QTest::newRow("below the minimum") << 0 << 0 << "1";
        QTest::newRow("above the maximum") << 150 << 0 << "100";
        QTest::newRow("up arrow") << -1 << 1 << "11";
        QTest::newRow("three down arrows") << -1 << -3 << "7";
        QTest::newRow("down at the minimum") << 1 << -1 << "1";
        QTest::newRow("up at the maximum") << 100 << 2 << "100";
    }
    // Action: set the spinner or press its arrow keys. Expected: Label1 shows the spinner's value
    // as a plain integer after every change, within 1 … 100.
    void rowCountLabelFollowsTheSpinner()
    {
        QFETCH(int, setTo);
        QFETCH(int, arrowSteps);
        QFETCH(QString, label);
        fnblignes dlg(table, nullptr);
        if (setTo >= 0)
            dlg.UpDown1->setValue(setTo);
        for (int i = 0; i < qAbs(arrowSteps); ++i)
            QTest::keyClick(dlg.UpDown1, arrowSteps > 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(dlg.Label1->text(), label);
    }

    void rowCountOkResizesTheTable_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("firstColumn"); // rows 1 … rows − 1
        QTest::newRow("shrink to 3") << 3 << 4 << QStringList{"1,000", "2,000", "3,000"};
        QTest::newRow("shrink to 1") << 1 << 2 << QStringList{"1,000"};
        QTest::newRow("unchanged")
            << 10 << 11 << QStringList{"1,000", "2,000", "3,000", "4,000", "5,000",
                                       "6,000", "7,000", "8,000", "9,000", "10,000"};
        QTest::newRow("grow to 12")
            << 12 << 13 << QStringList{"1,000", "2,000", "3,000", "4,000",  "5,000", "6,000",
                                       "7,000", "8,000", "9,000", "10,000", "",      ""};
    }
    // Action: on a table of 10 filled rows, choose a count and press OK. Expected: the table has
    // that many data rows; the kept rows keep their texts, new rows are empty.
    void rowCountOkResizesTheTable()
    {
        QFETCH(int, value);
        QFETCH(int, rows);
        QFETCH(QStringList, firstColumn);
        for (int r = 1; r <= 10; ++r)
            table.setCell(r, 0, QStringLiteral("%1,000").arg(r));
        fnblignes dlg(table, nullptr);
        dlg.UpDown1->setValue(value);
        dlg.Command1->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(table.rowCount(), rows);
        QCOMPARE(column(0, 1, rows - 1), firstColumn);
    }

    // Action: shrink a table of 10 filled rows to 3, then grow it back to 10.
    // Expected: rows 4 to 10 come back empty: the dropped rows are lost for good.
    void rowCountShrinkingDropsRowsForGood()
    {
        for (int r = 1; r <= 10; ++r)
            table.setCell(r, 4, QStringLiteral("%1,000").arg(r));
        fnblignes shrink(table, nullptr);
        shrink.UpDown1->setValue(3);
        shrink.Command1->click();
        fnblignes grow(table, nullptr);
        QCOMPARE(grow.UpDown1->value(), 3);
        grow.UpDown1->setValue(10);
        grow.Command1->click();
        QCOMPARE(column(4, 1, 10),
                 (QStringList{"1,000", "2,000", "3,000", "", "", "", "", "", "", ""}));
    }

    void rowCountCancelKeepsTheTable_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Annuler") << false;
        QTest::newRow("Escape") << true;
    }
    // Action: change the spinner, then Annuler or Escape. Expected: the dialog is rejected and
    // the table keeps its 10 data rows.
    void rowCountCancelKeepsTheTable()
    {
        QFETCH(bool, escape);
        fnblignes dlg(table, nullptr);
        dlg.UpDown1->setValue(2);
        if (escape)
            QTest::keyClick(&dlg, Qt::Key_Escape);
        else
            dlg.Command2->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(table.rowCount(), 11);
    }

    // Action: render the dialog. Expected: the engraved captions show grey (palette 7) and black
    // pixels; the first line ends some 20 pixels before the right edge; the third caption ends
    // against Label1.
    void rowCountPaintsEngravedCaptions()
    {
        fnblignes dlg(table, nullptr);
        const QImage img = picture(dlg);
        const QRgb grey = 0xc0c0c0;
        const QRgb black = 0x000000;
        const QRect line1(0, 8, img.width(), 18);
        QVERIFY(countColour(img, line1, grey) > 20);
        QVERIFY(countColour(img, line1, black) > 50);
        const QRect line2(0, 28, img.width(), 18);
        QVERIFY(countColour(img, line2, grey) > 20);
        QVERIFY(countColour(img, line2, black) > 50);
        // The grey copy lies one pixel lower right: its last column is right of the black one.
        int lastBlack = -1;
        int lastGrey = -1;
        for (int x = 0; x < img.width(); ++x)
            for (int y = line1.top(); y <= line1.bottom(); ++y) {
                if (rgbAt(img, x, y) == black)
                    lastBlack = x;
                if (rgbAt(img, x, y) == grey)
                    lastGrey = x;
            }
        QVERIFY2(lastBlack >= img.width() - 26 && lastBlack <= img.width() - 18,
                 qPrintable(QString::number(lastBlack)));
        QCOMPARE(lastGrey, lastBlack + 1);
        const QRect label = dlg.Label1->geometry();
        const QRect beforeLabel(label.left() - 30, label.top(), 30, label.height());
        QVERIFY(countColour(img, beforeLabel, black) > 10);
        QVERIFY(countColour(img, beforeLabel, grey) > 3);
    }

    // ---- Formatdonnees ----------------------------------------------------------------------

    void formatShowsTheFiveOptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("1") << "Option1"
                           << "Standard1: 2 chiffres après la virgule";
        QTest::newRow("2") << "Option2"
                           << "Standard2: 3 chiffres après la virgule";
        QTest::newRow("3") << "Option3"
                           << "Standard3: libre";
        QTest::newRow("4") << "Option4"
                           << "Scientifique1: 3 chiffres significatifs";
        QTest::newRow("5") << "Option5"
                           << "Scientifique2: 4 chiffres significatifs";
    }
    // Action: open the dialog. Expected: its title and label, and each option with its caption,
    // wholly shown left of the example table (x = 250).
    void formatShowsTheFiveOptions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Formatdonnees dlg(table, nullptr);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Format d'écritue des données dans le tableau"));
        QCOMPARE(
            dlg.Label1->text(),
            QStringLiteral("Choisir une option d'affichage en vous aidant du tableau d'exemples."));
        auto* option = dlg.findChild<QRadioButton*>(name);
        QVERIFY(option);
        QCOMPARE(option->text(), caption);
        QVERIFY(option->width() >= option->sizeHint().width());
        QVERIFY(option->x() + option->sizeHint().width() <= 250);
    }

    void formatStartSelection_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("checked"); // "": none
        QTest::newRow("2 decimals") << "########0.00"
                                    << "Option1";
        QTest::newRow("3 decimals") << "########0.000"
                                    << "Option2";
        QTest::newRow("free format") << ""
                                     << "Option3";
        QTest::newRow("3 significant digits") << "0.00E+00"
                                              << "Option4";
        QTest::newRow("4 significant digits") << "0.000E+00"
                                              << "Option5";
        QTest::newRow("foreign 0.0") << "0.0"
                                     << "";
        QTest::newRow("foreign ##0.0") << "##0.0"
                                       << "";
    }
    // Action: open the dialog with the table in a pattern. Expected: the option of that pattern is
    // the only one checked; none for a pattern that is not offered.
    void formatStartSelection()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, checked);
        table.setNumberFormat(pattern);
        Formatdonnees dlg(table, nullptr);
        for (QRadioButton* option :
             {dlg.Option1, dlg.Option2, dlg.Option3, dlg.Option4, dlg.Option5})
            QCOMPARE(option->isChecked(), option->objectName() == checked);
    }

    void formatOkReformatsTheTable_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("choose"); // "": no click
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("cells"); // 1234,500 and 0,026 and a text
        QTest::newRow("Standard1") << "########0.000"
                                   << "Option1"
                                   << "########0.00" << QStringList{"1234,50", "0,03", ""};
        QTest::newRow("Standard2 from free")
            << ""
            << "Option2"
            << "########0.000" << QStringList{"1234,500", "0,026", ""};
        QTest::newRow("Standard3") << "########0.000"
                                   << "Option3"
                                   << "" << QStringList{"1234,5", "0,026", ""};
        QTest::newRow("Scientifique1") << "########0.000"
                                       << "Option4"
                                       << "0.00E+00" << QStringList{"1,23E+03", "2,60E-02", ""};
        QTest::newRow("Scientifique2") << "0.00E+00"
                                       << "Option5"
                                       << "0.000E+00" << QStringList{"1,235E+03", "2,600E-02", ""};
        QTest::newRow("foreign kept") << "0.0"
                                      << ""
                                      << "0.0" << QStringList{"1234,5", "0,0", ""};
        QTest::newRow("foreign replaced") << "0.0"
                                          << "Option4"
                                          << "0.00E+00" << QStringList{"1,23E+03", "2,60E-02", ""};
    }
    // Action: choose an option (or none) and press OK. Expected: the table's pattern is that of
    // the option, unchanged when none is checked, and every data cell is rewritten with it.
    void formatOkReformatsTheTable()
    {
        QFETCH(QString, start);
        QFETCH(QString, choose);
        QFETCH(QString, pattern);
        QFETCH(QStringList, cells);
        table.setCell(1, 0, QStringLiteral("1234,500"));
        table.setCell(2, 3, QStringLiteral("0,026"));
        table.setCell(10, 4, QStringLiteral("abc"));
        table.setNumberFormat(start);
        Formatdonnees dlg(table, nullptr);
        if (!choose.isEmpty())
            dlg.findChild<QRadioButton*>(choose)->click();
        dlg.Command1->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(table.numberFormat(), pattern);
        QCOMPARE((QStringList{table.getCell(1, 0), table.getCell(2, 3), table.getCell(10, 4)}),
                 cells);
        QCOMPARE(table.title(0), QStringLiteral("C1"));
    }

    void formatCancelChangesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Annuler") << false;
        QTest::newRow("Escape") << true;
    }
    // Action: choose Scientifique1, then Annuler or Escape. Expected: the pattern stays and the
    // cells are not rewritten.
    void formatCancelChangesNothing()
    {
        QFETCH(bool, escape);
        table.setCell(1, 0, QStringLiteral("1234,5"));
        Formatdonnees dlg(table, nullptr);
        dlg.Option4->click();
        if (escape)
            QTest::keyClick(&dlg, Qt::Key_Escape);
        else
            dlg.Command2->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(table.numberFormat(), QStringLiteral("########0.000"));
        QCOMPARE(table.getCell(1, 0), QStringLiteral("1234,5"));
    }

    // Action: ask for the example table's texts. Expected: the three values in the free format,
    // then in each option's pattern, with the decimal comma.
    void formatExampleTexts()
    {
        const QStringList expected{"3,141593",  "-32135,35",  "0,0258",     // heading: free format
                                   "3,14",      "-32135,35",  "0,03",       // Standard1
                                   "3,142",     "-32135,350", "0,026",      // Standard2
                                   "3,141593",  "-32135,35",  "0,0258",     // Standard3
                                   "3,14E+00",  "-3,21E+04",  "2,58E-02",   // Scientifique1
                                   "3,142E+00", "-3,214E+04", "2,580E-02"}; // Scientifique2
        QCOMPARE(Formatdonnees::exampleTexts(), expected);
    }

    // Action: render the dialog. Expected: the shadow, the white panel, the light cyan heading
    // band and the cyan line at their places from the options' tops, and ink in each of the 18
    // cells of the example table.
    void formatPaintsTheExampleTable()
    {
        Formatdonnees dlg(table, nullptr);
        const QImage img = picture(dlg);
        const int t = dlg.Option1->y();
        const int b = dlg.Option5->y();
        const int s = dlg.Option2->y() - t;
        QCOMPARE(dlg.Option3->y() - dlg.Option2->y(), s);
        QCOMPARE(b - t, 4 * s);
        QCOMPARE(rgbAt(img, 252, t - s - 4), QRgb(0x00ffff)); // band
        QCOMPARE(rgbAt(img, 549, t - 9), QRgb(0x00ffff));     // band, last row and column
        QCOMPARE(rgbAt(img, 252, t - 8), QRgb(0x008080));     // line
        QCOMPARE(rgbAt(img, 549, t - 8), QRgb(0x008080));     // line, last pixel
        QCOMPARE(rgbAt(img, 550, t - 8), QRgb(0xffffff));     // line stops before x = 550
        QCOMPARE(rgbAt(img, 252, t - 7), QRgb(0xffffff));     // panel
        QCOMPARE(rgbAt(img, 550, b + s), QRgb(0xffffff));     // panel, last corner
        QCOMPARE(rgbAt(img, 553, t), QRgb(0x808080));         // shadow, right
        QCOMPARE(rgbAt(img, 300, b + s + 3), QRgb(0x808080)); // shadow, below
        QCOMPARE(rgbAt(img, 556, b + s + 5), QRgb(0x808080)); // shadow, last corner
        QVERIFY(rgbAt(img, 252, b + s + 3) != 0x808080);      // shadow starts at x = 255
        QVERIFY(rgbAt(img, 557, b + s + 5) != 0x808080);
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 3; ++j) {
                const QRect cell(270 + 100 * j, t - s + i * s, 60, 14);
                QVERIFY2(countDark(img, cell) > 5,
                         qPrintable(QStringLiteral("row %1 column %2").arg(i).arg(j)));
            }
        // Nothing is written left of the cells' start.
        QCOMPARE(countDark(img, QRect(252, t - s - 4, 16, 5 * s)), 0);
    }

    // ---- arith ------------------------------------------------------------------------------

    void sequenceKeyFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("point, letters, sign") << "1.5e-x"
                                              << "1,5-";
        QTest::newRow("negative decimal") << "-3.25"
                                          << "-3,25";
        QTest::newRow("no exponent letter") << "2E3"
                                            << "23";
        QTest::newRow("letters only") << "abc"
                                      << "";
        QTest::newRow("blank, plus, semicolon") << " +7;"
                                                << "7";
        QTest::newRow("no check while typing") << "1,,2--"
                                               << "1,,2--";
    }
    // Action: type keys into each box. Expected: "." becomes ",", digits, "," and "-" are kept,
    // every other character is discarded.
    void sequenceKeyFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        arith dlg(table, nullptr);
        for (QLineEdit* box : dlg.Text1) {
            QTest::keyClicks(box, typed);
            QCOMPARE(box->text(), text);
        }
    }

    // Action: Backspace, Delete and the caret keys in a box. Expected: they edit as usual.
    void sequenceEditingKeysWork()
    {
        arith dlg(table, nullptr);
        QLineEdit* box = dlg.Text1[1];
        QTest::keyClicks(box, QStringLiteral("123"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("2"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClicks(box, QStringLiteral(".5"));
        QCOMPARE(box->text(), QStringLiteral("2,5"));
    }

    void sequencePasteIsFiltered_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("point and letters") << "" << 0 << "1.5e3abc"
                                           << "1,53" << 4;
        QTest::newRow("signs and blanks") << "" << 0 << " x-4,2y +"
                                          << "-4,2" << 4;
        QTest::newRow("accented letters") << "" << 0 << "éèà"
                                          << "" << 0;
        QTest::newRow("line break") << "" << 0 << "12\n34"
                                    << "1234" << 4;
        QTest::newRow("inside a text") << "12" << 1 << "a.5"
                                       << "1,52" << 3;
    }
    // Action: paste a text into a box with Ctrl+V. Expected: the box keeps only what the keys
    // would have let through, the caret after the pasted part.
    void sequencePasteIsFiltered()
    {
        QFETCH(QString, start);
        QFETCH(int, caret);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        QFETCH(int, caretAfter);
        QApplication::clipboard()->setText(clipboard);
        arith dlg(table, nullptr);
        QLineEdit* box = dlg.Text1[0];
        box->setText(start);
        box->setCursorPosition(caret);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->cursorPosition(), caretAfter);
    }

    void sequenceLeavingABoxNormalises_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("trailing zero") << "1,50"
                                       << "1,5";
        QTest::newRow("leading comma") << ",5"
                                       << "0,5";
        QTest::newRow("negative leading comma") << "-.25"
                                                << "-0,25";
        QTest::newRow("trailing comma") << "10,"
                                        << "10";
        QTest::newRow("leading zeros") << "007"
                                       << "7";
        QTest::newRow("two commas") << "1,,2"
                                    << "";
        QTest::newRow("lone minus") << "-"
                                    << "";
        QTest::newRow("minus inside") << "1-2"
                                      << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("tenth") << "0.1"
                               << "0,1";
        QTest::newRow("beyond single precision") << QString(45, QLatin1Char('9')) << "";
    }
    // Action: type into the first box, then Tab to the next one. Expected: the focus moves and the
    // left box holds its number in the free format, or nothing.
    void sequenceLeavingABoxNormalises()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        arith dlg(table, nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.Text1[0]->setFocus();
        QVERIFY(dlg.Text1[0]->hasFocus());
        QTest::keyClicks(dlg.Text1[0], typed);
        QTest::keyClick(dlg.Text1[0], Qt::Key_Tab);
        QVERIFY(dlg.Text1[1]->hasFocus());
        QCOMPARE(dlg.Text1[0]->text(), text);
    }

    void sequenceFill_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("message"); // "": accepted
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("head"); // the column from row 1 on
        QTest::addColumn<QString>("lastRow");  // the column's last data row

        const QString invalid = QStringLiteral("Ces valeurs ne sont pas valides");
        const QString invalidTitle = QStringLiteral("Erreur saisie");
        const QString tooLong = QStringLiteral("Le tableau ne peut avoir plus de 100 lignes");
        const QString tooLongTitle = QStringLiteral("Dépassement de capacité");
        const QStringList untouched{"7,000"};

        QTest::newRow("0 to 10 by 2")
            << "0"
            << "10"
            << "2"
            << ""
            << "" << 11
            << QStringList{"0,000", "2,000", "4,000", "6,000", "8,000", "10,000", "7,000"}
            << "7,000";
        QTest::newRow("1 to 100 by 1")
            << "1"
            << "100"
            << "1"
            << ""
            << "" << 101 << QStringList{"1,000", "2,000", "3,000"} << "100,000";
        QTest::newRow("0 to 100 by 1: 101 terms")
            << "0"
            << "100"
            << "1" << tooLong << tooLongTitle << 11 << untouched << "7,000";
        QTest::newRow("10 to 0 by -2,5")
            << "10"
            << "0"
            << "-2,5"
            << ""
            << "" << 11 << QStringList{"10,000", "7,500", "5,000", "2,500", "0,000", "7,000"}
            << "7,000";
        QTest::newRow("0 to 1 by 0,3: 1 never reached")
            << "0"
            << "1"
            << "0,3"
            << ""
            << "" << 11 << QStringList{"0,000", "0,300", "0,600", "0,900", "7,000"} << "7,000";
        QTest::newRow("-1,5 to 1,5 by 0,5")
            << "-1,5"
            << "1,5"
            << "0,5"
            << ""
            << "" << 11 << QStringList{"-1,500", "-1,000", "-0,500", "0,000",
                                       "0,500",  "1,000",  "1,500",  "7,000"}
            << "7,000";
        QTest::newRow("empty first is 0")
            << ""
            << "3"
            << "1"
            << ""
            << "" << 11 << QStringList{"0,000", "1,000", "2,000", "3,000", "7,000"} << "7,000";
        QTest::newRow("15 terms grow the table")
            << "0"
            << "14"
            << "1"
            << ""
            << "" << 16 << QStringList{"0,000", "1,000", "2,000"} << "14,000";
        QTest::newRow("5 to 1 by 1")
            << "5"
            << "1"
            << "1" << invalid << invalidTitle << 11 << untouched << "7,000";
        QTest::newRow("0 to 10 by -1")
            << "0"
            << "10"
            << "-1" << invalid << invalidTitle << 11 << untouched << "7,000";
        QTest::newRow("first equals last")
            << "3"
            << "3"
            << "1" << invalid << invalidTitle << 11 << untouched << "7,000";
        QTest::newRow("zero increment")
            << "0"
            << "10"
            << "0" << invalid << invalidTitle << 11 << untouched << "7,000";
        QTest::newRow("all empty") << ""
                                   << ""
                                   << "" << invalid << invalidTitle << 11 << untouched << "7,000";
        QTest::newRow("beyond single precision is 0")
            << QString(45, QLatin1Char('9')) << "3"
            << "1"
            << ""
            << "" << 11 << QStringList{"0,000", "1,000", "2,000", "3,000", "7,000"} << "7,000";
        QTest::newRow("not numbers are 0")
            << "1,2,3"
            << "x"
            << "--" << invalid << invalidTitle << 11 << untouched << "7,000";
    }
    // Action: fill the boxes of the sequence dialog over column C3 (every cell "7,000") and press
    // OK. Expected: the column filled and the dialog accepted, or the refusal's message and
    // the dialog kept open with the table unchanged; the other columns never change.
    void sequenceFill()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, step);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(int, rows);
        QFETCH(QStringList, head);
        QFETCH(QString, lastRow);
        for (int r = 1; r <= 10; ++r) {
            table.setCell(r, 1, QStringLiteral("1,000"));
            table.setCell(r, 2, QStringLiteral("7,000"));
        }
        table.setCurrentCell(4, 2);
        RecordingResponder responder;
        arith dlg(table, nullptr);
        dlg.Text1[0]->setText(first);
        dlg.Text1[1]->setText(last);
        dlg.Text1[2]->setText(step);
        dlg.Command1->click();

        if (message.isEmpty()) {
            QCOMPARE(responder.requests.size(), 0);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(responder.messages(), QStringList{message});
            QCOMPARE(responder.requests.first().title, title);
            QCOMPARE(responder.requests.first().icon, dialogs::Icon::Stop);
            QCOMPARE(responder.requests.first().buttons, dialogs::Buttons::Ok);
            QCOMPARE(dlg.result(), 0);
        }
        QCOMPARE(table.rowCount(), rows);
        QCOMPARE(column(2, 1, int(head.size())), head);
        QCOMPARE(table.getCell(rows - 1, 2), lastRow);
        QCOMPARE(table.getCell(1, 1), QStringLiteral("1,000"));
        QCOMPARE(table.getCell(10, 1), QStringLiteral("1,000"));
        QCOMPARE(table.title(2), QStringLiteral("C3"));
    }

    // Action: press OK with boxes that were never left ("5,0", "1" and a text set directly).
    // Expected: the boxes are normalised first, the text counts as 0: the increment 0 is refused.
    void sequenceOkNormalisesTheBoxesFirst()
    {
        RecordingResponder responder;
        arith dlg(table, nullptr);
        dlg.Text1[0]->setText(QStringLiteral("5,0"));
        dlg.Text1[1]->setText(QStringLiteral("1"));
        dlg.Text1[2]->setText(QStringLiteral("abc"));
        dlg.Command1->click();
        QCOMPARE(responder.messages(), QStringList{"Ces valeurs ne sont pas valides"});
        QCOMPARE(dlg.Text1[0]->text(), QStringLiteral("5"));
        QCOMPARE(dlg.Text1[1]->text(), QStringLiteral("1"));
        QCOMPARE(dlg.Text1[2]->text(), QString());
    }

    // Action: run the dialog modal; OK with 5, 1, 1, then corrected to 1, 5, 1 and OK again.
    // Expected: the refusal leaves the dialog shown with its values; the second OK fills the
    // current column and closes it.
    void sequenceRefusalKeepsTheDialogOpen()
    {
        RecordingResponder responder;
        ModalWatchdog watchdog;
        table.setCurrentCell(1, 0);
        arith dlg(table, nullptr);
        bool shownAfterRefusal = false;
        QString firstAfterRefusal;
        watchdog.expect([&](QWidget* modal) {
            auto* d = qobject_cast<arith*>(modal);
            if (!d) {
                modal->close();
                return;
            }
            d->Text1[0]->setText(QStringLiteral("5"));
            d->Text1[1]->setText(QStringLiteral("1"));
            d->Text1[2]->setText(QStringLiteral("1"));
            d->Command1->click();
            shownAfterRefusal = d->isVisible();
            firstAfterRefusal = d->Text1[0]->text();
            d->Text1[0]->setText(QStringLiteral("1"));
            d->Text1[1]->setText(QStringLiteral("5"));
            d->Command1->click();
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(watchdog.pending(), 0);
        QVERIFY(shownAfterRefusal);
        QCOMPARE(firstAfterRefusal, QStringLiteral("5"));
        QCOMPARE(responder.messages(), QStringList{"Ces valeurs ne sont pas valides"});
        QCOMPARE(column(0, 1, 6), (QStringList{"1,000", "2,000", "3,000", "4,000", "5,000", ""}));
    }

    void sequenceCancelChangesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Annuler") << false;
        QTest::newRow("Escape") << true;
    }
    // Action: fill the boxes with a valid sequence, then Annuler or Escape. Expected: rejected,
    // no message, the table unchanged.
    void sequenceCancelChangesNothing()
    {
        QFETCH(bool, escape);
        RecordingResponder responder;
        arith dlg(table, nullptr);
        dlg.Text1[0]->setText(QStringLiteral("0"));
        dlg.Text1[1]->setText(QStringLiteral("20"));
        dlg.Text1[2]->setText(QStringLiteral("1"));
        if (escape)
            QTest::keyClick(dlg.Text1[2], Qt::Key_Escape);
        else
            dlg.Command2->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(responder.requests.size(), 0);
        QCOMPARE(table.rowCount(), 11);
        QCOMPARE(column(0, 1, 3), (QStringList{"", "", ""}));
    }

    // Action: open the dialog and render it. Expected: title, three empty boxes in index order
    // from the top, and each caption's ink left of its box, ending 10 pixels before it.
    void sequencePaintsTheCaptions()
    {
        arith dlg(table, nullptr);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Suite arithmétique"));
        QCOMPARE(dlg.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(dlg.Command2->text(), QStringLiteral("Annuler"));
        const QImage img = picture(dlg);
        for (int i = 0; i < 3; ++i) {
            QLineEdit* box = dlg.Text1[i];
            QCOMPARE(box->objectName(), QStringLiteral("Text1_%1").arg(i));
            QCOMPARE(box->text(), QString());
            if (i > 0)
                QVERIFY(box->y() > dlg.Text1[i - 1]->y());
            const QRect g = box->geometry();
            QVERIFY(countDark(img, QRect(g.left() - 60, g.top(), 50, g.height())) > 20);
            QCOMPARE(countDark(img, QRect(g.left() - 9, g.top(), 9, g.height())), 0);
            // Centred on the box: no ink on its first and last rows.
            QCOMPARE(countDark(img, QRect(0, g.top(), g.left(), 1)), 0);
            QCOMPARE(countDark(img, QRect(0, g.bottom(), g.left(), 1)), 0);
        }
    }
};

QTEST_MAIN(TestTableDialogs)
#include "tst_tabledialogs.moc"
