// SPDX-License-Identifier: GPL-3.0-or-later
// The folder and file lists of the open and save dialogs and of the exercise window: a folder
// list holds ".." (except at the root) and the sub-folders, each item carrying its full path; a
// file list holds the files of a folder that match a pattern, whatever their letter case.
#pragma once

#include <QString>
#include <Qt>

class QListWidget;

namespace folderlists {

constexpr int PathRole = Qt::UserRole;

// The folder followed by the name, with one "/" between them.
QString joined(const QString& folder, const QString& name);
// The folder ending in "/".
QString withSeparator(const QString& folder);
// An unreadable folder lists only "..".
void fillFolders(QListWidget* list, const QString& path);
void fillFiles(QListWidget* list, const QString& path, const QString& pattern);

} // namespace folderlists
