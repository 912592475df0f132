// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's logic without any window: evaluation with its messages and beeps, the keys'
// effect on the registers, and the memory keys.
#include "core/calc/calculator.h"
#include "core/expr/engine.h"

#include <QTest>

using calc::CalcError;
using calc::Calculator;
using calc::JoinRule;

Q_DECLARE_METATYPE(calc::CalcError)

class TestCalculator : public QObject {
    Q_OBJECT

private slots:
    void evaluateEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("radians");
        QTest::addColumn<bool>("scientific");
        QTest::addColumn<QString>("text");
        QTest::addColumn<CalcError>("error");
        QTest::addColumn<int>("beeps");
        QTest::newRow("standard, with its blank")
            << "2 + 3" << false << false << " 5" << CalcError::None << 0;
        QTest::newRow("negative") << "2 - 7" << false << false << "-5" << CalcError::None << 0;
        QTest::newRow("degrees") << "sin 30" << false << false << " .5" << CalcError::None << 0;
        QTest::newRow("radians") << "sin 30" << true << false << "-.988031624092862"
                                 << CalcError::None << 0;
        QTest::newRow("scientific")
            << "1234.5" << false << true << "1.2345E+03" << CalcError::None << 0;
        QTest::newRow("scientific, one digit")
            << ".5" << false << true << "5.E-01" << CalcError::None << 0;
        QTest::newRow("parentheses")
            << "(2 + 3" << false << false << "Erreur saisie: revoir les parenthèses"
            << CalcError::UnbalancedParens << 1;
        QTest::newRow("operators")
            << "5 *" << false << false << "Erreur saisie: incompréhension sur opérateurs: ^ * / + -"
            << CalcError::MissingOperand << 1;
        QTest::newRow("not reduced")
            << "1 / 0" << false << false << "Calcul impossible" << CalcError::NotReduced << 1;
        QTest::newRow("overflow beeps twice")
            << "1E400" << false << false << "Dépassement de capacité" << CalcError::Overflow << 2;
    }
    void evaluateEntry()
    {
        QFETCH(QString, entry);
        QFETCH(bool, radians);
        QFETCH(bool, scientific);
        QFETCH(QString, text);
        QFETCH(CalcError, error);
        QFETCH(int, beeps);
        const calc::Evaluation e =
            calc::evaluateEntry(entry, radians ? expr::Radians : expr::Degrees, scientific);
        QCOMPARE(e.text, text);
        QCOMPARE(e.error, error);
        QCOMPARE(e.beeps, beeps);
        QCOMPARE(e.value.has_value(), error == CalcError::None);
    }

    // State: "2 + 3" evaluated. Action: EFFACE on the empty entry, then "×", "2", EXE.
    // Expected: the display is emptied, so "×" has nothing to continue from and the result is 2.
    void backspaceOnAnEmptyEntryEmptiesTheDisplay()
    {
        Calculator c;
        c.append(QStringLiteral("2"), JoinRule::Plain);
        c.plus();
        c.append(QStringLiteral("3"), JoinRule::Plain);
        c.execute(expr::Degrees, false);
        QCOMPARE(c.display, QStringLiteral(" 5"));
        c.backspace();
        QCOMPARE(c.display, QString());
        c.append(QStringLiteral(" * "), JoinRule::ContinueIfShown);
        c.append(QStringLiteral("2"), JoinRule::Plain);
        c.execute(expr::Degrees, false);
        QCOMPARE(c.display, QStringLiteral(" 2"));
    }

    // Action: EXE on "(2 + 3". Expected: the message, the entry given back for correction, and
    // ANS giving nothing after a failure.
    void aFailureGivesTheEntryBack()
    {
        Calculator c;
        c.entryText = QStringLiteral("(2 + 3");
        QCOMPARE(c.execute(expr::Degrees, false), 1);
        QCOMPARE(c.calcError, CalcError::UnbalancedParens);
        QCOMPARE(c.entryText, QStringLiteral("(2 + 3"));
        c.clearEntry();
        c.answer();
        QCOMPARE(c.entryText, QString());
    }

    void memory_data()
    {
        QTest::addColumn<double>("memory");
        QTest::addColumn<QString>("display");
        QTest::addColumn<bool>("add");
        QTest::addColumn<double>("after");
        QTest::addColumn<int>("beeps");
        QTest::newRow("M+") << 1.5 << " 5" << true << 6.5 << 0;
        QTest::newRow("M-") << 1.5 << " 5" << false << -3.5 << 0;
        QTest::newRow("a message reads as 0") << 2.0 << "Calcul impossible" << true << 2.0 << 0;
        QTest::newRow("beyond the range: kept, one beep")
            << 1.7e308 << " 1.7E+308" << true << 1.7e308 << 1;
        QTest::newRow("below the range: kept, one beep")
            << -1.7e308 << " 1.7E+308" << false << -1.7e308 << 1;
        QTest::newRow("an unreadable display changes nothing")
            << 3.0 << "1E+999" << true << 3.0 << 0;
    }
    void memory()
    {
        QFETCH(double, memory);
        QFETCH(QString, display);
        QFETCH(bool, add);
        QFETCH(double, after);
        QFETCH(int, beeps);
        Calculator c;
        c.display = display;
        QCOMPARE(add ? c.memoryAdd(memory) : c.memorySubtract(memory), beeps);
        QCOMPARE(memory, after);
    }
};

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
