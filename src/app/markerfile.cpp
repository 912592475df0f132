// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/markerfile.h"

#include "config/recordfile.h"
#include "platform/programfolder.h"

namespace marker {

bool write(const QString& state)
{
    return writeRecord(programfolder::file(QLatin1String(FileName)), Record, state);
}

} // namespace marker
