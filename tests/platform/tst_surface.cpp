// SPDX-License-Identifier: GPL-3.0-or-later
// Surface: the pixels of lines, boxes, circles, arcs and points, on the surface and far off it.
#include "core/platform/surface.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// splitmix64: the generated shapes must be the same everywhere, which the standard
// distributions do not promise.
class Rng {
public:
    explicit Rng(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // An integer in [lo, hi].
    int between(int lo, int hi) { return lo + int(next() % quint64(hi - lo + 1)); }
    bool chance(int percent) { return between(0, 99) < percent; }

private:
    quint64 m_state;
};

constexpr quint64 FnvOffset = 0xcbf29ce484222325ull;
constexpr quint64 FnvPrime = 0x100000001b3ull;

quint64 fold(quint64 hash, quint64 value)
{
    return (hash ^ value) * FnvPrime;
}

// FNV-1a over the 32-bit pixels, row by row.
quint64 imageHash(const QImage& image)
{
    quint64 hash = FnvOffset;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            hash = fold(hash, row[x]);
    }
    return hash;
}

// A backdrop of stripes so that the OR and black modes differ from the plain pen.
QImage backdrop(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) & 0xff, (y * 5) & 0xff, ((x + y) & 8) ? 0x40 : 0x81));
    return image;
}

// A coordinate along an axis of the given size: inside, at the edges, or some way outside, often
// on a whole or half pixel so that the rounding of halves is exercised.
double coordinate(Rng& rng, int size)
{
    int v;
    const int pick = rng.between(0, 99);
    if (pick < 35)
        v = rng.between(0, size - 1);
    else if (pick < 60)
        v = rng.chance(50) ? rng.between(-8, 8) : rng.between(size - 9, size + 8);
    else if (pick < 85)
        v = rng.between(-3000, 3000);
    else
        v = rng.between(-400, size + 400);
    const int fraction = rng.between(0, 99);
    if (fraction < 60)
        return v;
    if (fraction < 75)
        return v + 0.5;
    return v + rng.between(-63, 63) / 64.0;
}

double radius(Rng& rng)
{
    const int pick = rng.between(0, 99);
    double r;
    if (pick < 8)
        r = 0;
    else if (pick < 12)
        r = -rng.between(1, 20);
    else if (pick < 40)
        r = rng.between(1, 50);
    else if (pick < 70)
        r = rng.between(1, 600);
    else
        r = rng.between(1, 3000);
    return rng.chance(20) ? r + 0.5 : r;
}

double angle(Rng& rng)
{
    static const double exact[] = {0, M_PI / 4, M_PI / 2, M_PI, 3 * M_PI / 2, 2 * M_PI, -M_PI / 2};
    if (rng.chance(25))
        return exact[rng.between(0, 6)];
    return rng.between(-7000, 7000) / 1000.0;
}

enum class Kind { Lines, Boxes, Circles, FilledCircles, Arcs, Points };

void pickState(Surface& s, Rng& rng)
{
    static const DrawMode modes[] = {DrawMode::Black, DrawMode::CopyPen, DrawMode::MergePen};
    static const DrawStyle styles[] = {DrawStyle::Solid, DrawStyle::Dash, DrawStyle::Dot};
    static const FillStyle fills[] = {FillStyle::Solid, FillStyle::Transparent,
                                      FillStyle::UpwardDiagonal};
    s.drawMode = modes[rng.between(0, 2)];
    s.drawStyle = styles[rng.between(0, 2)];
    s.fillStyle = fills[rng.between(0, 2)];
    s.fillColour = VbColour(rng.next() & 0xffffff);
}

void drawLine(Surface& s, Rng& rng, VbColour colour)
{
    const double x1 = coordinate(rng, s.width()), y1 = coordinate(rng, s.height());
    double x2 = coordinate(rng, s.width()), y2 = coordinate(rng, s.height());
    const int special = rng.between(0, 99);
    if (special < 5)
        y2 = y1; // horizontal
    else if (special < 10)
        x2 = x1; // vertical
    else if (special < 15)
        y2 = y1 + (rng.chance(50) ? x2 - x1 : x1 - x2); // diagonal
    else if (special < 17)
        x2 = x1, y2 = y1; // a single point, which draws nothing
    s.line(x1, y1, x2, y2, colour);
}

