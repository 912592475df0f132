// SPDX-License-Identifier: GPL-3.0-or-later
// The bench picture checked pixel by pixel: static picture, rays, colours and the redraw cycle.
#include "core/bench/lamp.h"
#include "core/bench/lampicon.h"
#include "core/bench/optics.h"
#include "core/bench/redraw.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtTest>
#include <cmath>

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
char* toString(const Rgb& c)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b));
}
Rgb at(const BenchPicture& p, int x, int y)
{
    const QRgb px = p.dessin.image().pixel(x, y);
    return {qRed(px), qGreen(px), qBlue(px)};
}
// A point at distance d from the centre in the direction phi (degrees, anticlockwise on screen).
QPoint along(double phiDeg, double d)
{
    const double a = phiDeg * M_PI / 180;
    return {int(std::lround(201 + d * std::cos(a))), int(std::lround(201 - d * std::sin(a)))};
}

// True when the ray of that colour passes through the pixel or one of its eight neighbours (the
// raster of a line may be one pixel off the exact point).
bool near(const BenchPicture& p, QPoint q, Rgb colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (at(p, q.x() + dx, q.y() + dy) == colour)
                return true;
    return false;
}

constexpr Rgb Yellow589{249, 255, 0};
constexpr Rgb Half589{124, 128, 0};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb LightGrey{192, 192, 192};
constexpr Rgb DarkGrey{128, 128, 128};

} // namespace

class TestBenchPicture : public QObject {
    Q_OBJECT

    BenchState state;
    BenchOptions options;
    BenchPicture picture;
    int timerStarts = 0;
    int timerStops = 0;

    void redraw()
    {
        redrawBench(state, options, picture);
        redrawWhiteLight(state, options, picture);
    }

private slots:
    void init()
    {
        state = BenchState{};
        buildSpectrumColours(state);
        options = BenchOptions{};
        // A fresh picture: no callback of an earlier test is left behind.
        picture = BenchPicture{};
        timerStarts = 0;
        timerStops = 0;
    }

    void wavelengthColour_data()
    {
        QTest::addColumn<int>("wavelength");
        QTest::addColumn<Rgb>("full");
        QTest::addColumn<Rgb>("half");
        QTest::newRow("violet limit") << 400 << Rgb{0, 0, 128} << Rgb{0, 0, 64};
        QTest::newRow("below blue ramp") << 439 << Rgb{0, 0, 252} << Rgb{0, 0, 126};
        QTest::newRow("blue") << 440 << Rgb{0, 0, 255} << Rgb{0, 0, 128};
        QTest::newRow("blue-cyan") << 470 << Rgb{0, 128, 255} << Rgb{0, 64, 128};
        QTest::newRow("sodium") << 589 << Yellow589 << Half589;
        QTest::newRow("orange") << 650 << Rgb{255, 159, 0} << Rgb{128, 80, 0};
        QTest::newRow("end of orange ramp") << 749 << Rgb{255, 2, 0} << Rgb{128, 1, 0};
        QTest::newRow("red") << 750 << Rgb{255, 0, 0} << Rgb{128, 0, 0};
        QTest::newRow("red limit") << 800 << Rgb{128, 0, 0} << Rgb{64, 0, 0};
    }
    void wavelengthColour()
    {
        QFETCH(int, wavelength);
        QFETCH(Rgb, full);
        QFETCH(Rgb, half);
        VbColour c = 0, c2 = 0;
        ::wavelengthColour(wavelength, c, c2);
        QCOMPARE((Rgb{int(c & 255), int((c >> 8) & 255), int(c >> 16)}), full);
        QCOMPARE((Rgb{int(c2 & 255), int((c2 >> 8) & 255), int(c2 >> 16)}), half);
    }

    void wavelengthColourOutsideRangeLeavesOutputs()
    {
        VbColour c = 12345, c2 = 678;
        ::wavelengthColour(399, c, c2);
        ::wavelengthColour(801, c, c2);
        QCOMPARE(c, VbColour(12345));
        QCOMPARE(c2, VbColour(678));
    }

