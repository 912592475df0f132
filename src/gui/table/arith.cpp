// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/arith.h"

#include "gui/platform/dialogs.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kArithWidth = 265;
constexpr int kArithHeight = 152;

// The characters a box may hold, a point already turned into a comma.
bool allowedInBox(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(',') ||
           c == QLatin1Char('-');
}

} // namespace

arith::arith(TableModel& table, QWidget* mainWindow) : QDialog(mainWindow), m_table(table)
{
    setObjectName(QStringLiteral("arith"));
    setWindowTitle(QStringLiteral("Suite arithmétique"));
    // No close box: the dialog ends by OK or Annuler (Escape is Annuler).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kArithWidth, kArithHeight);

    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    setFont(f);

    for (int i = 0; i < 3; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setGeometry(150, 14 + 30 * i, 105, 22);
        box->installEventFilter(this);
        // Whatever reaches the box without a key press (a paste, a drop, an input method) goes
        // through the same filter as the keys.
        connect(box, &QLineEdit::textEdited, this, [this, i] { Text1_Edited(i); });
        Text1[i] = box;
        box->setAccessibleName(QString(Captions[i]).remove(u':').trimmed());
    }

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(kArithWidth - 10 - 88 - 8 - 88, kArithHeight - 40, 88, 28);
    Command2 = new QPushButton(QStringLiteral("Annuler"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(kArithWidth - 10 - 88, kArithHeight - 40, 88, 28);
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command2->setAutoDefault(false);

    connect(Command1, &QPushButton::clicked, this, &arith::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &arith::Command2_Click);
}

int arith::boxIndex(const QObject* watched) const
{
    for (int i = 0; i < 3; ++i)
        if (watched == Text1[i])
            return i;
    return -1;
}

bool arith::eventFilter(QObject* watched, QEvent* event)
{
    const int index = boxIndex(watched);
    if (index >= 0) {
        if (event->type() == QEvent::KeyPress)
            return Text1_KeyPress(index, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut) {
            // A context menu or another window taking the focus does not leave the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                Text1_LostFocus(index);
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool arith::Text1_KeyPress(int index, QKeyEvent* key)
{
    const QString text = key->text();
    // Only typed characters are filtered: moving the caret, Tab, Backspace, Delete and the
    // dialog's own keys (Enter for OK, Escape for Annuler) work as usual, and so do the
    // shortcuts (a paste is filtered as an edit).
    if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    if (text.size() == 1 && text.at(0).category() == QChar::Other_Control)
        return false;
    if (text == QLatin1String(".")) {
        Text1[index]->insert(QStringLiteral(","));
        return true;
    }
    if (text.size() == 1 && allowedInBox(text.at(0)))
        return false;
    return true; // every other character is discarded, the letter E too
}

void arith::Text1_Edited(int index)
{
    QLineEdit* box = Text1[index];
    const QString text = box->text();
    const int cursor = box->cursorPosition();
    QString kept;
    int keptBeforeCursor = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i) == QLatin1Char('.') ? QLatin1Char(',') : text.at(i);
        if (!allowedInBox(c))
            continue;
        kept += c;
        if (i < cursor)
            ++keptBeforeCursor;
    }
    if (kept == text)
        return;
    box->setText(kept); // emits no textEdited: no loop
    box->setCursorPosition(keptBeforeCursor);
}

void arith::Text1_LostFocus(int index)
{
    QLineEdit* box = Text1[index];
    const QString normalised = table::normalisedCell(box->text(), QStringLiteral(""));
    if (normalised != box->text())
        box->setText(normalised);
}

void arith::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    const QFontMetrics metrics(font());
    for (int i = 0; i < 3; ++i) {
        const QRect box = Text1[i]->geometry();
        const int x = box.left() - 10 - metrics.horizontalAdvance(Captions[i]);
        const int y = box.top() + (box.height() - metrics.height()) / 2;
        p.drawText(x, y + metrics.ascent(), Captions[i]);
    }
}

void arith::Command1_Click()
{
    // OK may come from Enter while a box still has the focus: the boxes are read as they read
    // once left.
    float values[3];
    for (int i = 0; i < 3; ++i) {
        Text1_LostFocus(i);
        values[i] = table::parseCellNumber(Text1[i]->text()).value_or(0.0f);
    }
    switch (m_table.fillSequence(m_table.currentColumn(), values[0], values[1], values[2])) {
    case table::SequenceResult::Invalid:
        dialogs::msgBox(QStringLiteral("Ces valeurs ne sont pas valides"), dialogs::Buttons::Ok,
                        dialogs::Icon::Stop, QStringLiteral("Erreur saisie"), this);
        return;
    case table::SequenceResult::TooLong:
        dialogs::msgBox(QStringLiteral("Le tableau ne peut avoir plus de 100 lignes"),
                        dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("Dépassement de capacité"), this);
        return;
    case table::SequenceResult::Filled:
        accept();
        return;
    }
}

void arith::Command2_Click()
{
    reject();
}
