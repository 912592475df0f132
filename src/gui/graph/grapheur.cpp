// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/graph/grapheur.h"

#include "core/platform/clipboardcopy.h"
#include "core/platform/numtext.h"
#include "gui/print/printers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolButton>

namespace {

constexpr int kPanelWidth = 158;
constexpr int kPanelInner = 138; // from x = 10 to 148
constexpr QRect kCombo1(80, 78, 68, 22);
constexpr QRect kCombo2(80, 108, 68, 22);
constexpr int kLabel1Top = 326;
constexpr int kButtonHeight = 26;
constexpr int kButtonSpacing = 30;
constexpr QPoint kPicture1(170, 60);
constexpr QRect kTito(170, 8, 501, 46);

QFont sizedFont(int pixels, bool bold)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// A check box whose caption wraps onto a second line inside the narrow panel; the whole box is
// clickable.
class WrappingCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter p(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        p.drawControl(QStyle::CE_CheckBox, option);
        const QRect indicator =
            style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
        p.drawText(rect().adjusted(indicator.right() + 5, 0, 0, 0),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, caption);
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// `tito`: the heading, one character at a time from yellow to white on dark blue.
class Heading : public QWidget {
public:
    using QWidget::QWidget;
    static inline const QString Text = QStringLiteral("Représentation graphique");

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), paletteQColour(1));
        // Size 24, made smaller only when a wide substitute font would not fit.
        QFont f = sizedFont(32, true);
        while (f.pixelSize() > 12 && QFontMetrics(f).horizontalAdvance(Text) > width() - 30 - 4)
            f.setPixelSize(f.pixelSize() - 1);
        p.setFont(f);
        const QFontMetrics metrics(f);
        const int top = (height() - metrics.height()) / 2 - 2;
        const int n = int(Text.size());
        int x = 30;
        for (int i = 1; i <= n; ++i) {
            const QString c = Text.mid(i - 1, 1);
            p.setPen(QColor(255, 255, numtext::roundToInt(155 + 100.0 * i / n)));
            p.drawText(x, top + metrics.ascent(), c);
            x += metrics.horizontalAdvance(c);
        }
    }
};

} // namespace

