// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' controls stand at designed places, in pixels, under their historical names.
#pragma once

#include <QLabel>
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
