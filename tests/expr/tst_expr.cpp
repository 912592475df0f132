// SPDX-License-Identifier: GPL-3.0-or-later
// The expression engine: normalisation, simplification, token counts, evaluation and its error
// codes, and the engine's behaviour on hostile input.
#include "core/expr/engine.h"
#include "core/platform/numtext.h"

#include <QtTest>
#include <cmath>
#include <random>

using expr::Engine;

namespace {

QString evaluated(QString text, int angleMode, int* code)
{
    int errorCode = -1;
    expr::evaluateExpression(text, errorCode, angleMode);
    *code = errorCode;
    return text;
}

QString repeated(const char* piece, int times)
{
    return QString::fromLatin1(piece).repeated(times);
}

// A random raw expression, as a pupil or a column formula could write it: numbers, signs,
// functions under their various spellings, parentheses, operators, stray spaces and lower case.
class ExpressionGenerator {
public:
    explicit ExpressionGenerator(unsigned seed) : m_random(seed) {}

    QString next() { return spell(term(3)); }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    QString number()
    {
        static const char* numbers[] = {"12",  "0.5", ".25", "3", "1E-3", "2.5e+2",
                                        "7d1", "100", "4.",  "0", "1e5",  "9"};
        return QString::fromLatin1(numbers[pick(12)]);
    }

    QString term(int depth)
    {
        static const char* functions[] = {"sin", "COS", "tan", "invsin", "invCOS", "invtan",
                                          "log", "ln",  "exp", "sqr",    "LON",    "ISI"};
        static const char* operators[] = {"+", "-", "*", "/", "^", "--", "+-", "-+", "*-"};
        const int choice = depth <= 0 ? pick(2) : pick(7);
        switch (choice) {
        case 0:
            return number();
        case 1:
            return QStringLiteral("-") + number();
        case 2:
            return QString::fromLatin1(functions[pick(12)]) + (pick(2) ? " " : "") +
                   (pick(2) ? number() : QStringLiteral("(") + term(depth - 1) + ")");
        case 3:
            return QString(QChar(0x00F9)) + number(); // the square-root sign
        case 4:
            return QStringLiteral("(") + term(depth - 1) + ")";
        case 5:
            return QStringLiteral("-(") + term(depth - 1) + ")";
        default:
            return term(depth - 1) + QString::fromLatin1(operators[pick(9)]) + term(depth - 1);
        }
    }

    // Random letter case and spaces.
    QString spell(const QString& text)
    {
        QString out;
        for (QChar c : text) {
            if (pick(8) == 0)
                out += QLatin1Char(' ');
            out += pick(2) ? c.toLower() : c;
        }
        return out;
    }

    std::mt19937 m_random;
};

} // namespace

class TestExpr : public QObject {
    Q_OBJECT
private slots:
    void normalises_data();
    void normalises();
    void simplifies_data();
    void simplifies();
    void simplifyFailsOnOpenNumberGroup_data();
    void simplifyFailsOnOpenNumberGroup();
    void simplifyIsStableOnItsOwnOutput();
    void countsTokens_data();
    void countsTokens();
    void evaluates_data();
    void evaluates();
    void reportsErrors_data();
    void reportsErrors();
    void failingStepKeepsEarlierRewrites();
    void operatorsMatchDirectArithmetic();
    void survivesHostileInput_data();
    void survivesHostileInput();
    void evaluatesLongLines_data();
    void evaluatesLongLines();
};

