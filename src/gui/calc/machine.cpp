// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/calc/machine.h"

#include "core/calc/calculator.h"
#include "core/expr/engine.h"
#include "core/platform/numtext.h"
#include "core/platform/surface.h"
#include "gui/platform/dialogs.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <cmath>

// ---------------------------------------------------------------------------------------------
// The window

namespace {

constexpr int kWidth = 302;
constexpr int kHeight = 430;

// The key grid. The function keys stand in four rows under the option frames (six keys to a row,
// then five); below them the prefixes, the digit pad inside its painted frame, and the operators.
QRect functionKey(int row, int column)
{
    return row < 2 ? QRect(9 + column * 48, 168 + row * 30, 44, 26)
                   : QRect(9 + column * 58, 168 + row * 30, 53, 26);
}
QRect prefixKey(int row, int column)
{
    return QRect(9 + column * 36, 295 + row * 31, 32, 27);
}
QRect padKey(int row, int column)
{
    return QRect(86 + column * 40, 295 + row * 31, 35, 27);
}
QRect operatorKey(int row, int column)
{
    return QRect(210 + column * 44, 295 + row * 31, 40, 27);
}

enum class Look { Digit, Operator, Function, Inverse, Prefix, Memory };

QFont keyFont(Look look)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    switch (look) {
    case Look::Digit:
        font.setPixelSize(15);
        font.setBold(true);
        break;
    case Look::Operator:
        font.setPixelSize(16);
        font.setBold(true);
        break;
    case Look::Function:
        font.setFamily(QStringLiteral("DejaVu Sans Condensed"));
        font.setPixelSize(11);
        break;
    case Look::Inverse: // the longest captions, "INV COS"
        font.setFamily(QStringLiteral("DejaVu Sans Condensed"));
        font.setPixelSize(10);
        break;
    case Look::Prefix:
        font.setPixelSize(13);
        break;
    case Look::Memory:
        font.setPixelSize(11);
        font.setBold(true);
        break;
    }
    return font;
}

// A small caption with a raised exponent, for the keys the old program showed as pictures.
QPixmap exponentPicture(const QString& base, const QString& exponent, const QColor& colour,
                        qreal ratio)
{
    QFont baseFont(QStringLiteral("DejaVu Sans"));
    baseFont.setPixelSize(13);
    baseFont.setItalic(base == QLatin1String("x"));
    QFont expFont(QStringLiteral("DejaVu Sans"));
    expFont.setPixelSize(10);
    expFont.setItalic(exponent != QLatin1String("2"));

    const QFontMetrics baseMetrics(baseFont);
    const QFontMetrics expMetrics(expFont);
    const int width =
        baseMetrics.horizontalAdvance(base) + expMetrics.horizontalAdvance(exponent) + 2;
    const QSize size(width, 18);
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(colour);
    painter.setFont(baseFont);
    painter.drawText(0, 16, base);
    painter.setFont(expFont);
    painter.drawText(baseMetrics.horizontalAdvance(base) + 1, 8, exponent);
    painter.end();
    return picture;
}

// Every key but the digits and the column keys: where it stands, what it shows, what it adds.
struct KeyDef {
    QPushButton* Machine::*member;
    const char* name;
    const char* caption; // UTF-8; "" for the picture keys
    const char* tooltip;
    const char* appends; // nullptr: the key has a handler of its own
    calc::JoinRule rule;
    QRect place;
    Look look;
};

using calc::JoinRule;

