// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: the RTF reader on any bytes, and what it read written back (fuzzbodies.h says
// what is checked).
#include "fuzzbodies.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzbodies::stopOnFinding(fuzzbodies::fuzzRtf(data, size));
}
