// SPDX-License-Identifier: GPL-3.0-or-later
// The one program-wide state object: the fields shared between windows. The bench record lives
// with the rest of the experiment (experiment/experiment.h).
// Every layer may read it; it depends on nothing but the platform stand-ins.
#pragma once

#include <QString>
#include <cstdint>

// The protractor's orientation and its measuring line, single-precision radians, and where the
// pointer last lay on its moving cross (pixels from the cross's corner).
struct ProtractorState {
    float protractorAngle = 0.0f;
    float lineAngle = 0.0f;
    std::int16_t crossGrabX = 0;
    std::int16_t crossGrabY = 0;
};

struct Module1 {
    ProtractorState protractor;
    QString currentConfigPath;
    // The calculator's memory register: lives for the whole program.
    double memoryValue = 0.0;
};

// The program's instance.
Module1& module1();
