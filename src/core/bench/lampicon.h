// SPDX-License-Identifier: GPL-3.0-or-later
// The 32 × 32 picture of the lamp, drawn once. The bench picture paints it at the lamp's place for
// the screen, the clipboard, the printer and the command line alike.
#pragma once

#include <QImage>

const QImage& lampIcon();
