// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window driven through its keys and the keyboard, and the --calcul command line.
#include "core/calc/calculcommand.h"
#include "core/state/module1.h"
#include "gui/calc/machine.h"
#include "gui/platform/dialogs.h"
#include "support/modalwatchdog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTextStream>

#include <memory>

namespace {

const QString kImpossible = QStringLiteral("Calcul impossible");
const QString kParentheses = QStringLiteral("Erreur saisie: revoir les parenthèses");
const QString kOperators =
    QStringLiteral("Erreur saisie: incompréhension sur opérateurs: ^ * / + -");
const QString kOverflow = QStringLiteral("Dépassement de capacité");

// A calculator as the main window opens it, shown off-screen.
std::unique_ptr<Machine> openMachine()
{
    auto machine = std::make_unique<Machine>(module1().memoryValue);
    machine->prepareCalculatorMode();
    machine->show();
    if (!QTest::qWaitForWindowExposed(machine.get()))
        qWarning("calculator window not exposed");
    return machine;
}

// Clicks the controls named in keys (object names separated by blanks) with the mouse.
void press(Machine& machine, const QString& keys)
{
    for (const QString& name : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        auto* control = machine.findChild<QAbstractButton*>(name);
        QVERIFY2(control, qPrintable(QStringLiteral("no control ") + name));
        QVERIFY2(control->isVisible() && control->isEnabled(), qPrintable(name));
        // An option button reacts to a click on its indicator, at its left.
        const QPoint at = qobject_cast<QRadioButton*>(control) ? QPoint(7, control->height() / 2)
                                                               : control->rect().center();
        QTest::mouseClick(control, Qt::LeftButton, {}, at);
    }
}

// Types text on widget: "\n" is Enter, "\b" is Backspace, anything else its own key.
void type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        if (ch == u'\n')
            QTest::keyClick(widget, Qt::Key_Return);
        else if (ch == u'\b')
            QTest::keyClick(widget, Qt::Key_Backspace);
        else
            QTest::keyClick(widget, ch.toLatin1());
    }
}

} // namespace

class TestMachine : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opens_in_calculator_mode();
    void key_sequences_data();
    void key_sequences();
    void keyboard_data();
    void keyboard();
    void keyboard_reaches_calculator_from_any_control();
    void escape_closes_like_the_close_box_data();
    void escape_closes_like_the_close_box();
    void error_keeps_entry_for_correction();
    void key_gives_focus_back_to_display();
    void memory_keys_data();
    void memory_keys();
    void memory_outlives_window();
    void keys_neither_overlap_nor_clip();
    void paints_gradient_and_frames();
    void command_line_data();
    void command_line();

private:
    int m_beeps = 0;
    QStringList m_unexpectedDialogs;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

void TestMachine::init()
{
    m_beeps = 0;
    m_unexpectedDialogs.clear();
    module1() = Module1{};
    m_watchdog = std::make_unique<ModalWatchdog>();
    dialogs::setResponder([this](const dialogs::Request& request) {
        if (request.kind == dialogs::Request::Kind::Beep)
            ++m_beeps;
        else
            m_unexpectedDialogs << request.text;
        return dialogs::Reply{};
    });
}

void TestMachine::cleanup()
{
    dialogs::setResponder({});
    m_watchdog.reset();
    QVERIFY2(m_unexpectedDialogs.isEmpty(), qPrintable(m_unexpectedDialogs.join(u'|')));
}

// State: a new window. Action: open it as the main window does. Expected: degrees, standard
// display, column keys hidden, the display at top 16 with height 89, nothing typed.
void TestMachine::opens_in_calculator_mode()
{
    const auto machine = openMachine();
    QCOMPARE(machine->windowTitle(), QStringLiteral("Machine à calculer"));
    QVERIFY(machine->angle[0]->isChecked());
    QVERIFY(!machine->angle[1]->isChecked());
    QVERIFY(machine->C[1]->isChecked());
    QVERIFY(!machine->C[0]->isChecked());
    for (QPushButton* key : machine->Command6)
        QVERIFY(!key->isVisible());
    QCOMPARE(machine->z1->y(), 16);
    QCOMPARE(machine->z1->height(), 89);
    QCOMPARE(machine->displayText(), QString());
    QCOMPARE(machine->entryText(), QString());
    QCOMPARE(machine->focusWidget(), machine->z1);
}

