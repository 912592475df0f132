// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <cmath>

namespace {

// Rounds a coordinate to the nearest pixel, halves to the even pixel (the default rounding mode).
inline int pixel(double v)
{
    if (!(std::fabs(v) < 1e9))
        return v > 0 ? 1000000000 : -1000000000;
    return int(std::nearbyint(v));
}

// Dashed and dotted cosmetic lines: 18 pixels on and 6 off, or 3 on and 3 off.
inline bool patternOn(DrawStyle style, int step)
{
    switch (style) {
    case DrawStyle::Dash: return step % 24 < 18;
    case DrawStyle::Dot: return step % 6 < 3;
    case DrawStyle::Solid: break;
    }
    return true;
}

// Calls put(dx, dy) for every pixel offset of a circle of radius r (midpoint circle, eight
// symmetric octants).
template <typename Put>
void forEachCirclePoint(int r, Put put)
{
    int x = r, y = 0, err = 1 - r;
    while (x >= y) {
        put(x, y);
        put(y, x);
        put(-y, x);
        put(-x, y);
        put(-x, -y);
        put(-y, -x);
        put(y, -x);
        put(x, -y);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

// Integer stepping from (x, y) up to, not including, (xe, ye), calling plot for every pixel on a
// w × h surface that the line style draws.
template <typename Plot>
void stepLine(int x, int y, int xe, int ye, int w, int h, DrawStyle style, Plot plot)
{
    const int dx = std::abs(xe - x), dy = -std::abs(ye - y);
    const int sx = x < xe ? 1 : -1, sy = y < ye ? 1 : -1;
    int err = dx + dy;
    for (int step = 0; x != xe || y != ye; ++step) {
        if (unsigned(x) >= unsigned(w) || unsigned(y) >= unsigned(h)) {
            // Once outside and moving away, the segment never comes back onto the surface.
            if ((x < 0 && sx < 0) || (x >= w && sx > 0) || (y < 0 && sy < 0) || (y >= h && sy > 0))
                return;
        } else if (style == DrawStyle::Solid || patternOn(style, step)) {
            plot(x, y);
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace

VbColour paletteColour(int index)
{
    static constexpr VbColour table[16] = {
        rgbColour(0, 0, 0),       rgbColour(0, 0, 128),     rgbColour(0, 128, 0),
        rgbColour(0, 128, 128),   rgbColour(128, 0, 0),     rgbColour(128, 0, 128),
        rgbColour(128, 128, 0),   rgbColour(192, 192, 192), rgbColour(128, 128, 128),
        rgbColour(0, 0, 255),     rgbColour(0, 255, 0),     rgbColour(0, 255, 255),
        rgbColour(255, 0, 0),     rgbColour(255, 0, 255),   rgbColour(255, 255, 0),
        rgbColour(255, 255, 255)};
    return table[index & 15];
}

Surface::Surface(int width, int height)
{
    resize(width, height);
    m_font.setFamily(QStringLiteral("MS Sans Serif"));
    m_font.setPixelSize(13);
}

void Surface::resize(int width, int height)
{
    m_image = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    m_image.fill(toPixel(m_backColour));
}

void Surface::cls()
{
    if (!m_picture.isNull() && m_picture.size() == m_image.size()
        && m_picture.format() == m_image.format()) {
        // A plain copy of the bytes: the rays are drawn on a fresh copy of the picture.
        std::memcpy(m_image.bits(), m_picture.constBits(), size_t(m_image.sizeInBytes()));
    } else {
        m_image.fill(toPixel(m_backColour));
        if (!m_picture.isNull()) {
            QPainter p(&m_image);
            p.drawImage(0, 0, m_picture);
        }
    }
    currentX = 0;
    currentY = 0;
}

void Surface::plotUnchecked(int x, int y, QRgb pixel)
{
    QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
    switch (drawMode) {
    case DrawMode::Black: row[x] = 0xff000000u; break;
    case DrawMode::MergePen: row[x] |= pixel; break;
    case DrawMode::CopyPen: row[x] = pixel; break;
    }
}

void Surface::line(double x1, double y1, double x2, double y2, VbColour colour)
{
    const int xs = pixel(x1), ys = pixel(y1), xe = pixel(x2), ye = pixel(y2);
    const int w = m_image.width(), h = m_image.height();
    // Skip a segment lying wholly outside the surface.
    if ((xs < 0 && xe < 0) || (ys < 0 && ye < 0) || (xs >= w && xe >= w) || (ys >= h && ye >= h))
        return;
    const QRgb pen = toPixel(colour);
    uchar* const base = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    auto at = [base, stride](int x, int y) -> QRgb& {
        return reinterpret_cast<QRgb*>(base + y * stride)[x];
    };
    // One specialised loop per drawing mode: white light draws hundreds of these segments.
    const DrawStyle style = drawStyle;
    switch (drawMode) {
    case DrawMode::Black:
        stepLine(xs, ys, xe, ye, w, h, style, [&](int x, int y) { at(x, y) = 0xff000000u; });
        break;
    case DrawMode::MergePen:
        stepLine(xs, ys, xe, ye, w, h, style, [&](int x, int y) { at(x, y) |= pen; });
        break;
    case DrawMode::CopyPen:
        stepLine(xs, ys, xe, ye, w, h, style, [&](int x, int y) { at(x, y) = pen; });
        break;
    }
}

void Surface::hatchBox(int x1, int y1, int x2, int y2, VbColour colour)
{
    // Upward diagonal hatch, aligned to the image origin like Qt's BDiagPattern.
    const QRgb pen = toPixel(colour);
    for (int y = std::max(y1, 0); y <= std::min(y2, height() - 1); ++y)
        for (int x = std::max(x1, 0); x <= std::min(x2, width() - 1); ++x)
            if ((x + y) % 8 == 7)
                plotUnchecked(x, y, pen);
}

void Surface::box(double x1, double y1, double x2, double y2, VbColour colour)
{
    int l = pixel(x1), t = pixel(y1), r = pixel(x2), b = pixel(y2);
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (fillStyle == FillStyle::Solid)
        filledBox(l + 1, t + 1, r - 1, b - 1, fillColour);
    else if (fillStyle == FillStyle::UpwardDiagonal)
        hatchBox(l + 1, t + 1, r - 1, b - 1, fillColour);
    line(l, t, r, t, colour);
    line(r, t, r, b, colour);
    line(r, b, l, b, colour);
    line(l, b, l, t, colour);
}

void Surface::filledBox(double x1, double y1, double x2, double y2, VbColour colour)
{
    int l = pixel(x1), t = pixel(y1), r = pixel(x2), b = pixel(y2);
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    l = std::max(l, 0);
    t = std::max(t, 0);
    r = std::min(r, width() - 1);
    b = std::min(b, height() - 1);
    const QRgb pen = toPixel(colour);
    if (l > r)
        return;
    for (int y = t; y <= b; ++y) {
        if (drawMode == DrawMode::CopyPen) {
            QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(row + l, row + r + 1, pen);
        } else {
            for (int x = l; x <= r; ++x)
                plotUnchecked(x, y, pen);
        }
    }
}

void Surface::fillSpans(int cx, int cy, double radius, VbColour colour)
{
    const QRgb pen = toPixel(colour);
    const int r = pixel(radius);
    for (int dy = -r; dy <= r; ++dy) {
        const int half = int(std::floor(std::sqrt(double(r) * r - double(dy) * dy)));
        const int y = cy + dy;
        if (unsigned(y) >= unsigned(height()))
            continue;
        for (int x = std::max(cx - half, 0); x <= std::min(cx + half, width() - 1); ++x)
            plotUnchecked(x, y, pen);
    }
}

void Surface::circle(double cx, double cy, double radius, VbColour colour)
{
    const int x0 = pixel(cx), y0 = pixel(cy), r = pixel(radius);
    if (r < 0)
        return;
    if (fillStyle == FillStyle::Solid)
        fillSpans(x0, y0, radius, fillColour);
    const QRgb pen = toPixel(colour);
    forEachCirclePoint(r, [&](int dx, int dy) {
        const int x = x0 + dx, y = y0 + dy;
        if (unsigned(x) < unsigned(width()) && unsigned(y) < unsigned(height()))
            plotUnchecked(x, y, pen);
    });
}

void Surface::arc(double cx, double cy, double radius, double start, double end, VbColour colour)
{
    const double twoPi = 2 * M_PI;
    auto wrap = [&](double a) {
        a = std::fmod(a, twoPi);
        return a < 0 ? a + twoPi : a;
    };
    start = wrap(start);
    end = wrap(end);
    const QRgb pen = toPixel(colour);
    const int x0 = pixel(cx), y0 = pixel(cy), r = pixel(radius);
    auto inside = [&](int dx, int dy) {
        const double a = wrap(std::atan2(double(-dy), double(dx))); // anticlockwise on screen
        return start <= end ? (a >= start && a <= end) : (a >= start || a <= end);
    };
    forEachCirclePoint(r, [&](int dx, int dy) {
        const int x = x0 + dx, y = y0 + dy;
        if (inside(dx, dy) && unsigned(x) < unsigned(width()) && unsigned(y) < unsigned(height()))
            plotUnchecked(x, y, pen);
    });
}

void Surface::pset(double x, double y, VbColour colour)
{
    const int px = pixel(x), py = pixel(y);
    if (unsigned(px) < unsigned(width()) && unsigned(py) < unsigned(height()))
        plotUnchecked(px, py, toPixel(colour));
}

std::int64_t Surface::point(double x, double y) const
{
    const int px = pixel(x), py = pixel(y);
    if (unsigned(px) >= unsigned(width()) || unsigned(py) >= unsigned(height()))
        return -1;
    return fromPixel(m_image.pixel(px, py));
}

void Surface::print(const QString& text)
{
    QPainter p(&m_image);
    p.setFont(m_font);
    p.setPen(QColor::fromRgb(toPixel(foreColour)));
    const QFontMetrics fm(m_font);
    p.drawText(QPointF(currentX, currentY + fm.ascent()), text);
    currentX = 0;
    currentY += fm.height();
}

int Surface::textWidth(const QString& text) const
{
    return QFontMetrics(m_font).horizontalAdvance(text);
}

int Surface::textHeight(const QString& text) const
{
    const QFontMetrics fm(m_font);
    return fm.height() * std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
}
