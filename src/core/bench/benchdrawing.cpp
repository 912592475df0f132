// SPDX-License-Identifier: GPL-3.0-or-later
// The static bench picture: background, half-disc or plane mirror, the dashed normal, the graduated
// circle with a dot every degree, a tick every ten degrees and the angles 0…90 from the normal
// written along the circle. It is cached in `fond` and redrawn only when the background or the
// element changes.
#include "core/bench/optics.h"
#include "core/bench/redraw.h"
#include "core/platform/numtext.h"

#include <QPainter>
#include <cmath>

namespace {

using numtext::roundToInt;
using optics::Pi;

// The colours of the picture for the current background.
void setBenchColours(Surface& s, bool black)
{
    if (black) {
        s.setBackColour(paletteColour(0));
        s.foreColour = paletteColour(7);
        s.fillColour = rgbColour(60, 60, 60);
    } else {
        s.setBackColour(paletteColour(15));
        s.foreColour = paletteColour(8);
        s.fillColour = rgbColour(240, 240, 240);
    }
}

// A label rendered black on white, without smoothing, so that its black pixels can be copied one
// by one onto the circle, rotated to follow it.
QImage renderLabel(const QString& text, const QFont& font)
{
    QFont f(font);
    f.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics fm(f);
    const int w = std::max(1, fm.horizontalAdvance(text));
    const int h = std::max(1, fm.height());
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(0, fm.ascent()), text);
    return img;
}

const QImage& labelImage(int value, const QFont& font)
{
    // The ten texts "0" … "90" never change: render them once.
    static QImage cache[10];
    static QFont cachedFont;
    if (cachedFont != font) {
        for (auto& img : cache)
            img = QImage();
        cachedFont = font;
    }
    QImage& img = cache[value / 10];
    if (img.isNull())
        img = renderLabel(QString::number(value), font);
    return img;
}

} // namespace

BenchPicture::BenchPicture(double scale) : dessin(Size, Size, scale)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(13); // 9.75 points at 96 pixels per inch
    f.setWeight(QFont::Normal);
    dessin.setFont(f);
}

void BenchPicture::setScale(double scale)
{
    if (scale == dessin.scale())
        return;
    dessin.setScale(scale);
    fond = QImage();
}

void drawBenchBackground(BenchState& state, const BenchOptions& options, BenchPicture& picture)
{
    Surface& s = picture.dessin;
    const bool black = options.blackBackground;
    setBenchColours(s, black);
    state.benchDrawnFor = black ? 1 : 2;
    s.drawMode = DrawMode::CopyPen;
    s.drawStyle = DrawStyle::Solid;

    s.filledBox(0, 0, s.width(), s.height(), s.backColour());

    if (options.halfDisc) {
        s.fillStyle = FillStyle::Solid;
        s.circle(201, 201, 140, s.foreColour);
        s.fillStyle = FillStyle::Transparent;
        s.filledBox(20, 20, 200, 380, s.backColour()); // erases the left half of the disc
        s.line(201, 61, 201, 342, s.foreColour);       // the flat face
    } else {
        // The mirror: its back is a hatched strip whose outline is drawn in the back colour.
        s.fillStyle = FillStyle::UpwardDiagonal;
        s.fillColour = s.foreColour;
        s.foreColour = s.backColour();
        s.box(203, 61, 213, 342, s.foreColour);
        s.foreColour = s.fillColour;
        s.line(201, 61, 201, 342, s.foreColour);
        s.fillStyle = FillStyle::Transparent;
    }

    s.drawStyle = DrawStyle::Dash; // the normal
    s.line(61, 201, 342, 201, s.foreColour);
    s.drawStyle = DrawStyle::Solid;

    s.circle(201, 201, 170, s.foreColour);

    for (double t = 0; t <= 6.28; t += Pi / 180) // a dot every degree
        s.pset(roundToInt(201 + 167 * std::cos(t)), roundToInt(201 + 167 * std::sin(t)),
               s.foreColour);
    for (double t = 0; t <= 6.28; t += Pi / 18) // a tick every ten degrees
        s.line(roundToInt(201 + 167 * std::cos(t)), roundToInt(201 + 167 * std::sin(t)),
               roundToInt(201 + 160 * std::cos(t)), roundToInt(201 + 160 * std::sin(t)),
               s.foreColour);

    // The angles from the normal, anticlockwise from the right: 0 … 90 (top) … 0 (left) … 90
    // (bottom) … 10. Each label is centred on its tick's direction, its top row on the circle of
    // radius 162: upright at the top, a quarter turned at the sides, upside down at the bottom.
    int k = 0;
    for (double t = 0; t <= 6.283185; t += Pi / 18, ++k) {
        int a = 10 * k;
        if (a > 90)
            a = 180 - a;
        if (a < 0)
            a = -a;
        if (a > 90)
            a = 180 - a;
        const double c = std::cos(t), sn = std::sin(t);
        if (s.scale() != 1) {
            // The label rendered at k times the font size, each of its pixels one image pixel.
            QFont big(s.font());
            big.setPixelSize(int(std::lround(s.font().pixelSize() * s.scale())));
            const QImage text = renderLabel(QString::number(a), big);
            const double w = text.width();
            const double ox = s.toDevice(201 + 162 * c), oy = s.toDevice(201 - 162 * sn);
            for (int j = 0; j < text.height(); ++j) {
                const QRgb* row = reinterpret_cast<const QRgb*>(text.constScanLine(j));
                for (int i = 0; i < text.width(); ++i) {
                    if ((row[i] & 0xffffffu) != 0)
                        continue;
                    const double u = i - w / 2 + 0.5;
                    s.dot(ox + u * sn - j * c, oy + u * c + j * sn, s.foreColour);
                }
            }
            continue;
        }
        const QImage& text = labelImage(a, s.font());
        const double w = text.width();
        for (int j = 0; j < text.height(); ++j) {
            const QRgb* row = reinterpret_cast<const QRgb*>(text.constScanLine(j));
            for (int i = 0; i < text.width(); ++i) {
                if ((row[i] & 0xffffffu) != 0)
                    continue;
                const double u = i - w / 2 + 0.5;
                s.pset(roundToInt(201 + 162 * c + u * sn - j * c),
                       roundToInt(201 - 162 * sn + u * c + j * sn), s.foreColour);
            }
        }
    }

    picture.fond = s.image().copy();
    ++picture.counts.background;
}
