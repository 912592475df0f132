// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

using i64 = std::int64_t;
using i128 = __int128;
using u128 = unsigned __int128;

// Coordinates are rounded to whole pixels held in 64 bits, within ±2^40 pixels: the difference of
// two of them then takes at most 42 bits, the error terms of the line and circle walks stay below
// 2^46, and the products that find where a walk enters the surface below 2^90 (in 128 bits).
// Segments reaching further are first cut to that square along their own line (cutToLimit).
// Circle centres are clamped to it and radii to ±2^42: a circle that large centred within the
// square has no point within a pixel of the surface, like any larger one.
constexpr double Limit = 1099511627776.0; // 2^40
constexpr double RadiusLimit = 4 * Limit;

bool finite(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b);
}

// Rounds a finite coordinate to the nearest pixel, halves to the even pixel (the default rounding
// mode).
inline i64 pixel(double v, double limit = Limit)
{
    return i64(std::nearbyint(std::clamp(v, -limit, limit)));
}

i64 clampToInt(i64 v, int lo, int hi)
{
    return std::clamp<i64>(v, lo, hi);
}

// Quotient rounded up, for n ≥ 0 and d > 0.
i64 ceilDiv(i128 n, i64 d)
{
    return i64((n + d - 1) / d);
}

// floor(√n).
i64 isqrt(u128 n)
{
    // A double holds n exactly below 2^53, and its rounded root never reaches the next whole
    // number below 2^52.
    if (n < (u128(1) << 52))
        return i64(std::sqrt(double(std::uint64_t(n))));
    i64 s = i64(std::sqrt(double(n)));
    while (u128(s) * u128(s) > n)
        --s;
    while (u128(s + 1) * u128(s + 1) <= n)
        ++s;
    return s;
}

// Dashed and dotted cosmetic lines: 18 pixels on and 6 off, or 3 on and 3 off.
inline bool patternOn(DrawStyle style, i64 step)
{
    switch (style) {
    case DrawStyle::Dash:
        return step % 24 < 18;
    case DrawStyle::Dot:
        return step % 6 < 3;
    case DrawStyle::Solid:
        break;
    }
    return true;
}

// The v coordinate where the line through (pu, pv) and (qu, qv) meets u = c, with pu ≠ qu.
// It is worked out from both points and the one with the smaller rounding error wins, so that a
// point near the surface keeps its precision whatever the distance of the other one. Halves keep
// the differences finite.
double meet(double pu, double pv, double qu, double qv, double c)
{
    auto from = [c](double ru, double rv, double su, double sv, double& size) {
        const double half = (sv * 0.5 - rv * 0.5) * ((c * 0.5 - ru * 0.5) / (su * 0.5 - ru * 0.5));
        size = std::fabs(rv) + std::fabs(half);
        return rv + half + half;
    };
    double sizeP, sizeQ;
    const double fromP = from(pu, pv, qu, qv, sizeP), fromQ = from(qu, qv, pu, pv, sizeQ);
    return sizeP <= sizeQ ? fromP : fromQ;
}

// Moves (ax, ay), an end of the segment to (bx, by) lying beyond ±Limit, to where the segment
// enters the square within ±Limit; false when it misses the square. The other end must not lie
// beyond the same side as this one.
bool cutEnd(double& ax, double& ay, double bx, double by)
{
    double x = ax, y = ay;
    if (std::fabs(ax) > Limit) {
        x = std::copysign(Limit, ax);
        y = meet(ax, ay, bx, by, x);
    }
    if (std::fabs(y) > Limit) {
        if ((y > Limit && by > Limit) || (y < -Limit && by < -Limit))
            return false;
        y = std::copysign(Limit, y);
        x = meet(ay, ax, by, bx, y);
        if (std::fabs(x) > Limit)
            return false;
    }
    ax = x;
    ay = y;
    return true;
}

// Cuts a segment to its part within ±Limit on both axes, along its own line; false when it
// misses that square.
bool cutToLimit(double& x1, double& y1, double& x2, double& y2)
{
    if ((x1 < -Limit && x2 < -Limit) || (x1 > Limit && x2 > Limit) ||
        (y1 < -Limit && y2 < -Limit) || (y1 > Limit && y2 > Limit))
        return false;
    auto beyond = [](double x, double y) { return std::fabs(x) > Limit || std::fabs(y) > Limit; };
    const double ox1 = x1, oy1 = y1;
    if (beyond(x1, y1) && !cutEnd(x1, y1, x2, y2))
        return false;
    return !beyond(x2, y2) || cutEnd(x2, y2, ox1, oy1);
}

