// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/programfolder.h"

#include <QCoreApplication>

namespace programfolder {

namespace {

QString& overridden()
{
    static QString folder;
    return folder;
}

QString withSeparator(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString path()
{
    if (!overridden().isEmpty())
        return withSeparator(overridden());
    return withSeparator(QCoreApplication::applicationDirPath());
}

void setPath(const QString& folder)
{
    overridden() = folder;
}

QString file(const QString& name)
{
    return path() + name;
}

} // namespace programfolder
