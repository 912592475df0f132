// SPDX-License-Identifier: GPL-3.0-or-later
// A picture that only decorates (what it shows is said elsewhere): assistive technology sees it
// as white space with no name, which screen readers pass over, rather than as an image to read.
#pragma once

class QWidget;

namespace accessibility {

void markDecorative(QWidget* picture);
bool isDecorative(const QWidget* widget);

} // namespace accessibility
