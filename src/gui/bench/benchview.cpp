// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/bench/benchview.h"

#include "gui/platform/zoom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

BenchView::BenchView(BenchPicture& picture, QWidget* parent) : QFrame(parent), m_picture(picture)
{
    setObjectName(QStringLiteral("dessin"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(Border);
    setFixedSize(OuterSize, OuterSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Banc optique"));
}

QRect BenchView::lampRect() const
{
    return QRect(int(std::floor(m_picture.lampeTopLeft.x())),
                 int(std::floor(m_picture.lampeTopLeft.y())), 32, 32);
}

QPointF BenchView::toDessin(QPointF widgetPos) const
{
    const double z = zoom::of(this);
    const QPointF origin = contentsRect().topLeft();
    return z == 1 ? widgetPos - origin : (widgetPos - origin) / z;
}

QPoint BenchView::fromDessin(QPoint p) const
{
    const double z = zoom::of(this);
    const QPoint origin = contentsRect().topLeft();
    return z == 1 ? origin + p : origin + (QPointF(p) * z).toPoint();
}

double BenchView::pictureScale() const
{
    return std::clamp(devicePixelRatioF() * zoom::of(this), 1.0, 8.0);
}

void BenchView::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(contentsRect(), Qt::black);
    const double ratio = pictureScale();
    if (ratio != m_picture.scale())
        QMetaObject::invokeMethod(
            this, [this, ratio] { emit pixelRatioChanged(ratio); }, Qt::QueuedConnection);
    if (!m_picture.hidden) {
        QImage picture = m_picture.composed();
        picture.setDevicePixelRatio(m_picture.scale() / zoom::of(this));
        p.drawImage(contentsRect().topLeft(), picture);
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

bool BenchView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QRect lamp(fromDessin(lampRect().topLeft()),
                         fromDessin(lampRect().bottomRight() + QPoint(1, 1)) - QPoint(1, 1));
        if (lamp.contains(help->pos()))
            QToolTip::showText(help->globalPos(), LampToolTip, this, lamp);
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == zoom::ChangeEvent) {
        // The border grows with the rest; the picture is drawn again at the new scale at once,
        // so that what lies over it (the protractor) takes its new place too.
        setLineWidth(std::max(1, int(std::lround(Border * zoom::of(this)))));
        if (pictureScale() != m_picture.scale())
            emit pixelRatioChanged(pictureScale());
        update();
        return true;
    }
    return QFrame::event(event);
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