void TestExpr::normalises_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QString& raw, const QString& expected) {
        QTest::newRow(name) << raw << expected;
    };
    row("operator spaced", "2*3", " 2 * 3 ");
    row("leading minus stays", "-5+2", " -5 + 2 ");
    row("leading plus dropped", "+5", " 5 ");
    row("exponent sign stays", "1e-5*2", " 1E-5 * 2 ");
    row("D exponent sign stays", "1d+3", " 1D+3 ");
    row("sign after operator", "2*-3", " 2 * -3 ");
    row("sign after parenthesis", "(-4+1)", " (-4 + 1) ");
    row("plus after parenthesis is spaced", "(+4)", " ( + 4) ");
    row("spaces removed, case raised", " s i n 3 0 ", " SIN 30 ");
    row("square-root sign", QString(QChar(0x00F9)) + "9", " SQR 9 ");
    row("upper case keeps the root sign", QString(QChar(0x00F9)) + "x", " SQR X ");
    row("invsin", "invsin1", " ISI 1 ");
    row("INV of an unknown name", "invabc", " IAB  ");
    row("two codes in a row", "sinsin30", " SIN SIN 30 ");
    row("overlapping codes", "isin", " ISI N ");
    // The scan ends at three times the starting length: the ninth root sign lies beyond it.
    row("eight root signs fit", QString(8, QChar(0x00F9)), " SQR SQR SQR SQR SQR SQR SQR SQR  ");
    row("the ninth root sign stays", QString(9, QChar(0x00F9)),
        " SQR SQR SQR SQR SQR SQR SQR SQR " + QString(QChar(0x00F9)) + " ");
}

void TestExpr::normalises()
{
    QFETCH(QString, raw);
    QFETCH(QString, expected);
    Engine engine;
    engine.normaliseExpression(raw);
    QCOMPARE(raw, expected);
}

void TestExpr::simplifies_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QString& raw, const QString& expected) {
        QTest::newRow(name) << raw << expected;
    };
    row("parentheses then sign pair", "2-(-3)", " 2 + 3 ");
    row("minus of negative", "-(-3)", " 3 ");
    row("two layers", "((2))", " 2 ");
    row("no implicit multiplication", "2(3)", " 23 ");
    row("invsin of a number", "invsin(0.5)", " ISI 0.5 ");
    row("ln of a number", "ln(2)", " LON 2 ");
    row("ln of a group", "ln(2+3)", " LON (2 + 3) ");
    row("root sign", QString(QChar(0x00F9)) + "9", " SQR 9 ");
    row("typed spaces ignored", "1 2 + 3", " 12 + 3 ");
    row("empty", "", "  ");
    row("plus minus", "5+-3", " 5 - 3 ");
    row("minus plus", "5-+3", " 5 - 3 ");
    row("signed group opened, plus dropped", "(+2)", " 2 ");
    row("sign alone in parentheses", "(-)", " - ");
    row("exponent keeps parentheses", "(1E5)", " (1E5) ");
    row("sum keeps parentheses", "(2+3)", " (2 + 3) ");
    row("function keeps parentheses", "(SIN30)", " (SIN 30) ");
    row("empty parentheses stay", "()", " () ");
    row("sign inside needs a pair first", "(--3)", " 3 ");
}

void TestExpr::simplifies()
{
    QFETCH(QString, raw);
    QFETCH(QString, expected);
    Engine engine;
    QVERIFY(engine.simplifyExpression(raw));
    QCOMPARE(raw, expected);
}

void TestExpr::simplifyFailsOnOpenNumberGroup_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("left"); // as the failure left it: not normalised
    const auto row = [](const char* name, const QString& raw, const QString& left) {
        QTest::newRow(name) << raw << left;
    };
    row("number to the end", "5+(3", "5+(3");
    row("parenthesis last", "5 + (", "5+(");
    row("sign to the end", "(-", "(-");
    row("earlier groups already opened", "(2)+(--(3", "2+(+(3");
}

void TestExpr::simplifyFailsOnOpenNumberGroup()
{
    QFETCH(QString, raw);
    QFETCH(QString, left);
    Engine engine;
    QVERIFY(!engine.simplifyExpression(raw));
    QCOMPARE(raw, left);
}

void TestExpr::simplifyIsStableOnItsOwnOutput()
{
    // Simplifying a simplified text again changes nothing, on many generated expressions; and
    // every one of them evaluates to a result or to an error code.
    ExpressionGenerator generator(20240611);
    Engine engine;
    for (int k = 0; k < 3000; ++k) {
        const QString raw = generator.next();
        QString once = raw;
        if (!engine.simplifyExpression(once))
            continue;
        QString twice = once;
        QVERIFY2(engine.simplifyExpression(twice), qPrintable(raw));
        QVERIFY2(twice == once, qPrintable(raw + " -> " + once + " -> " + twice));

        int code = -1;
        QString text = raw;
        expr::evaluateExpression(text, code, k % 2);
        QVERIFY2(code >= 0 && code <= 3, qPrintable(raw));
        if (code == expr::NoError)
            QVERIFY2(!text.contains(QLatin1Char(' ')), qPrintable(raw + " -> " + text));
    }
}

