// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

QString installedFolder(const QString& executableFolder)
{
    const QDir bin(executableFolder);
    if (bin.dirName() != QLatin1String("bin"))
        return {};
    const QString shared =
        QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/optiphane")));
    return QFileInfo(shared).isDir() ? shared : QString();
}

QString path()
{
    if (!overridden().isEmpty())
        return withSeparator(overridden());
    // Installed, the files live apart from the executable; in the build, beside it.
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString installed = installedFolder(executableFolder);
    return withSeparator(installed.isEmpty() ? executableFolder : installed);
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
