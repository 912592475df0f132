// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts: display patterns, the free format, the engine's number writer and reader.
#include "core/platform/numtext.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <random>

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void formatsWithPattern_data();
    void formatsWithPattern();
    void formatsSingles_data();
    void formatsSingles();
    void formatNeverFailsOnOddValues();
    void writesEngineNumbers_data();
    void writesEngineNumbers();
    void readsEngineNumbers_data();
    void readsEngineNumbers();
    void reportsOverflowWhenReading_data();
    void reportsOverflowWhenReading();
    void readsBackWhatItWrites();
};

void TestNumText::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("expectedInt");
    const auto row = [](const char* name, double value, double expected, int expectedInt) {
        QTest::newRow(name) << value << expected << expectedInt;
    };
    row("2.5 down to even", 2.5, 2.0, 2);
    row("3.5 up to even", 3.5, 4.0, 4);
    row("-2.5 to even", -2.5, -2.0, -2);
    row("0.5 to zero", 0.5, 0.0, 0);
    row("just above a half", 2.5000001, 3.0, 3);
    row("beyond int range clamps", 1e12, 1e12, INT_MAX);
}

void TestNumText::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QFETCH(int, expectedInt);
    QCOMPARE(numtext::roundHalfEven(value), expected);
    QCOMPARE(numtext::roundToInt(value), expectedInt);
}

void TestNumText::formatsWithPattern_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, double value, const QString& pattern,
                        const QString& expected) {
        QTest::newRow(name) << value << pattern << expected;
    };

    const QString two = QStringLiteral("########0.00");
    const QString three = QStringLiteral("########0.000");
    const QString sci2 = QStringLiteral("0.00E+00");
    const QString sci3 = QStringLiteral("0.000E+00");
    const QString index = QStringLiteral("##.######");
    const QString calc = QStringLiteral("#.#######E+00");
    const QString angle = QStringLiteral("##0.0");
    const QString sort =
        QStringLiteral("#############################0.##############################");

    // The table's five formats on its three example values.
    row("2 decimals, pi", 3.1415927, two, "3,14");
    row("2 decimals, negative", -32135.35, two, "-32135,35");
    row("2 decimals, small rounds up", 0.0258, two, "0,03");
    row("3 decimals, pi", 3.1415927, three, "3,142");
    row("3 decimals, trailing zero kept", -32135.35, three, "-32135,350");
    row("3 decimals, small", 0.0258, three, "0,026");
    row("free, pi", 3.1415927, QString(), "3,141593");
    row("free, negative", -32135.35, QString(), "-32135,35");
    row("free, small keeps its 0", 0.0258, QString(), "0,0258");
    row("sci2, pi", 3.1415927, sci2, "3,14E+00");
    row("sci2, negative", -32135.35, sci2, "-3,21E+04");
    row("sci2, small", 0.0258, sci2, "2,58E-02");
    row("sci3, pi", 3.1415927, sci3, "3,142E+00");
    row("sci3, negative rounds half up", -32135.35, sci3, "-3,214E+04");
    row("sci3, small keeps zeros", 0.0258, sci3, "2,580E-02");

    // Halves go away from zero, judged on the decimal value as written.
    row("half away from zero", 2.675, two, "2,68");
    row("negative half away from zero", -0.125, two, "-0,13");
    row("carry into a new digit", 999.9996, three, "1000,000");
    row("negative rounding to zero has no sign", -0.001, two, "0,00");
    row("start format of 1.5", 1.5, three, "1,500");
    row("huge value in plain notation", 1e20, two, "100000000000000000000,00");

    // Exponent patterns.
    row("sci2, mantissa carry moves exponent", 9.996, sci2, "1,00E+01");
    row("sci2, three exponent digits", 1e200, sci2, "1,00E+200");
    row("calculator, 1234.5", 1234.5, calc, "1,2345E+03");
    row("calculator, point always written", 0.5, calc, "5,E-01");
    row("calculator, 8 digits rounded", 123456789.0, calc, "1,2345679E+08");
    row("E- writes the minus sign", 0.0012, "0.0E-00", "1,2E-03");

    // Index read-outs: six decimals at most, the comma always.
    row("index of air", 1.000277, index, "1,000277");
    row("index rounds up", 1.6288515, index, "1,628852");
    row("index of 1 keeps its comma", 1.0, index, "1,");
    row("no integer digit below 1", 0.5, index, ",5");

    // Protractor read-outs.
    row("angle 90", 90.0, angle, "90,0");
    row("angle 359.96 carries", 359.96, angle, "360,0");

    // The sort pattern: plain notation, up to 30 decimals, no trailing zeros.
    row("sort, integer keeps its comma", 10.0, sort, "10,");
    row("sort, decimals", -32135.349609375, sort, "-32135,349609375");
    row("sort, small value never in exponent", 1.5e-7, sort, "0,00000015");
    row("sort, large value never in exponent", 1e25, sort, "10000000000000000000000000,");

    // Literal text around the digits.
    row("literal prefix and suffix", 2.5, "n = 0.0 !", "n = 2,5 !");
}

void TestNumText::formatsWithPattern()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(numtext::format(value, pattern), expected);
}

void TestNumText::formatsSingles_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, float value, const QString& expected) {
        QTest::newRow(name) << value << expected;
    };
    row("crown A", 1.472363f, "1,472363");
    row("crown B", 11848.408f, "11848,41");
    row("0.1 as a single", 0.1f, "0,1");
    row("negative zero", -0.0f, "0");
    row("1E7 in exponent notation", 1e7f, "1E+07");
    row("8 digits in exponent notation", 12345678.0f, "1,234568E+07");
    row("small in exponent notation", 2.58e-5f, "2,58E-05");
}

