// SPDX-License-Identifier: GPL-3.0-or-later
// The protractor without a window: the pointer's direction, turning, measuring and the read-out,
// the box kept on the bench, the handles' places, and the drawing checked pixel by pixel.
#include "core/protractor/protractor.h"

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
Rgb at(const QImage& img, int x, int y)
{
    const QRgb px = img.pixel(x, y);
    return {qRed(px), qGreen(px), qBlue(px)};
}
constexpr Rgb White{255, 255, 255}, Black{0, 0, 0}, LightCyan{0, 255, 255}, Cyan{0, 128, 128};

// True when the pixel nearest to p, or one of its eight neighbours, has the colour.
bool near(const QImage& img, QPointF p, Rgb colour)
{
    const int x = int(std::lround(p.x())), y = int(std::lround(p.y()));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.rect().contains(x + dx, y + dy) && at(img, x + dx, y + dy) == colour)
                return true;
    return false;
}

// A bench with the start-up experiment, on a black or a white background.
struct Bench {
    BenchState state;
    BenchOptions options;
    BenchPicture picture;
    explicit Bench(bool black = true)
    {
        options.blackBackground = black;
        buildSpectrumColours(state);
        redrawBench(state, options, picture);
    }
};

// The box's pixel unchanged from the bench picture under it (the screen's bench, incident ray and
// lamp included).
bool untouched(const ProtractorPicture& p, const QImage& bench, QPointF q)
{
    const int x = int(std::lround(q.x())), y = int(std::lround(q.y()));
    return p.box.image().pixel(x, y) == bench.pixel(p.placedAt() + QPoint(x, y));
}

} // namespace

