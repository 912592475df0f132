// SPDX-License-Identifier: GPL-3.0-or-later
// The window `grapheur` driven through its real controls: the lists, the option boxes, the scale
// text, the picture it shows, "Copier" and "Fermer", and the place it takes over the main window.
#include "gui/graph/grapheur.h"

#include "support/modalwatchdog.h"
#include "support/responder.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

namespace {

using Columns = QList<QStringList>; // C1, C2, … as cell texts from row 1

void fill(TableModel& t, const Columns& columns)
{
    qsizetype rows = 1;
    for (const QStringList& c : columns)
        rows = std::max(rows, c.size());
    t.setRowCount(int(rows) + 1);
    for (int c = 0; c < columns.size(); ++c)
        for (int r = 0; r < columns[c].size(); ++r)
            t.setCell(r + 1, c, columns[c][r]);
}

VbColour at(const grapheur& g, int x, int y)
{
    return VbColour(g.picture().point(x, y));
}

int countColour(const QImage& image, QRgb colour, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == colour;
    return n;
}

const VbColour White = 0xffffff;
const VbColour Blue = paletteColour(1);
const VbColour Green = paletteColour(2);
const VbColour Red = paletteColour(12);

const QString WorkedScale = QStringLiteral("En abscisse, une division correspond à 0,5 unités.\n\n"
                                           "En ordonnée, une division correspond à 1 unités.");

} // namespace

class TestGrapheur : public QObject {
    Q_OBJECT
    TableModel table;

private slots:
    // C1 = 1 2 3, C2 = 2 4 6, C3 empty, C4 = 1..4, C5 = 2 4 6 8,5.
    void init()
    {
        table = TableModel();
        fill(table,
             {{"1", "2", "3"}, {"2", "4", "6"}, {}, {"1", "2", "3", "4"}, {"2", "4", "6", "8,5"}});
    }

    // Action: open the window. Expected: both lists hold C1 … C5 with C1 and C2 selected, the
    // four options unticked, printing greyed with its tool tip, and C1 against C2 drawn with
    // its scale text.
    void opensWithC1AgainstC2()
    {
        grapheur g(table, nullptr);
        const QStringList items{"C1", "C2", "C3", "C4", "C5"};
        for (QComboBox* combo : {g.Combo1, g.Combo2}) {
            QStringList got;
            for (int i = 0; i < combo->count(); ++i)
                got << combo->itemText(i);
            QCOMPARE(got, items);
        }
        QCOMPARE(g.Combo1->currentIndex(), 0);
        QCOMPARE(g.Combo2->currentIndex(), 1);
        QCOMPARE(g.Check1->text(), QStringLiteral("Lier les points"));
        QCOMPARE(g.Check2->text(), QStringLiteral("Afficher la grille"));
        QCOMPARE(g.Check3->text(), QStringLiteral("Représenter un point par une croix"));
        QCOMPARE(g.Check4->text(), QStringLiteral("Droite de régression"));
        for (QCheckBox* box : {g.Check1, g.Check2, g.Check3, g.Check4})
            QVERIFY(!box->isChecked());
        QVERIFY(g.Image2->isEnabled());
        QCOMPARE(g.Image2->toolTip(), QStringLiteral("Imprimer le graphe"));
        QVERIFY(g.Image4->isEnabled());
        QVERIFY(g.Image5->isEnabled());
        QCOMPARE(g.Label1->text(), WorkedScale);
        QCOMPARE(at(g, 165, 335), Red);
        QCOMPARE(at(g, 5, 200), Blue);
    }

    // State: titles in C1 and C3. Expected: the lists name the columns with them; the box for the
    // line through the origin is there, unticked, and draws it.
    void listsShowTheTitlesAndTheOriginLine()
    {
        table.setCell(0, 0, QStringLiteral("sin r"));
        table.setCell(0, 2, QStringLiteral("sin i"));
        grapheur g(table, nullptr);
        QCOMPARE(g.Combo1->itemText(0), QStringLiteral("C1 : sin r"));
        QCOMPARE(g.Combo1->itemText(1), QStringLiteral("C2"));
        QCOMPARE(g.Combo2->itemText(2), QStringLiteral("C3 : sin i"));
        QCOMPARE(g.Check5->text(), QStringLiteral("Passant par l'origine"));
        QVERIFY(!g.Check5->isChecked());
        g.Check5->setChecked(true);
        QVERIFY(g.Label1->text().endsWith(QStringLiteral("Passant par l'origine:\ny = 2,0000 x")));
    }