void TestExpr::countsTokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("parens");
    QTest::addColumn<int>("operators");
    QTest::addColumn<int>("functions");
    const auto row = [](const char* name, const QString& text, int parens, int operators,
                        int functions) {
        QTest::newRow(name) << text << parens << operators << functions;
    };
    row("mixed", " 2 * (3 + SIN 4) ", 1, 2, 1);
    row("signs are not operators", " -1 * -2 ", 0, 1, 0);
    row("every code", " SQR SIN COS TAN LOG EXP ISI ICO ITA LON ", 0, 0, 10);
    row("overlapping codes both count", "ISIN", 0, 0, 2);
    row("operator windows share a space", " 5 *  + 3 ", 0, 2, 0);
    row("only opening parentheses count", " ((1)) )) ", 2, 0, 0);
    row("empty", "", 0, 0, 0);
}

void TestExpr::countsTokens()
{
    QFETCH(QString, text);
    QFETCH(int, parens);
    QFETCH(int, operators);
    QFETCH(int, functions);
    Engine engine;
    engine.parenCount = engine.operatorCount = engine.functionCount = 99;
    engine.countTokens(text);
    QCOMPARE(engine.parenCount, parens);
    QCOMPARE(engine.operatorCount, operators);
    QCOMPARE(engine.functionCount, functions);
}

void TestExpr::evaluates_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("angleMode");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QString& expression, int angleMode,
                        const QString& expected) {
        QTest::newRow(name) << expression << angleMode << expected;
    };
    const int deg = expr::Degrees;
    const int rad = expr::Radians;

    // Priority: ^ / * - +, every operator grouping from the left.
    row("product first", "2+3*4", deg, "14");
    row("parentheses first", "(1+2)*3", deg, "9");
    row("division before product", "10/4*2", deg, "5");
    row("product of a quotient", "2*3/4", deg, "1.5");
    row("powers from the left", "2^3^2", deg, "64");
    row("quotients from the left", "8/2/2", deg, "2");
    row("differences from the left", "2-3-4", deg, "-5");
    row("difference before sum", "1+2-3", deg, "0");
    row("sign belongs to the number", "-2^2", deg, "4");
    row("negative exponent", "2^-1", deg, ".5");
    row("15 digits, no leading 0", "1/3", deg, ".333333333333333");
    row("typical formula", "2+3*4-5/6^2", deg, "13.8611111111111");
    row("minus of a negative product", "2-3*-1", deg, "5");
    row("nested groups", "((2+3)*(4-1))", deg, "15");
    row("negative zero is 0", "-0*1", deg, "0");
    row("underflow reads as 0", "1E-200*1E-200", deg, "0");
    row("exponent operands", "2.5E+3*2", deg, "5000");
    row("small result in exponent form", "1e-5*2", deg, "2E-05");
    row("largest double", "1.79769313486231E+308*1", deg, "1.79769313486231E+308");
    row("letters read as 0", "2*X", deg, "0");
    row("exponent letter without digits", "1E+*2", deg, "2");

    // Functions, degrees and radians.
    row("sin 30", "sin 30", deg, ".5");
    row("tan 45", "tan 45", deg, "1");
    row("cos 90 is not 0", "cos 90", deg, "6.12323399573677E-17");
    row("tan 90 is large", "tan 90", deg, "1.63312393531954E+16");
    row("invsin 1", "invsin 1", deg, "90");
    row("invsin 0.5", "invsin(0.5)", deg, "30");
    row("invcos 1", "invcos 1", deg, "0");
    row("invcos 0", "invcos 0", deg, "90");
    row("invtan 1", "invtan 1", deg, "45");
    row("sin 30 radians", "sin 30", rad, "-.988031624092862");
    row("invsin 1 radians", "invsin 1", rad, "1.5707963267949");
    row("invcos -1 radians", "invcos -1", rad, "3.14159265358979");
    row("invtan 1 radians", "invtan 1", rad, ".785398163397448");
    row("log 1000", "log 1000", deg, "3");
    row("ln 1", "ln 1", deg, "0");
    row("exp 1", "exp 1", deg, "2.71828182845905");
    row("sqr 16", "sqr 16", deg, "4");
    row("root sign", QString(QChar(0x00F9)) + "9", deg, "3");
    row("function of a group", "sin (30+60)", deg, "1");
    row("ln of a group", "ln (2+3)", deg, "1.6094379124341");
    row("inner function first", "sin cos 60", deg, ".00872653549837393");
    row("function inside a group", "2*(3+sin(30))", deg, "7");
    row("function of a sign", "sin-30", deg, "-.5");
    row("function glued to a number", "2sin30", deg, "2.5");

    // Texts with nothing to reduce come back trimmed and upper-cased.
    row("empty", "", deg, "");
    row("word", "abc", deg, "ABC");
    row("number as written", "1e3", deg, "1E3");
    row("number beyond the range, unread", "1E400", deg, "1E400");
}

