// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/prismeicons.h"

#include "core/bench/redraw.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace prismeicons {

namespace {
// A transparent picture of w × h 1× pixels, scale image pixels each.
QImage blank(int w, int h, double scale)
{
    QImage img(int(std::lround(w * scale)), int(std::lround(h * scale)),
               QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void scaled(QPainter& p, double scale)
{
    if (scale != 1)
        p.scale(scale, scale);
}

const QColor Navy(0, 0, 128);

// The half-disc of the bench, flat face vertical on the left.
void drawHalfDisc(QPainter& p, QPointF centre, double r, const QColor& fill)
{
    QPainterPath path;
    path.moveTo(centre + QPointF(0, -r));
    path.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 90, -180);
    path.closeSubpath();
    p.setBrush(fill);
    p.drawPath(path);
}

void drawIcon1(QPainter& p)
{
    QLinearGradient glass(6, 4, 28, 28);
    glass.setColorAt(0, QColor(225, 245, 255));
    glass.setColorAt(1, QColor(120, 180, 230));
    p.setPen(QPen(Navy, 1.5));
    drawHalfDisc(p, QPointF(9.5, 16), 13.5, QColor(160, 205, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    QPainterPath shine;
    shine.addEllipse(QRectF(12, 7, 6, 10));
    p.drawPath(shine);
    p.setPen(QPen(QColor(220, 30, 30), 1.5));
    p.drawLine(QPointF(1, 27), QPointF(9.5, 16));
}

void drawIcon2(QPainter& p)
{
    // The medium around the half-disc: water waves in a rounded box.
    p.setPen(QPen(QColor(0, 90, 140), 1));
    p.setBrush(QColor(175, 225, 245));
    p.drawRoundedRect(QRectF(1.5, 3.5, 29, 25), 4, 4);
    p.setPen(QPen(QColor(40, 130, 200), 1.2));
    p.setBrush(Qt::NoBrush);
    for (int row = 0; row < 3; ++row) {
        QPainterPath wave;
        const double y = 9 + row * 7;
        wave.moveTo(4, y);
        for (int k = 0; k < 4; ++k)
            wave.quadTo(QPointF(4 + k * 6 + 3, y + (k % 2 ? 2.5 : -2.5)),
                        QPointF(4 + (k + 1) * 6, y));
        p.drawPath(wave);
    }
    p.setPen(QPen(Navy, 1.2));
    drawHalfDisc(p, QPointF(14, 16), 7, QColor(255, 255, 255, 220));
}

void drawIcon3(QPainter& p)
{
    // A small settings card: two option buttons and a ticked box.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(245, 245, 235));
    p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 3, 3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 9), 3.5, 3.5);
    p.drawEllipse(QPointF(8, 17), 3.5, 3.5);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8, 9), 1.6, 1.6);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 21.5, 7, 6));
    p.setPen(QPen(QColor(0, 120, 0), 1.6));
    p.drawPolyline(QPolygonF({QPointF(5.5, 24.5), QPointF(7.5, 26.5), QPointF(11.5, 21)}));
    p.setPen(QPen(QColor(110, 110, 110), 1.5));
    for (int y : {9, 17, 25})
        p.drawLine(QPointF(14, y), QPointF(26, y));
}

void drawIcon4(QPainter& p)
{
    // A lamp sending out rays.
    p.setPen(QPen(QColor(230, 150, 0), 1.5));
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4 + M_PI / 8;
        p.drawLine(QPointF(16 + 10 * std::cos(a), 13 + 10 * std::sin(a)),
                   QPointF(16 + 14.5 * std::cos(a), 13 + 14.5 * std::sin(a)));
    }
    QRadialGradient glow(QPointF(14, 11), 9);
    glow.setColorAt(0, QColor(255, 255, 230));
    glow.setColorAt(1, QColor(255, 200, 30));
    p.setPen(QPen(QColor(120, 80, 0), 1));
    p.setBrush(glow);
    p.drawEllipse(QPointF(16, 13), 7.5, 7.5);
    p.setBrush(QColor(120, 120, 130));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawRect(QRectF(12.5, 20.5, 7, 5));
}

