// SPDX-License-Identifier: GPL-3.0-or-later
// The optics of the bench as values: Cauchy's law, Snell's law with its critical angle, the ray
// geometry on both sides of the half-disc, the partial-reflection rule, and the material choice and
// custom coefficients of the selectors.
#include "core/bench/materials.h"
#include "core/bench/optics.h"

#include <QTest>
#include <cmath>

namespace {

// Crown glass in air at 589 nm.
constexpr double NAir589 = 1.0002767912536163;
constexpr double NCrown589 = 1.5065160392215;

bool near(double a, double b, double tolerance = 1e-6)
{
    return std::abs(a - b) <= tolerance;
}

} // namespace

class TestOptics : public QObject {
    Q_OBJECT

private slots:
    void cauchyIndex_data()
    {
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("b");
        QTest::addColumn<int>("wavelength");
        QTest::addColumn<double>("n");
        QTest::newRow("air, 589 nm") << 1.0002747f << 0.74f << 589 << NAir589;
        QTest::newRow("crown, 589 nm") << 1.472363f << 11848.408f << 589 << NCrown589;
        QTest::newRow("flint, 400 nm") << 1.5392f << 31102.07f << 400 << 1.733587887763977;
        QTest::newRow("B = 0") << 1.25f << 0.0f << 700 << 1.25;
    }
    void cauchyIndex()
    {
        QFETCH(float, a);
        QFETCH(float, b);
        QFETCH(int, wavelength);
        QFETCH(double, n);
        QVERIFY(near(optics::cauchyIndex(a, b, wavelength), n, 1e-12));
    }

    void refractedSine_data()
    {
        QTest::addColumn<double>("n1");
        QTest::addColumn<double>("n2");
        QTest::addColumn<double>("sinI");
        QTest::addColumn<bool>("refracted");
        QTest::addColumn<double>("sinR");
        QTest::newRow("into glass at 45 degrees")
            << NAir589 << NCrown589 << -0.7071067811865476 << true << -0.46949350;
        QTest::newRow("normal incidence") << NAir589 << NCrown589 << 0.0 << true << 0.0;
        QTest::newRow("out of glass below the critical angle")
            << NCrown589 << NAir589 << 0.66 << true << 0.994025;
        QTest::newRow("out of glass past the critical angle")
            << NCrown589 << NAir589 << 0.67 << false << 0.0;
        QTest::newRow("grazing exit, exactly 1") << 2.0 << 1.0 << 0.5 << true << 1.0;
        QTest::newRow("a zero index skips the computation") << 1.5 << 0.0 << 0.9 << true << 0.0;
    }
    void refractedSine()
    {
        QFETCH(double, n1);
        QFETCH(double, n2);
        QFETCH(double, sinI);
        QFETCH(bool, refracted);
        QFETCH(double, sinR);
        const std::optional<double> r = optics::refractedSine(n1, n2, sinI);
        QCOMPARE(r.has_value(), refracted);
        if (refracted)
            QVERIFY2(near(*r, sinR, 1e-5), qPrintable(QString::number(*r, 'g', 10)));
    }

    void rayGeometry_data()
    {
        QTest::addColumn<double>("lampAngle");
        QTest::addColumn<QPointF>("lamp");
        QTest::addColumn<int>("side");
        QTest::addColumn<QPointF>("reflected");
        QTest::addColumn<bool>("refracted");
        QTest::addColumn<QPointF>("refractedEnd");
        QTest::newRow("start, lamp down left")
            << 135.0 << QPointF(66.649704, 335.350281) << 1 << QPointF(-11.122319, -11.141749)
            << true << QPointF(465.881135, 60.152621);
        QTest::newRow("on the normal")
            << 180.0 << QPointF(11.0, 200.999985) << 1 << QPointF(-99.0, 200.985012) << true
            << QPointF(501.0, 201.0);
        QTest::newRow("grazing, straight below")
            << 90.0 << QPointF(201.0, 391.0) << 1 << QPointF(201.012490, -99.0) << true
            << QPointF(425.329354, 1.810791);
        QTest::newRow("side 2, just below the critical angle")
            << 318.5 << QPointF(343.301605, 75.102203) << 2 << QPointF(425.674237, 399.800119)
            << true << QPointF(181.962044, 500.395318);
        QTest::newRow("side 2, just past it: total reflection")
            << 318.3 << QPointF(342.861267, 74.606247) << 2 << QPointF(424.978930, 400.583163)
            << false << QPointF();
        QTest::newRow("side 2, straight above") << 270.0 << QPointF(201.000015, 11.0) << 2
                                                << QPointF(200.982514, 501.0) << false << QPointF();
    }
    void rayGeometry()
    {
        QFETCH(double, lampAngle);
        QFETCH(QPointF, lamp);
        QFETCH(int, side);
        QFETCH(QPointF, reflected);
        QFETCH(bool, refracted);
        QFETCH(QPointF, refractedEnd);
        const optics::RayGeometry g = optics::rayGeometry(lampAngle, NAir589, NCrown589);
        QVERIFY(near(g.lampX, lamp.x(), 1e-4) && near(g.lampY, lamp.y(), 1e-4));
        QCOMPARE(g.side, side);
        QCOMPARE(g.incidence, lampAngle - 180);
        QVERIFY(near(g.reflected.x, reflected.x(), 1e-5) &&
                near(g.reflected.y, reflected.y(), 1e-5));
        QCOMPARE(g.refracted.has_value(), refracted);
        const optics::Point end = g.transmitted();
        const QPointF expected = refracted ? refractedEnd : reflected;
        QVERIFY2(near(end.x, expected.x(), 1e-5) && near(end.y, expected.y(), 1e-5),
                 qPrintable(QStringLiteral("%1, %2").arg(end.x, 0, 'f', 6).arg(end.y, 0, 'f', 6)));
    }

