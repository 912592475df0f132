// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window `Machine` ("Machine à calculer") and the plain logic behind its keys.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QGroupBox;
class QKeyEvent;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace calc
{

// The display text of a value in "Standard" mode: the engine's writer with its leading blank
// (" 5", "-3", " .5").
QString standardText(double value);
// The display text of a value in "Scientifique" mode: one digit, the point, up to seven decimals,
// the exponent ("1.2345E+03", "5.E-01").
QString scientificText(double value);

// The four messages the display shows after a failed evaluation.
inline constexpr const char* kImpossible = "Calcul impossible";
inline constexpr const char* kParentheses = "Erreur saisie: revoir les parenthèses";
inline constexpr const char* kOperators =
    "Erreur saisie: incompréhension sur opérateurs: ^ * / + -";
inline constexpr const char* kOverflow = "Dépassement de capacité";
// The calculator's own error code for a result too large to be read back as a number.
inline constexpr int kOverflowCode = 4;

// The outcome of evaluating one entry the way EXE does, without touching any window.
struct Evaluation {
    QString text;      // the display text: the result, or the error message
    int calcError = 0; // 0, the engine's 1 to 3, or kOverflowCode
    int beeps = 0;     // how many times the calculator beeps for it
};
// Hands a copy of entry to the expression engine and turns its answer into the display text
// (standard or scientific). Column computation evaluates every row through this too.
Evaluation evaluateEntry(const QString& entry, int angleMode, bool scientific);

// How a key's text joins the entry.
enum class JoinRule {
    Plain,           // appended as it is
    ImplicitProduct, // " * " first, unless the entry is empty or ends with "(", "-" or a blank
    Continue,        // an empty entry starts from the last answer (x^y, x²)
    ContinueIfShown, // the same, and nothing at all while the display is blank (+, x, ÷)
};

// The calculator's registers and what every key does to them: the expression being typed
// (`entryText`), the text of the display, the last answer and the last error code. It holds no
// widget, so the window only forwards key presses and shows `display`.
class Calculator
{
public:
    QString entryText;
    QString display; // what the display box shows
    QString lastAnswer;
    int calcError = 0;

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

private:
    void showEntry() { display = entryText; }
};

} // namespace calc

// The calculator window. Each key appends a piece of text to the entry; EXE hands the entry to the
// expression engine and shows the result or an error message. The memory register is program-wide
// (`module1().memoryValue`); the entry, the last answer and the error code live as long as the
// window. The controls are public, as the other windows and the command line drive them.
class Machine : public QDialog
{
    Q_OBJECT
public:
    explicit Machine(QWidget* parent = nullptr);
    ~Machine() override;

    // Calculator mode, as the main window's "&Calculatrice" opens it: sets it up and runs it
    // modally; returns when the user closes it.
    void openCalculator();
    // Sets up calculator mode without showing the window (tests and the command line).
    void prepareCalculatorMode();
    // Presets the entry and the display to text, as if it had just been typed.
    void recalcule(const QString& text);

    QString displayText() const;
    const QString& entryText() const { return m_calc.entryText; }
    const QString& lastAnswer() const { return m_calc.lastAnswer; }
    int calcError() const { return m_calc.calcError; }

    // The controls.
    QTextEdit* z1 = nullptr;
    QGroupBox* Frame1 = nullptr;          // "Angles"
    QGroupBox* Frame2 = nullptr;          // "Affichage"
    std::array<QRadioButton*, 2> angle{}; // (0) "Degrés", (1) "Radians"
    std::array<QRadioButton*, 2> C{};     // (0) "Scientifique", (1) "Standard"
    std::array<QPushButton*, 10> B{};     // digits "0" … "9"
    QPushButton* Bpoint = nullptr;
    QPushButton* BtoEXP = nullptr;
    QPushButton* pico = nullptr;
    QPushButton* nano = nullptr;
    QPushButton* micro = nullptr;
    QPushButton* mil = nullptr;
    QPushButton* kilo = nullptr;
    QPushButton* mega = nullptr;
    QPushButton* giga = nullptr;
    QPushButton* tera = nullptr;
    QPushButton* plus = nullptr;
    QPushButton* moins = nullptr;
    QPushButton* multip = nullptr;
    QPushButton* div = nullptr;
    QPushButton* puissance = nullptr; // x to the power y
    QPushButton* btcarre = nullptr;   // x squared
    QPushButton* Bpo = nullptr;
    QPushButton* bpf = nullptr;
    QPushButton* bsin = nullptr;
    QPushButton* Bcos = nullptr;
    QPushButton* Btan = nullptr;
    QPushButton* invsin = nullptr;
    QPushButton* invcos = nullptr;
    QPushButton* Btoncommande3 = nullptr; // inverse tangent
    QPushButton* Bln = nullptr;
    QPushButton* Blog = nullptr;
    QPushButton* Bexp = nullptr;
    QPushButton* racine = nullptr;
    QPushButton* B10x = nullptr;
    QPushButton* Command5 = nullptr; // 1/x
    QPushButton* pi = nullptr;
    QPushButton* ANS = nullptr;
    QPushButton* Command1 = nullptr; // M+
    QPushButton* Command2 = nullptr; // M-
    QPushButton* Command3 = nullptr; // RM
    QPushButton* Command4 = nullptr; // CM
    QPushButton* EFFACE = nullptr;
    QPushButton* RAZ = nullptr;
    QPushButton* EXE = nullptr;
    // The column keys "C1" … "C5", shown only when the window computes a table column.
    std::array<QPushButton*, 5> Command6{};

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Form_Load();
    // The keyboard: returns true when the key meant something to the calculator.
    bool Form_KeyPress(QKeyEvent* event);

    void keyAppend(const QString& text, calc::JoinRule rule);
    void EXE_Click();
    void EFFACE_Click();
    void RAZ_Click();
    void ANS_Click();
    void plus_Click();
    void moins_Click();
    void Command1_Click(); // M+
    void Command2_Click(); // M-
    void Command3_Click(); // RM
    void Command4_Click(); // CM
    void Command6_Click(int index);
    void C_Click(int index);

    int angleMode() const;
    bool scientific() const;
    // Puts the calculator's display text into z1, gives it the focus, the caret at the end.
    void showDisplay();
    void focusDisplay();
    void beep(int times);

    calc::Calculator m_calc;
};