void TestNumText::formatsSingles()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(numtext::formatSingle(value), expected);
    QCOMPARE(numtext::format(double(value), QString()), expected);
}

void TestNumText::formatNeverFailsOnOddValues()
{
    // State: values the table may meet after an overflow. Expected: no digits, no crash.
    const double odd[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
    const char* patterns[] = {"", "########0.000", "0.00E+00", "##.######"};
    for (double v : odd)
        for (const char* p : patterns)
            QCOMPARE(numtext::format(v, QString::fromLatin1(p)), QString());
    // The largest and the smallest doubles have texts in every pattern.
    QCOMPARE(numtext::format(std::numeric_limits<double>::max(), QStringLiteral("0.00E+00")),
             QStringLiteral("1,80E+308"));
    QCOMPARE(numtext::format(std::numeric_limits<double>::max(), QStringLiteral("0.0")).size(),
             309 + 2);
    QCOMPARE(numtext::format(std::numeric_limits<double>::denorm_min(), QStringLiteral("0.00E+00")),
             QStringLiteral("4,94E-324"));
    QCOMPARE(numtext::format(std::numeric_limits<double>::denorm_min(), QString()),
             QStringLiteral("4,940656E-324"));
    QCOMPARE(numtext::format(1.0, QStringLiteral("no digits")), QStringLiteral("no digits"));
}

void TestNumText::writesEngineNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // with its leading space when not negative
    const auto row = [](const char* name, double value, const QString& expected) {
        QTest::newRow(name) << value << expected;
    };
    row("integer", 14.0, " 14");
    row("no 0 before the point", 0.5, " .5");
    row("negative below 1", -0.25, "-.25");
    row("zero", 0.0, " 0");
    row("negative zero", -0.0, " 0");
    row("one third, 15 digits", 1.0 / 3, " .333333333333333");
    row("e, 15 digits rounded", std::exp(1.0), " 2.71828182845905");
    row("1E20", 1e20, " 1E+20");
    row("1.5E-07", 1.5e-7, " 1.5E-07");
    row("cos of 90 degrees", 6.123233995736766e-17, " 6.12323399573677E-17");
    row("largest plain integer", 999999999999999.0, " 999999999999999");
    row("1E15 switches to exponent", 1e15, " 1E+15");
    row("rounding up to 1E15", 999999999999999.9, " 1E+15");
    row("smallest plain value", 0.0001, " .0001");
    row("below .0001 in exponent", 0.00005, " 5E-05");
    row("largest double stays in range", std::numeric_limits<double>::max(),
        " 1.79769313486231E+308");
    row("infinity reads back as overflow", std::numeric_limits<double>::infinity(), " 1E+309");
    row("not a number is the empty text", std::numeric_limits<double>::quiet_NaN(), "");
}

void TestNumText::writesEngineNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(numtext::writeNumber(value), expected);
    QCOMPARE(numtext::writeNumberTrimmed(value), expected.trimmed());
}

void TestNumText::readsEngineNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    const auto row = [](const char* name, const QString& text, double expected) {
        QTest::newRow(name) << text << expected;
    };
    row("integer", "14", 14.0);
    row("leading point", ".5", 0.5);
    row("exponent", "1E-3", 0.001);
    row("D is an exponent letter", "1D+3", 1000.0);
    row("lower-case exponent", "1e3", 1000.0);
    row("stops at a parenthesis", "5)", 5.0);
    row("stops at a letter", "12AB", 12.0);
    row("E without digits", "5E", 5.0);
    row("opening parenthesis first", "(5", 0.0);
    row("column name", "C1", 0.0);
    row("empty", "", 0.0);
    row("space after the sign", "- 5", 0.0);
    row("comma is no separator", "1,5", 1.0);
    row("underflow reads as 0", "1E-400", 0.0);
    row("huge exponent digits, tiny", "1E-99999999999999999999", 0.0);
    row("near the top of the range", "1.7976931348623157E308", std::numeric_limits<double>::max());
    row("long mantissa", QString(400, QLatin1Char('0')) + "12.5", 12.5);
}

void TestNumText::readsEngineNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const std::optional<double> v = numtext::readNumber(text);
    QVERIFY(v.has_value());
    QCOMPARE(*v, expected);
}

void TestNumText::reportsOverflowWhenReading_data()
{
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const QString& text) { QTest::newRow(name) << text; };
    row("1E309", "1E309");
    row("negative", "-2E400");
    row("400 digits", QString(400, QLatin1Char('9')));
    row("the writer's infinity", numtext::writeNumber(HUGE_VAL));
}

void TestNumText::reportsOverflowWhenReading()
{
    QFETCH(QString, text);
    QVERIFY(!numtext::readNumber(text).has_value());
}

void TestNumText::readsBackWhatItWrites()
{
    // Every text of the writer reads back as the value rounded to 15 significant digits, and the
    // writer gives that value the same text again.
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int k = 0; k < 20000; ++k) {
        double v = mantissa(random) * std::pow(10.0, exponent(random));
        if (k == 0)
            v = std::numeric_limits<double>::max();
        if (!std::isfinite(v))
            continue;
        const QString text = numtext::writeNumber(v);
        const std::optional<double> back = numtext::readNumber(text);
        QVERIFY2(back.has_value(), qPrintable(text));
        QCOMPARE(numtext::writeNumber(*back), text);
        if (v != 0 && std::fabs(v) > 1e-300)
            QVERIFY2(std::fabs(*back - v) <= std::fabs(v) * 1e-14, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
