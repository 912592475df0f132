// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: the number reader and writers on any text, value and pattern (fuzzbodies.h says
// what is checked).
#include "fuzzbodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzbodies::stopOnFinding(fuzzbodies::fuzzNumtext(data, size));
}
