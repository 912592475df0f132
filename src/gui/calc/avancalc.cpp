// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/calc/avancalc.h"

#include "core/calc/columnrun.h"
#include "gui/calc/machine.h"
#include "gui/platform/dialogs.h"

#include <QLabel>
#include <QProgressBar>

avancalc::avancalc(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("avancalc"));
    setWindowTitle(QStringLiteral("Optiphane"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(300, 76);
    Label1 = new QLabel(QStringLiteral("Patience: calculs en cours..."), this);
    Label1->setGeometry(12, 10, 276, 20);
    PBar = new QProgressBar(this);
    PBar->setObjectName(QStringLiteral("PBar"));
    PBar->setGeometry(12, 38, 276, 22);
    PBar->setTextVisible(false);
}

namespace calc {

void openColumnCalculator(TableModel& table, double& memory, bool recalc, QWidget* window)
{
    const int target = table.currentColumn();
    Machine machine(memory, window);
    machine.prepareColumnMode(target);
    if (recalc)
        machine.recalcule(table.columnFormula(target));
    QObject::connect(&machine, &Machine::columnRunRequested, &machine,
                     [&machine, &table, target, window](const QString& formula) {
                         computeColumn(machine, table, target, formula, window);
                     });
    machine.exec();
}

void computeColumn(Machine& machine, TableModel& table, int target, const QString& formula,
                   QWidget* window)
{
    machine.hide();
    avancalc progress(window);
    progress.show();
    progress.repaint();
    const ColumnRun run = runColumn(table, target, formula, machine.angleMode(),
                                    machine.scientific(), [&progress](int row, int rows) {
                                        progress.PBar->setMaximum(rows);
                                        progress.PBar->setValue(row);
                                        if (row % 10 == 0)
                                            progress.PBar->repaint();
                                    });
    if (run.beeps > 0)
        dialogs::beep();
    const QString message = missedMessage(run.missed);
    if (!message.isEmpty())
        dialogs::msgBox(message, dialogs::Buttons::Ok, dialogs::Icon::Stop, RunDoneTitle, window);
    progress.close();
    machine.done(QDialog::Accepted);
}

void showColumnFormula(const TableModel& table, QWidget* window)
{
    const int target = table.currentColumn();
    const QString n = QString::number(target + 1);
    dialogs::msgBox(QStringLiteral("C") + n + QStringLiteral(" = ") + table.columnFormula(target),
                    dialogs::Buttons::Ok, dialogs::Icon::Information,
                    QStringLiteral("Expression de C") + n, window);
}

} // namespace calc