// Draws count shapes of one kind, each on a fresh copy of the backdrop, and folds the image after
// each one into the returned checksum.
quint64 drawGroup(Kind kind, int width, int height, quint64 seed, int count)
{
    Surface s(width, height);
    s.setPicture(backdrop(width, height));
    Rng rng(seed);
    quint64 hash = FnvOffset;
    for (int i = 0; i < count; ++i) {
        s.cls();
        pickState(s, rng);
        const VbColour colour = VbColour(rng.next() & 0xffffff);
        const int w = s.width(), h = s.height();
        switch (kind) {
        case Kind::Lines:
            drawLine(s, rng, colour);
            break;
        case Kind::Boxes: {
            const double x1 = coordinate(rng, w), y1 = coordinate(rng, h);
            const double x2 = coordinate(rng, w), y2 = coordinate(rng, h);
            if (rng.chance(25))
                s.filledBox(x1, y1, x2, y2, colour);
            else
                s.box(x1, y1, x2, y2, colour);
            break;
        }
        case Kind::Circles:
        case Kind::FilledCircles: {
            if (kind == Kind::FilledCircles)
                s.fillStyle = FillStyle::Solid;
            const double cx = rng.chance(60) ? coordinate(rng, w) : rng.between(-1500, 1900);
            const double cy = rng.chance(60) ? coordinate(rng, h) : rng.between(-1500, 1900);
            s.circle(cx, cy, radius(rng), colour);
            break;
        }
        case Kind::Arcs: {
            const double cx = rng.chance(60) ? coordinate(rng, w) : rng.between(-1500, 1900);
            const double cy = rng.chance(60) ? coordinate(rng, h) : rng.between(-1500, 1900);
            const double r = radius(rng);
            const double start = angle(rng);
            s.arc(cx, cy, r, start, angle(rng), colour);
            break;
        }
        case Kind::Points:
            for (int k = 0; k < 20; ++k) {
                const double x = coordinate(rng, w), y = coordinate(rng, h);
                s.pset(x, y, colour);
                hash = fold(hash, quint64(s.point(coordinate(rng, w), coordinate(rng, h))));
            }
            break;
        }
        hash = fold(hash, imageHash(s.image()));
    }
    return hash;
}

struct Group {
    const char* name;
    Kind kind;
    int width, height;
    quint64 seed;
    int count;
    quint64 expected;
};

