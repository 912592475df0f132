// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

BenchView::BenchView(BenchPicture& picture, QWidget* parent) : QFrame(parent), m_picture(picture)
{
    setObjectName(QStringLiteral("dessin"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(Border);
    setFixedSize(OuterSize, OuterSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QImage& BenchView::lampIcon()
{
    static const QImage icon = [] {
        QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // A small lantern: a glowing bulb in a dark casing with a slot of light.
        QRadialGradient glow(QPointF(16, 14), 12);
        glow.setColorAt(0, QColor(255, 255, 220));
        glow.setColorAt(0.6, QColor(255, 220, 60));
        glow.setColorAt(1, QColor(230, 150, 0));
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(glow);
        p.drawEllipse(QPointF(16, 14), 10, 10);
        p.setBrush(QColor(110, 110, 120));
        p.drawRoundedRect(QRectF(10.5, 23, 11, 6), 1.5, 1.5);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(11, 26), QPointF(21, 26));
        return img;
    }();
    return icon;
}

QRect BenchView::lampRect() const
{
    return QRect(int(std::floor(m_picture.lampeTopLeft.x())),
                 int(std::floor(m_picture.lampeTopLeft.y())), 32, 32);
}

QPointF BenchView::toDessin(QPointF widgetPos) const
{
    return widgetPos - QPointF(Border, Border);
}

void BenchView::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(contentsRect(), Qt::black);
    if (!m_picture.hidden) {
        p.drawImage(Border, Border, m_picture.dessin.image());
        p.save();
        p.setClipRect(contentsRect());
        p.translate(Border, Border);
        const auto& l = m_picture.line1;
        p.setPen(QPen(QColor::fromRgb(toPixel(l.colour)), 1));
        p.drawLine(QPointF(l.x1 + 0.5, l.y1 + 0.5), QPointF(l.x2 + 0.5, l.y2 + 0.5));
        p.drawImage(m_picture.lampeTopLeft, lampIcon());
        p.restore();
    }
    p.end();
    QFrame::paintEvent(event);
    if (hasFocus()) {
        // The arrow keys turn the lamp while the bench has the focus: show it on the border.
        QPainter f(this);
        f.setPen(QPen(palette().color(QPalette::Highlight), 1));
        f.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void BenchView::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void BenchView::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}

void BenchView::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = toDessin(event->position());
    if (lampRect().contains(pos.toPoint())) {
        m_dragging = true;
        emit lampMouseDown(event->buttons(), event->modifiers(), pos);
    }
    QFrame::mousePressEvent(event);
}

void BenchView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = toDessin(event->position());
    if (m_dragging || lampRect().contains(pos.toPoint()))
        emit lampMouseMove(event->buttons(), event->modifiers(), pos);
    else
        emit dessinMouseMove(pos);
}

void BenchView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = toDessin(event->position());
    if (m_dragging) {
        if (event->buttons() == Qt::NoButton)
            m_dragging = false;
        emit lampMouseUp(event->button(), pos);
    }
}

void BenchView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        emit lampKeyPressed(event->key(), event->modifiers(), event->isAutoRepeat());
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void BenchView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        emit lampKeyReleased(event->key(), event->modifiers(), event->isAutoRepeat());
        event->accept();
        return;
    }
    QFrame::keyReleaseEvent(event);
}
