// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/fnblignes.h"

#include "core/platform/surface.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int kRowCountHeight = 134;
constexpr QRect kLabel1(150, 58, 48, 22);

} // namespace

fnblignes::fnblignes(TableModel& table, QWidget* mainWindow) : QDialog(mainWindow), m_table(table)
{
    setObjectName(QStringLiteral("fnblignes"));
    setWindowTitle(QStringLiteral("Nombre de lignes du tableau"));
    // No close box: the dialog ends by OK or Annuler (Escape is Annuler).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    // Size 10 on the reference screen of 96 dots per inch: 13 pixels.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(13);
    f.setBold(false);
    setFont(f);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(kLabel1);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1->setAutoFillBackground(true);
    QPalette white = Label1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(white);

    // Only the arrows of the spinner show: its value is read on Label1 beside it.
    UpDown1 = new QSpinBox(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setAccessibleName(QStringLiteral("Nombre de lignes"));
    UpDown1->setRange(1, 100);
    UpDown1->setSingleStep(1);
    UpDown1->setGeometry(kLabel1.right() + 2, kLabel1.top(), 20, kLabel1.height());

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("Annuler"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command2->setAutoDefault(false);

    connect(UpDown1, &QSpinBox::valueChanged, this, &fnblignes::UpDown1_Change);
    connect(Command1, &QPushButton::clicked, this, &fnblignes::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &fnblignes::Command2_Click);

    Form_Load();
}

void fnblignes::Form_Load()
{
    // The window is as wide as the longest caption, with its margins.
    const int width = fontMetrics().horizontalAdvance(Caption1) + 30;
    setFixedSize(width, kRowCountHeight);
    Command2->setGeometry(width - 10 - 88, kRowCountHeight - 38, 88, 28);
    Command1->setGeometry(width - 10 - 88 - 8 - 88, kRowCountHeight - 38, 88, 28);

    UpDown1->setValue(m_table.rowCount() - 1);
    UpDown1_Change(UpDown1->value()); // also when the value is the spinner's own start value
}

void fnblignes::UpDown1_Change(int value)
{
    Label1->setText(QString::number(value));
}

void fnblignes::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Without smoothing: the engraving is a one-pixel offset, which needs crisp edges.
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    const QFontMetrics metrics(f);
    const QPoint third(Label1->x() - metrics.horizontalAdvance(Caption3),
                       Label1->y() + (Label1->height() - metrics.height()) / 2);
    // Texts placed by their top-left corner.
    const auto print = [&](int x, int y, const QString& text) {
        p.drawText(x, y + metrics.ascent(), text);
    };
    const auto captions = [&](int offset) {
        print(10 - offset, 10 - offset, Caption1);
        print(10 - offset, 30 - offset, Caption2);
        print(third.x() - offset, third.y() - offset, Caption3);
    };
    p.setPen(paletteQColour(7));
    captions(0);
    p.setPen(paletteQColour(0));
    captions(1);
}

void fnblignes::Command1_Click()
{
    m_table.setRowCount(UpDown1->value() + 1);
    accept();
}

void fnblignes::Command2_Click()
{
    reject();
}
