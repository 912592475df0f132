// SPDX-License-Identifier: GPL-3.0-or-later
// Column computation from the table panel: the column menu opens the calculator in column
// mode, EXE computes the column and reports the missed rows, "Voir expression" and "Recalculer"
// use the stored formula.
#include "core/state/module1.h"
#include "gui/calc/avancalc.h"
#include "gui/calc/machine.h"
#include "gui/table/tablecontrols.h"
#include "support/modalwatchdog.h"
#include "support/responder.h"
#include "support/tablerig.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest>
#include <memory>

class TestColumnCommand : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<RecordingResponder> responder;
    std::unique_ptr<TableRig> w;

    TableModel& table() { return w->table; }
    // The column menu prepared for a column, as a click on its title does.
    void chooseColumn(int column)
    {
        table().setCurrentCell(1, column);
        w->tableControls->prepareColumnMenu();
    }
    // The next calculator window is handed to act, then must be closed by it.
    void onCalculator(std::function<void(Machine*)> act)
    {
        watchdog->expect([act](QWidget* modal) {
            auto* m = qobject_cast<Machine*>(modal);
            QVERIFY(m);
            act(m);
            if (m->isVisible())
                m->reject();
        });
    }

private slots:
    void init()
    {
        module1() = Module1{};
        watchdog = std::make_unique<ModalWatchdog>();
        responder = std::make_unique<RecordingResponder>();
        w = std::make_unique<TableRig>();
        // The column commands answer the column menu as in the main window.
        connect(w->tableControls, &TableControls::columnCalculationRequested, w.get(),
                [this](bool again) {
                    calc::openColumnCalculator(table(), module1().memoryValue, again, w.get());
                });
        connect(w->tableControls, &TableControls::columnFormulaRequested, w.get(),
                [this] { calc::showColumnFormula(table(), w.get()); });
        table().setRowCount(4);
        for (int r = 1; r <= 3; ++r)
            table().setCell(r, 0, QString::number(r) + QStringLiteral(",000"));
    }
    void cleanup()
    {
        w.reset();
        responder.reset();
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    // Action: "Calculer C2", type C1 * 2 with the keys, EXE. Expected: column mode as described,
    // then C2 = 2, 4, 6, no message, the calculator closed, the formula stored.
    void computing_a_column()
    {
        chooseColumn(1);
        onCalculator([](Machine* m) {
            QCOMPARE(m->windowTitle(), QStringLiteral("Calculer: C2 ="));
            QCOMPARE(m->z1->y(), 8);
            QCOMPARE(m->z1->height(), 81);
            for (int k = 0; k < 5; ++k) {
                QVERIFY(m->Command6[size_t(k)]->isVisible());
                QCOMPARE(m->Command6[size_t(k)]->isEnabled(), k != 1);
            }
            m->Command6[0]->click();
            QTest::keyClicks(m, QStringLiteral("*2"));
            QCOMPARE(m->entryText(), QStringLiteral("C1 * 2"));
            m->EXE->click();
            QVERIFY(!m->isVisible());
        });
        w->tableControls->widgets().calcutab->trigger();
        QCOMPARE(table().getCell(1, 1), QStringLiteral("2,000"));
        QCOMPARE(table().getCell(2, 1), QStringLiteral("4,000"));
        QCOMPARE(table().getCell(3, 1), QStringLiteral("6,000"));
        QCOMPARE(table().columnFormula(1), QStringLiteral("C1 * 2"));
        QVERIFY(responder->messages().isEmpty());
        // The column menu now offers the formula.
        w->tableControls->prepareColumnMenu();
        QVERIFY(w->tableControls->widgets().Vexpress->isEnabled());
        QVERIFY(w->tableControls->widgets().recalc->isEnabled());
        w->tableControls->widgets().Vexpress->trigger();
        QCOMPARE(responder->requests.last().title, QStringLiteral("Expression de C2"));
        QCOMPARE(responder->requests.last().text, QStringLiteral("C2 = C1 * 2"));
        QCOMPARE(responder->requests.last().icon, dialogs::Icon::Information);
    }

    void missed_rows_are_reported_data()
    {
        QTest::addColumn<QStringList>("c1");
        QTest::addColumn<QString>("message");
        QTest::newRow("one") << QStringList{"1,000", "", "3,000"}
                             << "Une valeur n'a pas été calculée.";
        QTest::newRow("three") << QStringList{"0,000", "0,000", "0,000"}
                               << " 3 valeurs n'ont pas été calculées.";
    }
    // Action: compute 1 / C1 into C3 with the keyboard's Enter. Expected: the critical box.
    void missed_rows_are_reported()
    {
        QFETCH(QStringList, c1);
        QFETCH(QString, message);
        for (int r = 0; r < 3; ++r)
            table().setCell(r + 1, 0, c1[r]);
        chooseColumn(2);
        onCalculator([](Machine* m) {
            QTest::keyClicks(m, QStringLiteral("1/"));
            m->Command6[0]->click();
            QTest::keyClick(m, Qt::Key_Return);
        });
        w->tableControls->widgets().calcutab->trigger();
        QCOMPARE(responder->messages(), QStringList{message});
        QCOMPARE(responder->requests.last().title, QStringLiteral("Calcul terminé"));
        QCOMPARE(responder->requests.last().icon, dialogs::Icon::Stop);
    }

    // Action: compute C2, change C1, "Recalculer C2" and EXE. Expected: the calculator preset
    // with the formula, C2 computed again from the new values in radians as chosen.
    void recalculating_after_the_sources_change()
    {
        table().setColumnFormula(1, QStringLiteral("C1 * 10"));
        table().setCell(2, 0, QStringLiteral("7,000"));
        chooseColumn(1);
        onCalculator([](Machine* m) {
            QCOMPARE(m->entryText(), QStringLiteral("C1 * 10"));
            QCOMPARE(m->displayText(), QStringLiteral("C1 * 10"));
            m->EXE->click();
        });
        w->tableControls->widgets().recalc->trigger();
        QCOMPARE(table().getCell(2, 1), QStringLiteral("70,000"));
        QCOMPARE(table().getCell(3, 1), QStringLiteral("30,000"));
    }

    // Action: close the calculator without EXE. Expected: nothing computed, nothing stored.
    void closing_without_exe_changes_nothing()
    {
        chooseColumn(3);
        onCalculator([](Machine* m) { QTest::keyClicks(m, QStringLiteral("5")); });
        w->tableControls->widgets().calcutab->trigger();
        QCOMPARE(table().getCell(1, 3), QString());
        QCOMPARE(table().columnFormula(3), QString());
    }
};

QTEST_MAIN(TestColumnCommand)
#include "tst_columncommand.moc"
