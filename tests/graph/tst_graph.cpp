// SPDX-License-Identifier: GPL-3.0-or-later
// The graph's core without a window: the units per division, the scale, the scale text, the
// marks and their breaks, the least-squares line, and the drawing on a Surface.
#include "core/graph/graph.h"

#include <QGuiApplication>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

using Columns = QList<QStringList>; // C1, C2, … as cell texts from row 1

// A table whose first columns hold the texts, with as many data rows as the longest column.
TableModel tableOf(const Columns& columns)
{
    TableModel t;
    qsizetype rows = 1;
    for (const QStringList& c : columns)
        rows = std::max(rows, c.size());
    t.setRowCount(int(rows) + 1);
    for (int c = 0; c < columns.size(); ++c)
        for (int r = 0; r < columns[c].size(); ++r)
            t.setCell(r + 1, c, columns[c][r]);
    return t;
}

VbColour at(const Surface& s, int x, int y)
{
    return VbColour(s.point(x, y));
}

int countColour(const Surface& s, VbColour colour, const QRect& area = QRect(0, 0, 501, 501))
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += s.point(x, y) == std::int64_t(colour);
    return n;
}

const VbColour White = 0xffffff;
const VbColour Blue = paletteColour(1);
const VbColour Green = paletteColour(2);
const VbColour Red = paletteColour(12);

const QString WorkedScale = QStringLiteral("En abscisse, une division correspond à 0,5 unités.\n\n"
                                           "En ordonnée, une division correspond à 1 unités.");

} // namespace

class TestGraph : public QObject {
    Q_OBJECT

private slots:
    // The lists name the columns with the pupil's titles; the division values are written as
    // the table writes numbers, with the decimals their step needs.
    void names_and_values_data()
    {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("expected");
        TableModel t;
        t.setCell(0, 2, QStringLiteral("sin i"));
        t.setCell(0, 3, QStringLiteral("C4"));
        QTest::newRow("a title") << graph::axisEntry(t, 2) << "C3 : sin i";
        QTest::newRow("the default title") << graph::axisEntry(t, 0) << "C1";
        QTest::newRow("a title that is the name") << graph::axisEntry(t, 3) << "C4";
        QTest::newRow("whole step") << graph::divisionText(20, 10) << "20";
        QTest::newRow("tenths") << graph::divisionText(0.3000001, 0.1) << "0,3";
        QTest::newRow("quarter step") << graph::divisionText(0.75, 0.25) << "0,75";
        QTest::newRow("1,25 step") << graph::divisionText(3.75, 1.25) << "3,75";
        QTest::newRow("negative") << graph::divisionText(-0.5, 0.5) << "-0,5";
        QTest::newRow("tiny step") << graph::divisionText(2e-9, 1e-9) << "2E-09";
        QTest::newRow("through the origin: y = 2x")
            << graph::originText(
                   graph::originRegression({{1, 1, 2, false}, {2, 2, 4, true}, {3, 3.5f, 7, true}}))
            << "y = 2,0000 x";
        QTest::newRow("sin i = n sin r")
            << graph::originText(graph::originRegression({{1, 0.115f, 0.174f, false},
                                                          {2, 0.332f, 0.5f, true},
                                                          {3, 0.509f, 0.766f, true}}))
            << "y = 1,5055 x";
        QTest::newRow("no abscissa but 0")
            << graph::originText(graph::originRegression({{1, 0, 2, false}}))
            << graph::NoOriginLineText;
    }
    void names_and_values()
    {
        QFETCH(QString, got);
        QFETCH(QString, expected);
        QCOMPARE(got, expected);
    }

    // Action: the same graph with and without its values, names and line through the origin.
    // Expected: every pixel of the bare graph (axes, marks, points, lines) where it was; the
    // values written at the divisions.
    void values_leave_the_plot_in_place()
    {
        const TableModel t = tableOf({{"10", "20", "30", "40"}, {"6,6", "13,1", "19,4", "25,3"}});
        graph::Options bare;
        bare.joined = bare.regression = true;
        graph::Options written = bare;
        written.values = written.throughOrigin = true;
        written.xTitle = QStringLiteral("i (°)");
        written.yTitle = QStringLiteral("r (°)");
        Surface a(501, 501), b(501, 501);
        QVERIFY(graph::majgraf(a, t, 0, 1, bare));
        QVERIFY(graph::majgraf(b, t, 0, 1, written));
        const VbColour Magenta = paletteColour(5);
        int moved = 0;
        for (int y = 0; y < 501; ++y)
            for (int x = 0; x < 501; ++x)
                if (at(a, x, y) != White && at(b, x, y) != at(a, x, y) && at(b, x, y) != Magenta &&
                    at(a, x, y) != Green)
                    ++moved;
        QCOMPARE(moved, 0);
        // "10" stands over the axis at the first division: 10 / 40 of the width, above row 495.
        const auto scale = graph::scaleFor(t, 0, 1);
        QVERIFY(scale);
        const int x10 = scale->pixelX(10);
        const QRect label(x10 - 8, 478, 17, 16);
        QVERIFY(countColour(b, White, label) + 5 < countColour(a, White, label));
        QVERIFY(countColour(b, Magenta) > 100);
    }

