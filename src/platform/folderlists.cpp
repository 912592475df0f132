// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folderlists.h"

#include <QDir>
#include <QListWidget>

namespace folderlists {

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void fillFolders(QListWidget* list, const QString& path)
{
    list->clear();
    if (!QDir(path).isRoot()) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), list);
        up->setData(PathRole, QDir::cleanPath(joined(path, QStringLiteral(".."))));
    }
    const QStringList names = QDir(path).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, list);
        item->setData(PathRole, joined(path, name));
    }
}

void fillFiles(QListWidget* list, const QString& path, const QString& pattern)
{
    list->clear();
    // QDir's name filters ignore letter case.
    list->addItems(QDir(path).entryList({pattern}, QDir::Files,
                                        QDir::Name | QDir::IgnoreCase | QDir::LocaleAware));
}

} // namespace folderlists
