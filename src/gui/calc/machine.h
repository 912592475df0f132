// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window `Machine` ("Machine à calculer") and the plain logic behind its keys.
#pragma once

#include "core/calc/calculator.h"

#include <QDialog>
#include <QString>

#include <array>

class QGroupBox;
class QKeyEvent;
class QPushButton;
class QRadioButton;
class QTextEdit;

// The calculator window. Each key appends a piece of text to the entry; EXE hands the entry to the
// expression engine and shows the result or an error message. The memory register is handed in
// by the opener (the main window gives the program-wide one); the entry, the last answer and the
// error code live as long as the window. The controls are public, as the other windows and the
// command line drive them.
class Machine : public QDialog {
    Q_OBJECT
signals:
    // EXE in column mode: the formula, for whoever computes the column.
    void columnRunRequested(const QString& formula);

public:
    explicit Machine(double& memory, QWidget* parent = nullptr);
    ~Machine() override;

    // Calculator mode, as the main window's "&Calculatrice" opens it: sets it up and runs it
    // modally; returns when the user closes it.
    void openCalculator();
    // Sets up calculator mode without showing the window (tests and the command line).
    void prepareCalculatorMode();
    // Presets the entry and the display to text, as if it had just been typed.
    void recalcule(const QString& text);
    // Column mode, to compute the table column `target` (0 to 4): the column keys shown, the
    // target's disabled, the caption "Calculer: C3 =". Does not show the window.
    void prepareColumnMode(int target);
    bool inColumnMode() const;

    int angleMode() const;
    bool scientific() const;

    QString displayText() const;
    const QString& entryText() const { return m_calc.entryText; }
    const QString& lastAnswer() const { return m_calc.lastAnswer; }
    calc::CalcError calcError() const { return m_calc.calcError; }

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

    // Puts the calculator's display text into z1, gives it the focus, the caret at the end.
    void showDisplay();
    void focusDisplay();
    void beep(int times);

    calc::Calculator m_calc;
    double& m_memory;
};
