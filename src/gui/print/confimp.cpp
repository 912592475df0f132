// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/print/confimp.h"

#include "core/platform/surface.h"
#include "gui/print/printers.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

constexpr int kConfimpWidth = 340;
constexpr int kConfimpHeight = 312;
constexpr QRect kConfimpButtons(10, 270, 320, 30);

} // namespace

confimp::confimp(print::BenchPrintout bench, print::TablePrintout table, QWidget* mainWindow)
    : QDialog(mainWindow), m_bench(std::move(bench)), m_table(std::move(table))
{
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(13);
    setFont(f);
    setFixedSize(kConfimpWidth, kConfimpHeight);

    Frame1 = new QGroupBox(QStringLiteral("Options"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(10, 6, 320, 190);
    Option2 = new QRadioButton(QStringLiteral("Le schéma de l'expérience"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setGeometry(12, 22, 290, 20);
    const char* const checks[] = {"Centrer l'image horizontalement",
                                  "Centrer l'image verticalement", "Imprimer les paramètres",
                                  "Imprimer l'image en miniature"};
    for (int i = 0; i < 4; ++i) {
        Chec[i] = new QCheckBox(QString::fromUtf8(checks[i]), Frame1);
        Chec[i]->setObjectName(QStringLiteral("Chec%1").arg(i));
        Chec[i]->setGeometry(34, 44 + 20 * i, 270, 20);
    }
    // The picture as the bench's "Fond blanc" draws it, whatever the screen shows: no black
    // page for the printer's ink.
    fondblanc = new QCheckBox(QStringLiteral("Imprimer sur fond blanc"), Frame1);
    fondblanc->setObjectName(QStringLiteral("fondblanc"));
    fondblanc->setGeometry(34, 124, 270, 20);
    Option1 = new QRadioButton(QStringLiteral("Le tableau"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setGeometry(12, 150, 290, 20);
    Option2->setChecked(true);
    Chec[0]->setChecked(true);
    Chec[2]->setChecked(true);

    Label3 = new QLabel(QStringLiteral("Nombre d'exemplaires:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(14, 206, 150, 22);
    Label4 = new QLabel(QStringLiteral("1"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(166, 206, 36, 22);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label4->setAutoFillBackground(true);
    QPalette white = Label4->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Label4->setPalette(white);
    // Only the arrows of the spinner show: its value is read on Label4 beside it.
    UpDown1 = new QSpinBox(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setAccessibleName(QStringLiteral("Nombre d'exemplaires"));
    UpDown1->setRange(1, 99);
    UpDown1->setValue(1);
    UpDown1->setGeometry(204, 206, 20, 22);

    defaut = new QLineEdit(this);
    defaut->setObjectName(QStringLiteral("defaut"));
    defaut->setAccessibleName(QStringLiteral("Imprimante"));
    defaut->setReadOnly(true);
    defaut->setGeometry(10, 238, 320, 22);

    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("&Imprimantes"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("&Annuler"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    const int w = (kConfimpButtons.width() - 16) / 3;
    Command1->setGeometry(kConfimpButtons.left(), kConfimpButtons.top(), w, 30);
    Command2->setGeometry(kConfimpButtons.left() + w + 8, kConfimpButtons.top(), w, 30);
    Command3->setGeometry(kConfimpButtons.left() + 2 * (w + 8), kConfimpButtons.top(), w, 30);
    Command1->setDefault(true);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(10, 6, 320, 294);
    Label1 = new QLabel(QStringLiteral("Veuillez patienter quelques instants..."), Frame2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(0, 0, 320, 294);
    Label1->setAlignment(Qt::AlignCenter);
    Frame2->hide();

    connect(Option1, &QRadioButton::clicked, this, &confimp::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &confimp::Option2_Click);
    connect(UpDown1, &QSpinBox::valueChanged, this, &confimp::UpDown1_Change);
    connect(Command1, &QPushButton::clicked, this, &confimp::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &confimp::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &confimp::Command3_Click);

    if (mainWindow) {
        const QRect main = mainWindow->frameGeometry();
        move(main.center().x() - kConfimpWidth / 2, main.top() + 20);
    }
    defaut->setText(printing::printerName());
}

confimp::~confimp()
{
    // A file chosen with "&Imprimantes" was for this window's printout only.
    printing::forgetOutputFile();
}

print::BenchLayout confimp::benchLayout() const
{
    print::BenchLayout layout;
    layout.centreHorizontally = Chec[0]->isChecked();
    layout.centreVertically = Chec[1]->isChecked();
    layout.withParameters = Chec[2]->isChecked();
    layout.miniature = Chec[3]->isChecked();
    layout.onWhite = fondblanc->isChecked();
    layout.copies = copies();
    return layout;
}

int confimp::copies() const
{
    return UpDown1->value();
}

bool confimp::tableChosen() const
{
    return Option1->isChecked();
}

void confimp::setChecksEnabled(bool enabled)
{
    for (QCheckBox* check : {Chec[0], Chec[1], Chec[2], Chec[3], fondblanc}) {
        QPalette p = check->palette();
        p.setColor(QPalette::WindowText, paletteQColour(enabled ? 0 : 8));
        check->setPalette(p);
        check->setEnabled(enabled);
    }
}

void confimp::Option1_Click()
{
    if (Option1->isChecked())
        setChecksEnabled(false);
}

void confimp::Option2_Click()
{
    if (Option2->isChecked())
        setChecksEnabled(true);
}

void confimp::UpDown1_Change()
{
    Label4->setText(QString::number(UpDown1->value()));
}

void confimp::showBusy(bool busy)
{
    for (QWidget* w : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Frame1)})
        w->setVisible(!busy);
    Frame2->setVisible(busy);
    repaint();
}

void confimp::Command1_Click()
{
    std::unique_ptr<print::PrintTarget> target = printing::chooseTarget(this);
    if (!target)
        return; // the file name was not given: the window stays for another choice
    showBusy(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = tableChosen() ? print::Cletab(*target, m_table, copies())
                                       : print::printBench(*target, m_bench, benchLayout());
    QApplication::restoreOverrideCursor();
    if (!printed)
        printing::reportFailure(this);
    accept();
}

void confimp::Command2_Click()
{
    emit printerSetUp(printing::showPrinterSetup(this));
    defaut->setText(printing::printerName());
}

void confimp::Command3_Click()
{
    reject();
}