void TestMachine::key_sequences_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("beeps");
    const auto row = [](const char* name, const char* keys, const QString& display, int beeps = 0) {
        QTest::newRow(name) << QString::fromLatin1(keys) << display << beeps;
    };

    // Results.
    row("product before sum", "B2 plus B3 multip B4 EXE", " 14");
    row("powers group from the left", "B2 puissance B3 puissance B2 EXE", " 64");
    row("sine in degrees", "bsin B3 B0 EXE", " .5");
    row("sine in radians", "angle(1) bsin B3 B0 EXE", "-.988031624092862");
    row("inverse cosine", "invcos B0 EXE", " 90");
    row("inverse tangent in radians", "angle(1) Btoncommande3 B1 EXE", " .785398163397448");
    row("square root", "racine B1 B6 EXE", " 4");
    row("ten to the power", "B10x B3 EXE", " 1000");
    row("square", "B3 btcarre EXE", " 9");
    row("pi with implicit product", "B2 pi EXE", " 6.28318530717958"); // π has 15 digits
    row("kilo", "B5 kilo EXE", " 5000");
    row("micro reads back", "B2 B5 B0 B0 B0 B0 micro EXE", " .25");
    row("exponent with minus sign", "B1 BtoEXP moins B3 EXE", " .001");
    row("exponent with plus sign", "B1 BtoEXP plus B3 EXE", " 1000");
    row("subtracting a negative", "B5 moins moins B3 EXE", " 8");
    row("sign after parenthesis", "Bpo moins B2 bpf multip B3 EXE", "-6");
    row("implicit product before function", "B2 bsin B3 B0 EXE", " 1");
    row("implicit product before parenthesis", "B2 Bpo B3 plus B1 bpf EXE", " 8");
    row("empty entry evaluates to zero", "EXE", " 0");
    row("EFFACE after a result empties the display", "B2 plus B3 EXE EFFACE", "");
    row("then x has nothing to continue from", "B2 plus B3 EXE EFFACE multip B2 EXE", " 2");

    // Failures: message and beeps.
    row("division by zero", "B1 div B0 EXE", kImpossible, 1);
    row("unclosed parenthesis", "Bpo B2 plus B3 EXE", kParentheses, 1);
    row("operator without operand", "B5 multip EXE", kOperators, 1);
    row("result beyond double range", "B1 BtoEXP B4 B0 B0 EXE", kOverflow, 2);
    row("overflow message in scientific mode", "C(0) B1 BtoEXP B4 B0 B0 EXE", kOverflow, 2);

    // Scientific display.
    row("scientific thousands", "C(0) B1 B2 B3 B4 Bpoint B5 EXE", "1.2345E+03");
    row("scientific half", "C(0) Bpoint B5 EXE", "5.E-01");
    row("scientific negative", "C(0) moins B2 B5 B0 EXE", "-2.5E+02");
    row("scientific rounds to eight digits", "C(0) B1 div B3 EXE", "3.3333333E-01");
    row("switching after EXE shows the answer again", "B1 B2 B3 B4 Bpoint B5 EXE C(0)",
        "1.2345E+03");
    row("switching back to standard", "B1 B2 B3 B4 Bpoint B5 EXE C(0) C(1)", " 1234.5");
    row("switching while typing waits for EXE", "B2 EXE B5 C(0)", "5");
    row("new mode applies at next EXE", "B2 EXE B5 C(0) EXE", "5.E+00");

    // Continuing from the last answer.
    row("times continues", "B2 plus B3 EXE multip B4 EXE", " 20");
    row("divide continues", "B9 EXE div B2 EXE", " 4.5");
    row("plus continues", "B9 EXE plus B1 EXE", " 10");
    row("power continues", "B3 EXE puissance B2 EXE", " 9");
    row("square continues", "B3 EXE btcarre btcarre EXE", " 81");
    row("scientific answer continues", "C(0) B2 B0 EXE multip B2 EXE", "4.E+01");
    row("minus starts a new entry", "B2 plus B3 EXE moins B4 EXE", "-4");
    row("ANS brings the answer", "B2 plus B3 EXE ANS", "5");
    row("ANS has no implicit product", "B2 plus B3 EXE B2 ANS", "25");
    row("AC keeps the last answer", "B7 EXE B1 RAZ puissance B2 EXE", " 49");
    row("ANS after a failure adds nothing", "B1 div B0 EXE ANS", "1 / 0", 1);
    row("power after a failure has no answer", "B1 div B0 EXE RAZ puissance", " ^ ", 1);
    row("ANS before any EXE", "B2 ANS", "2");

    // Keys that wait for something on the display.
    row("times on a blank display", "multip", "");
    row("divide on a blank display", "div", "");
    row("plus on a blank display", "plus", "");
    row("times after AC", "B2 B0 EXE RAZ multip", "");
    row("power on a blank display", "puissance", " ^ ");

    // Building the entry.
    row("function after a digit", "B2 bsin", "2 * sin ");
    row("function after parenthesis", "Bpo bsin", "(sin ");
    row("function after operator", "B2 multip bsin", "2 * sin ");
    row("function after minus", "moins invsin", "-invSIN ");
    row("parenthesis after parenthesis", "Bpo B2 bpf Bpo", "(2) * (");
    row("function words", "Bcos Btan Bln Blog Bexp Btoncommande3", "cos tan ln log exp invTAN ");
    row("inverse", "B3 Command5", "3 * 1 / ");
    row("pi digits", "pi", "3.14159265358979");
    row("small prefixes", "B1 pico plus B1 nano plus B2 micro plus B1 mil",
        "1E-12 + 1E-9 + 2E-6 + 1E-3");
    row("large prefixes", "B1 kilo plus B1 mega plus B1 giga plus B1 tera",
        "1E+3 + 1E+6 + 1E+9 + 1E+12");
    row("all digits and point", "B1 B2 B3 B4 B5 B6 B7 B8 B9 B0 Bpoint", "1234567890.");

    // The minus key's cases.
    row("minus on empty entry", "moins", "-");
    row("minus after parenthesis", "Bpo moins", "(-");
    row("minus after operator", "B2 multip moins", "2 * -");
    row("minus after exponent", "B1 BtoEXP moins", "1E-");
    row("minus after minus", "moins moins", "- -");
    row("minus after number", "B2 moins", "2 - ");
    row("plus after exponent", "B1 BtoEXP plus", "1E+");
    row("plus after number", "B2 plus", "2 + ");

    // EFFACE and AC.
    row("effacing a digit", "B1 B2 EFFACE", "1");
    row("effacing an operator", "B2 multip EFFACE", "2");
    row("effacing a function after operator", "B2 bsin EFFACE", "2 * ");
    row("effacing a function after parenthesis", "Bpo Bcos EFFACE", "(");
    row("effacing the only function", "bsin EFFACE", "");
    row("effacing a long function word", "B2 multip invsin EFFACE", "2 * ");
    row("effacing ten to the power", "B2 B10x EFFACE", "2 * 10");
    row("effacing a doubled minus", "moins moins EFFACE EFFACE", "");
    row("effacing nothing", "EFFACE", "");
    row("AC", "B2 plus B3 RAZ", "");
}

