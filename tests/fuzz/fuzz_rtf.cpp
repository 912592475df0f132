// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader on any bytes: it must never crash or hang, and what the writer makes of the
// document it read must read back as RTF.
#include "exercises/rtfreader.h"
#include "exercises/rtfwriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    if (!rtf::read(bytes, document))
        return 0;
    const QByteArray written = rtf::write(document);
    for (char c : written) {
        if (static_cast<unsigned char>(c) >= 0x80)
            std::abort();
    }
    QTextDocument again;
    if (!rtf::read(written, again))
        std::abort();
    // The text survives a save, paragraph by paragraph.
    if (again.blockCount() != document.blockCount())
        std::abort();
    return 0;
}