    // Action: open the window on a table whose C2 is empty. Expected: the message replaces the
    // graph and Label1 keeps its design caption.
    void opensOnAnEmptyOrdinateWithTheMessage()
    {
        TableModel t;
        fill(t, {{"1", "2"}});
        grapheur g(t, nullptr);
        QCOMPARE(g.Label1->text(), QStringLiteral("En abscisse une division correspond à"));
        QCOMPARE(countColour(g.picture().image(), 0x0000ff, QRect(0, 95, 501, 35)) > 50, true);
        QCOMPARE(countColour(g.picture().image(), 0x000080, QRect(0, 0, 501, 501)), 0);
    }

    void listsRedrawTheGraph_data()
    {
        QTest::addColumn<int>("abscissa");
        QTest::addColumn<int>("ordinate");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QList<QPoint>>("red");
        QTest::newRow("C1 against itself: the diagonal")
            << 0 << 0
            << "En abscisse, une division correspond à 0,5 unités.\n\n"
               "En ordonnée, une division correspond à 0,5 unités."
            << QList<QPoint>{{165, 335}, {325, 175}, {485, 15}};
        QTest::newRow("C4 against C5")
            << 3 << 4
            << "En abscisse, une division correspond à 0,5 unités.\n\n"
               "En ordonnée, une division correspond à 1 unités."
            << QList<QPoint>{{125, 382}, {245, 269}, {365, 156}, {485, 15}};
        QTest::newRow("C2 against C1") << 1 << 0
                                       << "En abscisse, une division correspond à 1 unités.\n\n"
                                          "En ordonnée, une division correspond à 0,5 unités."
                                       << QList<QPoint>{{165, 335}, {325, 175}, {485, 15}};
    }
    // Action: select other list items. Expected: the graph and Label1 follow at once; only the
    // marks are light red.
    void listsRedrawTheGraph()
    {
        QFETCH(int, abscissa);
        QFETCH(int, ordinate);
        QFETCH(QString, label);
        QFETCH(QList<QPoint>, red);
        grapheur g(table, nullptr);
        g.Combo1->setCurrentIndex(abscissa);
        g.Combo2->setCurrentIndex(ordinate);
        QCOMPARE(g.Label1->text(), label);
        for (QPoint p : red)
            QVERIFY2(at(g, p.x(), p.y()) == Red,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        QCOMPARE(countColour(g.picture().image(), 0xff0000, QRect(0, 0, 501, 501)),
                 int(red.size()));
    }

    // Action: choose the empty column C3 for the ordinate. Expected: the message replaces the
    // graph; Label1 keeps the previous scale text.
    void emptyColumnShowsTheMessage()
    {
        grapheur g(table, nullptr);
        g.Combo2->setCurrentIndex(2);
        QCOMPARE(g.Label1->text(), WorkedScale);
        const QImage image = g.picture().image();
        QCOMPARE(countColour(image, 0x000080, QRect(0, 0, 501, 501)), 0);
        QCOMPARE(countColour(image, 0xff0000, QRect(0, 0, 501, 501)), 0);
        QVERIFY(countColour(image, 0x0000ff, QRect(0, 95, 501, 35)) > 50);
    }

    void optionBoxesRedraw_data()
    {
        QTest::addColumn<int>("box"); // 1 … 3
        QTest::addColumn<QList<QPoint>>("red");
        QTest::addColumn<QList<QPoint>>("blue");
        QTest::addColumn<QList<QPoint>>("white");
        QTest::newRow("Lier les points") << 1 << QList<QPoint>{{245, 255}, {405, 95}}
                                         << QList<QPoint>{} << QList<QPoint>{{246, 255}};
        QTest::newRow("Afficher la grille")
            << 2 << QList<QPoint>{} << QList<QPoint>{{85, 494}, {494, 415}}
            << QList<QPoint>{{85, 491}, {491, 415}};
        QTest::newRow("Représenter un point par une croix")
            << 3 << QList<QPoint>{{163, 335}, {167, 335}, {165, 333}, {165, 337}} << QList<QPoint>{}
            << QList<QPoint>{{168, 335}, {165, 338}};
    }
    // Action: tick one option box with the mouse, then untick it. Expected: the graph shows the
    // option at once, and unticking gives back the first picture exactly.
    void optionBoxesRedraw()
    {
        QFETCH(int, box);
        QFETCH(QList<QPoint>, red);
        QFETCH(QList<QPoint>, blue);
        QFETCH(QList<QPoint>, white);
        grapheur g(table, nullptr);
        const QImage before = g.picture().image().copy();
        QCheckBox* const boxes[] = {g.Check1, g.Check2, g.Check3};
        QCheckBox* check = boxes[box - 1];
        g.show();
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QVERIFY(check->isChecked());
        const auto where = [](QPoint p) {
            return qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y()));
        };
        for (QPoint p : red)
            QVERIFY2(at(g, p.x(), p.y()) == Red, where(p));
        for (QPoint p : blue)
            QVERIFY2(at(g, p.x(), p.y()) == Blue, where(p));
        for (QPoint p : white)
            QVERIFY2(at(g, p.x(), p.y()) == White, where(p));
        QVERIFY(g.picture().image() != before);
        check->click();
        QVERIFY(!check->isChecked());
        QCOMPARE(g.picture().image(), before);
    }

    // Action: draw C4 against C5 and tick "Droite de régression". Expected: a third paragraph in
    // Label1 with the equation and r, and a dark green line; unticking removes both.
    void regressionBoxAddsTheLine()
    {
        grapheur g(table, nullptr);
        g.Combo1->setCurrentIndex(3);
        g.Combo2->setCurrentIndex(4);
        const QString scale = g.Label1->text();
        const QImage before = g.picture().image().copy();
        QCOMPARE(countColour(before, 0x008000, QRect(0, 0, 501, 501)), 0);
        g.Check4->click();
        QCOMPARE(g.Label1->text(), scale + "\n\nDroite de régression:\n"
                                           "y = 2,1500 x - 0,2500\nr = 0,9984");
        QVERIFY(countColour(g.picture().image(), 0x008000, QRect(245, 265, 1, 3)) >= 1);
        QVERIFY(countColour(g.picture().image(), 0x008000, QRect(0, 0, 501, 501)) > 400);
        g.Check4->click();
        QCOMPARE(g.Label1->text(), scale);
        QCOMPARE(g.picture().image(), before);
    }

    // Action: tick "Droite de régression" on a table whose C1 holds one value three times.
    // Expected: no green pixel; Label1 says two abscissas are needed.
    void regressionBoxWithOneAbscissa()
    {
        TableModel t;
        fill(t, {{"2", "2", "2"}, {"1", "2", "3"}});
        grapheur g(t, nullptr);
        g.Check4->setChecked(true);
        QVERIFY(g.Label1->text().endsWith(
            "\n\nDroite de régression: il faut au moins deux abscisses différentes."));
        QCOMPARE(countColour(g.picture().image(), 0x008000, QRect(0, 0, 501, 501)), 0);
    }

    // Action: tick the regression box, close, and open the window again. Expected: each opening
    // starts with every option unticked.
    void optionsStartUntickedAtEachOpening()
    {
        {
            grapheur first(table, nullptr);
            first.Check1->setChecked(true);
            first.Check4->setChecked(true);
        }
        grapheur again(table, nullptr);
        QVERIFY(!again.Check1->isChecked());
        QVERIFY(!again.Check4->isChecked());
        QCOMPARE(again.Label1->text(), WorkedScale);
    }

    // Action: show the window. Expected: Picture1 shows exactly the drawn image.
    void picture1ShowsTheDrawing()
    {
        grapheur g(table, nullptr);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.Check3->click();
        const QImage shown = g.Picture1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, g.picture().image());
        QCOMPARE(g.Picture1->size(), QSize(501, 501));
        const QImage grabbed = g.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(grabbed.pixel(163, 335) & 0xffffff, 0xff0000u);
    }

    // Action: press "Copier". Expected: the clipboard holds the drawn image.
    void copyPutsTheImageOnTheClipboard()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
        grapheur g(table, nullptr);
        g.Check2->setChecked(true);
        g.Check4->setChecked(true);
        g.Image4->click();
        const QImage copied =
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        // The page: the title line, the plot as the window shows it, the equation under it.
        const QImage plot = g.picture().image().convertToFormat(QImage::Format_RGB32);
        QVERIFY(copied.width() >= 501 && copied.height() > 501 + 40);
        const int left = (copied.width() - 501) / 2;
        int top = 0;
        while (top < copied.height() - 501 && copied.copy(left, top, 501, 501) != plot)
            ++top;
        QVERIFY2(top > 10 && copied.copy(left, top, 501, 501) == plot, "the plot is in the page");
        const QRect under(0, top + 501, copied.width(), copied.height() - top - 501);
        QVERIFY(copied.copy(under) != QImage(under.size(), QImage::Format_RGB32));
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }

    // Action: open the window modal and press "Fermer". Expected: exec returns and the window
    // is hidden; no other dialog appeared.
    void closeButtonClosesTheWindow()
    {
        ModalWatchdog watchdog;
        RecordingResponder responder;
        grapheur g(table, nullptr);
        watchdog.expect([](QWidget* w) { static_cast<grapheur*>(w)->Image5->click(); });
        g.exec();
        QCOMPARE(watchdog.pending(), 0);
        QCOMPARE(watchdog.unexpectedCount(), 0);
        QVERIFY(!g.isVisible());
        QVERIFY(responder.requests.isEmpty());
    }

    // Action: open the window over a main window. Expected: it takes the main window's place,
    // size, title and icon.
    void coversTheMainWindow()
    {
        QWidget main;
        main.setWindowTitle(QStringLiteral("Optiphane - essai"));
        QPixmap icon(16, 16);
        icon.fill(Qt::red);
        main.setWindowIcon(QIcon(icon));
        main.setGeometry(40, 50, 800, 620);
        grapheur g(table, &main);
        QCOMPARE(g.pos(), main.pos());
        QCOMPARE(g.size(), QSize(800, 620));
        QCOMPARE(g.windowTitle(), QStringLiteral("Optiphane - essai"));
        QVERIFY(!g.windowIcon().isNull());
        QCOMPARE(g.windowIcon().pixmap(16, 16).toImage().pixel(8, 8) & 0xffffff, 0xff0000u);
    }

    // Action: open the window without a main window. Expected: the default size, which holds
    // the whole of Picture1 and the panel's buttons.
    void defaultSizeWithoutMainWindow()
    {
        grapheur g(table, nullptr);
        QCOMPARE(g.size(), grapheur::DefaultSize);
        QVERIFY(g.rect().contains(g.Picture1->geometry()));
        QVERIFY(g.rect().contains(g.Image5->geometry()));
        QVERIFY(g.Label1->geometry().bottom() < g.Image2->geometry().top());
    }

    // Action: render the window. Expected: the light grey panel with its dark grey edge and the
    // engraved separators at y = 160 and 290.
    void paintsThePanel()
    {
        grapheur g(table, nullptr);
        const QImage image = g.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.pixel(5, 150) & 0xffffff, 0xc0c0c0u);
        QCOMPARE(image.pixel(158, 150) & 0xffffff, 0x808080u);
        QCOMPARE(image.pixel(80, 160) & 0xffffff, 0x808080u);
        QCOMPARE(image.pixel(80, 161) & 0xffffff, 0xffffffu);
        QCOMPARE(image.pixel(80, 290) & 0xffffff, 0x808080u);
        QCOMPARE(image.pixel(80, 291) & 0xffffff, 0xffffffu);
        // The headings' light blue ink.
        QVERIFY(countColour(image, 0x0000ff, QRect(0, 45, 158, 25)) > 10);
        QVERIFY(countColour(image, 0x0000ff, QRect(0, 165, 158, 25)) > 10);
        QVERIFY(countColour(image, 0x0000ff, QRect(0, 295, 158, 25)) > 10);
    }
};

QTEST_MAIN(TestGrapheur)
#include "tst_grapheur.moc"