    // ---- uniteur ------------------------------------------------------------------------------

    void uniteurGivesTheWorkedValues_data()
    {
        QTest::addColumn<float>("m");
        QTest::addColumn<float>("units");
        QTest::newRow("7") << 7.0f << 1.0f;
        QTest::newRow("3") << 3.0f << 0.5f;
        QTest::newRow("1,5") << 1.5f << 0.2f;
        QTest::newRow("37") << 37.0f << 5.0f;
        QTest::newRow("11") << 11.0f << 1.25f;
        QTest::newRow("1000") << 1000.0f << 100.0f;
        QTest::newRow("0,01") << 0.01f << 0.002f;
        QTest::newRow("exactly 5") << 5.0f << 1.0f;
        QTest::newRow("exactly 10") << 10.0f << 1.0f;
        QTest::newRow("50: 0,2 times 50 rounds to 10") << 50.0f << 5.0f;
        QTest::newRow("6") << 6.0f << 1.0f;
        QTest::newRow("0,3") << 0.3f << 0.05f;
    }
    // Action: uniteur on the worked magnitudes. Expected: the units per division listed.
    void uniteurGivesTheWorkedValues()
    {
        QFETCH(float, m);
        QFETCH(float, units);
        float value = m;
        graph::uniteur(value);
        QCOMPARE(value, units);
    }

    void uniteurEndsForExtremeMagnitudes_data()
    {
        QTest::addColumn<float>("m");
        QTest::addColumn<QString>("text"); // the units in the free format
        QTest::newRow("1E+38") << 1e38f << "1E+37";
        QTest::newRow("largest single") << std::numeric_limits<float>::max() << "5E+37";
        QTest::newRow("1E-38, beyond the single-precision factor") << 1e-38f << "1E-39";
        QTest::newRow("1E-30") << 1e-30f << "2E-31";
    }
    // Action: uniteur on magnitudes at both ends of the single-precision range. Expected: it
    // returns, with 5 to 10 divisions between 0 and m.
    void uniteurEndsForExtremeMagnitudes()
    {
        QFETCH(float, m);
        QFETCH(QString, text);
        const float units = graph::unitsPerDivision(m);
        QCOMPARE(table::formatCellNumber(units, QString()), text);
        const double divisions = double(m) / double(units);
        QVERIFY2(divisions >= 4.999 && divisions <= 10.001, qPrintable(QString::number(divisions)));
    }

    void uniteurLeavesUnusableMagnitudes_data()
    {
        QTest::addColumn<float>("m");
        QTest::newRow("zero") << 0.0f;
        QTest::newRow("negative") << -3.0f;
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity();
    }
    // Action: uniteur on a magnitude that is not positive and finite. Expected: it returns at
    // once and leaves the value as it was.
    void uniteurLeavesUnusableMagnitudes()
    {
        QFETCH(float, m);
        QCOMPARE(graph::unitsPerDivision(m), m);
    }

    // Action: uniteur on NaN and on the smallest subnormal. Expected: it returns; NaN stays NaN,
    // the subnormal gives a finite value.
    void uniteurReturnsOnNaNAndSubnormals()
    {
        QVERIFY(std::isnan(graph::unitsPerDivision(std::numeric_limits<float>::quiet_NaN())));
        QVERIFY(std::isfinite(graph::unitsPerDivision(std::numeric_limits<float>::denorm_min())));
    }

    // ---- scale --------------------------------------------------------------------------------

