// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's logic, without any window: the registers, what every key does to them, and the
// evaluation of an entry the way EXE does it. The calculator window and the column computation
// both evaluate through here.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace calc {

// Why an evaluation gave no number: the engine's three codes, or a result too large to be read
// back as a number.
enum class CalcError : int {
    None = 0,
    NotReduced = 1,
    UnbalancedParens = 2,
    MissingOperand = 3,
    Overflow = 4,
};

// The four messages the display shows after a failed evaluation.
inline constexpr const char* kImpossible = "Calcul impossible";
inline constexpr const char* kParentheses = "Erreur saisie: revoir les parenthèses";
inline constexpr const char* kOperators =
    "Erreur saisie: incompréhension sur opérateurs: ^ * / + -";
inline constexpr const char* kOverflow = "Dépassement de capacité";

// The message the display shows for an error (empty for None).
QString errorMessage(CalcError error);

// The outcome of evaluating one entry the way EXE does.
struct Evaluation {
    QString text; // the display text: the result, or the error message
    CalcError error = CalcError::None;
    std::optional<double> value; // the result, when there is one
    int beeps = 0;               // how many times the calculator beeps for it
};
// Hands a copy of entry to the expression engine and turns its answer into the display text
// (standard or scientific).
Evaluation evaluateEntry(const QString& entry, int angleMode, bool scientific);

// How a key's text joins the entry.
enum class JoinRule {
    Plain,           // appended as it is
    ImplicitProduct, // " * " first, unless the entry is empty or ends with "(", "-" or a blank
    Continue,        // an empty entry starts from the last answer (x^y, x²)
    ContinueIfShown, // the same, and nothing at all while the display is blank (+, x, ÷)
};

// The calculator's registers: the expression being typed (`entryText`), the text of the display,
// the last answer and the last error. The memory register is not here: it belongs to whoever
// opens the calculator and is handed to the memory keys.
class Calculator {
public:
    QString entryText;
    QString display; // what the display box shows
    QString lastAnswer;
    CalcError calcError = CalcError::None;

    // Appends a key's text under its rule; the display then shows the entry.
    void append(const QString& text, JoinRule rule);
    void answer(); // ANS: the last answer, trimmed, unless the last evaluation failed
    void minus();  // a sign or a subtraction, depending on what the entry ends with
    void plus();   // "+" after an exponent "E", " + " otherwise
    void backspace();
    void clearEntry();
    // EXE: evaluates the entry. `busy` is called once the display shows the waiting message.
    // After a failure the display keeps the message and the entry is given back for correction.
    // Returns the number of beeps.
    int execute(int angleMode, bool scientific, const std::function<void()>& busy = {});
    // Shows the last answer again in the chosen mode, when nothing has been typed since EXE.
    // Returns false when nothing changed.
    bool redisplay(bool scientific);
    // RM: appends a value (the memory) in the display mode's form, with no implicit product.
    void recall(double value, bool scientific);
    // The value the display shows, read by the engine's reader: a message reads as 0; nothing on
    // overflow.
    std::optional<double> displayValue() const;
    // M+ and M-: adds the displayed value to the memory, or subtracts it. A result beyond the
    // double range would leave nothing usable: the memory is kept and the key beeps. Returns the
    // number of beeps.
    int memoryAdd(double& memory) const;
    int memorySubtract(double& memory) const;

private:
    void showEntry() { display = entryText; }
};

} // namespace calc