grapheur::grapheur(TableModel& table, QWidget* mainWindow) : QDialog(mainWindow), m_table(table)
{
    setObjectName(QStringLiteral("grapheur"));
    setFont(sizedFont(11, false)); // size 8

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(kCombo1);
    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setGeometry(kCombo2);

    QCheckBox** const checks[] = {&Check1, &Check2, &Check3, &Check4, &Check5};
    const char* const captions[] = {"Lier les points", "Afficher la grille",
                                    "Représenter un point par une croix", "Droite de régression",
                                    "Passant par l'origine"};
    // The third caption takes two lines; the line through the origin goes under the regression.
    const int tops[] = {192, 210, 228, 256, 272}, heights[] = {18, 18, 28, 16, 16};
    for (int i = 0; i < 5; ++i) {
        auto* box = new WrappingCheckBox(QString::fromUtf8(captions[i]), this);
        box->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        box->setGeometry(10, tops[i], kPanelInner, heights[i]);
        *checks[i] = box;
    }

    Label1 = new QLabel(QStringLiteral("En abscisse une division correspond à"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(QRect(kPicture1, QSize(graph::PictureSize, graph::PictureSize)));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    tito = new Heading(this);
    tito->setObjectName(QStringLiteral("tito"));
    tito->setGeometry(kTito);

    QToolButton** const buttons[] = {&Image2, &Image4, &Image5};
    const char* const tips[] = {"Imprimer le graphe", "Copier", "Fermer"};
    const QIcon icons[] = {QIcon::fromTheme(QStringLiteral("document-print")),
                           QIcon::fromTheme(QStringLiteral("edit-copy")),
                           style()->standardIcon(QStyle::SP_DialogCloseButton)};
    const char* const names[] = {"Image2", "Image4", "Image5"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(names[i]));
        button->setText(QString::fromUtf8(tips[i]));
        button->setToolTip(QString::fromUtf8(tips[i]));
        button->setIcon(icons[i]);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(false);
        *buttons[i] = button;
    }

    connect(Check1, &QCheckBox::toggled, this, &grapheur::grapheur_Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &grapheur::grapheur_Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &grapheur::grapheur_Check3_Click);
    connect(Check4, &QCheckBox::toggled, this, &grapheur::grapheur_Check4_Click);
    connect(Check5, &QCheckBox::toggled, this, [this] { majgraf(); });
    connect(Image2, &QToolButton::clicked, this, &grapheur::grapheur_Image2_Click);
    connect(Image4, &QToolButton::clicked, this, &grapheur::grapheur_Image4_Click);
    connect(Image5, &QToolButton::clicked, this, &grapheur::grapheur_Image5_Click);

    Form_Load(mainWindow);
}

void grapheur::Form_Load(QWidget* mainWindow)
{
    // Over the main window exactly: same frame position and size.
    if (mainWindow) {
        setWindowTitle(mainWindow->windowTitle());
        setWindowIcon(mainWindow->windowIcon());
        move(mainWindow->pos());
        resize(mainWindow->size());
        setWindowState(mainWindow->windowState());
    } else {
        setWindowTitle(Heading::Text);
        resize(DefaultSize);
    }
    // A hidden window gets its resize event only when shown.
    placePanelFoot();

    // The lists name the columns as the table's header does.
    for (int c = 0; c < table::Columns; ++c) {
        Combo1->addItem(graph::axisEntry(m_table, c));
        Combo2->addItem(graph::axisEntry(m_table, c));
    }
    for (QComboBox* list : {Combo1, Combo2})
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 8);
    // Adding items selects the first one: start with no selection, so that each selection
    // below redraws as it is made.
    Combo1->setCurrentIndex(-1);
    Combo2->setCurrentIndex(-1);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &grapheur::grapheur_Combo1_Click);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &grapheur::grapheur_Combo2_Click);
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(1);
}

void grapheur::majgraf()
{
    if (Combo1->currentIndex() < 0 || Combo2->currentIndex() < 0)
        return;
    // Drawn at the screen's pixel ratio: sharp on a screen scaled to 150 or 200 %.
    const double ratio = std::clamp(devicePixelRatioF(), 1.0, 8.0);
    if (m_picture.scale() != ratio)
        m_picture = Surface(graph::PictureSize, graph::PictureSize, ratio);
    const std::optional<QString> label = graph::majgraf(m_picture, m_table, Combo1->currentIndex(),
                                                        Combo2->currentIndex(), options());
    if (label) {
        Label1->setText(*label);
        fitLabel1();
    }
    QPixmap shown = QPixmap::fromImage(m_picture.image());
    shown.setDevicePixelRatio(m_picture.scale());
    Picture1->setPixmap(shown);
}

void grapheur::grapheur_Combo1_Click()
{
    majgraf();
}

void grapheur::grapheur_Combo2_Click()
{
    majgraf();
}

void grapheur::grapheur_Check1_Click()
{
    majgraf();
}

void grapheur::grapheur_Check2_Click()
{
    majgraf();
}

void grapheur::grapheur_Check3_Click()
{
    majgraf();
}

void grapheur::grapheur_Check4_Click()
{
    majgraf();
}

void grapheur::grapheur_Image2_Click()
{
    // The printer set-up dialog first: cancelling it prints nothing and leaves the window open.
    if (!printing::showPrinterSetup(this))
        return;
    const std::unique_ptr<print::PrintTarget> target = printing::chooseTarget(this);
    const graph::Page page = currentPage();
    const print::GraphPage text{.title = page.title,
                                .equations = page.equations,
                                .pointsHeader = page.pointsHeader,
                                .points = page.points,
                                .drawAt = [table = m_table, x = Combo1->currentIndex(),
                                           y = Combo2->currentIndex(),
                                           options = options()](double scale) {
                                    return graph::plot(table, x, y, options, scale);
                                }};
    if (target && !print::printGraph(*target, page.plot, text))
        printing::reportFailure(this);
}

