// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/formatdonnees.h"

#include "core/platform/surface.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <array>

namespace {

// The options from top to bottom: caption and the pattern stored into the table.
struct FormatOption {
    const char* caption; // UTF-8
    QString pattern;
};
const std::array<FormatOption, 5>& formatOptions()
{
    static const std::array<FormatOption, 5> options{{
        {"Standard1: 2 chiffres après la virgule", QStringLiteral("########0.00")},
        {"Standard2: 3 chiffres après la virgule", QStringLiteral("########0.000")},
        {"Standard3: libre", QStringLiteral("")},
        {"Scientifique1: 3 chiffres significatifs", QStringLiteral("0.00E+00")},
        {"Scientifique2: 4 chiffres significatifs", QStringLiteral("0.000E+00")},
    }};
    return options;
}

// The example table stands right of the options, from x = 250 to 556: the captions must end
// before it, hence the small type.
constexpr int kFormatWidth = 570;
constexpr int kFormatHeight = 244;
constexpr int kOptionsTop = 64;     // T, the top of Option1
constexpr int kOptionsSpacing = 24; // s
constexpr int kOptionWidth = 234;
constexpr int kOptionHeight = 16;

} // namespace

Formatdonnees::Formatdonnees(TableModel& table, QWidget* mainWindow)
    : QDialog(mainWindow), m_table(table)
{
    setObjectName(QStringLiteral("Formatdonnees"));
    setWindowTitle(QStringLiteral("Format d'écritue des données dans le tableau"));
    // No close box: the dialog ends by OK or Annuler (Escape is Annuler).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kFormatWidth, kFormatHeight);

    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    setFont(f);

    Label1 = new QLabel(
        QStringLiteral("Choisir une option d'affichage en vous aidant du tableau d'exemples."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(10, 8, kFormatWidth - 20, 18);

    // Exclusive, yet none is checked when the table's pattern is none of the five.
    m_options = new QButtonGroup(this);
    m_options->setExclusive(true);
    QRadioButton** const members[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(formatOptions()[i].caption), this);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        option->setGeometry(10, kOptionsTop + i * kOptionsSpacing, kOptionWidth, kOptionHeight);
        m_options->addButton(option, i);
        *members[i] = option;
    }

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(556 - 88 - 8 - 88, kFormatHeight - 40, 88, 28);
    Command2 = new QPushButton(QStringLiteral("Annuler"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(556 - 88, kFormatHeight - 40, 88, 28);
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command2->setAutoDefault(false);

    connect(Command1, &QPushButton::clicked, this, &Formatdonnees::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Formatdonnees::Command2_Click);

    Form_Load();
}

void Formatdonnees::Form_Load()
{
    const QString current = m_table.numberFormat();
    for (int i = 0; i < 5; ++i)
        if (formatOptions()[i].pattern == current) // a null pattern equals the empty one
            m_options->button(i)->setChecked(true);
}

QStringList Formatdonnees::exampleTexts()
{
    static const float values[3] = {3.1415927f, -32135.35f, 0.0258f};
    QStringList texts;
    for (int row = 0; row < 6; ++row) {
        const QString pattern = row == 0 ? QStringLiteral("") : formatOptions()[row - 1].pattern;
        for (float value : values)
            texts << table::formatCellNumber(value, pattern);
    }
    return texts;
}

void Formatdonnees::paintEvent(QPaintEvent*)
{
    const int t = Option1->y();
    const int b = Option5->y();
    const int s = Option2->y() - t;
    QPainter p(this);
    // A filled box through both corners.
    const auto filledBox = [&p](int x1, int y1, int x2, int y2, const QColor& colour) {
        p.fillRect(x1, y1, x2 - x1 + 1, y2 - y1 + 1, colour);
    };
    filledBox(255, t - s, 556, b + s + 5, paletteQColour(8));  // the shadow
    filledBox(250, t - s - 5, 550, b + s, paletteQColour(15)); // the panel
    filledBox(250, t - s - 5, 550, t - 9, paletteQColour(11)); // the heading band
    p.fillRect(250, t - 8, 300, 1, paletteQColour(3));         // up to, not including, x = 550

    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(paletteQColour(0));
    const QFontMetrics metrics(font());
    const QStringList texts = exampleTexts();
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 3; ++j)
            p.drawText(270 + 100 * j, t - s + i * s + metrics.ascent(), texts.at(i * 3 + j));
}

void Formatdonnees::Command1_Click()
{
    const int checked = m_options->checkedId();
    if (checked >= 0)
        m_table.setNumberFormat(formatOptions()[checked].pattern);
    m_table.reformatTable();
    accept();
}

void Formatdonnees::Command2_Click()
{
    reject();
}