void TestExpr::evaluates()
{
    QFETCH(QString, expression);
    QFETCH(int, angleMode);
    QFETCH(QString, expected);
    int code = -1;
    QCOMPARE(evaluated(expression, angleMode, &code), expected);
    QCOMPARE(code, int(expr::NoError));
}

void TestExpr::reportsErrors_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("expectedCode");
    const auto row = [](const char* name, const QString& expression, int expectedCode) {
        QTest::newRow(name) << expression << expectedCode;
    };
    const int notReduced = expr::NotReduced;
    const int parens = expr::UnbalancedParens;
    const int operand = expr::MissingOperand;

    row("missing )", "(2+3", parens);
    row("open number group", "5+(3", parens);
    row("both faults: parentheses win", "(5*", parens);
    row("* at the end", "5*", operand);
    row("^ at the end", "5^", operand);
    row("* then +", "5*+3", operand);
    row("* then /", "5*/3", operand);
    row("+ at the end", "5+", notReduced);
    row("no left operand", "*5", notReduced);
    row("+ then *", "5+*3", notReduced);
    row("division by zero", "1/0", notReduced);
    row("zero to a negative power", "0^-1", notReduced);
    row("negative to a fractional power", "(-8)^(1/3)", notReduced);
    row("power overflows", "10^400", notReduced);
    row("product overflows", "1E308*10", notReduced);
    row("operand beyond the range", "1E400+1", notReduced);
    row("root of a negative", "sqr -4", notReduced);
    row("ln 0", "ln 0", notReduced);
    row("invsin 2", "invsin 2", notReduced);
    row("exp overflows", "exp 710", notReduced);
    row("function argument beyond the range", "sin 1E999", notReduced);
    row("function without argument", "sin", notReduced);
    row("root sign alone", QString(QChar(0x00F9)), notReduced);
    row("function letters in a group", "(XYZ)", notReduced);
    row("parentheses in the wrong order", ")2+3(", notReduced);
    row("more than 100 nested functions",
        QString("sqr(").repeated(120) + "1" + QString(")").repeated(120), notReduced);
}

void TestExpr::reportsErrors()
{
    QFETCH(QString, expression);
    QFETCH(int, expectedCode);
    int code = -1;
    evaluated(expression, expr::Degrees, &code);
    QCOMPARE(code, expectedCode);
}

void TestExpr::failingStepKeepsEarlierRewrites()
{
    // State: a power, then a division by zero. Action: evaluate. Expected: the power reduced
    // before the failure stays in the text; the division stays unreduced until the pass limit.
    int code = -1;
    QCOMPARE(evaluated("2^2+1/0", expr::Degrees, &code), QStringLiteral(" 4 + 1 / 0 "));
    QCOMPARE(code, int(expr::NotReduced));
    QCOMPARE(evaluated("sin 30 + sqr -4", expr::Degrees, &code), QStringLiteral(" .5 + SQR -4 "));
    QCOMPARE(code, int(expr::NotReduced));
    // The last "+" has no right operand: every reduction before it stays.
    QCOMPARE(evaluated("1+2*3+", expr::Degrees, &code), QStringLiteral(" 7 +  "));
    QCOMPARE(code, int(expr::NotReduced));
}

