// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' controls stand at designed places, in pixels, under their historical names; the
// pop-up menus' items too keep their names.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRect>
#include <QString>

template <typename W> W* placed(W* widget, const char* name, const QRect& rect)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

inline QLabel* placedLabel(QWidget* parent, const char* name, const QString& text,
                           const QRect& rect)
{
    return placed(new QLabel(text, parent), name, rect);
}

// A pop-up menu's item under its historical name, disabled until its command is connected; a
// separator under its name.
inline QAction* menuItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(false);
    return action;
}
inline void menuSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}
