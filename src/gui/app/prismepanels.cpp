// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window's controls: every control at its designed place, in pixels.
#include "gui/app/prisme.h"

#include "core/state/module1.h"
#include "gui/app/prismeicons.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/exercises/statementedit.h"
#include "gui/platform/placed.h"
#include "gui/platform/zoom.h"
#include "gui/protractor/protractorcontrols.h"
#include "gui/table/tablecontrols.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& toolTip, const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    button->setGeometry(place);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

void Prisme::createControls()
{
    // Creation order is stacking order: the icons lie under the panels that cover them, and the
    // table panel lies over the three panels at its place.
    createCommandRow();

    Frame3 = placed(new QWidget(this), "Frame3", QRect(8, 48, 409, 409));
    dessin = new BenchView(benchPicture, Frame3);
    dessin->move(0, 0);

    const QRect iconPlaces[6] = {{},
                                 {496, 80, 32, 32},
                                 {680, 80, 32, 32},
                                 {264, 488, 32, 32},
                                 {588, 192, 32, 32},
                                 {56, 488, 32, 32}};
    for (int i = 1; i <= 5; ++i) {
        auto* icon = new ClickLabel(this);
        icon->setObjectName(QStringLiteral("Image3_%1").arg(i));
        icon->setGeometry(iconPlaces[i]);
        icon->setCursor(Qt::PointingHandCursor);
        Image3[std::size_t(i)] = icon;
    }

    info = placedLabel(this, "info", QString(), QRect(520, 272, 233, 33));
    info->setFrameStyle(QFrame::Box | QFrame::Plain);
    info->setAutoFillBackground(true);
    QPalette tip = info->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    info->setPalette(tip);
    info->setWordWrap(true);
    info->setMargin(1);
    // The small type of the tool tips, so that the longest hints hold in two lines.
    QFont hintFont = info->font();
    hintFont.setPixelSize(10);
    info->setFont(hintFont);
    info->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    createTextArea();
    createBenchPanels();
    createProtractorPanel();
    createTablePanel();
    createMenus();
    showIcons();
}

void Prisme::showIcons()
{
    // Drawn at the screen's resolution times the window's factor, shown at the factor's size.
    const double ratio = devicePixelRatioF();
    const double scale = ratio * m_zoom;
    auto show = [ratio](ClickLabel* label, QPixmap picture) {
        picture.setDevicePixelRatio(ratio);
        label->setPixmap(picture);
    };
    for (int i = 1; i <= 5; ++i)
        show(Image3[std::size_t(i)], prismeicons::panelIcon(i, scale));
    show(Image4, prismeicons::closeIcon(scale));
    show(Image5, prismeicons::tableMenuIcon(scale));
    show(btexo, prismeicons::exerciseTab(DesignFont(), scale));
    m_iconScale = scale;
}

void Prisme::createCommandRow()
{
    Command2 = makeButton(this, "Command2", QStringLiteral("&Ouvrir"),
                          QStringLiteral("Retrouver une configuration"), QRect(0, 0, 89, 41));
    Command11 =
        makeButton(this, "Command11", QStringLiteral("&Enregistrer"),
                   QStringLiteral("Enregistrer la configuration actuelle"), QRect(88, 0, 89, 41));
    Command4 = makeButton(this, "Command4", QStringLiteral("Co&pier"),
                          QStringLiteral("presse-papiers"), QRect(176, 0, 89, 41));
    Command10 = makeButton(this, "Command10", QStringLiteral("&Imprimer"),
                           QStringLiteral("Imprimer l'image ou le tableau"), QRect(264, 0, 89, 41));
    Check1 = makeButton(this, "Check1", QStringLiteral("&Tableau"),
                        QStringLiteral("Afficher / cacher le tableau"), QRect(352, 0, 89, 41));
    Check1->setCheckable(true);
    Command8 = makeButton(this, "Command8", QStringLiteral("&Calculatrice"),
                          QStringLiteral("Machine à calculer"), QRect(440, 0, 89, 41));
    Command9 = makeButton(this, "Command9", QStringLiteral("&Voir le cours"),
                          QStringLiteral("Aide théorique"), QRect(528, 0, 89, 41));
    Command7 =
        makeButton(this, "Command7", QStringLiteral("&Aide"),
                   QStringLiteral("Aide pour utiliser cette application"), QRect(616, 0, 89, 41));
    Command1 = makeButton(this, "Command1", QStringLiteral("&Fermer"),
                          QStringLiteral("Quitter cette application"), QRect(704, 0, 97, 41));
}

QFrame* Prisme::createPanel(const QRect& rect, const char* name, ClickLabel*& title,
                            const char* titleName, const QString& titleText)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(rect);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    panel->hide();

    title = new ClickLabel(titleText, panel);
    title->setObjectName(QLatin1String(titleName));
    title->setGeometry(1, 1, rect.width() - 2, 16);
    title->setToolTip(QStringLiteral("Fermer"));
    title->setAutoFillBackground(true);
    QPalette pal = title->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 128));
    pal.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(pal);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setCursor(Qt::PointingHandCursor);
    return panel;
}

