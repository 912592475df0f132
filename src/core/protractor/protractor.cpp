// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protractor/protractor.h"

#include "core/bench/lampicon.h"
#include "core/platform/numtext.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace protractor {

QPointF polar(double angle, double radius)
{
    return {Centre + radius * std::cos(angle), Centre - radius * std::sin(angle)};
}

double pointerDirection(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return -QuarterTurn;
    if (x != Centre) {
        double theta = -std::atan((Centre - y) / (Centre - x));
        if (x < Centre)
            theta += ShortHalfTurn;
        return theta;
    }
    return y < Centre ? QuarterTurn : -QuarterTurn;
}

float normalisedAngle(float a)
{
    if (!std::isfinite(a))
        return 0.0f;
    while (a > Period)
        a = float(double(a) - Period);
    while (a < 0)
        a = float(double(a) + Period);
    return a;
}

float turnedAngle(double x, double y)
{
    return float(pointerDirection(x, y) + 0.1);
}

float measuredLineAngle(float a, float b, double x, double y)
{
    return caughtLineAngle(b, pointerDirection(x, y) - double(a));
}

float caughtLineAngle(float before, double wanted)
{
    if (!std::isfinite(wanted))
        return before;
    float b = float(wanted);
    for (int pass = 0; pass < 2; ++pass) {
        if (b < 0)
            b = float(double(b) + Period);
        if (b > Period)
            b = float(double(b) - Period);
    }
    if (b > HalfTurn && b < 3.3)
        b = float(HalfTurn);
    if (b > 6)
        b = 0;
    if (b > ShortHalfTurn)
        b = before;
    return b;
}

double measuredDegrees(float b)
{
    double d = double(b) * 180 / HalfTurn;
    if (d > 90)
        d = 180 - d;
    // A line on the 180° end lies a hair past it in single precision.
    return std::clamp(d, 0.0, 90.0);
}

QString readout(float b)
{
    return numtext::format(measuredDegrees(b), QStringLiteral("##0.0"));
}

QPointF clampedPlace(QPointF wanted, const QRectF& area, double boxSize)
{
    double left = wanted.x(), top = wanted.y();
    if (!std::isfinite(left))
        left = area.left();
    if (!std::isfinite(top))
        top = area.top();
    if (left < area.left())
        left = area.left();
    if (top < area.top())
        top = area.top();
    if (left + boxSize > area.left() + area.width())
        left = area.left() + area.width() - boxSize;
    if (top + boxSize > area.top() + area.height())
        top = area.top() + area.height() - boxSize;
    return {left, top};
}

HandlePlaces handlePlaces(float a, float b)
{
    const QPointF half(HandleSize / 2, HandleSize / 2);
    return {polar(double(a) + 6.18, 88) - half, polar(double(a) + 3.24, 88) - half,
            polar(double(a) + double(b), 90) - half};
}

} // namespace protractor

using namespace protractor;

namespace {

QPointF rounded(QPointF p)
{
    return {numtext::roundHalfEven(p.x()), numtext::roundHalfEven(p.y())};
}

QPoint handleAt(QPointF topLeft)
{
    return {numtext::roundToInt(topLeft.x()), numtext::roundToInt(topLeft.y())};
}

} // namespace

ProtractorPicture::ProtractorPicture() : box(Size, Size) {}

QPoint ProtractorPicture::placedAt() const
{
    return {numtext::roundToInt(place.x()), numtext::roundToInt(place.y())};
}

QImage ProtractorPicture::composed() const
{
    QImage out = box.image();
    QPainter p(&out);
    const double k = box.scale();
    auto at = [k](QPoint corner) {
        return QPoint(int(std::lround(corner.x() * k)), int(std::lround(corner.y() * k)));
    };
    p.drawImage(at(handleAt(handles.turn)), turnHandleIcon(k));
    p.drawImage(at(handleAt(handles.cross)), crossIcon(k));
    p.drawImage(at(handleAt(handles.sphere)), sphereIcon(k));
    return out;
}

void copyBenchUnder(ProtractorPicture& picture, const BenchPicture& bench, ProtractorState& state)
{
    // The box is drawn at the bench's scale: 1× pixel p of the bench is image pixel p k of it.
    const double k = bench.scale();
    if (picture.box.scale() != k)
        picture.box.setScale(k);
    const QPoint at = picture.placedAt();
    const QRect under =
        k == 1 ? QRect(at, QSize(Size, Size))
               : QRect(QPoint(int(std::lround(at.x() * k)), int(std::lround(at.y() * k))),
                       picture.box.image().size());
    picture.box.setPicture(bench.dessin.image().copy(under));
    drawProtractor(picture, bench, state);
}