void TestExpr::operatorsMatchDirectArithmetic()
{
    // Two written numbers and one operator give the written value of the operation, whatever the
    // signs and exponents of the operands look like.
    std::mt19937_64 random(77);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_int_distribution<int> smallInt(-6, 6);
    const char ops[] = {'+', '-', '*', '/', '^'};
    for (int k = 0; k < 5000; ++k) {
        const char op = ops[k % 5];
        double x = mantissa(random) * std::pow(10.0, exponent(random));
        double y = mantissa(random) * std::pow(10.0, exponent(random));
        if (op == '^') {
            x = std::fabs(x) < 1e-3 ? 2.0 : x;
            y = smallInt(random);
        }
        const QString left = numtext::writeNumberTrimmed(x);
        const QString right = numtext::writeNumberTrimmed(y);
        const double a = *numtext::readNumber(left);
        const double b = *numtext::readNumber(right);
        double value = 0;
        switch (op) {
        case '+':
            value = a + b;
            break;
        case '-':
            value = a - b;
            break;
        case '*':
            value = a * b;
            break;
        case '/':
            value = a / b;
            break;
        default:
            value = std::pow(a, b);
            break;
        }
        const QString expression = left + QLatin1Char(op) + right;
        int code = -1;
        const QString result = evaluated(expression, expr::Degrees, &code);
        QVERIFY2(code == expr::NoError, qPrintable(expression));
        QVERIFY2(result == numtext::writeNumberTrimmed(value),
                 qPrintable(expression + " -> " + result));
    }
}

