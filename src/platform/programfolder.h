// SPDX-License-Identifier: GPL-3.0-or-later
// The program's folder, where the help files, the getting-started file and the marker file live.
#pragma once

#include <QString>

namespace programfolder {

// The executable's folder (or the folder set for tests), always ending in "/".
QString path();
// Replaces the program's folder (tests); an empty text brings back the executable's folder.
void setPath(const QString& folder);
// A file of the program's folder: the folder, with "/" appended when it does not end in one,
// followed by the name.
QString file(const QString& name);

} // namespace programfolder