const KeyDef kKeys[] = {
    // Functions.
    {&Machine::bsin, "bsin", "&SIN", "Sinus", "sin ", JoinRule::ImplicitProduct, functionKey(0, 0),
     Look::Function},
    {&Machine::Bcos, "Bcos", "&COS", "Cosinus", "cos ", JoinRule::ImplicitProduct,
     functionKey(0, 1), Look::Function},
    {&Machine::Btan, "Btan", "&TAN", "Tangente", "tan ", JoinRule::ImplicitProduct,
     functionKey(0, 2), Look::Function},
    {&Machine::Bln, "Bln", "l&n", "", "ln ", JoinRule::ImplicitProduct, functionKey(0, 3),
     Look::Function},
    {&Machine::Blog, "Blog", "&Log", "", "log ", JoinRule::ImplicitProduct, functionKey(0, 4),
     Look::Function},
    {&Machine::racine, "racine", "√", "Racine carré", "SQR ", JoinRule::ImplicitProduct,
     functionKey(0, 5), Look::Operator},
    {&Machine::invsin, "invsin", "INV S&IN", "Inverse sinus", "invSIN ", JoinRule::ImplicitProduct,
     functionKey(1, 0), Look::Inverse},
    {&Machine::invcos, "invcos", "INV C&OS", "Inverse cosinus", "invCOS ",
     JoinRule::ImplicitProduct, functionKey(1, 1), Look::Inverse},
    {&Machine::Btoncommande3, "Btoncommande3", "INV T&AN", "Inverse tangente", "invTAN ",
     JoinRule::ImplicitProduct, functionKey(1, 2), Look::Inverse},
    {&Machine::Bexp, "Bexp", "", "", "exp ", JoinRule::ImplicitProduct, functionKey(1, 3),
     Look::Function},
    {&Machine::B10x, "B10x", "", "", "10 ^ ", JoinRule::ImplicitProduct, functionKey(1, 4),
     Look::Function},
    {&Machine::btcarre, "btcarre", "", "", " ^ 2", JoinRule::Continue, functionKey(1, 5),
     Look::Function},
    {&Machine::pi, "pi", "π", "", nullptr, JoinRule::ImplicitProduct, functionKey(2, 0),
     Look::Operator},
    {&Machine::Bpo, "Bpo", "(", "", "(", JoinRule::ImplicitProduct, functionKey(2, 1),
     Look::Operator},
    {&Machine::bpf, "bpf", ")", "", ")", JoinRule::Plain, functionKey(2, 2), Look::Operator},
    {&Machine::puissance, "puissance", "", "", " ^ ", JoinRule::Continue, functionKey(2, 3),
     Look::Function},
    {&Machine::Command5, "Command5", "1/x", "Inverse", "1 / ", JoinRule::ImplicitProduct,
     functionKey(2, 4), Look::Memory},
    // Last answer and memory.
    {&Machine::ANS, "ANS", "ANS", "Dernière réponse", nullptr, JoinRule::Plain, functionKey(3, 0),
     Look::Memory},
    {&Machine::Command4, "Command4", "CM", "Effacer la mémoire", nullptr, JoinRule::Plain,
     functionKey(3, 1), Look::Memory},
    {&Machine::Command3, "Command3", "RM", "Rappel mémoire", nullptr, JoinRule::Plain,
     functionKey(3, 2), Look::Memory},
    {&Machine::Command1, "Command1", "M+", "Ajouter à la méoire", nullptr, JoinRule::Plain,
     functionKey(3, 3), Look::Memory},
    {&Machine::Command2, "Command2", "M-", "Soustraire à la mémoire", nullptr, JoinRule::Plain,
     functionKey(3, 4), Look::Memory},
    // Prefixes.
    {&Machine::pico, "pico", "p", "pico", "E-12", JoinRule::Plain, prefixKey(0, 0), Look::Prefix},
    {&Machine::nano, "nano", "n", "nano", "E-9", JoinRule::Plain, prefixKey(0, 1), Look::Prefix},
    {&Machine::micro, "micro", "µ", "micro", "E-6", JoinRule::Plain, prefixKey(1, 0), Look::Prefix},
    {&Machine::mil, "mil", "m", "milli", "E-3", JoinRule::Plain, prefixKey(1, 1), Look::Prefix},
    {&Machine::kilo, "kilo", "k", "kilo", "E+3", JoinRule::Plain, prefixKey(2, 0), Look::Prefix},
    {&Machine::mega, "mega", "M", "Méga", "E+6", JoinRule::Plain, prefixKey(2, 1), Look::Prefix},
    {&Machine::giga, "giga", "G", "Giga", "E+9", JoinRule::Plain, prefixKey(3, 0), Look::Prefix},
    {&Machine::tera, "tera", "T", "Téra", "E+12", JoinRule::Plain, prefixKey(3, 1), Look::Prefix},
    // The digit pad's last row.
    {&Machine::Bpoint, "Bpoint", ".", "", ".", JoinRule::Plain, padKey(3, 1), Look::Digit},
    {&Machine::BtoEXP, "BtoEXP", "EXP", "x 10ª", "E", JoinRule::Plain, padKey(3, 2), Look::Memory},
    // Operators and editing.
    {&Machine::EFFACE, "EFFACE", "←", "Effacer dernier caractère", nullptr, JoinRule::Plain,
     operatorKey(0, 0), Look::Operator},
    {&Machine::RAZ, "RAZ", "AC", "Tout effacer", nullptr, JoinRule::Plain, operatorKey(0, 1),
     Look::Memory},
    {&Machine::multip, "multip", "x", "", " * ", JoinRule::ContinueIfShown, operatorKey(1, 0),
     Look::Operator},
    {&Machine::div, "div", "÷", "", " / ", JoinRule::ContinueIfShown, operatorKey(1, 1),
     Look::Operator},
    {&Machine::plus, "plus", "+", "", nullptr, JoinRule::Plain, operatorKey(2, 0), Look::Operator},
    {&Machine::moins, "moins", "-", "", nullptr, JoinRule::Plain, operatorKey(2, 1),
     Look::Operator},
    {&Machine::EXE, "EXE", "EXE", "Calculer", nullptr, JoinRule::Plain,
     operatorKey(3, 0).united(operatorKey(3, 1)), Look::Memory},
};