void drawIcon5(QPainter& p)
{
    // A protractor: half circle on its base, graduations and the cyan measuring line.
    const QPointF c(16, 24);
    const double r = 14;
    QPainterPath half;
    half.moveTo(c + QPointF(r, 0));
    half.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 180);
    half.closeSubpath();
    p.setPen(QPen(QColor(90, 70, 0), 1));
    p.setBrush(QColor(255, 245, 170, 230));
    p.drawPath(half);
    for (int k = 1; k < 18; ++k) {
        const double a = k * M_PI / 18;
        const double inner = (k % 3 == 0) ? r - 5 : r - 3;
        p.drawLine(QPointF(c.x() + inner * std::cos(a), c.y() - inner * std::sin(a)),
                   QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a)));
    }
    p.setPen(QPen(QColor(0, 170, 200), 1.6));
    p.drawLine(c, QPointF(c.x() + 12 * std::cos(1.0), c.y() - 12 * std::sin(1.0)));
    p.setBrush(QColor(0, 200, 230));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(c.x() + 12 * std::cos(1.0), c.y() - 12 * std::sin(1.0)), 2, 2);
}
} // namespace

QPixmap panelIcon(int index, double scale)
{
    QImage img = blank(PanelIconSize, PanelIconSize, scale);
    QPainter p(&img);
    scaled(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 1:
        drawIcon1(p);
        break;
    case 2:
        drawIcon2(p);
        break;
    case 3:
        drawIcon3(p);
        break;
    case 4:
        drawIcon4(p);
        break;
    case 5:
        drawIcon5(p);
        break;
    default:
        break;
    }
    p.end();
    return QPixmap::fromImage(img);
}

QIcon windowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QImage img = blank(size, size, 1);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 40));
        p.drawRoundedRect(QRectF(0, 0, 32, 32), 5, 5);
        p.setPen(QPen(QColor(200, 230, 255), 1.2));
        drawHalfDisc(p, QPointF(14, 16), 11, QColor(110, 170, 230));
        // The incident ray, the reflected ray and the refracted fan.
        p.setPen(QPen(Qt::white, 1.6));
        p.drawLine(QPointF(2, 26), QPointF(14, 16));
        p.setPen(QPen(QColor(255, 255, 255, 150), 1));
        p.drawLine(QPointF(14, 16), QPointF(2, 6));
        const QColor fan[] = {QColor(150, 60, 255), QColor(0, 200, 255), QColor(0, 230, 0),
                              QColor(255, 230, 0), QColor(255, 40, 0)};
        for (int k = 0; k < 5; ++k) {
            p.setPen(QPen(fan[k], 1.3));
            p.drawLine(QPointF(14, 16), QPointF(31, 6.5 - k * 0.9 + k * 0.2));
        }
        p.end();
        icon.addPixmap(QPixmap::fromImage(img));
    }
    return icon;
}

QPixmap tableMenuIcon(double scale)
{
    QImage img = blank(18, 16, scale);
    QPainter p(&img);
    scaled(p, scale);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(0, 0, 17, 15);
    p.setPen(QPen(Navy, 2));
    for (int y : {4, 8, 12})
        p.drawLine(4, y, 14, y);
    p.end();
    return QPixmap::fromImage(img);
}

QPixmap closeIcon(double scale)
{
    QImage img = blank(16, 16, scale);
    QPainter p(&img);
    scaled(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(212, 208, 200));
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
    p.end();
    return QPixmap::fromImage(img);
}

QPixmap exerciseTab(const QFont& font, double scale)
{
    QImage img = blank(84, 22, scale);
    QPainter p(&img);
    scaled(p, scale);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tab;
    tab.moveTo(0.5, 22);
    tab.lineTo(0.5, 6);
    tab.quadTo(0.5, 0.5, 6, 0.5);
    tab.lineTo(78, 0.5);
    tab.quadTo(83.5, 0.5, 83.5, 6);
    tab.lineTo(83.5, 22);
    QLinearGradient fill(0, 0, 0, 22);
    fill.setColorAt(0, QColor(255, 255, 235));
    fill.setColorAt(1, QColor(240, 225, 160));
    p.setPen(QPen(QColor(100, 80, 30), 1));
    p.setBrush(fill);
    p.drawPath(tab);
    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(0, 1, 84, 21), Qt::AlignCenter, QStringLiteral("Exercices"));
    p.end();
    return QPixmap::fromImage(img);
}

} // namespace prismeicons