// State: a freshly opened calculator. Action: click the keys. Expected: the display and the beeps.
void TestMachine::key_sequences()
{
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(int, beeps);
    const auto machine = openMachine();
    press(*machine, keys);
    QCOMPARE(machine->displayText(), display);
    QCOMPARE(m_beeps, beeps);
}

void TestMachine::keyboard_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("display");

    QTest::newRow("expression and Enter") << "2+3*4\n"
                                          << " 14";
    QTest::newRow("power key") << "2^3^2\n"
                               << " 64";
    QTest::newRow("parentheses and division") << "(2+3)/4\n"
                                              << " 1.25";
    QTest::newRow("minus") << "7-10\n"
                           << "-3";
    QTest::newRow("e is the exponent") << "1e3+1\n"
                                       << " 1001";
    QTest::newRow("E is the exponent") << "1E"
                                       << "1E";
    QTest::newRow("d is the exponent") << "2d"
                                       << "2E";
    QTest::newRow("D is the exponent") << "2D-3"
                                       << "2E-3";
    QTest::newRow("exponent sign") << "1e+"
                                   << "1E+";
    QTest::newRow("point") << ".5\n"
                           << " .5";
    QTest::newRow("comma is the point") << "1,5+1\n"
                                        << " 2.5";
    QTest::newRow("backspace") << "12\b"
                               << "1";
    QTest::newRow("backspace removes an operator") << "2*\b"
                                                   << "2";
    QTest::newRow("parenthesis implies a product") << "2("
                                                   << "2 * (";
    QTest::newRow("star continues the answer") << "6\n*7\n"
                                               << " 42";
    QTest::newRow("missing operand") << "5*\n" << kOperators;
    QTest::newRow("other letters do nothing") << "2xa s"
                                              << "2";
}

// State: a freshly opened calculator, the display focused. Action: type. Expected: the display.
void TestMachine::keyboard()
{
    QFETCH(QString, typed);
    QFETCH(QString, display);
    const auto machine = openMachine();
    type(machine->z1, typed);
    QCOMPARE(machine->displayText(), display);
}

