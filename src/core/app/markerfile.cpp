// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/markerfile.h"

#include "core/config/recordfile.h"
#include "core/platform/programfolder.h"

namespace marker {

bool write(const QString& state)
{
    return writeRecord(programfolder::file(QLatin1String(FileName)), Record, state);
}

} // namespace marker
