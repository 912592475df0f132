// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/state/module1.h"

Module1& module1()
{
    static Module1 instance;
    return instance;
}