// State: a key or an option button has the keyboard focus. Action: type digits and Enter.
// Expected: the calculator gets them; Enter evaluates rather than pressing the focused key.
void TestMachine::keyboard_reaches_calculator_from_any_control()
{
    const auto machine = openMachine();
    type(machine->B[9], QStringLiteral("7"));
    type(machine->C[0], QStringLiteral("+1"));
    QCOMPARE(machine->displayText(), QStringLiteral("7 + 1"));
    type(machine->B[9], QStringLiteral("\n"));
    QCOMPARE(machine->displayText(), QStringLiteral(" 8"));
    QTest::keyClick(machine->Bpo, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(machine->displayText(), QStringLiteral(" 0"));
}

void TestMachine::escape_closes_like_the_close_box_data()
{
    QTest::addColumn<bool>("columnMode");
    QTest::addColumn<QString>("focused"); // the control that has the keyboard focus
    QTest::newRow("calculator, display") << false << "z1";
    QTest::newRow("column mode, a column key") << true << "Command6(0)";
}

// State: something typed, the calculator or the column mode open. Action: Escape. Expected: the
// window closed as by its close box (rejected), nothing computed.
void TestMachine::escape_closes_like_the_close_box()
{
    QFETCH(bool, columnMode);
    QFETCH(QString, focused);
    Machine machine(module1().memoryValue);
    int runs = 0;
    connect(&machine, &Machine::columnRunRequested, this, [&runs] { ++runs; });
    if (columnMode)
        machine.prepareColumnMode(2);
    machine.show();
    type(machine.z1, QStringLiteral("1+2"));
    QTest::keyClick(machine.findChild<QWidget*>(focused), Qt::Key_Escape);
    QVERIFY(!machine.isVisible());
    QCOMPARE(machine.result(), int(QDialog::Rejected));
    QCOMPARE(runs, 0);
}

// State: EXE failed on "(2 + 3". Expected: the message stays shown with its beep until the next
// key, which goes on with the typed expression.
void TestMachine::error_keeps_entry_for_correction()
{
    const auto machine = openMachine();
    press(*machine, QStringLiteral("Bpo B2 plus B3 EXE"));
    QCOMPARE(machine->displayText(), kParentheses);
    QCOMPARE(machine->calcError(), calc::CalcError::UnbalancedParens);
    QCOMPARE(machine->entryText(), QStringLiteral("(2 + 3"));
    press(*machine, QStringLiteral("bpf"));
    QCOMPARE(machine->displayText(), QStringLiteral("(2 + 3)"));
    press(*machine, QStringLiteral("EXE"));
    QCOMPARE(machine->displayText(), QStringLiteral(" 5"));
    QCOMPARE(machine->calcError(), calc::CalcError::None);
    QCOMPARE(machine->lastAnswer(), QStringLiteral(" 5"));
    QCOMPARE(m_beeps, 1);
}

// State: an option button was clicked. Action: click a key, then a memory key. Expected: the
// display has the focus back with the caret at the end of its text.
void TestMachine::key_gives_focus_back_to_display()
{
    const auto machine = openMachine();
    machine->angle[1]->setFocus();
    press(*machine, QStringLiteral("B1 B2 B3"));
    QCOMPARE(machine->focusWidget(), machine->z1);
    QCOMPARE(machine->z1->textCursor().position(), 3);
    machine->C[0]->setFocus();
    press(*machine, QStringLiteral("Command1"));
    QCOMPARE(machine->focusWidget(), machine->z1);
}

void TestMachine::memory_keys_data()
{
    QTest::addColumn<double>("memory");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<double>("memoryAfter");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("beeps");

    QTest::newRow("M+ twice then RM")
        << 0.0 << "B5 EXE Command1 Command1 RAZ Command3" << 10.0 << "10" << 0;
    QTest::newRow("M+ reads the entry being typed")
        << 1.0 << "B2 plus B3 Command1" << 3.0 << "2 + 3" << 0;
    QTest::newRow("M- subtracts the result") << 7.0 << "B2 EXE Command2" << 5.0 << " 2" << 0;
    QTest::newRow("M+ reads a message as zero")
        << 7.0 << "B1 div B0 EXE Command1" << 7.0 << kImpossible << 1;
    QTest::newRow("M+ reads a scientific result")
        << 0.0 << "C(0) B1 B2 B3 B4 Bpoint B5 EXE Command1" << 1234.5 << "1.2345E+03" << 0;
    QTest::newRow("CM") << 7.0 << "B4 Command4" << 0.0 << "4" << 0;
    QTest::newRow("RM has no implicit product") << 7.0 << "B2 Command3" << 7.0 << "27" << 0;
    QTest::newRow("RM of a fraction") << 0.5 << "Command3" << 0.5 << ".5" << 0;
    QTest::newRow("RM of a negative") << -2.5 << "B3 multip Command3" << -2.5 << "3 * -2.5" << 0;
    QTest::newRow("RM in scientific mode")
        << 1234.5 << "C(0) Command3" << 1234.5 << "1.2345E+03" << 0;
    QTest::newRow("RM then EXE") << 6.0 << "Command3 multip B7 EXE" << 6.0 << " 42" << 0;
    QTest::newRow("M+ beyond the double range is refused")
        << 1e308 << "B1 BtoEXP B3 B0 B8 EXE Command1" << 1e308 << " 1E+308" << 1;
}

// State: the memory holds a value. Action: click the keys. Expected: the memory and the display.
void TestMachine::memory_keys()
{
    QFETCH(double, memory);
    QFETCH(QString, keys);
    QFETCH(double, memoryAfter);
    QFETCH(QString, display);
    QFETCH(int, beeps);
    module1().memoryValue = memory;
    const auto machine = openMachine();
    press(*machine, keys);
    QCOMPARE(module1().memoryValue, memoryAfter);
    QCOMPARE(machine->displayText(), display);
    QCOMPARE(m_beeps, beeps);
}

// State: a result was added to the memory, and the window closed. Action: open it again.
// Expected: the entry and the last answer start empty, the memory is still there.
void TestMachine::memory_outlives_window()
{
    {
        const auto machine = openMachine();
        press(*machine, QStringLiteral("B5 EXE Command1"));
        machine->close();
    }
    const auto machine = openMachine();
    press(*machine, QStringLiteral("ANS"));
    QCOMPARE(machine->displayText(), QString());
    press(*machine, QStringLiteral("Command3"));
    QCOMPARE(machine->displayText(), QStringLiteral("5"));
}

// Every visible key lies inside the window's white edge, clear of the other controls, the digit
// pad inside its painted groove, and every caption fits its key.
void TestMachine::keys_neither_overlap_nor_clip()
{
    const auto machine = openMachine();
    QList<QWidget*> controls{machine->z1, machine->Frame1, machine->Frame2};
    const QList<QPushButton*> keys = machine->findChildren<QPushButton*>();
    int visibleKeys = 0;
    for (QPushButton* key : keys) {
        if (!key->isVisible())
            continue;
        ++visibleKeys;
        controls << key;
        const QString caption = key->text().remove(QLatin1Char('&'));
        const int needed = caption.isEmpty() ? key->iconSize().width()
                                             : key->fontMetrics().horizontalAdvance(caption);
        QVERIFY2(needed + 4 <= key->width(), qPrintable(key->objectName()));
        QVERIFY2(key->fontMetrics().height() + 4 <= key->height(), qPrintable(key->objectName()));
    }
    QCOMPARE(visibleKeys, 49);
    const QRect inside(2, 2, 297, 426);
    for (int i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->geometry();
        QVERIFY2(inside.contains(a), qPrintable(controls[i]->objectName()));
        for (int j = i + 1; j < controls.size(); ++j) {
            QVERIFY2(!a.intersects(controls[j]->geometry()),
                     qPrintable(controls[i]->objectName() + u' ' + controls[j]->objectName()));
        }
    }
    const QRect pad(83, 291, 122, 129);
    for (QPushButton* key : machine->B)
        QVERIFY2(pad.contains(key->geometry()), qPrintable(key->objectName()));
    QVERIFY(pad.contains(machine->Bpoint->geometry()));
}

// The painted background, read back from the window's picture where no control covers it.
void TestMachine::paints_gradient_and_frames()
{
    const auto machine = openMachine();
    const QImage picture = machine->grab().toImage();
    QCOMPARE(picture.size(), QSize(302, 430));
    const auto rgb = [&picture](int x, int y) { return picture.pixelColor(x, y).rgb() & 0xffffff; };
    const auto gradient = [](int c) { return QColor(c, c + 50, c + 50).rgb() & 0xffffff; };
    const QRgb white = 0xffffff;
    const QRgb darkCyan = 0x008080;

    QCOMPARE(rgb(0, 0), gradient(200));
    QCOMPARE(rgb(3, 0), gradient(198)); // 198.5, the half going to the even neighbour
    QCOMPARE(rgb(5, 0), gradient(198)); // 197.5
    QCOMPARE(rgb(150, 0), gradient(125));
    QCOMPARE(rgb(150, 429), gradient(125));
    QCOMPARE(rgb(301, 200), gradient(50)); // 49.5
    QCOMPARE(rgb(300, 200), gradient(50));
    QCOMPARE(rgb(0, 200), gradient(200));

    QCOMPARE(rgb(150, 1), QRgb(0)); // black along the top
    QCOMPARE(rgb(1, 200), QRgb(0)); // and the left
    QCOMPARE(rgb(299, 1), white);   // the top line stops before the corner
    QCOMPARE(rgb(1, 428), white);   // the left line stops before the corner
    QCOMPARE(rgb(299, 200), white);
    QCOMPARE(rgb(150, 428), white);

    QCOMPARE(rgb(81, 300), darkCyan);
    QCOMPARE(rgb(82, 300), white);
    QCOMPARE(rgb(205, 300), darkCyan);
    QCOMPARE(rgb(206, 300), white);
    QCOMPARE(rgb(150, 289), darkCyan);
    QCOMPARE(rgb(150, 290), white);
    QCOMPARE(rgb(150, 420), darkCyan);
    QCOMPARE(rgb(150, 421), white);
}

void TestMachine::command_line_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");

    QTest::newRow("result with its blank") << QStringList{"2+3*4"} << ""
                                           << " 14\n"
                                           << 0;
    QTest::newRow("negative result") << QStringList{"2-3-4"} << ""
                                     << "-5\n"
                                     << 0;
    QTest::newRow("spaces and functions") << QStringList{"sin 30"} << ""
                                          << " .5\n"
                                          << 0;
    QTest::newRow("radians") << QStringList{"sin 30", "--radians"} << ""
                             << "-.988031624092862\n"
                             << 0;
    QTest::newRow("scientific") << QStringList{"--scientifique", "1234.5"} << ""
                                << "1.2345E+03\n"
                                << 0;
    QTest::newRow("both options") << QStringList{"--radians", "--scientifique", "invsin 1"} << ""
                                  << "1.5707963E+00\n"
                                  << 0;
    QTest::newRow("evaluation error") << QStringList{"1/0"} << "" << kImpossible + u'\n' << 1;
    QTest::newRow("parenthesis error") << QStringList{"(2+3"} << "" << kParentheses + u'\n' << 1;
    QTest::newRow("overflow") << QStringList{"1E400"} << "" << kOverflow + u'\n' << 1;
    QTest::newRow("decimal commas") << QStringList{"1,5*2+0,25"} << ""
                                    << " 3.25\n"
                                    << 0;
    QTest::newRow("comma not between digits kept") << QStringList{"1,+2"} << ""
                                                   << " 3\n"
                                                   << 0;
    QTest::newRow("negative expression is no option") << QStringList{"-2^2"} << ""
                                                      << " 4\n"
                                                      << 0;
    QTest::newRow("lines of standard input")
        << QStringList{"-"} << "2+3*4\n1/0\n\n2^3^2\r\n5*"
        << " 14\n" + kImpossible + "\n 0\n 64\n" + kOperators + u'\n' << 0;
    QTest::newRow("standard input in scientific mode")
        << QStringList{"-", "--scientifique"} << ".5\n1234.5\n"
        << "5.E-01\n1.2345E+03\n"
        << 0;
    QTest::newRow("no expression") << QStringList{} << ""
                                   << "" << 2;
    QTest::newRow("only options") << QStringList{"--radians"} << ""
                                  << "" << 2;
    QTest::newRow("unknown option") << QStringList{"1", "--degres"} << ""
                                    << "" << 2;
    QTest::newRow("two expressions") << QStringList{"1", "2"} << ""
                                     << "" << 2;
}

// Action: run --calcul. Expected: the display texts on standard output, the exit status, and a
// message on standard error exactly when the command line is refused.
void TestMachine::command_line()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(int, status);
    QString inputText = input;
    QString outText;
    QString errText;
    QTextStream in(&inputText);
    QTextStream out(&outText);
    QTextStream err(&errText);
    QCOMPARE(runCalculCommand(arguments, in, out, err), status);
    QCOMPARE(outText, output);
    QCOMPARE(errText.isEmpty(), status != 2);
}

QTEST_MAIN(TestMachine)
#include "tst_machine.moc"