// Integer stepping from (xs, ys) up to, not including, (xe, ye), calling plot for every pixel on
// a w × h surface that the line style draws; the style counts steps from (xs, ys).
//
// With a = |xe - xs|, b = |ye - ys|, the walk keeps err = a (Y + 1) - b (X + 1) for the offsets
// X, Y reached, and moves on the longer axis at every step: at step k the offset along it is k
// and the offset along the shorter one is floor((2 · shorter · k + longer) / (2 · longer)). Both
// offsets grow with k, so the steps on the surface form one range; it is found from that formula
// and only those steps are walked.
//
// On a surface of scale k the pattern counts 1× pixels: step / patternUnit, with patternUnit = k.
template <typename Plot>
void stepLine(i64 xs, i64 ys, i64 xe, i64 ye, int w, int h, DrawStyle style, Plot plot,
              double patternUnit = 1)
{
    const i64 a = xe > xs ? xe - xs : xs - xe, b = ye > ys ? ye - ys : ys - ye;
    const int sx = xs < xe ? 1 : -1, sy = ys < ye ? 1 : -1;
    const bool xMajor = a >= b;
    const i64 longer = xMajor ? a : b, shorter = xMajor ? b : a;
    if (longer == 0)
        return;
    // The offsets along an axis that keep c + s × offset within [0, size - 1].
    auto visible = [](i64 c, int s, int size) {
        return s > 0 ? std::pair{-c, size - 1 - c} : std::pair{c - (size - 1), c};
    };
    const auto [longLo, longHi] = xMajor ? visible(xs, sx, w) : visible(ys, sy, h);
    const auto [shortLo, shortHi] = xMajor ? visible(ys, sy, h) : visible(xs, sx, w);
    i64 first = std::max<i64>(0, longLo), last = std::min(longer - 1, longHi);
    if (shortLo > 0) {
        // The first step whose shorter offset reaches shortLo.
        if (shortLo > shorter)
            return;
        first = std::max(first, ceilDiv(i128(longer) * (2 * shortLo - 1), 2 * shorter));
    }
    if (shortHi < shorter) {
        // The last step whose shorter offset stays within shortHi.
        if (shortHi < 0)
            return;
        last = std::min(last, ceilDiv(i128(longer) * (2 * shortHi + 1), 2 * shorter) - 1);
    }
    if (first > last)
        return;

    i64 x = xs, y = ys, err = a - b;
    if (first > 0) {
        const i64 across = i64((i128(2) * shorter * first + longer) / (2 * longer));
        const i64 ox = xMajor ? first : across, oy = xMajor ? across : first;
        err = i64(i128(a) * (oy + 1) - i128(b) * (ox + 1));
        x += sx * ox;
        y += sy * oy;
    }
    const i64 dx = a, dy = -b;
    for (i64 step = first; step <= last; ++step) {
        if (std::uint64_t(x) < std::uint64_t(w) && std::uint64_t(y) < std::uint64_t(h) &&
            (style == DrawStyle::Solid ||
             patternOn(style, patternUnit == 1 ? step : i64(double(step) / patternUnit))))
            plot(int(x), int(y));
        const i64 e2 = 2 * err;
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

// The midpoint circle of radius r: from x = r, y = 0, y grows by one at each step while x >= y,
// and x keeps its value or loses one, keeping err = (y + 1)² + x² - x - r². At step y ≥ 1, x is
// the largest value with x (x - 1) + y² < r², and the walk ends after the last y with
// 2y² - y < r²; so a walk can start at any step.
i64 circleLastStep(i64 r)
{
    if (r == 0)
        return 0;
    const i128 r2 = i128(r) * r;
    auto inWalk = [r2](i64 y) { return 2 * i128(y) * y - y < r2; };
    i64 y = i64(double(r) * M_SQRT1_2);
    while (y > 0 && !inWalk(y))
        --y;
    while (inWalk(y + 1))
        ++y;
    return y;
}

// The x of the midpoint walk at step y.
i64 circleX(i64 r, i64 y)
{
    if (y == 0)
        return r;
    const i128 room = i128(r) * r - i128(y) * y; // x (x - 1) < room, with room > 0 in the walk
    i64 x = i64(0.5 + std::sqrt(double(room) + 0.25));
    while (i128(x) * (x - 1) >= room)
        --x;
    while (i128(x + 1) * x < room)
        ++x;
    return x;
}

// Calls put(dx, dy) for the eight symmetric pixel offsets of the circle's steps from..to.
template <typename Put> void walkCircle(i64 r, i64 from, i64 to, Put put)
{
    i64 x = circleX(r, from), y = from;
    i64 err = i64(i128(y + 1) * (y + 1) + i128(x) * x - x - i128(r) * r);
    while (y <= to && x >= y) {
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

// Calls put(dx, dy) for the pixel offsets of a circle of radius r centred on (x0, y0) that can
// fall on a w × h surface. At step y, the offsets (±x, ±y) lie on rows y0 ± y and (±y, ±x) on
// columns x0 ± y: only the steps meeting a row or a column of the surface are walked, and put
// still receives offsets off the surface.
template <typename Put> void forEachCirclePoint(i64 x0, i64 y0, i64 r, int w, int h, Put put)
{
    const i64 lastStep = circleLastStep(r);
    std::pair<i64, i64> ranges[] = {
        {-y0, h - 1 - y0}, {y0 - (h - 1), y0}, {-x0, w - 1 - x0}, {x0 - (w - 1), x0}};
    for (auto& [lo, hi] : ranges) {
        lo = std::max<i64>(lo, 0);
        hi = std::min(hi, lastStep);
    }
    std::sort(std::begin(ranges), std::end(ranges));
    i64 from = 0, to = -1;
    for (const auto& [lo, hi] : ranges) {
        if (lo > hi)
            continue;
        if (lo > to + 1) {
            if (from <= to)
                walkCircle(r, from, to, put);
            from = lo;
            to = hi;
        } else {
            to = std::max(to, hi);
        }
    }
    if (from <= to)
        walkCircle(r, from, to, put);
}

} // namespace

VbColour paletteColour(int index)
{
    static constexpr VbColour table[16] = {
        rgbColour(0, 0, 0),      rgbColour(0, 0, 128),     rgbColour(0, 128, 0),
        rgbColour(0, 128, 128),  rgbColour(128, 0, 0),     rgbColour(128, 0, 128),
        rgbColour(128, 128, 0),  rgbColour(192, 192, 192), rgbColour(128, 128, 128),
        rgbColour(0, 0, 255),    rgbColour(0, 255, 0),     rgbColour(0, 255, 255),
        rgbColour(255, 0, 0),    rgbColour(255, 0, 255),   rgbColour(255, 255, 0),
        rgbColour(255, 255, 255)};
    return table[index & 15];
}

Surface::Surface(int width, int height, double scale)
    : m_width(std::max(1, width)), m_height(std::max(1, height))
{
    setScale(scale);
    m_font.setFamily(QStringLiteral("MS Sans Serif"));
    m_font.setPixelSize(13);
}

void Surface::resize(int width, int height)
{
    m_width = std::max(1, width);
    m_height = std::max(1, height);
    m_image = QImage(int(std::ceil(m_width * m_scale)), int(std::ceil(m_height * m_scale)),
                     QImage::Format_RGB32);
    m_image.fill(toPixel(m_backColour));
}

void Surface::cls()
{
    if (!m_picture.isNull() && m_picture.size() == m_image.size() &&
        m_picture.format() == m_image.format()) {
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
    case DrawMode::Black:
        row[x] = 0xff000000u;
        break;
    case DrawMode::MergePen:
        row[x] |= pixel;
        break;
    case DrawMode::CopyPen:
        row[x] = pixel;
        break;
    }
}

i64 Surface::devicePixel(double v) const
{
    return pixel(toDevice(v));
}

i64 Surface::firstImagePixel(i64 v) const
{
    if (m_scale == 1)
        return v;
    return devicePixel(double(std::clamp<i64>(v, -2, 1 << 24))) - (m_pen - 1) / 2;
}

i64 Surface::lastImagePixel(i64 v) const
{
    return m_scale == 1 ? v : firstImagePixel(v) + m_pen - 1;
}

void Surface::setScale(double scale)
{
    m_scale = std::isfinite(scale) && scale > 1 ? std::min(scale, 16.0) : 1.0;
    m_pen = std::max(1, int(std::nearbyint(m_scale)));
    m_picture = QImage();
    resize(m_width, m_height);
}

void Surface::stamp(i64 x, i64 y, QRgb pixel)
{
    const i64 lo = (m_pen - 1) / 2;
    const i64 l = std::max<i64>(x - lo, 0),
              r = std::min<i64>(x - lo + m_pen - 1, m_image.width() - 1);
    const i64 t = std::max<i64>(y - lo, 0),
              b = std::min<i64>(y - lo + m_pen - 1, m_image.height() - 1);
    for (i64 py = t; py <= b; ++py)
        for (i64 px = l; px <= r; ++px)
            plotUnchecked(int(px), int(py), pixel);
}

void Surface::dot(double deviceX, double deviceY, VbColour colour)
{
    if (!finite(deviceX, deviceY))
        return;
    const i64 x = pixel(deviceX), y = pixel(deviceY);
    if (std::uint64_t(x) < std::uint64_t(m_image.width()) &&
        std::uint64_t(y) < std::uint64_t(m_image.height()))
        plotUnchecked(int(x), int(y), toPixel(colour));
}

namespace {

// The walk of a wide line with one pixel operation: each step paints a run of t pixels across
// the line (a column for a line closer to the horizontal, a row otherwise), so that runs side by
// side make a line t pixels thick. The walk is shifted so that a run reaching onto the image from
// just outside it is still walked.
template <typename Op>
void walkWide(QImage& image, i64 xs, i64 ys, i64 xe, i64 ye, int t, DrawStyle style,
              double patternUnit, Op op)
{
    const i64 lo = (t - 1) / 2, shift = t - 1 - lo;
    const int w = image.width(), h = image.height();
    uchar* const base = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const bool xMajor = (xe > xs ? xe - xs : xs - xe) >= (ye > ys ? ye - ys : ys - ye);
    if (xMajor) {
        stepLine(
            xs + shift, ys + shift, xe + shift, ye + shift, int(w + t - 1), int(h + t - 1), style,
            [&](int sx, int sy) {
                const i64 x = sx - shift, top = sy - shift - lo;
                if (std::uint64_t(x) >= std::uint64_t(w))
                    return;
                const i64 from = std::max<i64>(top, 0), to = std::min<i64>(top + t - 1, h - 1);
                uchar* p = base + from * stride + x * 4;
                for (i64 y = from; y <= to; ++y, p += stride)
                    op(*reinterpret_cast<QRgb*>(p));
            },
            patternUnit);
    } else {
        stepLine(
            xs + shift, ys + shift, xe + shift, ye + shift, int(w + t - 1), int(h + t - 1), style,
            [&](int sx, int sy) {
                const i64 y = sy - shift, left = sx - shift - lo;
                if (std::uint64_t(y) >= std::uint64_t(h))
                    return;
                const i64 from = std::max<i64>(left, 0), to = std::min<i64>(left + t - 1, w - 1);
                QRgb* row = reinterpret_cast<QRgb*>(base + y * stride);
                for (i64 x = from; x <= to; ++x)
                    op(row[x]);
            },
            patternUnit);
    }
}

} // namespace

void Surface::wideLine(i64 xs, i64 ys, i64 xe, i64 ye, QRgb pen)
{
    // Every drawing mode gives the same pixel when it paints it twice: the runs may overlap.
    switch (drawMode) {
    case DrawMode::Black:
        walkWide(m_image, xs, ys, xe, ye, m_pen, drawStyle, m_scale,
                 [](QRgb& p) { p = 0xff000000u; });
        break;
    case DrawMode::MergePen:
        walkWide(m_image, xs, ys, xe, ye, m_pen, drawStyle, m_scale, [pen](QRgb& p) { p |= pen; });
        break;
    case DrawMode::CopyPen:
        walkWide(m_image, xs, ys, xe, ye, m_pen, drawStyle, m_scale, [pen](QRgb& p) { p = pen; });
        break;
    }
}

void Surface::line(double x1, double y1, double x2, double y2, VbColour colour)
{
    if (!finite(x1, y1) || !finite(x2, y2))
        return;
    if (m_scale != 1) {
        x1 = toDevice(x1);
        y1 = toDevice(y1);
        x2 = toDevice(x2);
        y2 = toDevice(y2);
    }
    // Beyond that range the pattern counts from where the segment enters it.
    if (std::max(std::max(std::fabs(x1), std::fabs(y1)), std::max(std::fabs(x2), std::fabs(y2))) >
            Limit &&
        !cutToLimit(x1, y1, x2, y2))
        return;
    const i64 xs = pixel(x1), ys = pixel(y1), xe = pixel(x2), ye = pixel(y2);
    const int w = m_image.width(), h = m_image.height();
    // Skip a segment lying wholly outside the surface.
    const i64 margin = m_pen;
    if ((xs < -margin && xe < -margin) || (ys < -margin && ye < -margin) ||
        (xs >= w + margin && xe >= w + margin) || (ys >= h + margin && ye >= h + margin))
        return;
    const QRgb pen = toPixel(colour);
    if (m_pen > 1) {
        wideLine(xs, ys, xe, ye, pen);
        return;
    }
    uchar* const base = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    auto at = [base, stride](int x, int y) -> QRgb& {
        return reinterpret_cast<QRgb*>(base + y * stride)[x];
    };
    // One specialised loop per drawing mode: white light draws hundreds of these segments.
    const DrawStyle style = drawStyle;
    switch (drawMode) {
    case DrawMode::Black:
        stepLine(
            xs, ys, xe, ye, w, h, style, [&](int x, int y) { at(x, y) = 0xff000000u; }, m_scale);
        break;
    case DrawMode::MergePen:
        stepLine(
            xs, ys, xe, ye, w, h, style, [&](int x, int y) { at(x, y) |= pen; }, m_scale);
        break;
    case DrawMode::CopyPen:
        stepLine(
            xs, ys, xe, ye, w, h, style, [&](int x, int y) { at(x, y) = pen; }, m_scale);
        break;
    }
}

void Surface::hatchBox(int x1, int y1, int x2, int y2, VbColour colour)
{
    // Upward diagonal hatch, aligned to the image origin like Qt's BDiagPattern; image
    // coordinates, one line every 8 1× pixels, k pixels thick.
    const QRgb pen = toPixel(colour);
    const int h = m_image.height(), w = m_image.width();
    for (int y = std::max(y1, 0); y <= std::min(y2, h - 1); ++y)
        for (int x = std::max(x1, 0); x <= std::min(x2, w - 1); ++x)
            if (m_scale == 1 ? (x + y) % 8 == 7 : int(double(x + y) / m_scale) % 8 == 7)
                plotUnchecked(x, y, pen);
}

void Surface::box(double x1, double y1, double x2, double y2, VbColour colour)
{
    if (!finite(x1, y1) || !finite(x2, y2))
        return;
    i64 l = pixel(x1), t = pixel(y1), r = pixel(x2), b = pixel(y2);
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (fillStyle == FillStyle::Solid) {
        filledBox(double(l + 1), double(t + 1), double(r - 1), double(b - 1), fillColour);
    } else if (fillStyle == FillStyle::UpwardDiagonal) {
        const int w = m_image.width(), h = m_image.height();
        // The inside, from the first image pixel of 1× pixel l + 1 to the last one of r - 1.
        hatchBox(clampToInt(firstImagePixel(l + 1), -1, w),
                 clampToInt(firstImagePixel(t + 1), -1, h),
                 clampToInt(lastImagePixel(r - 1), -1, w), clampToInt(lastImagePixel(b - 1), -1, h),
                 fillColour);
    }
    const double dl = double(l), dt = double(t), dr = double(r), db = double(b);
    line(dl, dt, dr, dt, colour);
    line(dr, dt, dr, db, colour);
    line(dr, db, dl, db, colour);
    line(dl, db, dl, dt, colour);
}

void Surface::filledBox(double x1, double y1, double x2, double y2, VbColour colour)
{
    if (!finite(x1, y1) || !finite(x2, y2))
        return;
    i64 l = pixel(x1), t = pixel(y1), r = pixel(x2), b = pixel(y2);
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    // From the first image pixel of 1× pixel l to the last one of r.
    l = firstImagePixel(l);
    t = firstImagePixel(t);
    r = lastImagePixel(r);
    b = lastImagePixel(b);
    l = std::max<i64>(l, 0);
    t = std::max<i64>(t, 0);
    r = std::min<i64>(r, m_image.width() - 1);
    b = std::min<i64>(b, m_image.height() - 1);
    const QRgb pen = toPixel(colour);
    if (l > r || t > b)
        return;
    for (int y = int(t); y <= b; ++y) {
        if (drawMode == DrawMode::CopyPen) {
            QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(row + l, row + r + 1, pen);
        } else {
            for (int x = int(l); x <= r; ++x)
                plotUnchecked(x, y, pen);
        }
    }
}

void Surface::fillSpans(i64 cx, i64 cy, i64 radius, VbColour colour)
{
    // Only the rows of the surface: each spans the whole width of the disc at its height.
    const QRgb pen = toPixel(colour);
    const i64 r = radius;
    const i64 from = std::max(-r, -cy), to = std::min(r, m_image.height() - 1 - cy);
    for (i64 dy = from; dy <= to; ++dy) {
        const i64 half = isqrt(u128(i128(r) * r - i128(dy) * dy));
        const int y = int(cy + dy);
        const i64 l = std::max<i64>(cx - half, 0),
                  rr = std::min<i64>(cx + half, m_image.width() - 1);
        if (l > rr)
            continue;
        if (drawMode == DrawMode::CopyPen) {
            QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(row + l, row + rr + 1, pen);
        } else {
            for (int x = int(l); x <= rr; ++x)
                plotUnchecked(x, y, pen);
        }
    }
}

void Surface::circle(double cx, double cy, double radius, VbColour colour)
{
    if (!finite(cx, cy) || !std::isfinite(radius))
        return;
    const i64 x0 = pixel(toDevice(cx)), y0 = pixel(toDevice(cy)),
              r = pixel(radius * m_scale, RadiusLimit);
    if (r < 0)
        return;
    if (fillStyle == FillStyle::Solid)
        fillSpans(x0, y0, r, fillColour);
    const QRgb pen = toPixel(colour);
    const int w = m_image.width(), h = m_image.height();
    forEachCirclePoint(x0, y0, r, w, h, [&](i64 dx, i64 dy) {
        const i64 x = x0 + dx, y = y0 + dy;
        if (m_pen > 1)
            stamp(x, y, pen);
        else if (std::uint64_t(x) < std::uint64_t(w) && std::uint64_t(y) < std::uint64_t(h))
            plotUnchecked(int(x), int(y), pen);
    });
}

void Surface::arc(double cx, double cy, double radius, double start, double end, VbColour colour)
{
    if (!finite(cx, cy) || !finite(radius, start) || !std::isfinite(end))
        return;
    const double twoPi = 2 * M_PI;
    auto wrap = [&](double a) {
        a = std::fmod(a, twoPi);
        return a < 0 ? a + twoPi : a;
    };
    start = wrap(start);
    end = wrap(end);
    const QRgb pen = toPixel(colour);
    const i64 x0 = pixel(toDevice(cx)), y0 = pixel(toDevice(cy)),
              r = pixel(radius * m_scale, RadiusLimit);
    if (r < 0)
        return;
    auto inside = [&](i64 dx, i64 dy) {
        const double a = wrap(std::atan2(double(-dy), double(dx))); // anticlockwise on screen
        return start <= end ? (a >= start && a <= end) : (a >= start || a <= end);
    };
    const int w = m_image.width(), h = m_image.height();
    forEachCirclePoint(x0, y0, r, w, h, [&](i64 dx, i64 dy) {
        const i64 x = x0 + dx, y = y0 + dy;
        if (!inside(dx, dy))
            return;
        if (m_pen > 1)
            stamp(x, y, pen);
        else if (std::uint64_t(x) < std::uint64_t(w) && std::uint64_t(y) < std::uint64_t(h))
            plotUnchecked(int(x), int(y), pen);
    });
}

void Surface::pset(double x, double y, VbColour colour)
{
    if (!finite(x, y))
        return;
    if (m_scale != 1) {
        stamp(devicePixel(x), devicePixel(y), toPixel(colour));
        return;
    }
    const i64 px = pixel(x), py = pixel(y);
    if (std::uint64_t(px) < std::uint64_t(width()) && std::uint64_t(py) < std::uint64_t(height()))
        plotUnchecked(int(px), int(py), toPixel(colour));
}

std::int64_t Surface::point(double x, double y) const
{
    if (!finite(x, y))
        return -1;
    const i64 px = pixel(x), py = pixel(y);
    if (std::uint64_t(px) >= std::uint64_t(width()) || std::uint64_t(py) >= std::uint64_t(height()))
        return -1;
    if (m_scale != 1) {
        const i64 dx = std::min<i64>(devicePixel(double(px)), m_image.width() - 1),
                  dy = std::min<i64>(devicePixel(double(py)), m_image.height() - 1);
        return fromPixel(m_image.pixel(int(dx), int(dy)));
    }
    return fromPixel(m_image.pixel(int(px), int(py)));
}

void Surface::print(const QString& text)
{
    QPainter p(&m_image);
    if (m_scale != 1) {
        // The same text at k times its size: its glyphs rendered at that size, not enlarged.
        p.translate((m_scale - 1) / 2, (m_scale - 1) / 2);
        p.scale(m_scale, m_scale);
    }
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
