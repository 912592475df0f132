// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: the configuration reader on any bytes, and what it accepts written back
// (fuzzbodies.h says what is checked).
#include "fuzzbodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzbodies::stopOnFinding(fuzzbodies::fuzzConfiguration(data, size));
}
