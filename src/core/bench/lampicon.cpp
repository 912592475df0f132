// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bench/lampicon.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace {

QImage drawLamp(double scale)
{
    const int size = int(std::ceil(32 * scale));
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
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
    }
    return img;
}

} // namespace

const QImage& lampIcon()
{
    static const QImage icon = drawLamp(1);
    return icon;
}

QImage lampIcon(double scale)
{
    return scale == 1 ? lampIcon() : drawLamp(scale);
}