void TestExpr::survivesHostileInput_data()
{
    QTest::addColumn<QString>("expression");
    const auto row = [](const char* name, const QString& expression) {
        QTest::newRow(name) << expression;
    };
    std::mt19937 random(5);
    auto noise = [&random](const char* alphabet, int length) {
        const int n = int(strlen(alphabet));
        QString s;
        for (int k = 0; k < length; ++k)
            s += QLatin1Char(alphabet[std::uniform_int_distribution<int>(0, n - 1)(random)]);
        return s;
    };
    row("10000 digits and operators", noise("0123456789+-*/^.", 10000));
    row("10000 digits, letters, parentheses", noise("0123456789+-*/^.()ESINCOLGDx ", 10000));
    row("a long sum", QString("1+").repeated(5000) + "1");
    row("a long sum without its end", QString("1+").repeated(5000));
    row("10000 digits and one operator", QString(10000, QLatin1Char('1')) + "+1");
    row("deep parentheses around a number",
        QString(5000, QLatin1Char('(')) + "1" + QString(5000, QLatin1Char(')')));
    row("deep parentheses with sums",
        QString(3000, QLatin1Char('(')) + "1" + QString("+1)").repeated(3000));
    row("right-nested sums", QString("(1+").repeated(2500) + "1" + QString(2500, QLatin1Char(')')));
    row("only opening parentheses", QString(10000, QLatin1Char('(')));
    row("many nested functions", QString("sin ").repeated(2000) + "30");
    row("deep function groups",
        QString("sqr(").repeated(2000) + "1" + QString(2000, QLatin1Char(')')));
    row("10000 root signs", QString(10000, QChar(0x00F9)));
    row("stray letters", noise("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 10000));
    row("E without digits", "E+E-E*E/E^E");
    row("near the top of the range", "1.7976931348623157E308+1E292");
    row("non-ASCII text", QString::fromUtf8("é€ù²µ∞√π(1)"));
}

void TestExpr::survivesHostileInput()
{
    // Expected: a result or an error code, within the pass limit; nothing crashes or hangs.
    QFETCH(QString, expression);
    for (int angleMode : {int(expr::Degrees), int(expr::Radians)}) {
        int code = -1;
        evaluated(expression, angleMode, &code);
        QVERIFY(code >= expr::NoError && code <= expr::MissingOperand);
    }
}

void TestExpr::evaluatesLongLines_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected"); // the result, or what the rewriting left
    QTest::addColumn<int>("expectedCode");
    QTest::addColumn<int>("parens"); // the counters once evaluated
    QTest::addColumn<int>("operators");
    QTest::addColumn<int>("functions");
    const auto row = [](const char* name, const QString& expression, const QString& expected,
                        int code, int parens, int operators, int functions) {
        QTest::newRow(name) << expression << expected << code << parens << operators << functions;
    };
    const int ok = expr::NoError;

    row("sum of 10000 groups", repeated("(1+1)+", 9999) + "(1+1)", "20000", ok, 0, 0, 0);
    row("20000 levels around a number", repeated("(", 20000) + "1" + repeated(")", 20000), "1", ok,
        0, 0, 0);
    row("20000 levels around a negative decimal",
        repeated("(", 20000) + "-2.5" + repeated(")", 20000), "-2.5", ok, 0, 0, 0);
    row("20000 levels around a sum", repeated("(", 20000) + "1+1" + repeated(")", 20000), "2", ok,
        0, 0, 0);
    row("20000 nested groups, each adding one", repeated("(", 20000) + "1" + repeated("+1)", 20000),
        "20001", ok, 0, 0, 0);
    row("20000 right-nested sums", repeated("(1+", 20000) + "1" + repeated(")", 20000), "20001", ok,
        0, 0, 0);
    row("an even number of minus groups", repeated("-(", 20000) + "3" + repeated(")", 20000), "3",
        ok, 0, 0, 0);
    row("an odd number of minus groups", repeated("-(", 19999) + "3" + repeated(")", 19999), "-3",
        ok, 0, 0, 0);
    row("products and quotients in groups", repeated("(2*3)-(4/2)+", 5000) + "1", "20001", ok, 0, 0,
        0);
    row("sign pairs around grouped numbers", repeated("-(-(1))+((2))*((-3))", 3000) + "+1",
        "-14999", ok, 0, 0, 0);

    // Errors: the groups reduced before the failure stay reduced.
    row("division by zero before 10000 groups", "(1/0)+" + repeated("(1+1)+", 9999) + "(1+1)",
        " (1 / 0)" + repeated(" + 2", 10000) + " ", expr::NotReduced, 1, 10001, 0);
    row("number group left open by 10000 groups", ")(" + repeated("(1+1)", 10000),
        ")(" + repeated("2", 10000), expr::NotReduced, 1, 0, 0);
    row("one ( too many around 20000 levels", repeated("(", 20000) + "1" + repeated(")", 19999),
        "(1", expr::UnbalancedParens, 0, 0, 0);
    // The open group fails after 5001 passes, when 5001 levels of the first group are gone.
    row("open group under 5000 levels",
        repeated("(", 20000) + "1" + repeated(")", 20000) + "+(" + repeated("(", 5000) + "2" +
            repeated(")", 5000),
        repeated("(", 14999) + "1" + repeated(")", 14999) + "+(2", expr::UnbalancedParens, 0, 0, 0);
    // The same with signs: the minus groups open one level every other pass, an empty group
    // stays, a long sign run shrinks pass after pass before its group opens.
    row("open group under 5000 levels, minus groups",
        "()+" + repeated("-(", 20000) + "1" + repeated(")", 20000) + "+(" + repeated("(", 5000) +
            "2" + repeated(")", 5000),
        "()" + repeated("-(", 14999) + "-+1" + repeated(")", 14999) + "+(2", expr::UnbalancedParens,
        0, 0, 0);
    row("open group after 4096 signs",
        "(" + repeated("-", 4096) + "(" + repeated("(", 3000) + "2" + repeated(")", 3000), "(+(2",
        expr::UnbalancedParens, 0, 0, 0);
    row("open group after a group of 4095 signs",
        "(" + repeated("-", 4095) + "3)+(" + repeated("(", 3000) + "2" + repeated(")", 3000),
        "-3+(2", expr::UnbalancedParens, 0, 0, 0);
}

void TestExpr::evaluatesLongLines()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    QFETCH(int, expectedCode);
    QFETCH(int, parens);
    QFETCH(int, operators);
    QFETCH(int, functions);
    Engine engine;
    int code = -1;
    engine.evaluateExpression(expression, code, expr::Degrees);
    QCOMPARE(code, expectedCode);
    QCOMPARE(expression.size(), expected.size());
    QVERIFY(expression == expected); // QCOMPARE would print both texts in full
    QCOMPARE(engine.parenCount, parens);
    QCOMPARE(engine.operatorCount, operators);
    QCOMPARE(engine.functionCount, functions);
}

QTEST_GUILESS_MAIN(TestExpr)
#include "tst_expr.moc"
