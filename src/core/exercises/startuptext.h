// SPDX-License-Identifier: GPL-3.0-or-later
// The welcome text of the rich-text box, shown at start-up and when an exercise is closed.
#pragma once

#include <QTextDocument>
#include <memory>

// The welcome text: the title "Optiphane" centred in 18 points, then the text in Arial 10 with its
// blue passages, 20 pixels from the left.
std::unique_ptr<QTextDocument> startupText();