// Checksums recorded from the straightforward stepping drawer, which walked every pixel of a
// segment or circle, on or off the surface.
const Group Groups[] = {
    {"lines 404x404 a", Kind::Lines, 404, 404, 1, 250, 0x23c56c46c68fa708ull},
    {"lines 404x404 b", Kind::Lines, 404, 404, 2, 250, 0x7c465dcb94ded846ull},
    {"lines 404x404 c", Kind::Lines, 404, 404, 3, 250, 0x57be76c562a96fd5ull},
    {"lines 404x404 d", Kind::Lines, 404, 404, 4, 250, 0x72653539690e1efeull},
    {"lines 404x404 e", Kind::Lines, 404, 404, 5, 250, 0x7b23b34e9094d04bull},
    {"lines 404x404 f", Kind::Lines, 404, 404, 6, 250, 0x6650327683391027ull},
    {"lines 404x404 g", Kind::Lines, 404, 404, 7, 250, 0x31c7c80a90f1a069ull},
    {"lines 404x404 h", Kind::Lines, 404, 404, 8, 250, 0x5ae71b1c20d01922ull},
    {"lines 404x404 i", Kind::Lines, 404, 404, 9, 250, 0xa236e8ba4ca9a154ull},
    {"lines 404x404 j", Kind::Lines, 404, 404, 10, 250, 0x37dfcaa669d7471cull},
    {"lines 404x404 k", Kind::Lines, 404, 404, 11, 250, 0xf0e7fa7a6a517445ull},
    {"lines 404x404 l", Kind::Lines, 404, 404, 12, 250, 0x1f0c431776fb0092ull},
    {"lines 404x404 m", Kind::Lines, 404, 404, 13, 250, 0x86fb9793f99fd624ull},
    {"lines 404x404 n", Kind::Lines, 404, 404, 14, 250, 0xca8b499327954f1aull},
    {"lines 404x404 o", Kind::Lines, 404, 404, 15, 250, 0x84d3eacd79e8c15aull},
    {"lines 404x404 p", Kind::Lines, 404, 404, 16, 250, 0x908a613a6a216118ull},
    {"lines wide 300x170 a", Kind::Lines, 300, 170, 21, 250, 0x3ac1d7cf627b95f6ull},
    {"lines wide 300x170 b", Kind::Lines, 300, 170, 22, 250, 0x0cef37dd6128a790ull},
    {"lines wide 300x170 c", Kind::Lines, 300, 170, 23, 250, 0xee3ba7fdccb78cbfull},
    {"lines wide 300x170 d", Kind::Lines, 300, 170, 24, 250, 0x392289ace6607a94ull},
    {"lines tall 97x404 a", Kind::Lines, 97, 404, 31, 250, 0xffe8f89c4212597aull},
    {"lines tall 97x404 b", Kind::Lines, 97, 404, 32, 250, 0xd9de3f1484cc50dbull},
    {"lines tall 97x404 c", Kind::Lines, 97, 404, 33, 250, 0x17524241017fb8a5ull},
    {"lines tall 97x404 d", Kind::Lines, 97, 404, 34, 250, 0x798042c1a0d36a07ull},
    {"lines 1x1", Kind::Lines, 1, 1, 41, 400, 0x0e3ba7648eb4e9c4ull},
    {"boxes 404x404 a", Kind::Boxes, 404, 404, 51, 150, 0xba3a39fa8dc067ebull},
    {"boxes 404x404 b", Kind::Boxes, 404, 404, 52, 150, 0x48831884b1c693d4ull},
    {"boxes 404x404 c", Kind::Boxes, 404, 404, 53, 150, 0x29e4df855d5b9330ull},
    {"boxes wide 300x170", Kind::Boxes, 300, 170, 54, 150, 0x2712acde83cb8386ull},
    {"circles 404x404 a", Kind::Circles, 404, 404, 61, 150, 0x546bf7acac1e414aull},
    {"circles 404x404 b", Kind::Circles, 404, 404, 62, 150, 0xab12007a0cb999aaull},
    {"circles 404x404 c", Kind::Circles, 404, 404, 63, 150, 0x81d9643ab4654b86ull},
    {"circles 404x404 d", Kind::Circles, 404, 404, 64, 150, 0x251e83041ecad907ull},
    {"circles wide 300x170", Kind::Circles, 300, 170, 65, 150, 0x239839c634979872ull},
    {"circles tall 97x404", Kind::Circles, 97, 404, 66, 150, 0x683a269058512983ull},
    {"circles 1x1", Kind::Circles, 1, 1, 67, 200, 0x12533e0f7942094full},
    {"filled circles 404x404 a", Kind::FilledCircles, 404, 404, 71, 120, 0xb2d79b6091a1683aull},
    {"filled circles 404x404 b", Kind::FilledCircles, 404, 404, 72, 120, 0x0cdb79350b08959bull},
    {"filled circles 404x404 c", Kind::FilledCircles, 404, 404, 73, 120, 0xda436da58207f9e2ull},
    {"filled circles wide 300x170", Kind::FilledCircles, 300, 170, 74, 120, 0x0e52383a7499a4a8ull},
    {"filled circles tall 97x404", Kind::FilledCircles, 97, 404, 75, 120, 0x88f6a33bf190114aull},
    {"arcs 404x404 a", Kind::Arcs, 404, 404, 81, 150, 0x2591429299e84ba6ull},
    {"arcs 404x404 b", Kind::Arcs, 404, 404, 82, 150, 0xf173bdc41deb190dull},
    {"arcs 404x404 c", Kind::Arcs, 404, 404, 83, 150, 0xdacb6ca0f25f8eb2ull},
    {"arcs 404x404 d", Kind::Arcs, 404, 404, 84, 150, 0xff931a2fcd54119cull},
    {"arcs wide 300x170", Kind::Arcs, 300, 170, 85, 150, 0x8c6f3e9f7f1226c1ull},
    {"arcs tall 97x404", Kind::Arcs, 97, 404, 86, 150, 0x081dfe403524c84eull},
    {"points 404x404", Kind::Points, 404, 404, 91, 100, 0x0cb30188777d2f91ull},
    {"points wide 300x170", Kind::Points, 300, 170, 92, 100, 0xb6e3e1269dfd4f20ull},
};

