// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/calculator.h"

#include "core/expr/engine.h"
#include "core/platform/numtext.h"

#include <cmath>

namespace calc {

namespace {

const QString kBusy = QStringLiteral("    Patience... Calculs en cours.     ");

QString displayText(double value, bool scientific)
{
    return scientific ? numtext::scientificText(value) : numtext::writeNumber(value);
}

} // namespace

QString errorMessage(CalcError error)
{
    switch (error) {
    case CalcError::None:
        return QString();
    case CalcError::UnbalancedParens:
        return QString::fromUtf8(kParentheses);
    case CalcError::MissingOperand:
        return QString::fromUtf8(kOperators);
    case CalcError::Overflow:
        return QString::fromUtf8(kOverflow);
    case CalcError::NotReduced:
        break;
    }
    return QString::fromUtf8(kImpossible);
}

Evaluation evaluateEntry(const QString& entry, int angleMode, bool scientific)
{
    Evaluation result;
    QString work = entry;
    int code = 0;
    expr::evaluateExpression(work, code, angleMode);
    if (code == expr::NoError) {
        result.value = numtext::readNumber(work);
        if (result.value) {
            result.text = displayText(*result.value, scientific);
            return result;
        }
        // A result too large to be read back: the overflow beeps once more than other errors.
        result.error = CalcError::Overflow;
        ++result.beeps;
    } else if (code == expr::UnbalancedParens || code == expr::MissingOperand) {
        result.error = CalcError(code);
    } else {
        result.error = CalcError::NotReduced;
    }
    result.text = errorMessage(result.error);
    ++result.beeps;
    return result;
}

void Calculator::append(const QString& text, JoinRule rule)
{
    switch (rule) {
    case JoinRule::ContinueIfShown:
        if (display.trimmed().isEmpty())
            return;
        [[fallthrough]];
    case JoinRule::Continue:
        if (entryText.trimmed().isEmpty())
            answer();
        break;
    case JoinRule::ImplicitProduct:
        if (!entryText.isEmpty() && !QStringLiteral("(- ").contains(entryText.back()))
            entryText += QStringLiteral(" * ");
        break;
    case JoinRule::Plain:
        break;
    }
    entryText += text;
    showEntry();
}

void Calculator::answer()
{
    if (calcError == CalcError::None)
        entryText += lastAnswer.trimmed();
    showEntry();
}

void Calculator::minus()
{
    if (entryText.isEmpty()) {
        entryText = QStringLiteral("-");
    } else {
        const QChar last = entryText.back();
        if (last == u'(' || last == u' ' || last == u'E')
            entryText += QStringLiteral("-");
        else if (last == u'-')
            entryText += QStringLiteral(" -");
        else
            entryText += QStringLiteral(" - ");
    }
    showEntry();
}

void Calculator::plus()
{
    if (display.trimmed().isEmpty())
        return;
    if (entryText.trimmed().isEmpty())
        answer();
    entryText += entryText.endsWith(u'E') ? QStringLiteral("+") : QStringLiteral(" + ");
    showEntry();
}

void Calculator::backspace()
{
    const qsizetype n = entryText.size();
    if (n == 0) {
        // Nothing to take back, but the display still shows the (empty) entry, as after every key.
        showEntry();
        return;
    }
    if (entryText.back() != u' ') {
        entryText.chop(1);
    } else if (n >= 2 && QStringLiteral("*+/-^").contains(entryText.at(n - 2))) {
        entryText.chop(3); // an operator with its blanks
    } else {
        // A function word and its blank: back to the blank or "(" before the word.
        qsizetype keep = 0;
        for (qsizetype distance = 1; distance < n; ++distance) {
            const QChar c = entryText.at(n - 1 - distance);
            if (c == u' ' || c == u'(') {
                keep = n - distance;
                break;
            }
        }
        entryText.truncate(keep);
    }
    showEntry();
}

void Calculator::clearEntry()
{
    entryText.clear();
    showEntry();
}

int Calculator::execute(int angleMode, bool scientific, const std::function<void()>& busy)
{
    calcError = CalcError::None;
    const QString backup = entryText;
    entryText = kBusy;
    showEntry();
    if (busy)
        busy();
    const Evaluation result = evaluateEntry(backup, angleMode, scientific);
    calcError = result.error;
    display = result.text;
    lastAnswer = result.text;
    entryText.clear();
    if (calcError != CalcError::None)
        entryText = backup; // the next key goes on with the expression as it was typed
    return result.beeps;
}

bool Calculator::redisplay(bool scientific)
{
    if (!entryText.isEmpty())
        return false;
    const std::optional<double> value = numtext::readNumber(lastAnswer);
    if (!value)
        return false;
    display = displayText(*value, scientific);
    return true;
}

void Calculator::recall(double value, bool scientific)
{
    entryText += scientific ? numtext::scientificText(value) : numtext::writeNumberTrimmed(value);
    showEntry();
}

std::optional<double> Calculator::displayValue() const
{
    return numtext::readNumber(display);
}

int Calculator::memoryAdd(double& memory) const
{
    const std::optional<double> value = displayValue();
    if (!value)
        return 0;
    const double sum = memory + *value;
    if (!std::isfinite(sum))
        return 1;
    memory = sum;
    return 0;
}

int Calculator::memorySubtract(double& memory) const
{
    const std::optional<double> value = displayValue();
    if (!value)
        return 0;
    const double difference = memory - *value;
    if (!std::isfinite(difference))
        return 1;
    memory = difference;
    return 0;
}

} // namespace calc