QPushButton* makeKey(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& place, const QFont& font)
{
    auto* key = new QPushButton(caption, parent);
    key->setObjectName(name);
    key->setGeometry(place);
    key->setFont(font);
    key->setAutoDefault(false);
    key->setFocusPolicy(Qt::TabFocus);
    key->setCursor(Qt::PointingHandCursor);
    return key;
}

} // namespace

Machine::Machine(double& memory, QWidget* parent) : QDialog(parent), m_memory(memory)
{
    setObjectName(QStringLiteral("Machine"));
    setWindowTitle(QStringLiteral("Machine à calculer"));
    setFixedSize(kWidth, kHeight);
    createControls();
    Form_Load();
}

Machine::~Machine() = default;

void Machine::createControls()
{
    z1 = new QTextEdit(this);
    z1->setAccessibleName(QStringLiteral("Écran de la calculatrice"));
    z1->setObjectName(QStringLiteral("z1"));
    z1->setGeometry(9, 16, 284, 89);
    z1->setReadOnly(true);
    z1->setAcceptRichText(false);
    z1->setUndoRedoEnabled(false);
    z1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    z1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    z1->setContextMenuPolicy(Qt::NoContextMenu);
    QFont displayFont(QStringLiteral("DejaVu Sans Mono"));
    displayFont.setPixelSize(20);
    displayFont.setBold(true);
    z1->setFont(displayFont);
    QTextOption option(Qt::AlignRight);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    z1->document()->setDefaultTextOption(option);
    z1->installEventFilter(this);

    QFont frameFont(QStringLiteral("DejaVu Sans"));
    frameFont.setPixelSize(11);
    const auto makeFrame = [&](const char* name, const QString& title, const QRect& place) {
        auto* frame = new QGroupBox(title, this);
        frame->setObjectName(QLatin1String(name));
        frame->setGeometry(place);
        frame->setFont(frameFont);
        return frame;
    };
    const auto makeOption = [&](QGroupBox* frame, const QString& name, const QString& caption,
                                int top) {
        auto* option = new QRadioButton(caption, frame);
        option->setObjectName(name);
        option->setGeometry(12, top, 120, 17);
        option->setFocusPolicy(Qt::TabFocus);
        return option;
    };
    Frame1 = makeFrame("Frame1", QStringLiteral("Angles"), QRect(9, 108, 138, 56));
    angle[1] = makeOption(Frame1, QStringLiteral("angle(1)"), QStringLiteral("Radians"), 17);
    angle[0] = makeOption(Frame1, QStringLiteral("angle(0)"), QStringLiteral("Degrés"), 35);
    angle[0]->setChecked(true);
    Frame2 = makeFrame("Frame2", QStringLiteral("Affichage"), QRect(155, 108, 138, 56));
    C[0] = makeOption(Frame2, QStringLiteral("C(0)"), QStringLiteral("Scientifique"), 17);
    C[1] = makeOption(Frame2, QStringLiteral("C(1)"), QStringLiteral("Standard"), 35);
    C[1]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        connect(C[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                C_Click(i);
        });
    }

    // The digit pad: 7 8 9 / 4 5 6 / 1 2 3 / 0 . EXP.
    for (int d = 0; d < 10; ++d) {
        const QRect place = d == 0 ? padKey(3, 0) : padKey(2 - (d - 1) / 3, (d - 1) % 3);
        B[d] = makeKey(this, QStringLiteral("B%1").arg(d), QString::number(d), place,
                       keyFont(Look::Digit));
        connect(B[d], &QPushButton::clicked, this,
                [this, d] { keyAppend(QString::number(d), JoinRule::Plain); });
    }

    for (const KeyDef& def : kKeys) {
        QPushButton* key = makeKey(this, QLatin1String(def.name), QString::fromUtf8(def.caption),
                                   def.place, keyFont(def.look));
        key->setToolTip(QString::fromUtf8(def.tooltip));
        this->*def.member = key;
        if (def.appends) {
            const QString text = QString::fromLatin1(def.appends);
            const JoinRule rule = def.rule;
            connect(key, &QPushButton::clicked, this,
                    [this, text, rule] { keyAppend(text, rule); });
        }
    }

    const QColor ink = palette().color(QPalette::ButtonText);
    const qreal ratio = devicePixelRatioF();
    const auto picture = [&](QPushButton* key, const QString& base, const QString& exponent,
                             const QString& description) {
        const QPixmap image = exponentPicture(base, exponent, ink, ratio);
        key->setIcon(QIcon(image));
        key->setIconSize(image.deviceIndependentSize().toSize());
        key->setAccessibleName(description);
    };
    picture(puissance, QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("x puissance y"));
    picture(btcarre, QStringLiteral("x"), QStringLiteral("2"), QStringLiteral("x au carré"));
    picture(Bexp, QStringLiteral("e"), QStringLiteral("x"), QStringLiteral("exponentielle"));
    picture(B10x, QStringLiteral("10"), QStringLiteral("x"), QStringLiteral("10 puissance x"));

    // π: the writer's text of 4 × arctan(1).
    connect(pi, &QPushButton::clicked, this, [this] {
        keyAppend(numtext::writeNumberTrimmed(4.0 * std::atan(1.0)), JoinRule::ImplicitProduct);
    });
    connect(ANS, &QPushButton::clicked, this, &Machine::ANS_Click);
    connect(Command1, &QPushButton::clicked, this, &Machine::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Machine::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Machine::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Machine::Command4_Click);
    connect(EFFACE, &QPushButton::clicked, this, &Machine::EFFACE_Click);
    connect(RAZ, &QPushButton::clicked, this, &Machine::RAZ_Click);
    connect(plus, &QPushButton::clicked, this, &Machine::plus_Click);
    connect(moins, &QPushButton::clicked, this, &Machine::moins_Click);
    connect(EXE, &QPushButton::clicked, this, &Machine::EXE_Click);

    // The column keys share the strip that the display leaves free in column mode.
    for (int k = 0; k < 5; ++k) {
        Command6[k] =
            makeKey(this, QStringLiteral("Command6(%1)").arg(k), QStringLiteral("C%1").arg(k + 1),
                    QRect(9 + k * 58, 90, 52, 17), keyFont(Look::Memory));
        Command6[k]->hide();
        connect(Command6[k], &QPushButton::clicked, this, [this, k] { Command6_Click(k); });
    }
}

