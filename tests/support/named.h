// SPDX-License-Identifier: GPL-3.0-or-later
// A window's control found by its object name (its historical name); the test stops when there is
// none, so that a renamed control is never taken for a missing feature.
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

template <typename T> T* named(const QObject& root, const QString& name)
{
    T* found = root.findChild<T*>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

template <typename T> T* named(const QObject* root, const QString& name)
{
    return named<T>(*root, name);
}
