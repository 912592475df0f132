// SPDX-License-Identifier: GPL-3.0-or-later
// The one program-wide state object: the bench record and the fields shared between windows.
#pragma once

#include "bench/benchstate.h"

#include <QString>

struct Module1 {
    BenchState bench;
    QString currentConfigPath;
    // The calculator's memory register: lives for the whole program.
    double memoryValue = 0.0;
};

// The program's instance.
Module1& module1();
