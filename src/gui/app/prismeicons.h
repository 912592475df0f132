// SPDX-License-Identifier: GPL-3.0-or-later
// The small pictures of the main window, drawn here rather than stored: the five panel icons, the
// window icon, the table-menu and close pictures, and the exercise tab.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace prismeicons {

inline constexpr int PanelIconSize = 32;

// Each picture is drawn at scale image pixels per 1× pixel (the screen's pixel ratio times the
// window's factor).
// Panel icons with a transparent background: 1 half-disc, 2 outer medium, 3 display options,
// 4 light source, 5 protractor.
QPixmap panelIcon(int index, double scale = 1);
QIcon windowIcon();
// The table's menu picture (Image5) and the protractor panel's close picture (Image4).
QPixmap tableMenuIcon(double scale = 1);
QPixmap closeIcon(double scale = 1);
// The "Exercices" tab that opens the exercise menu (btexo).
QPixmap exerciseTab(const QFont& font, double scale = 1);

} // namespace prismeicons