// An image of the back colour with up to two rectangles painted over it, in order.
QImage paintedRects(int width, int height, VbColour back, QRect first, VbColour firstColour,
                    QRect second, VbColour secondColour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toPixel(back));
    for (const auto& [rect, colour] : {std::pair{first, firstColour}, {second, secondColour}})
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                image.setPixel(x, y, toPixel(colour));
    return image;
}

// The hash of a segment drawn on the backdrop of a 404 × 404 surface.
quint64 segmentHash(DrawStyle style, DrawMode mode, double x1, double y1, double x2, double y2)
{
    Surface s(404, 404);
    s.setPicture(backdrop(404, 404));
    s.cls();
    s.drawStyle = style;
    s.drawMode = mode;
    s.line(x1, y1, x2, y2, rgbColour(200, 30, 90));
    return imageHash(s.image());
}

// Shapes named in the tables below.
enum class Shape { Line, Box, FilledBox, Circle, FilledCircle, Arc, Pset };

void drawShape(Surface& s, Shape shape, const QList<double>& a, VbColour colour)
{
    s.fillStyle = FillStyle::Transparent;
    switch (shape) {
    case Shape::Line:
        s.line(a[0], a[1], a[2], a[3], colour);
        break;
    case Shape::Box:
        s.box(a[0], a[1], a[2], a[3], colour);
        break;
    case Shape::FilledBox:
        s.filledBox(a[0], a[1], a[2], a[3], colour);
        break;
    case Shape::FilledCircle:
        s.fillStyle = FillStyle::Solid;
        [[fallthrough]];
    case Shape::Circle:
        s.circle(a[0], a[1], a[2], colour);
        break;
    case Shape::Arc:
        s.arc(a[0], a[1], a[2], a[3], a[4], colour);
        break;
    case Shape::Pset:
        s.pset(a[0], a[1], colour);
        break;
    }
}

constexpr VbColour Red = rgbColour(255, 0, 0);
constexpr VbColour Blue = rgbColour(0, 0, 255);
constexpr VbColour White = rgbColour(255, 255, 255);
constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

} // namespace

Q_DECLARE_METATYPE(DrawStyle)
Q_DECLARE_METATYPE(DrawMode)
Q_DECLARE_METATYPE(Shape)

class TestSurface : public QObject {
    Q_OBJECT
private slots:
    void drawsRecordedPixels_data();
    void drawsRecordedPixels();
    void farOffSegmentsKeepVisiblePixels_data();
    void farOffSegmentsKeepVisiblePixels();
    void hugeShapesDrawVisiblePart_data();
    void hugeShapesDrawVisiblePart();
    void nonFiniteCoordinatesDrawNothing_data();
    void nonFiniteCoordinatesDrawNothing();
};

void TestSurface::drawsRecordedPixels_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("count");
    QTest::addColumn<quint64>("expected");
    for (const Group& g : Groups)
        QTest::newRow(g.name) << int(g.kind) << g.width << g.height << g.seed << g.count
                              << g.expected;
}

// State: a fixed series of random shapes per row, drawn on a striped backdrop.
// Action: draw each shape on a fresh copy of the backdrop.
// Expected: the images give the checksum recorded for that series.
void TestSurface::drawsRecordedPixels()
{
    QFETCH(int, kind);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(quint64, seed);
    QFETCH(int, count);
    QFETCH(quint64, expected);
    QCOMPARE(drawGroup(Kind(kind), width, height, seed, count), expected);
}