    void scaleOfTheColumns_data()
    {
        QTest::addColumn<Columns>("columns");
        QTest::addColumn<QList<float>>("x"); // min, max, k, origin, step, first, last
        QTest::addColumn<QList<float>>("y");
        QTest::newRow("1 2 3 against 2 4 6")
            << Columns{{"1", "2", "3"}, {"2", "4", "6"}}
            << QList<float>{0, 3, 160, 5, 0.5f, 0, 3.5f} << QList<float>{0, 6, 80, 5, 1, 0, 7};
        QTest::newRow("negative abscissas: axis at the right edge")
            << Columns{{"-4", "-3", "-2", "-1"}, {"1", "2", "3", "4"}}
            << QList<float>{-4, 0, 120, 485, 0.5f, -4, 0.5f}
            << QList<float>{0, 4, 120, 5, 0.5f, 0, 4.5f};
        QTest::newRow("both sides of zero")
            << Columns{{"-2", "6"}, {"-10", "30"}} << QList<float>{-2, 6, 60, 125, 1, -2, 7}
            << QList<float>{-10, 30, 12, 125, 5, -10, 35};
        QTest::newRow("text and empty cells count as 0")
            << Columns{{"abc", "", "2"}, {"5", "x", ""}}
            << QList<float>{0, 2, 240, 5, 0.25f, 0, 2.25f} << QList<float>{0, 5, 96, 5, 1, 0, 6};
    }
    // Action: the scale of two columns. Expected: extremes including 0, pixels per unit, the
    // pixel of 0, the units per division and the first and last division values.
    void scaleOfTheColumns()
    {
        QFETCH(Columns, columns);
        QFETCH(QList<float>, x);
        QFETCH(QList<float>, y);
        const auto scale = graph::scaleFor(tableOf(columns), 0, 1);
        QVERIFY(scale);
        const auto check = [](const graph::Axis& a, const QList<float>& e) {
            QCOMPARE(a.min, e[0]);
            QCOMPARE(a.max, e[1]);
            QCOMPARE(float(a.k), e[2]);
            QCOMPARE(float(a.origin), e[3]);
            QCOMPARE(a.step, e[4]);
            QCOMPARE(a.first, e[5]);
            QCOMPARE(a.last, e[6]);
        };
        check(scale->x, x);
        check(scale->y, y);
    }

    void scaleIsMissingForAnUnusableColumn_data()
    {
        QTest::addColumn<Columns>("columns");
        QTest::newRow("empty ordinate column") << Columns{{"1", "2"}, {}};
        QTest::newRow("all-zero abscissa column") << Columns{{"0", "0"}, {"1", "2"}};
        QTest::newRow("only text") << Columns{{"1", "2"}, {"a", "b"}};
        QTest::newRow("empty table") << Columns{};
    }
    // Action: the scale when a column is empty, all zeros or holds no number. Expected: none.
    void scaleIsMissingForAnUnusableColumn()
    {
        QFETCH(Columns, columns);
        QVERIFY(!graph::scaleFor(tableOf(columns), 0, 1));
    }

    void valuesMapToPixels_data()
    {
        QTest::addColumn<Columns>("columns");
        QTest::addColumn<float>("u");
        QTest::addColumn<float>("v");
        QTest::addColumn<QPoint>("pixel");
        const Columns worked{{"1", "2", "3"}, {"2", "4", "6"}};
        QTest::newRow("origin") << worked << 0.0f << 0.0f << QPoint(5, 495);
        QTest::newRow("1, 2") << worked << 1.0f << 2.0f << QPoint(165, 335);
        QTest::newRow("largest pair") << worked << 3.0f << 6.0f << QPoint(485, 15);
        QTest::newRow("negative column, value 0")
            << Columns{{"-4", "-1"}, {"1", "4"}} << 0.0f << 4.0f << QPoint(485, 15);
        QTest::newRow("negative column, -4")
            << Columns{{"-4", "-1"}, {"1", "4"}} << -4.0f << 1.0f << QPoint(5, 375);
        QTest::newRow("half pixel 6,5 rounds to even 6")
            << Columns{{"960"}, {"1"}} << 3.0f << 1.0f << QPoint(6, 15);
        QTest::newRow("half pixel 7,5 rounds to even 8")
            << Columns{{"960"}, {"1"}} << 5.0f << 1.0f << QPoint(8, 15);
        QTest::newRow("huge abscissa, tiny ordinate")
            << Columns{{"1E+38"}, {"1E-38"}} << 1e38f << 1e-38f << QPoint(485, 15);
        QTest::newRow("tiny ordinate, half way")
            << Columns{{"1"}, {"2E-38"}} << 1.0f << 1e-38f << QPoint(485, 255);
    }
    // Action: place value pairs with the scale of the columns. Expected: the pixels, rounded to
    // the nearest, y growing downwards; tiny and huge columns still fill 5 … 485.
    void valuesMapToPixels()
    {
        QFETCH(Columns, columns);
        QFETCH(float, u);
        QFETCH(float, v);
        QFETCH(QPoint, pixel);
        const auto scale = graph::scaleFor(tableOf(columns), 0, 1);
        QVERIFY(scale);
        QCOMPARE(QPoint(scale->pixelX(u), scale->pixelY(v)), pixel);
    }

