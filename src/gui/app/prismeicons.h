// SPDX-License-Identifier: GPL-3.0-or-later
// The small pictures of the main window, drawn here rather than stored: the five panel icons, the
// window icon, the table-menu and close pictures, and the exercise tab.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace prismeicons {

inline constexpr int PanelIconSize = 32;

// Panel icons with a transparent background: 1 half-disc, 2 outer medium, 3 display options,
// 4 light source, 5 protractor.
QPixmap panelIcon(int index);
QIcon windowIcon();
// The table's menu picture (Image5) and the protractor panel's close picture (Image4).
QPixmap tableMenuIcon();
QPixmap closeIcon();
// The "Exercices" tab that opens the exercise menu (btexo).
QPixmap exerciseTab(const QFont& font);

} // namespace prismeicons
