// SPDX-License-Identifier: GPL-3.0-or-later
// The program's folder, where the help files, the getting-started file and the marker file live.
#pragma once

#include <QString>

namespace programfolder {

// The program's folder, always ending in "/": "share/optiphane" beside the "bin" folder of an
// installed executable, else the executable's own folder (or the folder set for tests).
QString path();
// The installed folder for an executable in executableFolder, or "" when it is not installed.
QString installedFolder(const QString& executableFolder);
// Replaces the program's folder (tests); an empty text brings back the executable's folder.
void setPath(const QString& folder);
// A file of the program's folder: the folder, with "/" appended when it does not end in one,
// followed by the name.
QString file(const QString& name);

} // namespace programfolder
