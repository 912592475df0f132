// SPDX-License-Identifier: GPL-3.0-or-later
// The custom-material dialog driven through its real widgets.
#include "gui/bench/loupe.h"
#include "support/responder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestLoupe : public QObject {
    Q_OBJECT
    BenchState state;

private slots:
    void init() { state = BenchState{}; }

    // State: target the outer medium (air) while the half-disc is crown glass.
    // Expected: the boxes show the outer medium's own coefficients with the decimal comma.
    void showsTheTargetsCoefficients()
    {
        state.customMaterialTarget = 1;
        LOUPE outer(state, nullptr);
        QCOMPARE(outer.Text1->text(), QStringLiteral("1,000275"));
        QCOMPARE(outer.Text2->text(), QStringLiteral("0,74"));
        state.customMaterialTarget = 2;
        LOUPE disc(state, nullptr);
        QCOMPARE(disc.Text1->text(), QStringLiteral("1,472363"));
        QCOMPARE(disc.Text2->text(), QStringLiteral("11848,41"));
        QCOMPARE(disc.windowTitle(), QStringLiteral("Definir un matériau non listé"));
    }

    // Action: type "1.5x-e,2" into an empty box. Expected: the period becomes a comma, letters
    // and signs are discarded.
    void keyFilter()
    {
        LOUPE dlg(state, nullptr);
        dlg.Text1->clear();
        dlg.Text1->setFocus();
        QTest::keyClicks(dlg.Text1, QStringLiteral("1.5x-e+ 2"));
        QCOMPARE(dlg.Text1->text(), QStringLiteral("1,52"));
        QTest::keyClick(dlg.Text1, Qt::Key_Backspace);
        QCOMPARE(dlg.Text1->text(), QStringLiteral("1,5"));
        QTest::keyClicks(dlg.Text1, QStringLiteral(","));
        QCOMPARE(dlg.Text1->text(), QStringLiteral("1,5,"));
    }

    void limits_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<float>("storedA");   // when accepted
        QTest::addColumn<float>("storedB");
        const QString a = QStringLiteral("Valeur de A en dehors des limites.");
        const QString b = QStringLiteral("Valeur de B en dehors des limites.");
        QTest::newRow("A = 1, B = 0") << "1"
                                      << "0"
                                      << "" << 1.0f << 0.0f;
        QTest::newRow("A = 2, B = 40000") << "2"
                                          << "40000"
                                          << "" << 2.0f << 40000.0f;
        QTest::newRow("decimal comma") << "1,333"
                                       << "3099,5"
                                       << "" << 1.333f << 3099.5f;
        QTest::newRow("blanks around") << " 1,5 "
                                       << " 12 "
                                       << "" << 1.5f << 12.0f;
        QTest::newRow("empty B is 0") << "1,5"
                                      << ""
                                      << "" << 1.5f << 0.0f;
        QTest::newRow("A above 2") << "2,0001"
                                   << "10" << a << 0.0f << 0.0f;
        QTest::newRow("A below 1") << "0,99"
                                   << "10" << a << 0.0f << 0.0f;
        QTest::newRow("empty A") << ""
                                 << "10" << a << 0.0f << 0.0f;
        QTest::newRow("a lone comma") << ","
                                      << "10" << a << 0.0f << 0.0f;
        QTest::newRow("two commas in A") << "1,,5"
                                         << "10" << a << 0.0f << 0.0f;
        QTest::newRow("B above 40000") << "1,5"
                                       << "40000,5" << b << 0.0f << 0.0f;
        QTest::newRow("B not a number") << "1,5"
                                        << "1,2,3" << b << 0.0f << 0.0f;
        QTest::newRow("B too large") << "1,5" << QString(60, QLatin1Char('9')) << b << 0.0f << 0.0f;
        QTest::newRow("both wrong: A first") << "3"
                                             << "50000" << a << 0.0f << 0.0f;
    }
    void limits()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, message);
        QFETCH(float, storedA);
        QFETCH(float, storedB);
        RecordingResponder responder;
        state.customMaterialTarget = 2;
        const BenchState before = state;
        LOUPE dlg(state, nullptr);
        dlg.Text1->setText(a);
        dlg.Text2->setText(b);
        dlg.Command2->click();
        if (message.isEmpty()) {
            QCOMPARE(responder.messages(), QStringList());
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(state.discA, storedA);
            QCOMPARE(state.discB, storedB);
            QCOMPARE(state.discMaterialIndex, 4);
            QCOMPARE(state.outerA, before.outerA);
        } else {
            QCOMPARE(responder.messages(), QStringList{message});
            QCOMPARE(responder.requests.first().title, QStringLiteral("Propriété incorrecte"));
            QCOMPARE(responder.requests.first().icon, dialogs::Icon::Stop);
            QCOMPARE(dlg.result(), 0);
            QCOMPARE(state.discA, before.discA);
            QCOMPARE(state.discB, before.discB);
            QCOMPARE(dlg.Text1->text(), a); // the texts stay for correction
        }
    }

    void outerTargetStoresOuterMedium()
    {
        state.customMaterialTarget = 1;
        LOUPE dlg(state, nullptr);
        dlg.Text1->setText(QStringLiteral("1,33"));
        dlg.Text2->setText(QStringLiteral("3000"));
        dlg.Command2->click();
        QCOMPARE(state.outerA, 1.33f);
        QCOMPARE(state.outerB, 3000.0f);
        QCOMPARE(state.outerMaterialIndex, 4);
        QCOMPARE(state.discA, BenchState{}.discA);
    }

    void cancelRestoresTheList()
    {
        int restored = 0;
        state.customMaterialTarget = 2;
        LOUPE dlg(state, nullptr);
        connect(&dlg, &LOUPE::cancelled, this, [&] { ++restored; });
        dlg.Text1->setText(QStringLiteral("1,9"));
        dlg.Command1->click();
        QCOMPARE(restored, 1);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(state.discA, BenchState{}.discA);
        LOUPE esc(state, nullptr);
        connect(&esc, &LOUPE::cancelled, this, [&] { ++restored; });
        QTest::keyClick(&esc, Qt::Key_Escape);
        QCOMPARE(restored, 2);
    }
};

QTEST_MAIN(TestLoupe)
#include "tst_loupe.moc"
