// SPDX-License-Identifier: GPL-3.0-or-later
// The marker file "TEMPO.SPC", that tells other programs whether the simulator is running: in the
// program's folder, unless the program runs from a system folder (then in the user's own).
#pragma once

#include <QString>

namespace marker {

inline constexpr auto FileName = "TEMPO.SPC";
inline constexpr int Record = 4;

// The folder of the marker for a program's folder: that folder itself when the user owns it; for
// a system folder (under /usr/ or /opt/, an installed PREFIX/share/optiphane, or one the user
// cannot write) the user's runtime folder
// (runtime + "/optiphane"), else the state folder (state + "/optiphane"); "" when there is none
// (the marker is then not written). Installed programs never write into their own folders.
QString folderFor(const QString& programFolder, bool writable, const QString& runtime,
                  const QString& state);
// TEMPO.SPC's path for this run, or "".
QString path();

// Writes "OUI" (running) or "NON" (closed) into record 4 of TEMPO.SPC, leaving the rest of the
// file as it is; a new file gets zero bytes before the record. Returns false when the file could
// not be written (callers ignore it).
bool write(const QString& state);

} // namespace marker