    void scaleTextTellsTheUnits_data()
    {
        QTest::addColumn<float>("dx");
        QTest::addColumn<float>("dy");
        QTest::addColumn<QString>("text");
        QTest::newRow("worked example") << 0.5f << 1.0f << WorkedScale;
        QTest::newRow("1,25 and 0,002") << 1.25f << 0.002f
                                        << "En abscisse, une division correspond à 1,25 unités.\n\n"
                                           "En ordonnée, une division correspond à 0,002 unités.";
        QTest::newRow("exponents") << 1e37f << 1e-39f
                                   << "En abscisse, une division correspond à 1E+37 unités.\n\n"
                                      "En ordonnée, une division correspond à 1E-39 unités.";
    }
    // Action: the scale text for units per division. Expected: two paragraphs, the units in the
    // free format with a decimal comma.
    void scaleTextTellsTheUnits()
    {
        QFETCH(float, dx);
        QFETCH(float, dy);
        QFETCH(QString, text);
        QCOMPARE(graph::scaleText(dx, dy), text);
    }

    // ---- marks --------------------------------------------------------------------------------

    void marksBreakAtEmptyRows_data()
    {
        QTest::addColumn<Columns>("columns");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QList<bool>>("continues");
        QTest::newRow("rows 1 2 4, row 3 empty")
            << Columns{{"1", "2", "", "4"}, {"1", "2", "", "4"}} << QList<int>{1, 2, 4}
            << QList<bool>{false, true, false};
        QTest::newRow("empty ordinate only") << Columns{{"1", "2", "3"}, {"1", "", "3"}}
                                             << QList<int>{1, 3} << QList<bool>{false, false};
        QTest::newRow("blank cell counts as empty")
            << Columns{{"1", "  ", "3"}, {"1", "2", "3"}} << QList<int>{1, 3}
            << QList<bool>{false, false};
        QTest::newRow("text loses its mark but keeps the line")
            << Columns{{"1", "abc", "3"}, {"1", "2", "3"}} << QList<int>{1, 3}
            << QList<bool>{false, true};
        QTest::newRow("all filled") << Columns{{"1", "2", "3"}, {"4", "5", "6"}}
                                    << QList<int>{1, 2, 3} << QList<bool>{false, true, true};
    }
    // Action: the marks of two columns. Expected: one per row with two numbers, joined to the
    // previous one unless an empty cell lies between.
    void marksBreakAtEmptyRows()
    {
        QFETCH(Columns, columns);
        QFETCH(QList<int>, rows);
        QFETCH(QList<bool>, continues);
        const auto marks = graph::marks(tableOf(columns), 0, 1);
        QList<int> gotRows;
        QList<bool> gotContinues;
        for (const auto& m : marks) {
            gotRows << m.row;
            gotContinues << m.continues;
        }
        QCOMPARE(gotRows, rows);
        QCOMPARE(gotContinues, continues);
    }

    // ---- regression ---------------------------------------------------------------------------

