// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: an RGB image with a drawing state (modes, styles, colours, text position) and
// the drawing operations the bench, the protractor and the graph use. Lines are stepped by
// integers from the first point up to, not including, the last one, and combine with the pixels
// under them according to the drawing mode (black, pen colour, or bitwise OR). Coordinates round
// to the nearest pixel, halves to even; a NaN or infinite one draws nothing. Shapes may reach far
// off the surface (up to ±2^40 pixels exactly, beyond along their own line): only the part over
// the surface costs time.
//
// A surface of scale k holds k times as many pixels each way and draws the same picture at that
// resolution: the coordinates stay those of the 1× picture (the centre of 1× pixel x lies at
// device pixel (x + 0.5) k - 0.5), lines and dots are about k pixels wide, texts are rendered at k
// times their size, dash patterns and hatching keep their spacing. At k = 1 every pixel is the
// integer-stepped one.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <cstdint>

// A colour as red + 256 × green + 65536 × blue.
using VbColour = std::uint32_t;

// The fixed 16-colour palette (0 black … 7 light grey, 8 dark grey … 15 white).
VbColour paletteColour(int index);
constexpr VbColour rgbColour(int r, int g, int b)
{
    return VbColour(r & 0xff) | (VbColour(g & 0xff) << 8) | (VbColour(b & 0xff) << 16);
}
// Conversions between the stored colour and the image's pixel value (0xffRRGGBB).
inline QRgb toPixel(VbColour c)
{
    return 0xff000000u | ((c & 0xffu) << 16) | (c & 0xff00u) | ((c >> 16) & 0xffu);
}
inline VbColour fromPixel(QRgb p)
{
    return rgbColour(qRed(p), qGreen(p), qBlue(p));
}
// A palette colour for QPainter, as the dialogs paint their own texts and boxes.
inline QColor paletteQColour(int index)
{
    return QColor::fromRgb(toPixel(paletteColour(index)));
}

enum class DrawMode { Black = 1, CopyPen = 13, MergePen = 15 };
enum class DrawStyle { Solid = 0, Dash = 1, Dot = 2 };
enum class FillStyle { Solid = 0, Transparent = 1, UpwardDiagonal = 4 };

class Surface {
public:
    Surface(int width = 1, int height = 1, double scale = 1);

    // The size in 1× pixels; the image is ceil(k × width) × ceil(k × height).
    int width() const { return m_width; }
    int height() const { return m_height; }
    double scale() const { return m_scale; }
    // Draws from now on at another scale, keeping the drawing state and the font; the image
    // starts over in the back colour, without its picture.
    void setScale(double scale);
    void resize(int width, int height); // keeps nothing: the new surface is the back colour
    // Where a 1× coordinate lies on the image.
    double toDevice(double v) const { return m_scale == 1 ? v : (v + 0.5) * m_scale - 0.5; }
    // One image pixel at image coordinates (rounded), in the drawing mode: the finest mark.
    void dot(double deviceX, double deviceY, VbColour colour);

    const QImage& image() const { return m_image; }
    QImage& image() { return m_image; }

    // Drawing state.
    DrawMode drawMode = DrawMode::CopyPen;
    DrawStyle drawStyle = DrawStyle::Solid;
    FillStyle fillStyle = FillStyle::Transparent;
    VbColour foreColour = 0;
    VbColour fillColour = 0;
    double currentX = 0;
    double currentY = 0;
    void setBackColour(VbColour c) { m_backColour = c; }
    VbColour backColour() const { return m_backColour; }
    void setFont(const QFont& font) { m_font = font; }
    const QFont& font() const { return m_font; }

    // The picture shown under the drawing: Cls restores it (or the back colour when it is null).
    void setPicture(const QImage& picture) { m_picture = picture; }
    const QImage& picture() const { return m_picture; }
    void cls();

    // A segment from (x1, y1) up to, not including, (x2, y2), in the drawing mode and style.
    void line(double x1, double y1, double x2, double y2, VbColour colour);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColour); }
    // A box outline in colour, its inside per fill style and fill colour.
    void box(double x1, double y1, double x2, double y2, VbColour colour);
    // A box filled with its own colour (edges included).
    void filledBox(double x1, double y1, double x2, double y2, VbColour colour);
    // A circle outlined in colour, its inside per fill style and fill colour.
    void circle(double cx, double cy, double radius, VbColour colour);
    // An arc from angle start to angle end (radians, anticlockwise on the screen from the right).
    void arc(double cx, double cy, double radius, double start, double end, VbColour colour);
    void pset(double x, double y, VbColour colour);
    // The colour of a pixel, or -1 outside the surface.
    std::int64_t point(double x, double y) const;

    // Text at (currentX, currentY) in the fore colour; currentY moves to the next line.
    void print(const QString& text);
    int textWidth(const QString& text) const;
    int textHeight(const QString& text) const;

    // Fast pixel access for the drawing loops.
    void plot(int x, int y, VbColour colour)
    {
        if (unsigned(x) < unsigned(m_image.width()) && unsigned(y) < unsigned(m_image.height()))
            plotUnchecked(x, y, toPixel(colour));
    }

private:
    void plotUnchecked(int x, int y, QRgb pixel);
    // A square of pen × pen image pixels around the image pixel (x, y), clipped to the image.
    void stamp(std::int64_t x, std::int64_t y, QRgb pixel);
    void wideLine(std::int64_t xs, std::int64_t ys, std::int64_t xe, std::int64_t ye, QRgb pixel);
    std::int64_t devicePixel(double v) const;
    // The first and the last image pixel that 1× pixel v covers (v itself at scale 1).
    std::int64_t firstImagePixel(std::int64_t v) const;
    std::int64_t lastImagePixel(std::int64_t v) const;
    void hatchBox(int x1, int y1, int x2, int y2, VbColour colour);
    void fillSpans(std::int64_t cx, std::int64_t cy, std::int64_t radius, VbColour colour);

    QImage m_image;
    QImage m_picture;
    int m_width = 1;
    int m_height = 1;
    double m_scale = 1;
    int m_pen = 1; // the width of a line in image pixels: k rounded, at least 1
    VbColour m_backColour = 0xffffff;
    QFont m_font;
};
