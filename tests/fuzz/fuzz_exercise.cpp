// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: exercise files of any bytes, their preview and the names they hold (fuzzbodies.h
// says what is checked).
#include "fuzzbodies.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzbodies::dropBrokenFilenameWarnings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzbodies::stopOnFinding(fuzzbodies::fuzzExercise(data, size));
}
