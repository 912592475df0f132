// SPDX-License-Identifier: GPL-3.0-or-later
// The window `grapheur`: one table column drawn against another. A grey panel on the left holds
// the two column lists, the options and the scale text; Picture1 on the right shows the graph,
// which majgraf redraws after every change of a list or an option. The window covers the main
// window it is opened from.
#pragma once

#include "core/graph/graph.h"
#include "core/platform/surface.h"
#include "core/table/tablemodel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;

class grapheur : public QDialog {
    Q_OBJECT
public:
    grapheur(TableModel& table, QWidget* mainWindow);

    // The size used without a main window to cover.
    static constexpr QSize DefaultSize{690, 580};

    QComboBox* Combo1 = nullptr;   // abscissa column, "C1" … "C5"
    QComboBox* Combo2 = nullptr;   // ordinate column, "C1" … "C5"
    QCheckBox* Check1 = nullptr;   // "Lier les points"
    QCheckBox* Check2 = nullptr;   // "Afficher la grille"
    QCheckBox* Check3 = nullptr;   // "Représenter un point par une croix"
    QCheckBox* Check4 = nullptr;   // "Droite de régression"
    QCheckBox* Check5 = nullptr;   // "Passant par l'origine"
    QLabel* Picture1 = nullptr;    // shows picture()
    QLabel* Label1 = nullptr;      // the scale text
    QWidget* tito = nullptr;       // the heading "Représentation graphique"
    QToolButton* Image2 = nullptr; // "Imprimer le graphe"
    QToolButton* Image4 = nullptr; // "Copier"
    QToolButton* Image5 = nullptr; // "Fermer"

    // The drawing Picture1 shows, and what "Copier" puts on the clipboard.
    const Surface& picture() const { return m_picture; }

    // Redraws the graph from the table and the controls.
    void majgraf();
    static void uniteur(float& m) { graph::uniteur(m); }

    void grapheur_Combo1_Click();
    void grapheur_Combo2_Click();
    void grapheur_Check1_Click();
    void grapheur_Check2_Click();
    void grapheur_Check3_Click();
    void grapheur_Check4_Click();
    void grapheur_Image2_Click();
    void grapheur_Image4_Click();
    void grapheur_Image5_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load(QWidget* mainWindow);
    void placePanelFoot(); // the buttons at the foot of the panel, Label1 above them
    void fitLabel1();      // Label1's type made smaller until its text fits
    // The options the boxes say, and the graph as a page (printed and copied).
    graph::Options options() const;
    graph::Page currentPage() const;
    TableModel& m_table;
    Surface m_picture{graph::PictureSize, graph::PictureSize};
};
