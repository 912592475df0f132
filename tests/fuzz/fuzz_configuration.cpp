// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration reader on any bytes: it must return a configuration or an error, never crash,
// and a configuration it accepts must write back to the same records.
#include "config/configuration.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList names{QStringLiteral("Air"), QStringLiteral("Eau"),
                                   QStringLiteral("Verre Crown"), QStringLiteral("Verre Flint"),
                                   QStringLiteral("Autre")};
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const config::ReadResult read = config::parse(bytes, names);
    if (read.configuration) {
        const std::optional<QByteArray> again = config::fileBytes(*read.configuration);
        if (!again)
            std::abort();
        const config::ReadResult second = config::parse(*again, names);
        if (!second.configuration ||
            config::records(*second.configuration) != config::records(*read.configuration))
            std::abort();
    }
    return 0;
}
