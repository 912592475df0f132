// SPDX-License-Identifier: GPL-3.0-or-later
// The bench on the main window: the composed bench picture (the drawing `dessin` with the
// incident-ray line `Line1` and the lamp `lampe`) inside a 2-pixel sunken border. Mouse and key
// events on the lamp and on the drawing are handed on as signals, in drawing pixels. At the
// window's factor z everything is z times larger, drawn at z times the resolution, and the
// positions handed on are still in 1× drawing pixels.
#pragma once

#include "core/bench/redraw.h"

#include <QFrame>

class BenchView : public QFrame {
    Q_OBJECT
public:
    static constexpr int Border = 2;
    static constexpr int OuterSize = BenchPicture::Size + 2 * Border; // 408
    static inline const QString LampToolTip = QStringLiteral("Déplacer la lampe avec la souris");

    explicit BenchView(BenchPicture& picture, QWidget* parent = nullptr);

    // Where the lamp lies, in drawing pixels.
    QRect lampRect() const;
    BenchPicture& picture() { return m_picture; }
    // Where 1× drawing pixel p lies in the widget.
    QPoint fromDessin(QPoint p) const;

signals:
    // Positions are in drawing pixels (origin inside the border), as doubles.
    void lampMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF pos);
    void lampMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF pos);
    void lampMouseUp(Qt::MouseButton button, QPointF pos);
    void dessinMouseMove(QPointF pos);
    void lampKeyPressed(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    void lampKeyReleased(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    // The screen's pixel ratio times the window's factor is not the picture's scale (a screen
    // scaled to 150 or 200 %, the window maximized).
    void pixelRatioChanged(double ratio);

protected:
    bool event(QEvent* event) override; // the lamp's tool tip
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPointF toDessin(QPointF widgetPos) const;
    double pictureScale() const; // the screen's pixel ratio times the window's factor
    BenchPicture& m_picture;
    bool m_dragging = false; // a press began on the lamp: moves and release belong to it
};