void TestSurface::farOffSegmentsKeepVisiblePixels_data()
{
    QTest::addColumn<DrawStyle>("style");
    QTest::addColumn<DrawMode>("mode");
    QTest::addColumn<QList<double>>("far");
    QTest::addColumn<QList<double>>("near");
    QTest::addColumn<quint64>("expected");
    const auto row = [](const char* name, DrawStyle style, DrawMode mode, QList<double> far,
                        QList<double> near, quint64 expected) {
        QTest::newRow(name) << style << mode << far << near << expected;
    };
    const DrawStyle solid = DrawStyle::Solid, dash = DrawStyle::Dash, dot = DrawStyle::Dot;
    const DrawMode pen = DrawMode::CopyPen, merge = DrawMode::MergePen;
    // The near segment lies on the same line, shorter by a whole number of pattern periods when
    // the style is dashed or dotted, so that the visible pixels and their phase are the same.
    row("row 200 from -1e9, solid", solid, pen, {-1e9, 200, 200, 200}, {-3016, 200, 200, 200},
        0xb19be88cc1ac9ea9ull);
    row("row 200 from -1e9, dashed", dash, pen, {-1e9, 200, 200, 200}, {-3016, 200, 200, 200},
        0xa7d5f170ca9eb199ull);
    row("row 200 from -1e9, dotted", dot, merge, {-1e9, 200, 200, 200}, {-3016, 200, 200, 200},
        0xb72ea12be5b6812bull);
    row("column 123 up from 1e9, dashed", dash, merge, {123, 1e9, 123, -5}, {123, 3016, 123, -5},
        0x22191d118ed21783ull);
    row("slope 1/3 from 9e8 away, solid", solid, pen, {200 - 9e8, 100 - 3e8, 350, 150},
        {-2800, -900, 350, 150}, 0xab8638b1a78c456dull);
    row("slope 1/3 from 9e8 away, dashed", dash, pen, {200 - 9e8, 100 - 3e8, 350, 150},
        {-2800, -900, 350, 150}, 0x5db9f9f83bbfb0aeull);
    row("slope 1/3 from 9e8 away, dotted", dot, pen, {200 - 9e8, 100 - 3e8, 350, 150},
        {-2800, -900, 350, 150}, 0x46df8851334976feull);
    row("slope 5/2 from 1e9 away, solid", solid, pen, {300 - 4e8, 390 - 1e9, 300, 390},
        {-916, -2650, 300, 390}, 0x17709c4a6f956a89ull);
    row("slope 5/2 from 1e9 away, dashed", dash, merge, {300 - 4e8, 390 - 1e9, 300, 390},
        {-916, -2650, 300, 390}, 0xf91bec61bc84085dull);
    row("slope 5/2 from 1e9 away, dotted", dot, pen, {300 - 4e8, 390 - 1e9, 300, 390},
        {-916, -2650, 300, 390}, 0xa252c445a221f3f9ull);
    row("leftward slope -4/7 from 7e8 away, dashed", dash, pen, {10 + 7e8, 300 - 4e8, 10, 300},
        {2810, -1300, 10, 300}, 0x5dc66d0208ec0622ull);
    row("leftward slope -4/7 from 7e8 away, dotted", dot, pen, {10 + 7e8, 300 - 4e8, 10, 300},
        {2810, -1300, 10, 300}, 0xc92c957f3b6e17e2ull);
    row("end 1.5e9 away, dashed", dash, pen, {50, 60, 50 + 1.5e9, 60 + 6e8}, {50, 60, 3050, 1260},
        0xb73014efa96f4643ull);
    row("end 5e14 away, dashed", dash, pen, {50, 60, 50 + 5e14, 60 + 2e14}, {50, 60, 3050, 1260},
        0xb73014efa96f4643ull);
    row("start 3e15 away, solid", solid, pen, {350 - 3e15, 150 - 1e15, 350, 150},
        {-2650, -850, 350, 150}, 0xab8638b1a78c456dull);
    row("row 0 from -1e9 to 1e9, solid", solid, pen, {-1e9, 0, 1e9, 0}, {-3000, 0, 3000, 0},
        0xe4b97e65843e31cdull);
    row("row 0 from -1e9 to 1e9, dashed", dash, pen, {-1e9, 0, 1e9, 0}, {-3016, 0, 3000, 0},
        0xb49bd3f942a8f6f3ull);
    row("row 7 from -1e300 to 1e300", solid, pen, {-1e300, 7, 1e300, 7}, {-3000, 7, 3000, 7},
        0xc3a8e9dd354dcc08ull);
    row("diagonal from -1e9 to 1e9, dashed", dash, pen, {-1e9, -1e9 + 5, 1e9, 1e9 + 5},
        {-3016, -3011, 3000, 3005}, 0x280aadd3b26f7efeull);
    row("diagonal from -1e15 to 1e15, solid", solid, pen, {-1e15, -1e15 + 5, 1e15, 1e15 + 5},
        {-3000, -2995, 3000, 3005}, 0xa94905eb60d99358ull);
}

