// SPDX-License-Identifier: GPL-3.0-or-later
// The main window for the keyboard and for assistive technology: the names of the controls that
// have no caption of their own, one Tab order through the whole window, and the focus following
// the panels as they open and close.
#include "gui/app/prisme.h"

#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/protractor/protractorcontrols.h"
#include "gui/table/tablecontrols.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QWindow>

namespace {

// The controls of a panel that Tab reaches, in their creation order.
QList<QWidget*> tabStops(QWidget* panel)
{
    QList<QWidget*> stops;
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (w->focusPolicy() & Qt::TabFocus)
            stops << w;
    }
    return stops;
}

} // namespace

void Prisme::createKeyboardAccess()
{
    const QString icons[6] = {{},
                              QStringLiteral("Le demi-disque : choisir le matériau"),
                              QStringLiteral("Milieu extérieur : choisir le matériau"),
                              QStringLiteral("Options d'affichage"),
                              QStringLiteral("Source lumineuse : la régler"),
                              QStringLiteral("Rapporteur : mesurer un angle")};
    for (int i = 1; i <= 5; ++i)
        Image3[std::size_t(i)]->setAccessibleName(icons[i]);
    for (ClickLabel* title : {Label19, Label32, Label23, Label2, Label25, Label3})
        title->setAccessibleName(QStringLiteral("Fermer le panneau « ") + title->text().trimmed() +
                                 QStringLiteral(" »"));
    Image4->setAccessibleName(QStringLiteral("Fermer le rapporteur"));
    Image5->setAccessibleName(QStringLiteral("Menu du tableau"));
    btexo->setAccessibleName(QStringLiteral("Menu des exercices"));
    fich->setAccessibleName(QStringLiteral("Fichier du texte"));
    supertext->setAccessibleName(QStringLiteral("Texte : accueil ou énoncé d'exercice"));
    tableControls->widgets().MSFlexGrid1->setAccessibleName(QStringLiteral("Tableau de valeurs"));
    protractor->Label10->setAccessibleName(QString());

    // F11: the whole window on the screen, the layout at the largest factor that fits, and back.
    auto* fullScreen = new QAction(QStringLiteral("Plein écran"), this);
    fullScreen->setObjectName(QStringLiteral("pleinEcran"));
    fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen->setShortcutContext(Qt::WindowShortcut);
    addAction(fullScreen);
    connect(fullScreen, &QAction::triggered, this, &Prisme::toggleFullScreen);

    // Tab: the command row, the bench, the protractor's handles, each panel after the icon that
    // opens it, the table, the exercises and the text.
    QList<QWidget*> order = {Command2,
                             Command11,
                             Command4,
                             Command10,
                             Check1,
                             Command8,
                             Command9,
                             Command7,
                             Command1,
                             dessin,
                             protractor->Imagecroix,
                             protractor->Imaged,
                             protractor->Imageboule};
    const std::pair<int, QWidget*> panels[] = {
        {1, Picture4}, {2, Picture5}, {4, Picture6}, {3, Frame1}, {5, Picture2}};
    for (const auto& [icon, panel] : panels) {
        order << Image3[std::size_t(icon)];
        order << tabStops(panel);
    }
    order << Label3 << Image5 << tableControls->widgets().MSFlexGrid1 << btexo << fich << supertext;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    m_panelKeys = {
        {Picture4, {Image3[1], bench->widgets().Combo1}},
        {Picture5, {Image3[2], bench->widgets().Combo2}},
        {Frame1, {Image3[3], bench->widgets().Option3}},
        {Picture6, {Image3[4], bench->widgets().Option1}},
        {Picture2, {Image3[5], nullptr}},
        {protractor->picturap, {Image3[5], protractor->Imagecroix}},
        {Frame4, {Check1, nullptr}}, // Check1 stays, to hide it again
    };
    for (auto it = m_panelKeys.cbegin(); it != m_panelKeys.cend(); ++it)
        const_cast<QObject*>(it.key())->installEventFilter(this);
    supertext->installEventFilter(this); // Ctrl+Tab out of an answer being typed

    // A dialog of this window closed with the keyboard in it: the window takes the keyboard back,
    // on its control that had the focus, even where no window manager hands it back.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
        QWindow* own = windowHandle();
        if (!now || now == own || now->transientParent() != own || now == m_dialogWindow)
            return;
        m_dialogWindow = now;
        disconnect(now, &QWindow::visibleChanged, this, nullptr); // a dialog shown again
        connect(now, &QWindow::visibleChanged, this, [this, now](bool visible) {
            if (visible || m_dialogWindow != now)
                return;
            m_dialogWindow.clear();
            const QWindow* focus = QGuiApplication::focusWindow();
            if (focus && focus != now)
                return; // another window has the keyboard already
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const QWindow* focus = QGuiApplication::focusWindow();
                    if (isVisible() && (!focus || !focus->isVisible()))
                        activateWindow();
                },
                Qt::QueuedConnection);
        });
    });
}

void Prisme::updateCoveredControls()
{
    // What lies under a shown panel is out of Tab's way: an icon under its panel or under the
    // table, and the three panels under the table (all out of the pointer's reach too).
    const bool table = !Frame4->isHidden();
    const std::pair<int, QWidget*> icons[] = {
        {1, Picture4}, {2, Picture5}, {3, Frame1}, {4, Picture6}, {5, Picture2}};
    for (const auto& [icon, panel] : icons) {
        const bool underTable = icon != 3 && icon != 5 && table;
        Image3[std::size_t(icon)]->setFocusPolicy(panel->isHidden() && !underTable ? Qt::TabFocus
                                                                                   : Qt::NoFocus);
    }
    for (QWidget* panel : {Picture4, Picture5, Picture6})
        panel->setEnabled(!table);
}

void Prisme::panelShownOrHidden(QObject* watched, bool shown)
{
    const auto it = m_panelKeys.constFind(watched);
    if (it == m_panelKeys.constEnd())
        return;
    auto* panel = static_cast<QWidget*>(watched);
    // Only the panel's own showing and hiding, not the window's.
    if (panel->isHidden() == shown)
        return;
    const PanelKeys keys = it.value();
    if (shown) {
        updateCoveredControls();
        // Opened from the keyboard: the focus goes to its first control.
        if (keys.firstControl && keys.opener->hasFocus())
            keys.firstControl->setFocus(Qt::TabFocusReason);
        return;
    }
    // Closed while the focus was in it: the focus goes back to what opened it.
    const bool hadFocus = panel->isAncestorOf(QApplication::focusWidget());
    updateCoveredControls();
    if (hadFocus)
        keys.opener->setFocus(Qt::OtherFocusReason);
}