void Machine::Form_Load()
{
    for (QPushButton* key : Command6)
        key->setCursor(pico->cursor());
    m_calc.entryText.clear();
    m_calc.display.clear();
    z1->clear();
}

void Machine::prepareCalculatorMode()
{
    setWindowTitle(QStringLiteral("Machine à calculer"));
    for (QPushButton* key : Command6)
        key->hide();
    z1->setGeometry(z1->x(), 16, z1->width(), 89);
}

void Machine::prepareColumnMode(int target)
{
    z1->setGeometry(z1->x(), 8, z1->width(), 81);
    for (int k = 0; k < int(Command6.size()); ++k) {
        Command6[size_t(k)]->show();
        Command6[size_t(k)]->setEnabled(k != target);
    }
    setWindowTitle(QStringLiteral("Calculer: C%1 =").arg(target + 1));
}

bool Machine::inColumnMode() const
{
    return !Command6[0]->isHidden();
}

void Machine::openCalculator()
{
    prepareCalculatorMode();
    exec();
}

void Machine::recalcule(const QString& text)
{
    m_calc.entryText = text;
    m_calc.display = text;
    showDisplay();
}

QString Machine::displayText() const
{
    return z1->toPlainText();
}

int Machine::angleMode() const
{
    return angle[1]->isChecked() ? expr::Radians : expr::Degrees;
}

bool Machine::scientific() const
{
    return C[0]->isChecked();
}

void Machine::showDisplay()
{
    if (z1->toPlainText() != m_calc.display)
        z1->setPlainText(m_calc.display);
    focusDisplay();
}