    // State: start-up experiment. Expected: the rays of crown glass in air at 589 nm.
    void startValuesGeometry()
    {
        redraw();
        QCOMPARE(state.benchDrawnFor, 1);
        QVERIFY(std::abs(picture.line1.x1 - 66.65) < 0.01);
        QVERIFY(std::abs(picture.line1.y1 - 335.35) < 0.01);
        QCOMPARE(picture.lampeTopLeft.x(), double(picture.line1.x1) - 16);
        QCOMPARE(picture.line1.colour, rgbColour(249, 255, 0));
        QVERIFY(std::abs(state.nDisc - 1.506516) < 1e-6);
        // Refracted ray up and to the right at 28.0014° above the normal, in the full colour.
        for (double d : {60.0, 120.0, 190.0}) {
            const QPoint p = along(28.0014, d);
            QCOMPARE(at(picture, p.x(), p.y()), Yellow589);
        }
        // Partial reflection up and to the left (mirror of the incident ray), half colour.
        for (double d : {60.0, 150.0}) {
            const QPoint p = along(135, d);
            QCOMPARE(at(picture, p.x(), p.y()), Half589);
        }
        // Nothing drawn below the normal on the right: the half-disc's fill.
        QCOMPARE(at(picture, 300, 260), (Rgb{60, 60, 60}));
    }

    void staticPictureBlackHalfDisc()
    {
        drawBenchBackground(state, options, picture);
        QCOMPARE(state.benchDrawnFor, 1);
        QCOMPARE(at(picture, 260, 240), (Rgb{60, 60, 60})); // inside the half-disc
        QCOMPARE(at(picture, 140, 240), Black);             // the left half was erased
        QCOMPARE(at(picture, 201, 100), LightGrey);         // the flat face
        QCOMPARE(at(picture, 341, 201), LightGrey);         // right end of the half-disc
        QCOMPARE(at(picture, 201 + 170, 201), LightGrey);   // graduated circle
        // The normal is dashed and stops 31 pixels inside the circle.
        int on = 0;
        for (int x = 61; x < 342; ++x)
            on += at(picture, x, 201) == LightGrey;
        QVERIFY2(on > 150 && on < 281, qPrintable(QString::number(on)));
        QCOMPARE(at(picture, 58, 201), Black);
    }

    void staticPictureWhiteMirror()
    {
        options.blackBackground = false;
        options.halfDisc = false;
        drawBenchBackground(state, options, picture);
        QCOMPARE(state.benchDrawnFor, 2);
        QCOMPARE(at(picture, 201, 100), DarkGrey); // the mirror surface
        QCOMPARE(at(picture, 140, 240), White);
        // A hatched strip on the mirror's right, without a visible outline.
        int hatched = 0, white = 0;
        for (int y = 62; y < 342; ++y)
            for (int x = 204; x < 213; ++x)
                if (y != 201)
                    (at(picture, x, y) == DarkGrey ? hatched : white)++;
        QVERIFY(hatched > 200 && white > hatched);
        for (int y = 61; y <= 342; ++y) {
            if (y == 201)
                continue; // the normal crosses the strip
            QCOMPARE(at(picture, 203, y), White);
            QCOMPARE(at(picture, 213, y), White);
        }
        // Diagonal stripes rising to the right: the pixel up-right of a hatched one is hatched.
        for (int y = 70; y < 190; ++y)
            for (int x = 205; x < 211; ++x)
                if (at(picture, x, y) == DarkGrey)
                    QCOMPARE(at(picture, x + 1, y - 1), DarkGrey);
    }

