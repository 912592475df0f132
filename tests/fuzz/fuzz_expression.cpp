// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: the expression engine on any text, in both angle modes (fuzzbodies.h says what
// is checked).
#include "fuzzbodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzbodies::stopOnFinding(fuzzbodies::fuzzExpression(data, size));
}
