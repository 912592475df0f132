// SPDX-License-Identifier: GPL-3.0-or-later
// A label that reports a click (press and release over it): panel titles and picture buttons.
#pragma once

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