    void labelsFollowTheCircle()
    {
        drawBenchBackground(state, options, picture);
        // The label at the top ("90") is upright: it is the text itself, centred above the centre,
        // its top row on the circle of radius 162.
        QFont f = picture.dessin.font();
        f.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics fm(f);
        QImage text(fm.horizontalAdvance(QStringLiteral("90")), fm.height(), QImage::Format_RGB32);
        text.fill(Qt::white);
        {
            QPainter p(&text);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(QPointF(0, fm.ascent()), QStringLiteral("90"));
        }
        int black = 0, matched = 0;
        for (int j = 0; j < text.height(); ++j)
            for (int i = 0; i < text.width(); ++i)
                if (text.pixel(i, j) == qRgb(0, 0, 0)) {
                    ++black;
                    const int x = int(std::nearbyint(201 + i - text.width() / 2.0 + 0.5));
                    matched += at(picture, x, 39 + j) == LightGrey;
                }
        QVERIFY(black > 10);
        QVERIFY2(matched >= black * 9 / 10,
                 qPrintable(QStringLiteral("%1/%2").arg(matched).arg(black)));
        // The bottom label is the top one turned upside down about the centre, and the left "0"
        // is the right one turned the same way.
        auto symmetric = [&](QRect area) {
            int n = 0, same = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (at(picture, x, y) == LightGrey) {
                        ++n;
                        same += at(picture, 402 - x, 402 - y) == LightGrey;
                    }
            return std::pair{n, same};
        };
        const auto [topN, topSame] = symmetric(QRect(185, 36, 32, 18));
        QVERIFY(topN > 10 && topSame >= topN * 8 / 10);
        const auto [rightN, rightSame] = symmetric(QRect(346, 190, 18, 22));
        QVERIFY2(rightN > 5 && rightSame >= rightN * 6 / 10,
                 qPrintable(QStringLiteral("%1/%2").arg(rightSame).arg(rightN)));
        // "0" is narrower than "90": the side labels hold fewer pixels than the top one.
        QVERIFY(rightN < topN);
    }