    // The critical angle of crown glass in air at 589 nm is 41,6 degrees: the light leaving the
    // glass is refracted up to it and totally reflected past it.
    void criticalAngleOfCrownGlass()
    {
        const double critical = std::asin(NAir589 / NCrown589) * 180 / M_PI;
        QVERIFY(near(critical, 41.603118, 1e-6));
        QVERIFY(optics::refractedSine(NCrown589, NAir589, std::sin((41.6) * M_PI / 180)));
        QVERIFY(!optics::refractedSine(NCrown589, NAir589, std::sin((41.61) * M_PI / 180)));
    }

    void violetRefracted_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<double>("incidence");
        QTest::addColumn<bool>("refracted");
        QTest::newRow("entering the glass, always") << 1 << -89.0 << true;
        QTest::newRow("leaving below 400 nm's critical angle") << 2 << 145.0 << true;
        QTest::newRow("leaving past it") << 2 << 144.0 << false;
    }
    // Flint glass in air: at 400 nm, n = 1,733588, its critical angle is 35,24 degrees (an
    // incidence of 144,76 on side 2).
    void violetRefracted()
    {
        QFETCH(int, side);
        QFETCH(double, incidence);
        QFETCH(bool, refracted);
        QCOMPARE(optics::violetRefracted(1.0002747f, 0.74f, 1.5392f, 31102.07f, side, incidence),
                 refracted);
    }

    void chooseMaterial_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("choice");
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("b");
        QTest::newRow("air") << 0 << int(MaterialChoice::Catalogue) << 1.0002747f << 0.74f;
        QTest::newRow("water") << 1 << int(MaterialChoice::Catalogue) << 1.3259431f << 2221.5764f;
        QTest::newRow("flint") << 3 << int(MaterialChoice::Catalogue) << 1.5392f << 31102.07f;
        QTest::newRow("other keeps the coefficients")
            << 4 << int(MaterialChoice::Custom) << 1.25f << 100.0f;
        QTest::newRow("no position") << -1 << int(MaterialChoice::Nothing) << 1.25f << 100.0f;
    }
    // The half-disc's coefficients are set from the catalogue; "Autre" leaves them and names the
    // medium for the dialog; the outer medium is never touched.
    void chooseMaterial()
    {
        QFETCH(int, position);
        QFETCH(int, choice);
        QFETCH(float, a);
        QFETCH(float, b);
        BenchState state;
        state.discA = 1.25f;
        state.discB = 100.0f;
        QCOMPARE(int(::chooseMaterial(state, Medium::Disc, position)), choice);
        QCOMPARE(state.discA, a);
        QCOMPARE(state.discB, b);
        QCOMPARE(state.outerA, 1.0002747f);
        QCOMPARE(state.customMaterialTarget,
                 std::int16_t(choice == int(MaterialChoice::Custom) ? 2 : 0));
    }

    void customCoefficients_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<float>("acceptedA");
        QTest::addColumn<float>("acceptedB");
        const QString badA = QStringLiteral("Valeur de A en dehors des limites.");
        const QString badB = QStringLiteral("Valeur de B en dehors des limites.");
        QTest::newRow("limits included") << "2"
                                         << "40000"
                                         << "" << 2.0f << 40000.0f;
        QTest::newRow("comma") << "1,5"
                               << "0,5"
                               << "" << 1.5f << 0.5f;
        QTest::newRow("empty B") << "1"
                                 << " "
                                 << "" << 1.0f << 0.0f;
        QTest::newRow("a period is no comma here") << "1.5"
                                                   << "0" << badA << 0.0f << 0.0f;
        QTest::newRow("a sign") << "-1"
                                << "0" << badA << 0.0f << 0.0f;
        QTest::newRow("an exponent") << "1"
                                     << "4E4" << badB << 0.0f << 0.0f;
        QTest::newRow("beyond single precision") << "1"
                                                 << "1" + QString(40, u'0') << badB << 0.0f << 0.0f;
    }
    void customCoefficients()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, refusal);
        QFETCH(float, acceptedA);
        QFETCH(float, acceptedB);
        const CustomCoefficients checked = checkCustomCoefficients(a, b);
        QCOMPARE(checked.refusal, refusal);
        if (refusal.isEmpty()) {
            QCOMPARE(checked.a, acceptedA);
            QCOMPARE(checked.b, acceptedB);
        }
    }
};

QTEST_GUILESS_MAIN(TestOptics)
#include "tst_optics.moc"
