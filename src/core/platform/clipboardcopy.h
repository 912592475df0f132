// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program puts something on the system clipboard: a picture is offered as PNG and
// as the platform's own bitmap types, a text as UTF-8 plain text. Whatever was there is replaced.
#pragma once

#include <QImage>
#include <QString>

namespace clipboardcopy {

void putImage(const QImage& image);
void putText(const QString& text);

} // namespace clipboardcopy