class TestProtractor : public QObject {
    Q_OBJECT

private slots:
    void pointer_direction_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("theta");
        QTest::newRow("right of the centre") << 190.0 << 100.0 << 0.0;
        QTest::newRow("straight above") << 100.0 << 30.0 << 1.571;
        QTest::newRow("straight below") << 100.0 << 170.0 << -1.571;
        QTest::newRow("on the centre") << 100.0 << 100.0 << -1.571;
        QTest::newRow("left of the centre") << 10.0 << 100.0 << 3.1416;
        QTest::newRow("120 degrees") << 55.0 << 22.05771365940052 << 2.094402448803402;
        QTest::newRow("below left") << 30.0 << 170.0 << 3.1416 + M_PI / 4;
        QTest::newRow("far outside the bench") << 100 + 1e9 << 100 - 1e9 << M_PI / 4;
        QTest::newRow("a hair right of the centre") << 100.000001 << 100.0 << 0.0;
        QTest::newRow("not a number") << qQNaN() << 50.0 << -1.571;
    }
    // Expected: the direction seen from the centre, anticlockwise, with the approximations of π
    // of the drawing; never NaN.
    void pointer_direction()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, theta);
        const double got = protractor::pointerDirection(x, y);
        QVERIFY(std::isfinite(got));
        QVERIFY2(std::fabs(got - theta) < 1e-9, qPrintable(QString::number(got, 'g', 17)));
    }

    // Action: drag the turning handle straight above the centre. Expected: a = 1.671.
    void turning_straight_above_the_centre()
    {
        QCOMPARE(protractor::turnedAngle(100, 30), 1.671f);
        QCOMPARE(protractor::turnedAngle(190, 100), 0.1f);
    }

    void measuring_data()
    {
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("before");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<float>("after");
        QTest::addColumn<QString>("readout");
        const float start = 1.5707964f;
        QTest::newRow("120 degrees from the start end")
            << 0.0f << start << 55.0 << 22.05771365940052 << 2.0944025f << "60,0";
        QTest::newRow("30 degrees")
            << 0.0f << start << 177.94228634059948 << 55.0 << 0.5235988f << "30,0";
        QTest::newRow("180 degrees") << 0.0f << start << 10.0 << 100.0 << 3.1415927f << "0,0";
        QTest::newRow("just past the 180 end stops on it")
            << 0.0f << start << 10.3424771717429 << 107.84401684728921 << 3.1415927f << "0,0";
        QTest::newRow("just before the 0 end stops on it")
            << 0.0f << start << 189.6575228282571 << 107.84401684728924 << 0.0f << "0,0";
        QTest::newRow("turned: just before the 0 end, two wraps")
            << 0.1f << start << 189.88752343554697 << 95.50187476563895 << 0.0f << "0,0";
        QTest::newRow("the base side is ignored")
            << 0.0f << 0.6545f << 100.0 << 190.0 << 0.6545f << "37,5";
        QTest::newRow("the pointer on the centre is the base side")
            << 0.0f << start << 100.0 << 100.0 << start << "90,0";
        QTest::newRow("turned by 4")
            << 4.0f << start << 125.52959669169036 << 186.30318471968246 << 0.9968145f << "57,1";
        QTest::newRow("turned by 6")
            << 6.0f << start << 168.83579685560397 << 42.02040814860781 << 0.9799998f << "56,1";
        QTest::newRow("far outside the bench")
            << 0.0f << start << -1e7 << -1e7 << 2.3562f << "45,0";
    }
    // Action: drag the sphere with the pointer at (x, y). Expected: the line's new angle and the
    // acute angle to the base, one decimal, comma.
    void measuring()
    {
        QFETCH(float, a);
        QFETCH(float, before);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(float, after);
        QFETCH(QString, readout);
        const float b = protractor::measuredLineAngle(a, before, x, y);
        QVERIFY2(std::fabs(b - after) < 2e-6f, qPrintable(QString::number(b, 'g', 9)));
        QCOMPARE(protractor::readout(b), readout);
    }

    void readout_data()
    {
        QTest::addColumn<float>("b");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 1.5707964f << "90,0";
        QTest::newRow("37.5") << 0.6545f << "37,5";
        QTest::newRow("obtuse reads its supplement") << 2.5f << "36,8";
        QTest::newRow("zero") << 0.0f << "0,0";
        QTest::newRow("the 180 end, a hair past in single precision") << 3.1415927f << "0,0";
        QTest::newRow("3.1416 itself") << 3.1416f << "0,0";
        QTest::newRow("one tenth") << 0.0017453f << "0,1";
    }
    // Expected: always a number from 0,0 to 90,0, never "-0,0".
    void readout()
    {
        QFETCH(float, b);
        QFETCH(QString, text);
        QCOMPARE(protractor::readout(b), text);
        const double d = protractor::measuredDegrees(b);
        QVERIFY(d >= 0 && d <= 90);
    }

    void normalising_data()
    {
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("stored");
        QTest::newRow("just above 6.28") << 6.2831f << 0.0031001f;
        QTest::newRow("6.28 in single precision lies past 6.28") << 6.28f << 2.0980835e-7f;
        QTest::newRow("negative") << -0.5f << 5.78f;
        QTest::newRow("two periods") << 12.57f << 0.0099997f;
        QTest::newRow("within") << 3.0f << 3.0f;
        QTest::newRow("zero") << 0.0f << 0.0f;
    }
    void normalising()
    {
        QFETCH(float, a);
        QFETCH(float, stored);
        const float got = protractor::normalisedAngle(a);
        QVERIFY2(std::fabs(got - stored) < 1e-6f, qPrintable(QString::number(got, 'g', 9)));
    }

    void clamping_data()
    {
        QTest::addColumn<QPointF>("wanted");
        QTest::addColumn<QPointF>("place");
        QTest::newRow("inside, not rounded") << QPointF(37.5, 12.25) << QPointF(37.5, 12.25);
        QTest::newRow("left edge") << QPointF(-5, 50) << QPointF(0, 50);
        QTest::newRow("top edge") << QPointF(50, -5) << QPointF(50, 0);
        QTest::newRow("right edge") << QPointF(300, 50) << QPointF(202, 50);
        QTest::newRow("bottom edge") << QPointF(50, 300) << QPointF(50, 202);
        QTest::newRow("top left") << QPointF(-10, -10) << QPointF(0, 0);
        QTest::newRow("top right") << QPointF(500, -10) << QPointF(202, 0);
        QTest::newRow("bottom left") << QPointF(-10, 500) << QPointF(0, 202);
        QTest::newRow("bottom right") << QPointF(500, 500) << QPointF(202, 202);
        QTest::newRow("flush") << QPointF(202, 202) << QPointF(202, 202);
    }
    // Expected: the box stops flush with the edges of the 404 × 404 bench picture.
    void clamping()
    {
        QFETCH(QPointF, wanted);
        QFETCH(QPointF, place);
        QCOMPARE(protractor::clampedPlace(wanted, QRectF(0, 0, 404, 404)), place);
    }

    void handle_places_data()
    {
        QTest::addColumn<float>("a");
        QTest::addColumn<QPointF>("turn");
        QTest::addColumn<QPointF>("cross");
        QTest::addColumn<QPointF>("sphere");
        QTest::newRow("start") << 0.0f << QPointF(179.531938, 101.064202)
                               << QPointF(4.425753, 100.645876) << QPointF(92.0, 2.0);
        QTest::newRow("turned by 4")
            << 4.0f << QPointF(27.925496, 152.319631) << QPointF(142.699128, 20.072269)
            << QPointF(160.112227, 150.827923);
    }
    // Expected: the turning handle at the right end, the cross at the left end, the sphere on the
    // graduated band at a + b (b = 1.5707964).
    void handle_places()
    {
        QFETCH(float, a);
        QFETCH(QPointF, turn);
        QFETCH(QPointF, cross);
        QFETCH(QPointF, sphere);
        const auto h = protractor::handlePlaces(a, 1.5707964f);
        auto close = [](QPointF p, QPointF q) {
            return std::fabs(p.x() - q.x()) < 1e-5 && std::fabs(p.y() - q.y()) < 1e-5;
        };
        QVERIFY(close(h.turn, turn));
        QVERIFY(close(h.cross, cross));
        QVERIFY2(close(h.sphere, sphere),
                 qPrintable(QStringLiteral("%1 %2").arg(h.sphere.x()).arg(h.sphere.y())));
    }

    // State: a = 0, b = π/2, black bench. Expected: the graduated half-circle upwards, 19 marks,
    // the base strip below the diameter, the centre mark, the vertical light cyan line.
    void drawing_at_start()
    {
        Bench bench;
        const QImage under = bench.picture.composed();
        ProtractorState state{0.0f, 1.5707964f};
        ProtractorPicture p;
        copyBenchUnder(p, bench.picture, state);
        const QImage& img = p.box.image();

        QCOMPARE(at(img, 100, 1), White); // top of the outer arc
        for (double phi : {0.3, 0.785, 1.5, 2.4, 3.0}) {
            QVERIFY2(near(img, protractor::polar(phi, 99), White),
                     qPrintable(QString::number(phi)));
            QVERIFY(near(img, protractor::polar(phi, 79), White));
        }
        for (double phi : {3.6, 4.712, 5.5}) { // no half-circle on the base side
            QVERIFY(untouched(p, under, protractor::polar(phi, 99)));
            QVERIFY(untouched(p, under, protractor::polar(phi, 79)));
        }
        // The diameter.
        for (int x : {25, 60, 140, 175})
            QCOMPARE(at(img, x, 100), White);
        // 19 marks, one every 10 degrees, and nothing between them or after the last one.
        for (int k = 0; k <= 18; ++k) {
            QVERIFY2(near(img, protractor::polar(k * 0.1745, 89), White),
                     qPrintable(QString::number(k)));
            QVERIFY(untouched(p, under, protractor::polar((k + 0.5) * 0.1745, 89)));
        }
        QVERIFY(untouched(p, under, protractor::polar(19 * 0.1745 + 0.02, 89)));
        // The base strip: P1 (1, 120) to P2 (199, 120), P1 to P3 (1, 100), P2 to P4 (199, 100).
        for (int x : {2, 50, 100, 150, 198})
            QCOMPARE(at(img, x, 120), White);
        for (int y : {105, 110, 115}) {
            QCOMPARE(at(img, 1, y), White);
            QCOMPARE(at(img, 199, y), White);
        }
        QVERIFY(untouched(p, under, QPointF(100, 125)));
        // The centre mark across the diameter, and the light cyan line straight up to the sphere.
        QCOMPARE(at(img, 100, 103), White);
        for (int y : {20, 50, 90})
            QCOMPARE(at(img, 100, y), LightCyan);
        QCOMPARE(state.protractorAngle, 0.0f);
    }

    // State: a = 4. Expected: the outer arc in two pieces (0 to 0.86 and 4 to 6.28), the inner
    // half-circle and the marks on the same half-turn.
    void drawing_turned_by_four()
    {
        Bench bench;
        const QImage under = bench.picture.composed();
        ProtractorState state{4.0f, 1.5707964f};
        ProtractorPicture p;
        copyBenchUnder(p, bench.picture, state);
        const QImage& img = p.box.image();
        for (double phi : {0.1, 0.5, 0.8, 4.1, 5.0, 6.2}) {
            QVERIFY2(near(img, protractor::polar(phi, 99), White),
                     qPrintable(QString::number(phi)));
            QVERIFY(near(img, protractor::polar(phi, 79), White));
        }
        for (double phi : {1.2, 2.0, 3.0, 3.8})
            QVERIFY2(untouched(p, under, protractor::polar(phi, 99)),
                     qPrintable(QString::number(phi)));
        for (int k = 0; k <= 18; ++k)
            QVERIFY(near(img, protractor::polar(4 + k * 0.1745, 89), White));
        QVERIFY(untouched(p, under, protractor::polar(4 - 0.0872, 89)));
        // The base strip lies on the other side of the diameter.
        QVERIFY(near(img, protractor::polar(4 - 0.2, 101).toPoint(), White));
        QVERIFY(near(img, protractor::polar(4 + M_PI / 2, 90), LightCyan));
    }

    // Expected: a value just above 6.28 is stored back near 0.0031 and drawn as that value.
    void angle_just_above_the_period()
    {
        Bench bench;
        ProtractorState above{6.2831f, 1.5707964f}, small{0.0031001f, 1.5707964f};
        ProtractorPicture p, q;
        copyBenchUnder(p, bench.picture, above);
        copyBenchUnder(q, bench.picture, small);
        QVERIFY(std::fabs(above.protractorAngle - 0.0031f) < 1e-6f);
        QCOMPARE(p.box.image(), q.box.image());
    }

    void colours_data()
    {
        QTest::addColumn<bool>("black");
        QTest::addColumn<Rgb>("main");
        QTest::addColumn<Rgb>("line");
        QTest::newRow("black bench") << true << White << LightCyan;
        QTest::newRow("white bench") << false << Black << Cyan;
    }
    void colours()
    {
        QFETCH(bool, black);
        QFETCH(Rgb, main);
        QFETCH(Rgb, line);
        Bench bench(black);
        ProtractorState state{0.0f, 1.5707964f};
        ProtractorPicture p;
        copyBenchUnder(p, bench.picture, state);
        QCOMPARE(at(p.box.image(), 100, 1), main);
        QCOMPARE(at(p.box.image(), 100, 120), main);
        QCOMPARE(at(p.box.image(), 100, 50), line);
    }

    void background_is_the_bench_under_the_box_data()
    {
        QTest::addColumn<float>("a");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<bool>("lamp");
        // The box at (0, 202) covers the lamp and the incident ray at the bottom left.
        QTest::newRow("the lamp, below the base strip") << 0.0f << 122 << 201 << true;
        QTest::newRow("the incident ray, above a turned base") << 3.1415927f << 0 << 78 << false;
    }
    // Expected: outside the protractor's strokes the box shows exactly the screen's bench under it,
    // lamp and incident ray included; the bench picture itself stays free of the protractor.
    void background_is_the_bench_under_the_box()
    {
        QFETCH(float, a);
        QFETCH(int, firstRow);
        QFETCH(int, lastRow);
        QFETCH(bool, lamp);
        Bench bench;
        const QImage under = bench.picture.composed();
        ProtractorState state{a, 1.5707964f};
        ProtractorPicture p;
        p.place = QPointF(0, 202);
        copyBenchUnder(p, bench.picture, state);
        int lampPixels = 0, rayPixels = 0;
        for (int y = firstRow; y <= lastRow; ++y)
            for (int x = 0; x < protractor::Size; ++x) {
                const QRgb px = p.box.image().pixel(x, y);
                QCOMPARE(px, under.pixel(x, y + 202));
                lampPixels += qRed(px) > 200 && qGreen(px) > 150 && qBlue(px) < 150;
                rayPixels += fromPixel(px) == bench.picture.line1.colour;
            }
        QVERIFY((lamp ? lampPixels : rayPixels) > 50);
        QCOMPARE(bench.picture.composed(), under);
    }

    // Expected: the composed box shows the three handle pictures where the drawing put them.
    void composed_shows_the_handles()
    {
        Bench bench;
        ProtractorState state{0.0f, 1.5707964f};
        ProtractorPicture p;
        copyBenchUnder(p, bench.picture, state);
        const QImage shown = p.composed();
        const QPoint sphere = QPoint(92, 2) + QPoint(8, 8);
        QVERIFY(shown.pixel(sphere) != p.box.image().pixel(sphere));
        const QPoint turn = QPoint(180, 101) + QPoint(8, 8), cross = QPoint(4, 101) + QPoint(8, 8);
        QVERIFY(shown.pixel(turn) != p.box.image().pixel(turn));
        QVERIFY(shown.pixel(cross) != p.box.image().pixel(cross));
    }
};

QTEST_MAIN(TestProtractor)
#include "tst_protractor.moc"