    void regressionFitsTheLine_data()
    {
        QTest::addColumn<QList<float>>("x");
        QTest::addColumn<QList<float>>("y");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("r");
        QTest::newRow("2 4 6 8,5") << QList<float>{1, 2, 3, 4} << QList<float>{2, 4, 6, 8.5f}
                                   << 2.15 << -0.25 << 0.998381439457;
        QTest::newRow("exact line 2x + 1")
            << QList<float>{1, 2, 3} << QList<float>{3, 5, 7} << 2.0 << 1.0 << 1.0;
        QTest::newRow("falling line")
            << QList<float>{1, 2, 3} << QList<float>{3, 2, 1} << -1.0 << 4.0 << -1.0;
        QTest::newRow("two points")
            << QList<float>{-1, 3} << QList<float>{0, 2} << 0.5 << 0.5 << 1.0;
        QTest::newRow("large offsets do not cancel")
            << QList<float>{100000, 100001, 100002} << QList<float>{1, 2, 4} << 1.5
            << -149999.1666666667 << 0.981980506062;
    }
    // Action: the least-squares line of points. Expected: slope, intercept and correlation.
    void regressionFitsTheLine()
    {
        QFETCH(QList<float>, x);
        QFETCH(QList<float>, y);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, r);
        std::vector<graph::Mark> points;
        for (int i = 0; i < x.size(); ++i)
            points.push_back({i + 1, x[i], y[i], false});
        const graph::Regression fit = graph::regression(points);
        QVERIFY(fit.defined);
        QCOMPARE(fit.points, int(x.size()));
        QVERIFY2(std::fabs(fit.a - a) < 1e-9, qPrintable(QString::number(fit.a, 'g', 17)));
        QVERIFY2(std::fabs(fit.b - b) < 1e-6, qPrintable(QString::number(fit.b, 'g', 17)));
        QVERIFY(fit.r);
        QVERIFY2(std::fabs(*fit.r - r) < 1e-9, qPrintable(QString::number(*fit.r, 'g', 17)));
    }

    void regressionText_data()
    {
        QTest::addColumn<QList<float>>("x");
        QTest::addColumn<QList<float>>("y");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative intercept")
            << QList<float>{1, 2, 3, 4} << QList<float>{2, 4, 6, 8.5f}
            << "y = 2,1500 x - 0,2500     r = 0,9984";
        QTest::newRow("positive intercept") << QList<float>{1, 2, 3} << QList<float>{3, 5, 7}
                                            << "y = 2,0000 x + 1,0000     r = 1,0000";
        QTest::newRow("falling line") << QList<float>{1, 2, 3} << QList<float>{3, 2, 1}
                                      << "y = -1,0000 x + 4,0000     r = -1,0000";
        QTest::newRow("a below 1: b takes its decimals")
            << QList<float>{1, 2} << QList<float>{0.5f, 1}
            << "y = 0,50000 x + 0,00000     r = 1,0000";
        QTest::newRow("the refraction lab: five significant digits")
            << QList<float>{0.115f, 0.227f, 0.332f, 0.427f, 0.509f}
            << QList<float>{0.174f, 0.342f, 0.5f, 0.643f, 0.766f}
            << "y = 1,5030 x + 0,0010     r = 1,0000";
        QTest::newRow("equal ordinates: r undefined")
            << QList<float>{1, 2, 3} << QList<float>{4, 4, 4}
            << "y = 0,0000 x + 4,0000     r = non défini";
        QTest::newRow("one abscissa")
            << QList<float>{2, 2, 2} << QList<float>{1, 2, 3}
            << "Droite de régression: il faut au moins deux abscisses différentes.";
        QTest::newRow("one point") << QList<float>{2} << QList<float>{1}
                                   << "Droite de régression: il faut au moins deux abscisses "
                                      "différentes.";
        QTest::newRow("no point") << QList<float>{} << QList<float>{}
                                  << "Droite de régression: il faut au moins deux abscisses "
                                     "différentes.";
    }
    // Action: the regression line for points. Expected: the equation on one line, a to five
    // significant digits and b with as many decimals, a negative intercept written "- |b|", r
    // to 4 decimals; or why there is no line.
    void regressionText()
    {
        QFETCH(QList<float>, x);
        QFETCH(QList<float>, y);
        QFETCH(QString, text);
        std::vector<graph::Mark> points;
        for (int i = 0; i < x.size(); ++i)
            points.push_back({i + 1, x[i], y[i], false});
        QCOMPARE(graph::regressionText(graph::regression(points)), text);
    }

    void regressionSegmentIsCutToTheSquare_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<bool>("crosses");
        QTest::addColumn<QList<double>>("segment"); // x1, y1, x2, y2
        // Scale of 1..4 against 0..8: kx = 120, ky = 60, both origins at 5.
        QTest::newRow("diagonal y = 2x") << 2.0 << 0.0 << true << QList<double>{5, 495, 495, 5};
        QTest::newRow("flat y = 4") << 0.0 << 4.0 << true << QList<double>{5, 255, 495, 255};
        QTest::newRow("cut at the bottom: y = 2x - 1")
            << 2.0 << -1.0 << true << QList<double>{65, 495, 495, 65};
        QTest::newRow("above the square") << 0.0 << 9.0 << false << QList<double>{};
        QTest::newRow("steep y = 1000x - 1000")
            << 1000.0 << -1000.0 << true << QList<double>{125, 495, 125.98, 5};
    }
    // Action: the regression line's segment on Picture1. Expected: its ends on the sides of the
    // plotting square 5 … 495, or nothing when the line misses the square.
    void regressionSegmentIsCutToTheSquare()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(bool, crosses);
        QFETCH(QList<double>, segment);
        const auto scale = graph::scaleFor(tableOf({{"1", "4"}, {"0", "8"}}), 0, 1);
        QVERIFY(scale);
        const auto s = graph::regressionSegment(*scale, a, b);
        QCOMPARE(bool(s), crosses);
        if (!s)
            return;
        const QList<double> got{s->x1, s->y1, s->x2, s->y2};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(
                std::fabs(got[i] - segment[i]) < 0.01,
                qPrintable(
                    QStringLiteral("%1 %2 %3 %4").arg(s->x1).arg(s->y1).arg(s->x2).arg(s->y2)));
    }

    // ---- majgraf ------------------------------------------------------------------------------

    // Action: draw 1 2 3 against 2 4 6 without options. Expected: the scale text; dark blue axes
    // through (5, 495) with arrow heads; short division marks on the abscissa every 80 pixels;
    // a light red pixel per mark and nothing else red.
    void drawsAxesDivisionsAndMarks()
    {
        Surface s(501, 501);
        const TableModel t = tableOf({{"1", "2", "3"}, {"2", "4", "6"}});
        const auto label = graph::majgraf(s, t, 0, 1, {});
        QCOMPARE(label.value_or(QString()), WorkedScale);
        QCOMPARE(at(s, 5, 200), Blue);   // ordinate axis
        QCOMPARE(at(s, 300, 495), Blue); // abscissa axis
        QCOMPARE(at(s, 3, 3), Blue);     // arrow heads
        QCOMPARE(at(s, 498, 494), Blue);
        for (int x : {85, 165, 245, 325, 405, 485}) {
            QCOMPARE(at(s, x, 497), Blue);
            QCOMPARE(at(s, x, 493), Blue);
            QCOMPARE(at(s, x, 498), White);
        }
        QCOMPARE(at(s, 125, 497), White);
        // Ordinate marks every 80 pixels, from x = 7 to 3.
        for (int y : {415, 335, 255, 175, 95, 15}) {
            QCOMPARE(at(s, 7, y), Blue);
            QCOMPARE(at(s, 3, y), Blue);
            QCOMPARE(at(s, 2, y), White);
        }
        QCOMPARE(at(s, 165, 335), Red);
        QCOMPARE(at(s, 325, 175), Red);
        QCOMPARE(at(s, 485, 15), Red);
        QCOMPARE(countColour(s, Red), 3);
    }

    void optionsChangeTheDrawing_data()
    {
        QTest::addColumn<bool>("joined");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("crosses");
        QTest::addColumn<QList<QPoint>>("red");
        QTest::addColumn<QList<QPoint>>("blue");
        QTest::addColumn<QList<QPoint>>("white");
        QTest::newRow("crosses") << false << false << true
                                 << QList<QPoint>{{163, 335}, {167, 335}, {165, 333}, {165, 337}}
                                 << QList<QPoint>{}
                                 << QList<QPoint>{{162, 335}, {168, 335}, {165, 338}, {166, 336}};
        QTest::newRow("joined") << true << false << false << QList<QPoint>{{245, 255}, {405, 95}}
                                << QList<QPoint>{} << QList<QPoint>{{246, 255}};
        QTest::newRow("dotted grid")
            << false << true << false << QList<QPoint>{}
            << QList<QPoint>{{85, 494}, {85, 489}, {494, 415}, {489, 415}, {165, 7}}
            << QList<QPoint>{{85, 491}, {491, 415}, {165, 6}, {85, 497}, {496, 415}};
    }
    // Action: draw the worked example with each option. Expected: crosses of 5 pixels, segments
    // between marks, or dotted lines (3 pixels on, 3 off) over the square 5 … 495.
    void optionsChangeTheDrawing()
    {
        QFETCH(bool, joined);
        QFETCH(bool, grid);
        QFETCH(bool, crosses);
        QFETCH(QList<QPoint>, red);
        QFETCH(QList<QPoint>, blue);
        QFETCH(QList<QPoint>, white);
        Surface s(501, 501);
        graph::Options options;
        options.joined = joined;
        options.grid = grid;
        options.crosses = crosses;
        graph::majgraf(s, tableOf({{"1", "2", "3"}, {"2", "4", "6"}}), 0, 1, options);
        for (QPoint p : red)
            QVERIFY2(at(s, p.x(), p.y()) == Red,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        for (QPoint p : blue)
            QVERIFY2(at(s, p.x(), p.y()) == Blue,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        for (QPoint p : white)
            QVERIFY2(at(s, p.x(), p.y()) == White,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }

    // Action: draw rows 1, 2 and 4 with row 3 empty, points joined. Expected: the segment 1–2 is
    // drawn, 2 is not joined to 4.
    void joinedLineBreaksAtAnEmptyRow()
    {
        Surface s(501, 501);
        graph::Options options;
        options.joined = true;
        graph::majgraf(s, tableOf({{"1", "2", "", "4"}, {"1", "2", "", "4"}}), 0, 1, options);
        QCOMPARE(at(s, 125, 375), Red);
        QCOMPARE(at(s, 245, 255), Red);
        QCOMPARE(at(s, 485, 15), Red);
        QCOMPARE(at(s, 185, 315), Red);   // on 1–2
        QCOMPARE(at(s, 365, 135), White); // where 2–4 would pass
        QCOMPARE(countColour(s, Red), 122);
    }

    // Action: draw a column against itself. Expected: every red pixel lies on the diagonal
    // x + y = 500.
    void sameColumnDrawsTheDiagonal()
    {
        Surface s(501, 501);
        graph::Options options;
        options.joined = true;
        graph::majgraf(s, tableOf({{"1", "2", "3", "0,5"}}), 0, 0, options);
        int red = 0;
        for (int y = 0; y < 501; ++y)
            for (int x = 0; x < 501; ++x)
                if (at(s, x, y) == Red) {
                    ++red;
                    QCOMPARE(x + y, 500);
                }
        QVERIFY(red > 300);
    }

    // Action: draw a column of negative values only. Expected: the ordinate axis at x = 485.
    void negativeColumnPutsTheAxisAtTheRight()
    {
        Surface s(501, 501);
        graph::majgraf(s, tableOf({{"-4", "-3", "-2", "-1"}, {"1", "2", "3", "4"}}), 0, 1, {});
        QCOMPARE(at(s, 485, 200), Blue);
        QCOMPARE(at(s, 483, 3), Blue); // the arrow head
        QCOMPARE(at(s, 5, 255), White);
        QCOMPARE(at(s, 5, 375), Red); // (-4, 1)
    }

    void unusableColumnShowsTheMessage_data()
    {
        QTest::addColumn<Columns>("columns");
        QTest::newRow("empty ordinate") << Columns{{"1", "2"}, {}};
        QTest::newRow("all zeros") << Columns{{"1", "2"}, {"0", "0"}};
        QTest::newRow("empty abscissa") << Columns{{}, {"1", "2"}};
    }
    // Action: draw with an empty or all-zero column. Expected: no label text; the picture holds
    // only the shadowed message (light blue over light grey) around rows 101 to 120, no axis.
    void unusableColumnShowsTheMessage()
    {
        QFETCH(Columns, columns);
        Surface s(501, 501);
        // A previous graph is cleared.
        graph::majgraf(s, tableOf({{"1"}, {"1"}}), 0, 1, {});
        QVERIFY(!graph::majgraf(s, tableOf(columns), 0, 1, {}));
        QCOMPARE(countColour(s, Blue), 0);
        QCOMPARE(countColour(s, Red), 0);
        QVERIFY(countColour(s, paletteColour(9), QRect(0, 100, 501, 25)) > 50);
        QVERIFY(countColour(s, paletteColour(7), QRect(0, 100, 501, 25)) > 5);
        QCOMPARE(countColour(s, White, QRect(0, 0, 501, 99)), 501 * 99);
        QCOMPARE(countColour(s, White, QRect(0, 130, 501, 371)), 501 * 371);
        // Centred: ink on both halves.
        QVERIFY(countColour(s, paletteColour(9), QRect(0, 100, 250, 25)) > 20);
        QVERIFY(countColour(s, paletteColour(9), QRect(251, 100, 250, 25)) > 20);
    }

    // Action: draw with a column index of −1 (a list without selection). Expected: nothing is
    // drawn and no label text.
    void noSelectionDrawsNothing()
    {
        Surface s(501, 501);
        s.pset(10, 10, Red);
        QVERIFY(!graph::majgraf(s, tableOf({{"1"}, {"1"}}), -1, 1, {}));
        QCOMPARE(at(s, 10, 10), Red);
    }

    // Action: draw 1..4 against 2 4 6 8,5 with and without the regression line. Expected: the
    // only pixels that differ are dark green ones, within the square 5 … 495, with one near the
    // line's row 266 at x = 245; the label gains the regression paragraph.
    void regressionLineAddsOnlyGreen()
    {
        const TableModel t = tableOf({{"1", "2", "3", "4"}, {"2", "4", "6", "8,5"}});
        Surface plain(501, 501), fitted(501, 501);
        graph::Options options;
        options.grid = true;
        options.crosses = true;
        const auto plainLabel = graph::majgraf(plain, t, 0, 1, options);
        options.regression = true;
        const auto label = graph::majgraf(fitted, t, 0, 1, options);
        QCOMPARE(label.value_or(QString()), *plainLabel + "\n\nDroite de régression:\n"
                                                          "y = 2,1500 x - 0,2500\nr = 0,9984");
        int changed = 0;
        QRect bounds;
        for (int y = 0; y < 501; ++y)
            for (int x = 0; x < 501; ++x)
                if (at(plain, x, y) != at(fitted, x, y)) {
                    ++changed;
                    QCOMPARE(at(fitted, x, y), Green);
                    bounds |= QRect(x, y, 1, 1);
                }
        QVERIFY(changed > 400);
        QVERIFY(QRect(5, 5, 491, 491).contains(bounds));
        QCOMPARE(bounds.bottom(), 495); // cut at the bottom, near x = 19
        QVERIFY(bounds.left() >= 18 && bounds.left() <= 20);
        QCOMPARE(bounds.right(), 495);
        QVERIFY(countColour(fitted, Green, QRect(245, 265, 1, 3)) >= 1);
    }

    // Action: ask for the regression with a single abscissa. Expected: no green pixel, the label
    // says two abscissas are needed.
    void regressionNeedsTwoAbscissas()
    {
        Surface s(501, 501);
        graph::Options options;
        options.regression = true;
        const auto label =
            graph::majgraf(s, tableOf({{"2", "2", "2"}, {"1", "2", "3"}}), 0, 1, options);
        QVERIFY(label &&
                label->endsWith("\n\nDroite de régression: il faut au moins deux abscisses "
                                "différentes."));
        QCOMPARE(countColour(s, Green), 0);
    }

    void badColumnsDrawFiniteGraphs_data()
    {
        QTest::addColumn<Columns>("columns");
        QTest::addColumn<QString>("label"); // the start of the label
        QTest::addColumn<QPoint>("mark");
        QTest::newRow("1E+38 against 1E-38")
            << Columns{{"1E+38"}, {"1E-38"}}
            << "En abscisse, une division correspond à 1E+37 unités.\n\n"
               "En ordonnée, une division correspond à 1E-39 unités."
            << QPoint(485, 15);
        QTest::newRow("-3E+38 to 3E+38")
            << Columns{{"-3E+38", "3E+38"}, {"1", "2"}}
            << "En abscisse, une division correspond à 5E+37 unités." << QPoint(485, 15);
        QTest::newRow("single row")
            << Columns{{"2"}, {"-3"}} << "En abscisse, une division correspond à 0,25 unités."
            << QPoint(485, 495);
        QTest::newRow("100 identical values")
            << Columns{QStringList(100, "7"), QStringList(100, "7")}
            << "En abscisse, une division correspond à 1 unités." << QPoint(485, 15);
    }
    // Action: draw columns of extreme magnitudes, one row, or a hundred equal values, with every
    // option. Expected: it returns, the label holds no NaN or infinity, and the mark is where the
    // range puts it.
    void badColumnsDrawFiniteGraphs()
    {
        QFETCH(Columns, columns);
        QFETCH(QString, label);
        QFETCH(QPoint, mark);
        Surface s(501, 501);
        graph::Options all;
        all.joined = all.grid = all.crosses = all.regression = true;
        const auto text = graph::majgraf(s, tableOf(columns), 0, 1, all);
        QVERIFY(text);
        QVERIFY2(text->startsWith(label), qPrintable(*text));
        QVERIFY(!text->contains("nan", Qt::CaseInsensitive));
        QVERIFY(!text->contains("inf", Qt::CaseInsensitive));
        QCOMPARE(at(s, mark.x(), mark.y()), Red);
    }
};

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