void Prisme::createBenchPanels()
{
    Picture4 = createPanel(QRect(424, 48, 176, 97), "Picture4", Label19, "Label19",
                           QStringLiteral("Le demi-disque"));
    Picture5 = createPanel(QRect(608, 48, 177, 97), "Picture5", Label32, "Label32",
                           QStringLiteral("Milieu extérieur"));
    Picture6 = createPanel(QRect(424, 152, 361, 113), "Picture6", Label23, "Label23",
                           QStringLiteral("Source lumineuse"));
    Frame1 = createPanel(QRect(144, 464, 273, 81), "Frame1", Label2, "Label2",
                         QStringLiteral(" Options affichage"));
    Frame1->setAccessibleName(QStringLiteral("Options"));
    Picture2 = createPanel(QRect(8, 464, 129, 81), "Picture2", Label25, "Label25",
                           QStringLiteral("Mesurer un angle"));

    bench = new BenchControls({.bench = dessin,
                               .disc = Picture4,
                               .outer = Picture5,
                               .source = Picture6,
                               .options = Frame1,
                               .protractor = Picture2},
                              experiment.settings, experiment.bench, benchPicture, this);
}

void Prisme::createProtractorPanel()
{
    Label25->setGeometry(1, 1, 111, 16);
    Image4 = new ClickLabel(Picture2);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setGeometry(112, 1, 16, 16);
    Image4->setToolTip(QStringLiteral("Fermer rapporteur"));
    Image4->setCursor(Qt::PointingHandCursor);

    protractor = new ProtractorControls({.bench = dessin, .panel = Picture2}, module1().protractor,
                                        benchPicture, this);
}

void Prisme::createTablePanel()
{
    Frame4 = createPanel(QRect(424, 48, 361, 218), "Frame4", Label3, "Label3",
                         QStringLiteral(" Tableau de valeurs  "));

    tableControls = new TableControls(Frame4, table, this);

    Image5 = new ClickLabel(Frame4);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setGeometry(341, 1, 18, 16);
    Image5->setCursor(Qt::PointingHandCursor);
}

void Prisme::createTextArea()
{
    btexo = new ClickLabel(this);
    btexo->setObjectName(QStringLiteral("btexo"));
    btexo->setGeometry(424, 290, 84, 22);
    btexo->setCursor(Qt::PointingHandCursor);

    // The box names the file the text came from; it is not for typing.
    fich = placed(new QLineEdit(this), "fich", QRect(424, 312, 361, 19));
    fich->setReadOnly(true);
    supertext = placed(new StatementEdit(this), "supertext", QRect(424, 331, 361, 214));
    supertext->setAcceptRichText(true);
    // Its documents are laid out at the window's factor: the box's own type stays as designed.
    zoom::keepFont(supertext);
}

void Prisme::createMenus()
{
    menucopie = new QMenu(this);
    menucopie->setObjectName(QStringLiteral("menucopie"));
    cop003 = menuItem(menucopie, "cop003", QStringLiteral("Copier le contenu du tableau"));
    cop002 = menuItem(menucopie, "cop002", QStringLiteral("Copier une image du tableau"));
    menuSeparator(menucopie, "sepcopie");
    cop001 = menuItem(menucopie, "cop001", QStringLiteral("Copier le schéma de l'expérience"));
}

void Prisme::createHints()
{
    m_hints = {
        {Command2, QStringLiteral("Retrouver une situation enregistrée et un tableau de valeurs")},
        {Command11,
         QStringLiteral("Pour enregistrer les paramètres actuels et le tableau de valeurs")},
        {Command4,
         QStringLiteral("Copier pour placer dans le presse-papiers l'image ou le tableau.")},
        {Command10, QStringLiteral("Configurer l'imprimante et imprimer l'image ou le tableau")},
        {Check1, QStringLiteral("Pour afficher ou cacher le tableau de valeurs")},
        {Command8, QStringLiteral("Activer la machine à calculer")},
        {Command7, QStringLiteral("Si vous rencontrez une difficulté avec cette application")},
        {Command1,
         QStringLiteral("Pour retrouver le module principal et quitter cette application")},
        {Frame1, QStringLiteral("Les paramètres d'affichage interviennent également sur l'image "
                                "copiée ou imprimée.")},
        {bench->widgets().optionsGroup,
         QStringLiteral("Les paramètres d'affichage interviennent également sur "
                        "l'image copiée ou imprimée.")},
        {bench->widgets().Image1,
         QStringLiteral("Pour affiner le réglage de la longueur d'onde, utiliser les "
                        "boutons < et >")},
        {Picture4, QStringLiteral("Pour connaître l'indice avec une autre longueur d'onde: "
                                  "déplacer le curseur de la source")},
        {Picture5, QStringLiteral("Pour connaître l'indice avec une autre longueur d'onde: "
                                  "déplacer le curseur de la source")},
        {Picture6, QStringLiteral("La longueur d'onde de la lumière émise par la source "
                                  "monochromatique varie de 400 à 800 nm")},
        {Image3[1],
         QStringLiteral("Vous pouvez choisir le demi-disque: eau, verre Flint ou Crown...")},
        {Image3[2], QStringLiteral("Vous pouvez choisir le milieu extérieur au demi-disque: air, "
                                   "eau, verre...")},
        {Image3[3], QStringLiteral("Modifier le fond, afficher le sens de propagation...")},
        {Image3[4], QStringLiteral("Vous pouvez paramétrer la source lumineuse: monochromatique ou "
                                   "polychromatique...")},
        {Image3[5], QStringLiteral("Activer le rapporteur pour mesurer\r\nun angle sur la figure")},
        {Image5, QStringLiteral("Menu tableau pour modifier le nombre de lignes, obtenir une "
                                "représentation graphique...")},
        {btexo, QStringLiteral("Ouvrir un énoncé d'exercice, enregistrer le texte, obtenir la "
                               "correction, imprimer ou fermer.")},
    };
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it) {
        auto* widget = const_cast<QWidget*>(static_cast<const QWidget*>(it.key()));
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
    dessin->setMouseTracking(true);
    setMouseTracking(true);
}
