// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: record files of any bytes, read, then written to and read back (fuzzbodies.h
// says what is checked).
#include "fuzzbodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzbodies::stopOnFinding(fuzzbodies::fuzzRecordFile(data, size));
}