// State: a 404 × 404 surface over the striped backdrop.
// Action: draw a segment reaching far off the surface, then a short one on the same line.
// Expected: both give the checksum the short segment had with the stepping drawer.
void TestSurface::farOffSegmentsKeepVisiblePixels()
{
    QFETCH(DrawStyle, style);
    QFETCH(DrawMode, mode);
    QFETCH(QList<double>, far);
    QFETCH(QList<double>, near);
    QFETCH(quint64, expected);
    QCOMPARE(segmentHash(style, mode, near[0], near[1], near[2], near[3]), expected);
    QCOMPARE(segmentHash(style, mode, far[0], far[1], far[2], far[3]), expected);
}

void TestSurface::hugeShapesDrawVisiblePart_data()
{
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<QList<double>>("args");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<VbColour>("firstColour");
    QTest::addColumn<QRect>("second");
    QTest::addColumn<VbColour>("secondColour");
    // The outline is drawn in red, the inside of a filled circle in blue.
    const auto row = [](const char* name, Shape shape, QList<double> args, QRect first,
                        VbColour firstColour, QRect second = {}, VbColour secondColour = 0) {
        QTest::newRow(name) << shape << args << first << firstColour << second << secondColour;
    };
    const QRect none;
    const QRect all(0, 0, 404, 404);
    const double top = M_PI / 2;
    row("segment from -1e9 to the middle of row 200", Shape::Line, {-1e9, 200, 200, 200},
        QRect(0, 200, 200, 1), Red);
    row("segment from -1e9 to 1e9 along row 0", Shape::Line, {-1e9, 0, 1e9, 0}, QRect(0, 0, 404, 1),
        Red);
    row("box with sides 1e12 away", Shape::Box, {-1e12, 10, 1e12, 20}, QRect(0, 10, 404, 1), Red,
        QRect(0, 20, 404, 1), Red);
    row("filled box from -1e300 to 1e300", Shape::FilledBox, {-1e300, -1e300, 1e300, 5},
        QRect(0, 0, 404, 6), Red);
    row("filled box wholly below, 1e12 away", Shape::FilledBox, {0, 2e12, 100, 1.5e12}, none, Red);
    row("radius 1e9 touching row 200 from below", Shape::Circle, {200, 200 + 1e9, 1e9},
        QRect(0, 200, 404, 1), Red);
    row("radius 1e9 touching row 403 from below", Shape::Circle, {100, 403 + 1e9, 1e9},
        QRect(0, 403, 404, 1), Red);
    row("radius 1e9 touching column 0 from the left", Shape::Circle, {-1e9, 150, 1e9},
        QRect(0, 0, 1, 404), Red);
    row("radius 1e9 touching column 403 from the right", Shape::Circle, {403 + 1e9, 150, 1e9},
        QRect(403, 0, 1, 404), Red);
    row("radius 1e12 touching row 200 from below", Shape::Circle, {200, 200 + 1e12, 1e12},
        QRect(0, 200, 404, 1), Red);
    row("radius 1e9 around the surface", Shape::Circle, {200, 200, 1e9}, none, Red);
    row("radius 1e9 far away", Shape::Circle, {5e9, -3e9, 1e9}, none, Red);
    row("filled, radius 1e9 touching row 200 from below", Shape::FilledCircle,
        {200, 200 + 1e9, 1e9}, QRect(0, 201, 404, 203), Blue, QRect(0, 200, 404, 1), Red);
    row("filled, radius 1e9 around the surface", Shape::FilledCircle, {200, 200, 1e9}, all, Blue);
    row("filled, radius 1e15 around the surface", Shape::FilledCircle, {200, 200, 1e15}, all, Blue);
    row("filled, radius 1e9 far away", Shape::FilledCircle, {5e9, -3e9, 1e9}, none, Blue);
    row("arc of radius 1e9 left of its top", Shape::Arc, {200, 200 + 1e9, 1e9, top, top + 100.5e-9},
        QRect(100, 200, 101, 1), Red);
    row("arc of radius 1e9 right of its top", Shape::Arc,
        {200, 200 + 1e9, 1e9, top - 50.5e-9, top - 0.5e-9}, QRect(201, 200, 50, 1), Red);
    row("arc of radius 1e9 around the surface", Shape::Arc, {200, 200, 1e9, 0.5, 2.5}, none, Red);
}

