// SPDX-License-Identifier: GPL-3.0-or-later
// The marker file "TEMPO.SPC" in the program's folder, that tells other programs whether the
// simulator is running.
#pragma once

#include <QString>

namespace marker {

inline constexpr auto FileName = "TEMPO.SPC";
inline constexpr int Record = 4;

// Writes "OUI" (running) or "NON" (closed) into record 4 of TEMPO.SPC, leaving the rest of the
// file as it is; a new file gets zero bytes before the record. Returns false when the file could
// not be written (callers ignore it).
bool write(const QString& state);

} // namespace marker
