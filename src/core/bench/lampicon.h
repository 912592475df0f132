// SPDX-License-Identifier: GPL-3.0-or-later
// The 32 × 32 picture of the lamp, drawn once. The bench picture paints it at the lamp's place for
// the screen, the clipboard, the printer and the command line alike.
#pragma once

#include <QImage>

const QImage& lampIcon();
// The same lantern drawn at scale k (32k × 32k pixels), for a bench picture of that scale.
QImage lampIcon(double scale);