void grapheur::grapheur_Image4_Click()
{
    clipboardcopy::putImage(graph::pagePicture(currentPage()));
}

graph::Page grapheur::currentPage() const
{
    // The page is laid out in screen pixels: its plot is the 1× picture.
    const QImage plot = m_picture.scale() == 1 ? m_picture.image()
                                               : graph::plot(m_table, Combo1->currentIndex(),
                                                             Combo2->currentIndex(), options(), 1);
    return graph::page(plot, m_table, Combo1->currentIndex(), Combo2->currentIndex(), options());
}

graph::Options grapheur::options() const
{
    graph::Options options;
    options.joined = Check1->isChecked();
    options.grid = Check2->isChecked();
    options.crosses = Check3->isChecked();
    options.regression = Check4->isChecked();
    options.throughOrigin = Check5->isChecked();
    options.values = true;
    if (Combo1->currentIndex() >= 0 && Combo2->currentIndex() >= 0) {
        options.xTitle = m_table.title(Combo1->currentIndex());
        options.yTitle = m_table.title(Combo2->currentIndex());
    }
    return options;
}

void grapheur::grapheur_Image5_Click()
{
    reject();
}

void grapheur::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placePanelFoot();
}

void grapheur::placePanelFoot()
{
    // The buttons stay at the foot of the panel; the scale text takes the room above them.
    const int firstButton = height() - 3 * kButtonSpacing - 4;
    QToolButton* const buttons[] = {Image2, Image4, Image5};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(10, firstButton + i * kButtonSpacing, kPanelInner, kButtonHeight);
    Label1->setGeometry(10, kLabel1Top, kPanelInner, std::max(20, firstButton - 6 - kLabel1Top));
    fitLabel1();
}

void grapheur::fitLabel1()
{
    // The regression's paragraph makes the scale text long: a smaller type rather than lines
    // hidden under the buttons.
    QFont f = font();
    for (int pixels = f.pixelSize() > 0 ? f.pixelSize() : 11; pixels >= 8; --pixels) {
        f.setPixelSize(pixels);
        Label1->setFont(f);
        if (Label1->heightForWidth(Label1->width()) <= Label1->height())
            break;
    }
}

void grapheur::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(0, 0, kPanelWidth, height(), paletteQColour(7));
    p.fillRect(kPanelWidth, 0, 2, height(), paletteQColour(8));
    // Engraved separators: a dark line over a white one.
    for (int y : {160, 290}) {
        p.fillRect(10, y, kPanelInner, 1, paletteQColour(8));
        p.fillRect(10, y + 1, kPanelInner, 1, paletteQColour(15));
    }

    // Texts placed by their top-left corner.
    const auto print = [&p](int x, int y, const QString& text) {
        p.drawText(x, y + p.fontMetrics().ascent(), text);
    };
    p.setFont(sizedFont(16, true)); // size 12
    for (const auto& [text, y] :
         {std::pair{QStringLiteral("Grandeurs:"), 52}, std::pair{QStringLiteral("Options:"), 172},
          std::pair{QStringLiteral("Echelles:"), 302}}) {
        const int x = (kPanelWidth - p.fontMetrics().horizontalAdvance(text)) / 2;
        p.setPen(paletteQColour(15));
        print(x, y, text);
        p.setPen(paletteQColour(9));
        print(x - 1, y - 1, text);
    }

    p.setFont(sizedFont(11, false)); // size 8
    p.setPen(paletteQColour(0));
    for (const auto& [text, combo] : {std::pair{QStringLiteral("Abscisse:  "), Combo1},
                                      std::pair{QStringLiteral("Ordonnée:  "), Combo2}}) {
        const QFontMetrics metrics = p.fontMetrics();
        print(combo->x() - metrics.horizontalAdvance(text),
              combo->y() + (combo->height() - metrics.height()) / 2, text);
    }
}