// State: a white 404 × 404 surface.
// Action: draw a shape reaching far beyond it.
// Expected: only its visible part, painted in the expected rectangles; it finishes at once.
void TestSurface::hugeShapesDrawVisiblePart()
{
    QFETCH(Shape, shape);
    QFETCH(QList<double>, args);
    QFETCH(QRect, first);
    QFETCH(VbColour, firstColour);
    QFETCH(QRect, second);
    QFETCH(VbColour, secondColour);
    Surface s(404, 404);
    s.fillColour = Blue;
    drawShape(s, shape, args, Red);
    QCOMPARE(s.image(), paintedRects(404, 404, White, first, firstColour, second, secondColour));
}

void TestSurface::nonFiniteCoordinatesDrawNothing_data()
{
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<QList<double>>("args");
    const auto row = [](const char* name, Shape shape, QList<double> args) {
        QTest::newRow(name) << shape << args;
    };
    row("segment from a NaN x", Shape::Line, {Nan, 5, 100, 5});
    row("segment from an infinite y", Shape::Line, {5, -Inf, 5, 100});
    row("segment to an infinite x", Shape::Line, {5, 5, Inf, 5});
    row("segment to a NaN y", Shape::Line, {5, 5, 100, Nan});
    row("box with a NaN corner", Shape::Box, {Nan, 10, 100, 100});
    row("box with an infinite corner", Shape::Box, {10, 10, 100, Inf});
    row("filled box with an infinite corner", Shape::FilledBox, {-Inf, 10, 100, 100});
    row("circle with a NaN centre", Shape::Circle, {Nan, 100, 50});
    row("circle of infinite radius", Shape::Circle, {100, 100, Inf});
    row("filled circle of infinite radius", Shape::FilledCircle, {100, 100, Inf});
    row("filled circle of NaN radius", Shape::FilledCircle, {100, 100, Nan});
    row("arc with an infinite centre", Shape::Arc, {Inf, 100, 50, 0, 1});
    row("arc of NaN radius", Shape::Arc, {100, 100, Nan, 0, 1});
    row("arc from a NaN angle", Shape::Arc, {100, 100, 50, Nan, 1});
    row("arc to an infinite angle", Shape::Arc, {100, 100, 50, 0, Inf});
    row("point at a NaN x", Shape::Pset, {Nan, 100});
    row("point at an infinite y", Shape::Pset, {100, -Inf});
}

// State: a white 404 × 404 surface.
// Action: draw a shape with a NaN or infinite value.
// Expected: the surface stays white.
void TestSurface::nonFiniteCoordinatesDrawNothing()
{
    QFETCH(Shape, shape);
    QFETCH(QList<double>, args);
    Surface s(404, 404);
    s.fillColour = Blue;
    drawShape(s, shape, args, Red);
    QCOMPARE(s.image(), paintedRects(404, 404, White, {}, 0, {}, 0));
}

QTEST_GUILESS_MAIN(TestSurface)
#include "tst_surface.moc"