void Machine::focusDisplay()
{
    z1->setFocus();
    z1->moveCursor(QTextCursor::End);
    z1->update();
}

void Machine::beep(int times)
{
    for (int i = 0; i < times; ++i)
        dialogs::beep();
}

void Machine::keyAppend(const QString& text, calc::JoinRule rule)
{
    m_calc.append(text, rule);
    showDisplay();
}

void Machine::EXE_Click()
{
    if (inColumnMode()) {
        emit columnRunRequested(m_calc.entryText);
        return;
    }
    const int beeps = m_calc.execute(angleMode(), scientific(), [this] {
        showDisplay();
        z1->repaint();
    });
    showDisplay();
    beep(beeps);
}

void Machine::EFFACE_Click()
{
    m_calc.backspace();
    showDisplay();
}

void Machine::RAZ_Click()
{
    m_calc.clearEntry();
    showDisplay();
}

void Machine::ANS_Click()
{
    m_calc.answer();
    showDisplay();
}

void Machine::plus_Click()
{
    m_calc.plus();
    showDisplay();
}

void Machine::moins_Click()
{
    m_calc.minus();
    showDisplay();
}

// M+ and M- read whatever the display shows; a message reads as 0.
void Machine::Command1_Click()
{
    beep(m_calc.memoryAdd(m_memory));
    focusDisplay();
}

void Machine::Command2_Click()
{
    beep(m_calc.memorySubtract(m_memory));
    focusDisplay();
}

void Machine::Command3_Click()
{
    m_calc.recall(m_memory, scientific());
    showDisplay();
}

void Machine::Command4_Click()
{
    m_memory = 0.0;
    focusDisplay();
}

void Machine::Command6_Click(int index)
{
    keyAppend(QStringLiteral("C%1").arg(index + 1), JoinRule::ImplicitProduct);
}

void Machine::C_Click(int index)
{
    Q_UNUSED(index);
    if (m_calc.redisplay(scientific()))
        showDisplay();
}

bool Machine::Form_KeyPress(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        EFFACE->click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EXE->click();
        return true;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // shortcuts and access keys
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    const QChar ch = text.front();
    if (ch.isDigit() && ch.unicode() < 128) {
        B[ch.digitValue()]->click();
        return true;
    }
    switch (ch.unicode()) {
    case '.':
    case ',': // the French decimal comma: the same point
        Bpoint->click();
        return true;
    case 'e':
    case 'E':
    case 'd':
    case 'D':
        BtoEXP->click();
        return true;
    case '(':
        Bpo->click();
        return true;
    case ')':
        bpf->click();
        return true;
    case '*':
        multip->click();
        return true;
    case '+':
        plus->click();
        return true;
    case '-':
        moins->click();
        return true;
    case '/':
        div->click();
        return true;
    case '^':
        puissance->click();
        return true;
    default:
        break;
    }
    return false;
}

void Machine::keyPressEvent(QKeyEvent* event)
{
    if (Form_KeyPress(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close(); // as the close box: in column mode nothing is computed
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Machine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == z1 && event->type() == QEvent::KeyPress &&
        Form_KeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

// The background: a horizontal gradient from pale to dark cyan, a raised white edge with a black
// line along the top and the left, and a sunken groove around the digit pad.
void Machine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int x = 0; x <= 301; ++x) {
        const int c = numtext::roundToInt(200 - x / 2.0);
        painter.fillRect(x, 0, 1, 430, QColor(c, c + 50, c + 50));
    }
    // A box outline through both corners, one pixel wide.
    const auto box = [&painter](int x1, int y1, int x2, int y2, const QColor& colour) {
        painter.fillRect(x1, y1, x2 - x1 + 1, 1, colour);
        painter.fillRect(x1, y2, x2 - x1 + 1, 1, colour);
        painter.fillRect(x1, y1, 1, y2 - y1 + 1, colour);
        painter.fillRect(x2, y1, 1, y2 - y1 + 1, colour);
    };
    box(1, 1, 299, 428, Qt::white);
    painter.fillRect(1, 1, 298, 1, Qt::black); // (1, 1) to (299, 1), last point excluded
    painter.fillRect(1, 1, 1, 426, Qt::black); // (1, 1) to (1, 427)
    box(82, 290, 206, 421, Qt::white);
    box(81, 289, 205, 420, paletteQColour(3));
}
