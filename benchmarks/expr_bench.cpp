// SPDX-License-Identifier: GPL-3.0-or-later
// The expression engine on the formulas of a table column, and the number texts around it.
#include "core/expr/engine.h"
#include "core/platform/numtext.h"

#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

void evaluate(benchmark::State& state, const QString& expression, int angleMode)
{
    for (auto _ : state) {
        QString text = expression;
        int code = 0;
        expr::evaluateExpression(text, code, angleMode);
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(code);
    }
}

void BM_ColumnFormula(benchmark::State& state)
{
    // "C1 * 2" once the cell's value has been written in.
    evaluate(state, QStringLiteral("12.5 * 2"), expr::Degrees);
}
BENCHMARK(BM_ColumnFormula);

void BM_FunctionOfGroup(benchmark::State& state)
{
    evaluate(state, QStringLiteral("sin (30+60)"), expr::Degrees);
}
BENCHMARK(BM_FunctionOfGroup);

void BM_Priorities(benchmark::State& state)
{
    evaluate(state, QStringLiteral("2+3*4-5/6^2"), expr::Degrees);
}
BENCHMARK(BM_Priorities);

void BM_SnellFormula(benchmark::State& state)
{
    evaluate(state, QStringLiteral("invsin(1.000277 * sin 35.5 / 1.506516)"), expr::Degrees);
}
BENCHMARK(BM_SnellFormula);

void BM_PassLimitReached(benchmark::State& state)
{
    // A division by zero keeps the driver looping up to its 100 passes.
    evaluate(state, QStringLiteral("2+3*4-5/0"), expr::Degrees);
}
BENCHMARK(BM_PassLimitReached);

void BM_HundredRowColumn(benchmark::State& state)
{
    // One column computed from another: the formula with each row's value substituted.
    QStringList rows;
    for (int i = 1; i <= 100; ++i)
        rows << numtext::writeNumberTrimmed(i * 0.37) + QStringLiteral(" * 2 + sin ") +
                    numtext::writeNumberTrimmed(i * 0.9);
    for (auto _ : state) {
        for (const QString& row : rows) {
            QString text = row;
            int code = 0;
            expr::evaluateExpression(text, code, expr::Degrees);
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(BM_HundredRowColumn)->Unit(benchmark::kMicrosecond);

void BM_LongSumOfGroups(benchmark::State& state)
{
    // "(1+1)+(1+1)+…+(1+1)", 100 001 characters: 16 667 groups, each reduced inside a long line.
    evaluate(state, QStringLiteral("(1+1)+").repeated(16666) + QStringLiteral("(1+1)"),
             expr::Degrees);
}
BENCHMARK(BM_LongSumOfGroups)->Unit(benchmark::kMillisecond);

void BM_DeepParentheses(benchmark::State& state)
{
    // "((((…1…))))", 100 001 characters: 50 000 levels around one number.
    const QString text =
        QString(50000, QLatin1Char('(')) + QLatin1Char('1') + QString(50000, QLatin1Char(')'));
    evaluate(state, text, expr::Degrees);
}
BENCHMARK(BM_DeepParentheses)->Unit(benchmark::kMillisecond);

void BM_WriteNumber(benchmark::State& state)
{
    double v = 1.0 / 3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numtext::writeNumberTrimmed(v));
        v += 1.0;
    }
}
BENCHMARK(BM_WriteNumber);

void BM_ReadNumber(benchmark::State& state)
{
    const QString text = QStringLiteral("-2.71828182845905E-07");
    for (auto _ : state)
        benchmark::DoNotOptimize(numtext::readNumber(text));
}
BENCHMARK(BM_ReadNumber);

void BM_CellFormat(benchmark::State& state)
{
    const QString pattern = QStringLiteral("########0.000");
    double v = -32135.35;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numtext::format(v, pattern));
        v += 0.001;
    }
}
BENCHMARK(BM_CellFormat);

} // namespace

BENCHMARK_MAIN();
