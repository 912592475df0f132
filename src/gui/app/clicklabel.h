// SPDX-License-Identifier: GPL-3.0-or-later
// A label that reports a click (press and release over it): panel titles and picture buttons.
// It is a button for the keyboard too: Tab reaches it (a click does not take the focus, so the
// mouse sees no frame), a frame shows the focus, and Space, Enter or Return click it.
#pragma once

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_pressed = false;
};
