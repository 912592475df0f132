// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/folderlists.h"

#include "core/platform/files.h"

#include <QCollator>
#include <QDir>
#include <QListWidget>
#include <QRegularExpression>
#include <algorithm>

namespace folderlists {

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

namespace {

// Names as the lists show them: letter case ignored, accented letters beside plain ones.
void sortNames(QStringList& names)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), collator);
}

} // namespace

void fillFolders(QListWidget* list, const QString& path)
{
    list->clear();
    if (!QDir(path).isRoot()) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), list);
        up->setData(PathRole, QDir::cleanPath(joined(path, QStringLiteral(".."))));
    }
    QStringList names = files::entries(path, files::Entries::Folders);
    sortNames(names);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, list);
        item->setData(PathRole, joined(path, name));
    }
}

void fillFiles(QListWidget* list, const QString& path, const QString& pattern)
{
    list->clear();
    const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(pattern),
                                   QRegularExpression::CaseInsensitiveOption);
    QStringList names = files::entries(path, files::Entries::Files).filter(match);
    sortNames(names);
    list->addItems(names);
}

} // namespace folderlists