    // A surface of scale k: lines k pixels thick, the dashes at their 1× spacing.
    void scaledLines_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("thickness");
        QTest::newRow("2") << 2.0 << 2;
        QTest::newRow("3") << 3.0 << 3;
        QTest::newRow("1,5") << 1.5 << 2;
    }
    void scaledLines()
    {
        QFETCH(double, scale);
        QFETCH(int, thickness);
        Surface s(60, 60, scale);
        QCOMPARE(s.image().size(), QSize(int(std::ceil(60 * scale)), int(std::ceil(60 * scale))));
        s.cls();
        s.line(5, 20, 55, 20, rgbColour(255, 0, 0));
        s.line(30, 2, 30, 50, rgbColour(0, 0, 255));
        s.drawStyle = DrawStyle::Dash;
        s.line(0, 55, 60, 55, rgbColour(0, 128, 0));
        auto count = [&](int x0, int y0, int dx, int dy, QRgb c) {
            int n = 0;
            for (int x = x0, y = y0;
                 x >= 0 && y >= 0 && x < s.image().width() && y < s.image().height();
                 x += dx, y += dy)
                n += s.image().pixel(x, y) == c;
            return n;
        };
        const int across = int(s.toDevice(10)), down = int(s.toDevice(40));
        QCOMPARE(count(across, 0, 0, 1, qRgb(255, 0, 0)), thickness);
        QCOMPARE(count(0, down, 1, 0, qRgb(0, 0, 255)), thickness);
        // 18 on and 6 off in 1× pixels: the first dash is 18 k image pixels long.
        const int row = int(std::nearbyint(s.toDevice(55)));
        const int start = int(std::nearbyint(s.toDevice(0)));
        int first = 0;
        while (s.image().pixel(start + first, row) == qRgb(0, 128, 0))
            ++first;
        QVERIFY2(std::abs(first - 18 * scale) <= 1, qPrintable(QString::number(first)));
        QCOMPARE(s.point(30, 20), std::int64_t(rgbColour(0, 0, 255)));
        QCOMPARE(s.point(10, 20), std::int64_t(rgbColour(255, 0, 0)));
    }

    // At scale 2 the graduations are drawn at twice the font size, glyph pixels whole: nothing
    // but the background and the drawing colour around a label, and about four times the pixels.
    void scaledLabelsAreSharp()
    {
        drawBenchBackground(state, options, picture);
        BenchPicture fine(2);
        BenchState fineState = state;
        drawBenchBackground(fineState, options, fine);
        const QRect top(185, 36, 32, 18);
        int coarse = 0;
        for (int y = top.top(); y <= top.bottom(); ++y)
            for (int x = top.left(); x <= top.right(); ++x)
                coarse += at(picture, x, y) == LightGrey;
        int sharp = 0, other = 0;
        for (int y = 2 * top.top(); y <= 2 * top.bottom() + 1; ++y)
            for (int x = 2 * top.left(); x <= 2 * top.right() + 1; ++x) {
                const Rgb c = at(fine, x, y);
                sharp += c == LightGrey;
                other += c != LightGrey && c != Black;
            }
        QCOMPARE(other, 0);
        QVERIFY2(sharp > 3 * coarse && sharp < 6 * coarse,
                 qPrintable(QStringLiteral("%1 / %2").arg(sharp).arg(coarse)));
        // Not the 1× glyphs enlarged: some 2 × 2 block of the label is only partly lit.
        int partial = 0;
        for (int y = 2 * top.top(); y <= 2 * top.bottom(); y += 2)
            for (int x = 2 * top.left(); x <= 2 * top.right(); x += 2) {
                const int lit = (at(fine, x, y) == LightGrey) + (at(fine, x + 1, y) == LightGrey) +
                                (at(fine, x, y + 1) == LightGrey) +
                                (at(fine, x + 1, y + 1) == LightGrey);
                partial += lit > 0 && lit < 4;
            }
        QVERIFY(partial > 0);
    }

    // The rays and their arrows of a 2× picture lie where the 1× ones do, twice as far.
    void scaledRaysAndArrowsDoubled()
    {
        redraw();
        BenchPicture fine(2);
        BenchState fineState = state;
        fineState.benchDrawnFor = 0;
        redrawBench(fineState, options, fine);
        int coarse = 0, found = 0;
        for (int y = 1; y < BenchPicture::Size - 1; ++y)
            for (int x = 1; x < BenchPicture::Size - 1; ++x) {
                if (at(picture, x, y) != Yellow589)
                    continue;
                ++coarse;
                bool hit = false;
                for (int dy = -1; dy <= 2 && !hit; ++dy)
                    for (int dx = -1; dx <= 2 && !hit; ++dx)
                        hit = at(fine, 2 * x + dx, 2 * y + dy) == Yellow589;
                found += hit;
            }
        QVERIFY2(coarse > 100, qPrintable(QString::number(coarse)));
        QVERIFY2(found >= coarse * 98 / 100,
                 qPrintable(QStringLiteral("%1/%2").arg(found).arg(coarse)));
    }

    // The static picture is drawn once per switch of background and reused otherwise.
    void cacheRedrawnOncePerSwitch()
    {
        redraw();
        redraw();
        QCOMPARE(picture.counts.background, 1);
        options.blackBackground = false;
        redraw();
        redraw();
        QCOMPARE(picture.counts.background, 2);
        QCOMPARE(state.benchDrawnFor, 2);
        options.blackBackground = true;
        redraw();
        QCOMPARE(picture.counts.background, 3);
        state.benchDrawnFor = 0; // the element changed
        options.halfDisc = false;
        redraw();
        QCOMPARE(picture.counts.background, 4);
    }

    void whiteBackgroundDrawsBlack_data()
    {
        QTest::addColumn<int>("wavelength");
        QTest::newRow("400") << 400;
        QTest::newRow("589") << 589;
        QTest::newRow("800") << 800;
    }
    void whiteBackgroundDrawsBlack()
    {
        QFETCH(int, wavelength);
        options.blackBackground = false;
        options.wavelength = wavelength;
        redraw();
        QCOMPARE(picture.line1.colour, VbColour(0));
        const double rho =
            std::asin(std::sin(45 * M_PI / 180) * state.nOuter / state.nDisc) * 180 / M_PI;
        QVERIFY(near(picture, along(rho, 150), Black));
        QVERIFY(near(picture, along(135, 150), LightGrey));
    }

    void secondColourBecomesLightGreyOnWhite()
    {
        options.blackBackground = false;
        drawBenchBackground(state, options, picture);
        picture.dessin.drawMode = DrawMode::Black;
        state.nOuter = 1;
        state.nDisc = 1.5;
        VbColour c = 0, second = paletteColour(8);
        traceRays(state, options, picture, c, second);
        QCOMPARE(second, paletteColour(7));
        QCOMPARE(picture.dessin.drawMode, DrawMode::Black); // restored after the grey ray
    }

    // Five radiations through flint glass at a steep incidence: each refracted ray in its colour.
    void fiveRadiationsColours()
    {
        state.discA = 1.5392f;
        state.discB = 31102.07f;
        state.lampAngle = 100; // 80° below the normal on the left
        options.source = Source::FiveRadiations;
        options.partialReflection = false;
        redraw();
        QCOMPARE(picture.line1.colour, paletteColour(15));
        const int wavelengths[] = {400, 500, 600, 700, 800};
        const int colours[] = {9, 11, 10, 14, 12};
        for (int k = 0; k < 5; ++k) {
            const double n1 = optics::cauchyIndex(state.outerA, state.outerB, wavelengths[k]);
            const double n2 = optics::cauchyIndex(state.discA, state.discB, wavelengths[k]);
            const double r = std::asin(n1 * std::sin(80 * M_PI / 180) / n2) * 180 / M_PI;
            const QPoint p = along(r, 165);
            const VbColour c = paletteColour(colours[k]);
            QCOMPARE(at(picture, p.x(), p.y()),
                     (Rgb{int(c & 255), int((c >> 8) & 255), int(c >> 16)}));
        }
    }

    void whiteLightFansOut()
    {
        state.discA = 1.5392f;
        state.discB = 31102.07f;
        state.lampAngle = 100;
        options.source = Source::WhiteLight;
        options.arrows = false;
        state.lampMoved = true;
        redraw();
        QVERIFY(!state.lampMoved);
        // Along an arc inside the half-disc the refracted light runs from violet to red.
        const double rViolet = std::asin(std::sin(80 * M_PI / 180) / 1.7336) * 180 / M_PI;
        const double rRed = std::asin(std::sin(80 * M_PI / 180) / 1.5878) * 180 / M_PI;
        const QPoint v = along(rViolet, 165), r = along(rRed, 165);
        QVERIFY(qBlue(picture.dessin.image().pixel(v)) > 100);
        QVERIFY(qRed(picture.dessin.image().pixel(r)) > 100);
        QVERIFY(qBlue(picture.dessin.image().pixel(r)) < 50);
    }

    void normalIncidence()
    {
        state.lampAngle = 180;
        redraw();
        QCOMPARE(at(picture, 360, 201), Yellow589); // straight through
        QCOMPARE(at(picture, 50, 201), Half589);    // straight back
        QCOMPARE(picture.line1.y1, 201.0f);
    }

    void lampStraightUpIsTotallyReflected()
    {
        state.lampAngle = 270;
        redraw();
        QVERIFY(picture.line1.x1 > 201); // side 2: from inside the glass
        QCOMPARE(at(picture, 201, 300), Yellow589);
        QCOMPARE(at(picture, 201, 380), Yellow589);
        // No refracted ray leaves to the left.
        for (int x = 60; x < 190; x += 10)
            QVERIFY(at(picture, x, 150) != Yellow589);
    }

    void lampStraightDownEntersTheGlass()
    {
        state.lampAngle = 90;
        redraw();
        QCOMPARE(picture.line1.x1, 201.0f);
        const double r = std::asin(state.nOuter / state.nDisc) * 180 / M_PI;
        QVERIFY(near(picture, along(r, 150), Yellow589));
    }

    void denserOutsideReflectsTotally()
    {
        state.outerA = 1.3259431f; // water outside, air inside
        state.outerB = 2221.5764f;
        state.discA = 1.0002747f;
        state.discB = 0.74f;
        state.lampAngle = 120; // 60° from the normal, beyond the critical angle
        options.partialReflection = false;
        redraw();
        const QPoint e = along(120, 150);
        QCOMPARE(at(picture, e.x(), e.y()), Yellow589);
        const QPoint beyond = along(-50, 150);
        QVERIFY(at(picture, beyond.x(), beyond.y()) != Yellow589);
    }

    // A medium of index 0 cannot refract: the step is skipped and the redraw still completes.
    void zeroIndexIsSkipped()
    {
        state.discA = 0;
        state.discB = 0;
        redraw();
        state.lampAngle = 300; // from inside the glass
        state.outerA = 0;
        state.outerB = 0;
        state.discA = 1.5f;
        redraw();
        QVERIFY(!picture.hidden);
    }

    void mirrorReflectsOnly()
    {
        options.halfDisc = false;
        redraw();
        const QPoint e = along(135, 150);
        QCOMPARE(at(picture, e.x(), e.y()), Yellow589); // full colour, not the half one
        const QPoint r = along(28.0, 150);
        QVERIFY(at(picture, r.x(), r.y()) != Yellow589);
    }

    void arrowsOnTheRays()
    {
        options.partialReflection = false;
        redraw();
        // The arrow on the refracted ray sits at 0.3 of the way to its end: barbs off the ray.
        const QPoint p = along(28.0014, 90);
        int coloured = 0;
        for (int dy = -8; dy <= 8; ++dy)
            for (int dx = -8; dx <= 8; ++dx)
                coloured += at(picture, p.x() + dx, p.y() + dy) == Yellow589;
        options.arrows = false;
        redraw();
        int plain = 0;
        for (int dy = -8; dy <= 8; ++dy)
            for (int dx = -8; dx <= 8; ++dx)
                plain += at(picture, p.x() + dx, p.y() + dy) == Yellow589;
        QVERIFY2(coloured > plain + 8,
                 qPrintable(QStringLiteral("%1 vs %2").arg(coloured).arg(plain)));
    }

    void arrowOnVerticalRayPointsDown()
    {
        Surface s;
        s.setBackColour(0);
        s.resize(60, 60);
        s.drawMode = DrawMode::CopyPen;
        drawArrow(s, 30, 0, 30, 60, 0.5, paletteColour(15));
        // Tip 10 pixels below P = (30, 30); barbs reaching 5 pixels left and right of P.
        QCOMPARE(s.point(30, 40), std::int64_t(0xffffff));
        QRect drawn;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                if (s.point(x, y) != 0)
                    drawn |= QRect(x, y, 1, 1);
        QVERIFY2(drawn.top() >= 30 && drawn.bottom() == 40 && drawn.left() >= 25 &&
                     drawn.left() <= 26 && drawn.right() >= 34 && drawn.right() <= 35,
                 qPrintable(QStringLiteral("%1 %2 %3 %4")
                                .arg(drawn.left())
                                .arg(drawn.top())
                                .arg(drawn.right())
                                .arg(drawn.bottom())));
    }

    void deferredRedrawTimer()
    {
        picture.startTimer1 = [this] { ++timerStarts; };
        picture.stopTimer1 = [this] { ++timerStops; };
        state.printRedrawPending = true;
        options.source = Source::WhiteLight;
        redrawBench(state, options, picture);
        redrawBench(state, options, picture);
        QCOMPARE(timerStarts, 2);
        timer1Fired(state, options, picture);
        QVERIFY(!state.printRedrawPending);
        QVERIFY(timerStops >= 1);
        redrawBench(state, options, picture);
        QCOMPARE(timerStarts, 2);
    }

    void mirrorSideAngle_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("expected");
        QTest::newRow("front right, below") << 45.0 << 135.0;
        QTest::newRow("front right, above") << 300.0 << 240.0;
        QTest::newRow("negative") << -30.0 << 210.0;
        QTest::newRow("60") << 60.0 << 120.0;
        QTest::newRow("already on the left") << 135.0 << 135.0;
        QTest::newRow("bottom edge") << 90.0 << 90.0;
        QTest::newRow("top edge") << 270.0 << 270.0;
        QTest::newRow("beyond a turn") << 400.0 << 140.0;
        QTest::newRow("far negative") << -400.0 << 220.0;
    }
    void mirrorSideAngle()
    {
        QFETCH(double, angle);
        QFETCH(double, expected);
        QCOMPARE(::mirrorSideAngle(angle), expected);
    }

    void pointerAngle_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<double>("expected");
        QTest::newRow("below") << QPoint(201, 300) << false << 90.0;
        QTest::newRow("above") << QPoint(201, 100) << false << 270.0;
        QTest::newRow("left") << QPoint(100, 201) << false << 180.0;
        QTest::newRow("right") << QPoint(300, 201) << false << 0.0;
        QTest::newRow("on the centre") << QPoint(201, 201) << false << 90.0;
        QTest::newRow("up-left") << QPoint(100, 100) << false << 225.0;
        QTest::newRow("up-right") << QPoint(300, 102) << false << 315.0;
        QTest::newRow("up-right, mirror") << QPoint(300, 102) << true << 270.0;
        QTest::newRow("down-right, mirror") << QPoint(300, 300) << true << 90.0;
        QTest::newRow("down-left, mirror") << QPoint(100, 302) << true << 135.0;
    }
    void pointerAngle()
    {
        QFETCH(QPoint, pointer);
        QFETCH(bool, mirror);
        QFETCH(double, expected);
        QVERIFY(std::abs(::pointerAngle(201 - pointer.x(), 201 - pointer.y(), mirror) - expected) <
                1e-4);
    }

    void turnedLampAngle_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("delta");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<double>("expected");
        QTest::newRow("clockwise") << 135.0 << 1.0 << false << 136.0;
        QTest::newRow("fine") << 135.0 << -0.1 << false << 134.9;
        QTest::newRow("wraps up") << 359.5 << 1.0 << false << 0.5;
        QTest::newRow("wraps down") << 0.0 << -1.0 << false << 359.0;
        QTest::newRow("mirror top") << 270.0 << 1.0 << true << 270.0;
        QTest::newRow("mirror bottom") << 90.05 << -0.1 << true << 90.0;
        QTest::newRow("after a drag") << 225.456 << 0.1 << false << 225.556;
    }
    void turnedLampAngle()
    {
        QFETCH(double, angle);
        QFETCH(double, delta);
        QFETCH(bool, mirror);
        QFETCH(double, expected);
        QVERIFY(std::abs(::turnedLampAngle(angle, delta, mirror) - expected) < 1e-9);
    }

    void composedPicturePaintsLineAndLamp()
    {
        options.arrows = false;
        redraw();
        const QImage out = picture.composed();
        QCOMPARE(out.size(), QSize(404, 404));
        // Half way along the incident ray, the composed picture has it, the drawing has not.
        const QPoint mid(int((picture.line1.x1 + 201) / 2), int((picture.line1.y1 + 201) / 2));
        int inOut = 0, inDessin = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                inOut += (out.pixel(mid + QPoint(dx, dy)) & 0xffffff) == 0xf9ff00;
                inDessin +=
                    (picture.dessin.image().pixel(mid + QPoint(dx, dy)) & 0xffffff) == 0xf9ff00;
            }
        QVERIFY(inOut > 0);
        QCOMPARE(inDessin, 0);
        // The lamp's bulb, opaque, lies over the start of the ray.
        const QPoint bulb = picture.lampeTopLeft.toPoint() + QPoint(16, 14);
        QCOMPARE(out.pixel(bulb), lampIcon().pixel(16, 14));
    }
};

QTEST_MAIN(TestBenchPicture)
#include "tst_benchpicture.moc"
