// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/bench/loupe.h"

#include "core/bench/materials.h"

#include "core/platform/numtext.h"
#include "gui/platform/dialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

// The relation of Cauchy, black on white, 276 × 24 pixels.
QPixmap cauchyPicture()
{
    QImage img(276, 24, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(15);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(4, 0, 120, 24), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("n = A + B / λ²"));
    QFont note(QStringLiteral("Liberation Sans"));
    note.setPixelSize(10);
    p.setFont(note);
    p.drawText(QRect(118, 0, 156, 24), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("λ : longueur d'onde dans le vide, en nm"));
    return QPixmap::fromImage(img);
}

} // namespace

LOUPE::LOUPE(BenchState& state, QWidget* mainWindow) : QDialog(mainWindow), m_state(state)
{
    setObjectName(QStringLiteral("LOUPE"));
    setWindowTitle(QStringLiteral("Definir un matériau non listé"));
    // No close box: the dialog ends by OK or Annuler (Escape is Annuler).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(360, 214);

    Label1 = new QLabel(QStringLiteral("L'indice d'un milieu est lié à la longueur d'onde de la "
                                       "radiation par la relation de Cauchy:"),
                        this);
    Label1->setWordWrap(true);
    Label1->setGeometry(12, 8, 336, 40);
    Image1 = new QLabel(this);
    Image1->setPixmap(cauchyPicture());
    Image1->setGeometry(42, 52, 276, 24);
    Image1->setAccessibleName(QStringLiteral("Loi de Cauchy : n = A + B / λ²"));
    Label2 = new QLabel(QStringLiteral("Valeur de A ( de 1 à 2 ):"), this);
    Label2->setGeometry(12, 90, 220, 22);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(236, 90, 112, 22);
    Label3 = new QLabel(QStringLiteral("Valeur de B ( de 0 à 40000 nm² ):"), this);
    Label3->setGeometry(12, 122, 220, 22);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(236, 122, 112, 22);
    Label2->setBuddy(Text1);
    Label3->setBuddy(Text2);
    Command2 = new QPushButton(QStringLiteral("OK"), this);
    Command2->setGeometry(160, 170, 88, 30);
    Command2->setDefault(true);
    Command1 = new QPushButton(QStringLiteral("Annuler"), this);
    Command1->setGeometry(256, 170, 92, 30);
    Command2->setAutoDefault(true);
    Command1->setAutoDefault(false);

    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
    connect(Command2, &QPushButton::clicked, this, &LOUPE::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &LOUPE::Command1_Click);

    Form_Load(mainWindow);
}

Medium LOUPE::targetMedium() const
{
    return m_state.customMaterialTarget == std::int16_t(Medium::Disc) ? Medium::Disc
                                                                      : Medium::Outer;
}

void LOUPE::Form_Load(QWidget* mainWindow)
{
    // At the top right of the main window, 20 pixels inside its edges.
    if (mainWindow) {
        const QRect main = mainWindow->frameGeometry();
        move(main.left() + main.width() - width() - 20, main.top() + 20);
    }
    Text1->setText(numtext::formatSingle(mediumA(m_state, targetMedium())));
    Text2->setText(numtext::formatSingle(mediumB(m_state, targetMedium())));
}

bool LOUPE::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == Text1 || watched == Text2) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (key->matches(QKeySequence::Paste))
            return true; // only typed characters reach the boxes
        // Only typed characters are filtered: moving the caret, deleting and the dialog's own keys
        // (Enter for OK, Escape for Annuler) work as usual.
        switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            break;
        }
        if (text.isEmpty() || (key->modifiers() & Qt::ControlModifier))
            return false;
        const QChar c = text.at(0);
        auto* edit = static_cast<QLineEdit*>(watched);
        if (c == QLatin1Char('.') || c == QLatin1Char(',')) {
            edit->insert(QStringLiteral(","));
            return true;
        }
        if (c.isDigit() && c.unicode() < 128 && text.size() == 1)
            return false;
        return true; // every other character is discarded
    }
    return QDialog::eventFilter(watched, event);
}

void LOUPE::Command2_Click()
{
    const CustomCoefficients checked = checkCustomCoefficients(Text1->text(), Text2->text());
    if (!checked.refusal.isEmpty()) {
        dialogs::msgBox(checked.refusal, dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("Propriété incorrecte"), this);
        return;
    }
    setCustomMaterial(m_state, targetMedium(), checked.a, checked.b);
    accept();
}

void LOUPE::Command1_Click()
{
    emit cancelled();
    QDialog::reject();
}

void LOUPE::reject()
{
    Command1_Click();
}
