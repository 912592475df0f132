// SPDX-License-Identifier: GPL-3.0-or-later
// The expression engine: evaluates an arithmetic expression by rewriting its text until a single
// number is left. Functions are applied before parentheses are opened; operators are reduced
// leftmost first in the priority order ^ / * - + (so every operator groups from the left).
// Errors are values: the engine never throws to its caller.
#pragma once

#include <QString>

namespace expr {

enum ErrorCode : int {
    NoError = 0,
    NotReduced = 1,       // not reduced to one number (pass limit, failing step, space left)
    UnbalancedParens = 2, // numbers of "(" and ")" differ
    MissingOperand = 3,   // "*", "/" or "^" without a right operand
};

enum AngleMode : int { Degrees = 0, Radians = 1 };

// One evaluation context: the three token counters live here, not in globals.
class Engine {
public:
    // Rewrites text into normalised form (upper case, one space at each end, " op " operators,
    // function codes followed by one space).
    void normaliseExpression(QString& text);
    // Removes spaces, simplifies sign pairs and parentheses around single numbers until nothing
    // changes, then normalises. Returns false when the step failed (the text is left as it was
    // at the failure).
    bool simplifyExpression(QString& text);
    // Sets the three counters from text.
    void countTokens(const QString& text);
    // The driver: text in and out (the result, trimmed, on success; after an error, what the
    // rewriting left); errorCode out. angleMode Radians works in radians, any other value in
    // degrees. At most 100 passes, each linear or so in the length of the text.
    void evaluateExpression(QString& text, int& errorCode, int angleMode);

    int parenCount = 0;
    int operatorCount = 0;
    int functionCount = 0;
};

// Evaluates text with a fresh engine; the calculator and the column computation call this.
void evaluateExpression(QString& text, int& errorCode, int angleMode);

} // namespace expr