void drawProtractor(ProtractorPicture& picture, const BenchPicture& bench, ProtractorState& state)
{
    ++picture.drawings;
    Surface& s = picture.box;
    s.drawMode = DrawMode::CopyPen;
    s.drawStyle = DrawStyle::Solid;
    s.cls();
    const QPointF at = picture.placedAt();

    // The two bench items that lie over the bench picture.
    s.line(bench.line1.x1 - at.x(), bench.line1.y1 - at.y(), bench.line1.x2 - at.x(),
           bench.line1.y2 - at.y(), bench.line1.colour);
    {
        QPainter p(&s.image());
        p.drawImage((bench.lampeTopLeft - at) * s.scale(), lampIcon(s.scale()));
    }

    const bool black = bench.dessin.backColour() == paletteColour(0);
    const VbColour main = black ? paletteColour(15) : paletteColour(0);
    const VbColour lineColour = black ? paletteColour(11) : paletteColour(3);

    const float a = normalisedAngle(state.protractorAngle);
    state.protractorAngle = a;
    const double ad = a;

    // Outer arc over the half-turn from a.
    if (ad <= HalfTurn) {
        s.arc(Centre, Centre, 99, ad, ad + HalfTurn, main);
    } else {
        s.arc(Centre, Centre, 99, 0, ad + HalfTurn - Period, main);
        s.arc(Centre, Centre, 99, ad, Period, main);
    }

    // Inner half-circle and the diameter its two end radii form.
    s.arc(Centre, Centre, 79, ad, ad + ShortHalfTurn, main);
    for (double end : {ad, ad + ShortHalfTurn}) {
        const QPointF p = polar(end, 79);
        s.line(p.x(), p.y(), Centre, Centre, main);
    }

    // A mark every ten degrees, 0 to 180.
    const double lastMark = ad + ShortHalfTurn;
    for (double t = ad; t <= lastMark; t += Graduation) {
        const QPointF in = polar(t, 84), out = polar(t, 94);
        s.line(in.x(), in.y(), out.x(), out.y(), main);
    }

    // The base strip on the side away from the graduations.
    const QPointF p1 = rounded(polar(ad + HalfTurn + 0.2, 101));
    const QPointF p2 = rounded(polar(ad - 0.2, 101));
    const QPointF p3 = rounded(polar(ad + HalfTurn, 99));
    const QPointF p4 = rounded(polar(ad, 99));
    s.line(p1.x(), p1.y(), p2.x(), p2.y(), main);
    s.line(p1.x(), p1.y(), p3.x(), p3.y(), main);
    s.line(p2.x(), p2.y(), p4.x(), p4.y(), main);

    // The centre mark, across the diameter.
    const QPointF m1 = rounded(polar(ad + QuarterTurn + HalfTurn, 4));
    const QPointF m2 = rounded(polar(ad + QuarterTurn, 4));
    s.line(m1.x(), m1.y(), m2.x(), m2.y(), main);

    picture.handles = handlePlaces(a, state.lineAngle);
    const QPointF sphereCentre = picture.handles.sphere + QPointF(HandleSize / 2, HandleSize / 2);
    s.line(Centre, Centre, sphereCentre.x(), sphereCentre.y(), lineColour);
}

// ---------------------------------------------------------------------------------------------
// Handle pictures

namespace {

void paintTurnHandle(QPainter& p)
{
    // A round handle with a curved double arrow: turn me.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 60, 0), 1));
    p.setBrush(QColor(255, 210, 60));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(QColor(60, 30, 0), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 4, 8, 8), 30 * 16, 240 * 16);
    QPainterPath head;
    head.moveTo(12.6, 4.4);
    head.lineTo(11.6, 8.4);
    head.lineTo(8.4, 6.2);
    head.closeSubpath();
    p.setBrush(QColor(60, 30, 0));
    p.drawPath(head);
}

void paintCross(QPainter& p)
{
    // A four-way arrow: move me.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 60, 0), 1));
    p.setBrush(QColor(255, 210, 60));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setPen(QPen(QColor(60, 30, 0), 1.4));
    p.drawLine(QPointF(8, 3), QPointF(8, 13));
    p.drawLine(QPointF(3, 8), QPointF(13, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 30, 0));
    const QPointF tips[4][3] = {{{8, 1.5}, {5.5, 4.5}, {10.5, 4.5}},
                                {{8, 14.5}, {5.5, 11.5}, {10.5, 11.5}},
                                {{1.5, 8}, {4.5, 5.5}, {4.5, 10.5}},
                                {{14.5, 8}, {11.5, 5.5}, {11.5, 10.5}}};
    for (const auto& tip : tips)
        p.drawPolygon(tip, 3);
}

void paintSphere(QPainter& p)
{
    // A cyan ball lit from the upper left.
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(QPointF(6, 5.5), 9, QPointF(5.5, 5));
    shade.setColorAt(0, QColor(220, 255, 255));
    shade.setColorAt(0.45, QColor(0, 220, 235));
    shade.setColorAt(1, QColor(0, 90, 110));
    p.setPen(QPen(QColor(0, 70, 90), 1));
    p.setBrush(shade);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
}

// A handle picture drawn at scale pixels per 1x pixel, on a transparent background.
QImage drawnIcon(void (*paint)(QPainter&), double scale)
{
    const int side = int(std::ceil(HandleSize * scale - 1e-9));
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    if (scale != 1)
        p.scale(scale, scale);
    paint(p);
    return img;
}

} // namespace

QImage turnHandleIcon(double scale)
{
    static const QImage atOne = drawnIcon(paintTurnHandle, 1);
    return scale == 1 ? atOne : drawnIcon(paintTurnHandle, scale);
}

QImage crossIcon(double scale)
{
    static const QImage atOne = drawnIcon(paintCross, 1);
    return scale == 1 ? atOne : drawnIcon(paintCross, scale);
}

QImage sphereIcon(double scale)
{
    static const QImage atOne = drawnIcon(paintSphere, 1);
    return scale == 1 ? atOne : drawnIcon(paintSphere, scale);
}
