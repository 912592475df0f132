// SPDX-License-Identifier: GPL-3.0-or-later
// A window's designed layout shown larger. Maximized or in full screen, the main window lays its
// controls out at their designed places and sizes times one factor, with their texts at the
// factor times their size, so that the whole layout fills the screen in its proportions, drawn
// at the screen's resolution rather than enlarged. Factor 1 is the designed layout itself.
#pragma once

#include <QEvent>
#include <QPoint>

class QTextDocument;
class QWidget;

namespace zoom {

// Sent to every widget of the window once its factor has changed: the widgets that draw
// pictures or size parts of themselves in pixels follow it.
inline const QEvent::Type ChangeEvent = QEvent::Type(QEvent::User + 25);

// The factor of the window the widget lies in (1 until a factor is applied).
double of(const QWidget* widget);

// Lays the window's placed controls out at factor (their designed geometry, minimum and maximum
// sizes and fonts, as they were before the first factor, times it), the designed layout's
// origin at offset, then sends ChangeEvent to every widget of the window.
void apply(QWidget* window, double factor, QPoint offset = {});

// A rectangle of the designed layout at factor: its edges are rounded, so that controls that
// touch at factor 1 touch at every factor.
QRect scaled(const QRect& designed, double factor);

// Lays a text document out with its fonts and pictures factor times their size (the document
// itself, what is saved of it, is not changed); factor 1 gives back the screen's layout.
void layOutDocument(QTextDocument* document, double factor);
// A text box whose documents are laid out at the factor keeps its designed font (its documents'
// texts would otherwise grow twice).
void keepFont(QWidget* widget);

} // namespace zoom
