// SPDX-License-Identifier: GPL-3.0-or-later
// The protractor over the bench, on its own panel: opened, driven by pointer moves and by keys on
// its three handles, refreshed by every bench redraw, closed, and never in the bench's picture.
#include "core/platform/numtext.h"
#include "core/state/module1.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/protractor/protractorcontrols.h"
#include "support/benchrig.h"
#include "support/modalwatchdog.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

class TestProtractorControls : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<BenchRig> w;

    ProtractorControls& pc() { return *w->protractor; }
    ProtractorState& state() { return module1().protractor; }

    // A pointer move over a handle, at a point of the handle, with those buttons held.
    void move(QWidget* handle, QPointF local, Qt::MouseButtons buttons)
    {
        QMouseEvent e(QEvent::MouseMove, local, handle->mapToGlobal(local), Qt::NoButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(handle, &e);
    }
    // The same, with the pointer given in the protractor box's pixels.
    void moveInBox(QWidget* handle, QPointF inBox, Qt::MouseButtons buttons)
    {
        move(handle, inBox - QPointF(handle->pos()), buttons);
    }
    // A pointer move over the bench picture, for the lamp.
    void benchMouse(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF local = p + QPointF(BenchView::Border, BenchView::Border);
        QMouseEvent e(type, local, w->view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w->view, &e);
    }
    QPoint boxCorner() const { return w->protractor->picturap->pos() - QPoint(2, 2); }
    // Keys pressed on the widget that has the focus.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // The rig on screen, the protractor open, the focus on the bench; Tab then goes `tabs` on.
    void focusFromTheBench(int tabs)
    {
        pc().open();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->view->setFocus();
        for (int i = 0; i < tabs; ++i)
            press(Qt::Key_Tab);
    }

private slots:
    void init()
    {
        module1() = Module1{};
        watchdog = std::make_unique<ModalWatchdog>();
        w = std::make_unique<BenchRig>(BenchRig::With::Protractor);
    }
    void cleanup()
    {
        w.reset();
        QCOMPARE(watchdog->pending(), 0);
        watchdog.reset();
    }

    // Action: click the protractor icon. Expected: the panel, the box centred on the bench, base
    // horizontal, cross left, turning handle right, line vertical, read-out 90,0, the hint.
    void opening_at_start()
    {
        QVERIFY(w->protractorPanel->isHidden());
        QVERIFY(pc().picturap->isHidden());
        pc().open();
        QVERIFY(!w->protractorPanel->isHidden());
        QVERIFY(!pc().picturap->isHidden());
        QCOMPARE(pc().picturap->parentWidget(), w->view);
        QCOMPARE(boxCorner(), QPoint(101, 101));
        QCOMPARE(pc().picturap->size(), QSize(202, 202));
        QCOMPARE(w->protractor->Label10->text(), QStringLiteral("90,0"));
        QCOMPARE(w->protractor->Label10->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(w->hint(), ProtractorControls::OpenHint);
        QCOMPARE(pc().Imagecroix->pos(), QPoint(4, 101));
        QCOMPARE(pc().Imaged->pos(), QPoint(180, 101));
        QCOMPARE(pc().Imageboule->pos(), QPoint(92, 2));
        QCOMPARE(state().protractorAngle, 0.0f);
        QCOMPARE(state().lineAngle, 1.5707964f);
    }

    // Expected: what the screen shows in the box is the composed protractor, handles included.
    void screen_shows_the_composed_box()
    {
        pc().open();
        const QImage grabbed =
            pc().picturap->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(grabbed, pc().picture.composed().convertToFormat(QImage::Format_RGB32));
    }

    // Expected: each handle shows its hint when the pointer crosses it without the button.
    void handle_hints_data()
    {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cross") << "Imagecroix" << ProtractorControls::CrossHint;
        QTest::newRow("turning handle") << "Imaged" << ProtractorControls::TurnHint;
        QTest::newRow("sphere") << "Imageboule" << ProtractorControls::SphereHint;
    }
    void handle_hints()
    {
        QFETCH(QString, handle);
        QFETCH(QString, hint);
        pc().open();
        auto* h = pc().picturap->findChild<QWidget*>(handle);
        QVERIFY(h);
        const float a = state().protractorAngle, b = state().lineAngle;
        move(h, QPointF(8, 8), Qt::NoButton);
        QCOMPARE(w->hint(), hint);
        move(h, QPointF(3, 3), Qt::RightButton); // not the left button: a hint, nothing moves
        QCOMPARE(w->hint(), hint);
        QCOMPARE(boxCorner(), QPoint(101, 101));
        QCOMPARE(state().protractorAngle, a);
        QCOMPARE(state().lineAngle, b);
    }

    // Action: drag the turning handle until the pointer is straight above the centre.
    // Expected: a = 1.671, the handles redrawn round the new base, the box not moved.
    void turning_with_the_handle()
    {
        pc().open();
        const int before = pc().picture.drawings;
        moveInBox(pc().Imaged, QPointF(150, 80), Qt::LeftButton);
        moveInBox(pc().Imaged, QPointF(100, 30), Qt::LeftButton);
        QCOMPARE(state().protractorAngle, 1.671f);
        QCOMPARE(pc().picture.drawings, before + 2);
        QCOMPARE(boxCorner(), QPoint(101, 101));
        // The turning handle follows the pointer: its centre lies almost straight above.
        const QPoint handleCentre = pc().Imaged->pos() + QPoint(8, 8);
        QVERIFY2(std::abs(handleCentre.x() - 100) <= 1 && std::abs(handleCentre.y() - 12) <= 1,
                 qPrintable(QStringLiteral("%1 %2").arg(handleCentre.x()).arg(handleCentre.y())));
    }

    void measuring_with_the_sphere_data()
    {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QString>("readout");
        QTest::newRow("120 degrees") << QPointF(55.0, 22.05771365940052) << "60,0";
        QTest::newRow("30 degrees") << QPointF(177.94228634059948, 55.0) << "30,0";
        QTest::newRow("180 degrees") << QPointF(10, 100) << "0,0";
        QTest::newRow("just before the 0 end") << QPointF(189.6575, 107.844) << "0,0";
    }
    // Action: drag the sphere to the pointer. Expected: the read-out, the sphere on the band
    // under the pointer's direction.
    void measuring_with_the_sphere()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QString, readout);
        pc().open();
        moveInBox(pc().Imageboule, pointer, Qt::LeftButton);
        QCOMPARE(w->protractor->Label10->text(), readout);
        const QPointF centre = QPointF(pc().Imageboule->pos()) + QPointF(8, 8);
        const double towards = std::atan2(100 - pointer.y(), pointer.x() - 100);
        const QPointF onBand(100 + 90 * std::cos(towards), 100 - 90 * std::sin(towards));
        if (readout != "0,0" || pointer.y() <= 100)
            QVERIFY((centre - onBand).manhattanLength() <= 4);
    }

    // Action: the same drags with the bench drawn for a screen at 200 %. Expected: the same
    // read-outs (the pointer is in 1× pixels), the box twice as fine over the bench under it.
    void same_measure_at_twice_the_pixels_data() { measuring_with_the_sphere_data(); }
    void same_measure_at_twice_the_pixels()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QString, readout);
        w->bench->matchScreen(2);
        QCOMPARE(w->benchPicture.composed().size(), QSize(808, 808));
        pc().open();
        QCOMPARE(pc().picture.box.image().size(), QSize(404, 404));
        QCOMPARE(pc().picture.box.picture(),
                 w->benchPicture.dessin.image().copy(QRect(2 * 101, 2 * 101, 404, 404)));
        moveInBox(pc().Imageboule, pointer, Qt::LeftButton);
        QCOMPARE(w->protractor->Label10->text(), readout);
    }

    // Action: a sphere drag into the base side after a measure. Expected: ignored.
    void the_base_side_is_ignored()
    {
        pc().open();
        moveInBox(pc().Imageboule, QPointF(177.94228634059948, 55.0), Qt::LeftButton);
        const QPoint sphere = pc().Imageboule->pos();
        const float b = state().lineAngle;
        moveInBox(pc().Imageboule, QPointF(100, 190), Qt::LeftButton);
        QCOMPARE(state().lineAngle, b);
        QCOMPARE(w->protractor->Label10->text(), QStringLiteral("30,0"));
        QCOMPARE(pc().Imageboule->pos(), sphere);
    }

    // Action: cross the moving cross without the button, then press and drag.
    // Expected: the point grabbed stays under the pointer.
    void moving_keeps_the_grabbed_point()
    {
        pc().open();
        QWidget* cross = pc().Imagecroix;
        move(cross, QPointF(5.4, 10.6), Qt::NoButton);
        QCOMPARE(state().crossGrabX, std::int16_t(5));
        QCOMPARE(state().crossGrabY, std::int16_t(11));
        const QPoint pointerOnBench = boxCorner() + cross->pos() + QPoint(5, 11);
        // The pointer moves by (-30, 20) on the bench: the box follows by the same amount.
        move(cross, QPointF(5 - 30, 11 + 20), Qt::LeftButton);
        QCOMPARE(boxCorner(), QPoint(71, 121));
        QCOMPARE(boxCorner() + cross->pos() + QPoint(5, 11), pointerOnBench + QPoint(-30, 20));
        QCOMPARE(pc().picture.place, QPointF(71, 121));
        // A second step, fractional: the place is kept unrounded.
        move(cross, QPointF(5.5 + 10, 11.25), Qt::LeftButton);
        QCOMPARE(pc().picture.place, QPointF(81.5, 121.25));
    }

    void moving_stops_at_the_edges_data()
    {
        QTest::addColumn<QPointF>("step");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("left") << QPointF(-500, 0) << QPoint(0, 101);
        QTest::newRow("top") << QPointF(0, -500) << QPoint(101, 0);
        QTest::newRow("right") << QPointF(500, 0) << QPoint(202, 101);
        QTest::newRow("bottom") << QPointF(0, 500) << QPoint(101, 202);
        QTest::newRow("top left") << QPointF(-500, -500) << QPoint(0, 0);
        QTest::newRow("bottom right") << QPointF(500, 500) << QPoint(202, 202);
        QTest::newRow("top right") << QPointF(500, -500) << QPoint(202, 0);
        QTest::newRow("bottom left") << QPointF(-500, 500) << QPoint(0, 202);
    }
    // Action: drag the cross far out of the bench. Expected: the box flush with its edges, and
    // the background copied from the bench under its new place.
    void moving_stops_at_the_edges()
    {
        QFETCH(QPointF, step);
        QFETCH(QPoint, corner);
        pc().open();
        move(pc().Imagecroix, QPointF(8, 8), Qt::NoButton);
        move(pc().Imagecroix, QPointF(8, 8) + step, Qt::LeftButton);
        QCOMPARE(boxCorner(), corner);
        QCOMPARE(pc().picture.box.picture(),
                 w->benchPicture.dessin.image().copy(QRect(corner, QSize(202, 202))));
    }

    // Action: drag the lamp, then switch to the white background, with the protractor open.
    // Expected: every redraw refreshes the box from the new bench, in the right colours.
    void bench_redraws_refresh_it()
    {
        pc().open();
        const QImage before = pc().picture.box.image();
        const int drawings = pc().picture.drawings;
        const QPointF lamp = w->benchPicture.lampeTopLeft + QPointF(16, 16);
        benchMouse(QEvent::MouseButtonPress, lamp, Qt::LeftButton, Qt::LeftButton);
        benchMouse(QEvent::MouseMove, QPointF(21, 201), Qt::NoButton, Qt::LeftButton);
        benchMouse(QEvent::MouseButtonRelease, QPointF(21, 201), Qt::LeftButton, Qt::NoButton);
        QVERIFY(pc().picture.drawings > drawings);
        QVERIFY(pc().picture.box.image() != before);
        QCOMPARE(pc().picture.box.picture(),
                 w->benchPicture.dessin.image().copy(QRect(101, 101, 202, 202)));

        w->bench->widgets().Option4->setChecked(true); // "Fond blanc"
        QCOMPARE(QColor(pc().picture.box.image().pixel(100, 1)), QColor(Qt::black));
        QCOMPARE(QColor(pc().picture.box.image().pixel(100, 50)), QColor(0, 128, 128));
        w->bench->widgets().Option3->setChecked(true); // "Fond noir"
        QCOMPARE(QColor(pc().picture.box.image().pixel(100, 1)), QColor(Qt::white));
        QCOMPARE(QColor(pc().picture.box.image().pixel(100, 50)), QColor(0, 255, 255));

        // Closed, the redraws leave it alone.
        pc().close();
        const int closed = pc().picture.drawings;
        w->bench->widgets().Option4->setChecked(true);
        QCOMPARE(pc().picture.drawings, closed);
    }

    // Action: measure, turn, move, close, open again.
    // Expected: a, b and the read-out kept; the box back at (101, 101).
    void closing_keeps_the_measure()
    {
        pc().open();
        moveInBox(pc().Imageboule, QPointF(177.94228634059948, 55.0), Qt::LeftButton);
        moveInBox(pc().Imaged, QPointF(100, 30), Qt::LeftButton);
        move(pc().Imagecroix, QPointF(8, 8), Qt::NoButton);
        move(pc().Imagecroix, QPointF(-12, 8), Qt::LeftButton);
        QCOMPARE(boxCorner(), QPoint(81, 101));
        const float a = state().protractorAngle, b = state().lineAngle;
        pc().close();
        QVERIFY(w->protractorPanel->isHidden());
        QVERIFY(pc().picturap->isHidden());
        QCOMPARE(w->protractor->Label10->text(), QStringLiteral("30,0"));
        pc().open();
        QCOMPARE(boxCorner(), QPoint(101, 101));
        QCOMPARE(state().protractorAngle, a);
        QCOMPARE(state().lineAngle, b);
        QCOMPARE(w->protractor->Label10->text(), QStringLiteral("30,0"));
    }

    // Action: Tab from the bench. Expected: the cross, the turning handle, the sphere, each
    // showing a frame, and the arrows no longer turn the lamp.
    void tab_goes_through_the_handles()
    {
        focusFromTheBench(0);
        const double lamp = w->experiment.bench.lampAngle;
        for (QWidget* handle :
             {static_cast<QWidget*>(pc().Imagecroix), static_cast<QWidget*>(pc().Imaged),
              static_cast<QWidget*>(pc().Imageboule)}) {
            press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), handle);
            const QImage framed = handle->grab().toImage();
            QCOMPARE(QColor(framed.pixel(0, 8)), handle->palette().color(QPalette::Highlight));
            press(Qt::Key_Left);
            press(Qt::Key_Right);
        }
        QCOMPARE(w->experiment.bench.lampAngle, lamp);
        // Without the focus, the handle is its picture alone.
        press(Qt::Key_Backtab);
        QVERIFY(pc().Imageboule->grab().toImage().pixel(0, 8) !=
                pc().Imageboule->palette().color(QPalette::Highlight).rgb());
    }

    void cross_keys_move_the_box_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("times");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("right") << int(Qt::Key_Right) << false << 3 << QPoint(104, 101);
        QTest::newRow("up") << int(Qt::Key_Up) << false << 1 << QPoint(101, 100);
        QTest::newRow("ten down") << int(Qt::Key_Down) << true << 2 << QPoint(101, 121);
        QTest::newRow("to the left edge") << int(Qt::Key_Left) << true << 15 << QPoint(0, 101);
        QTest::newRow("to the bottom edge") << int(Qt::Key_Down) << true << 11 << QPoint(101, 202);
    }
    // Action: arrows on the cross. Expected: the box moved, kept on the bench, its background
    // copied from the bench under its new place.
    void cross_keys_move_the_box()
    {
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(int, times);
        QFETCH(QPoint, corner);
        focusFromTheBench(1);
        press(key, shift ? Qt::ShiftModifier : Qt::NoModifier, times);
        QCOMPARE(boxCorner(), corner);
        QCOMPARE(pc().picture.box.picture(),
                 w->benchPicture.dessin.image().copy(QRect(corner, QSize(202, 202))));
        QCOMPARE(w->hint(), ProtractorControls::CrossHint);
    }

    void turning_keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("times");
        QTest::addColumn<double>("degrees");
        QTest::addColumn<QString>("description");
        QTest::newRow("left, anticlockwise")
            << int(Qt::Key_Left) << false << 30 << 30.0 << "Rapporteur, orientation 30,0°";
        QTest::newRow("tenths") << int(Qt::Key_Left) << true << 5 << 0.5
                                << "Rapporteur, orientation 0,5°";
        QTest::newRow("right, clockwise, through 0")
            << int(Qt::Key_Right) << false << 90 << 270.0 << "Rapporteur, orientation 270,0°";
    }
    // Action: Left or Right on the turning handle. Expected: the protractor turned by whole
    // degrees or tenths, the handles round the new base, the box not moved, the measure kept.
    void turning_keys()
    {
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(int, times);
        QFETCH(double, degrees);
        QFETCH(QString, description);
        focusFromTheBench(2);
        press(key, shift ? Qt::ShiftModifier : Qt::NoModifier, times);
        // The turn is 6.28 long: a few thousandths of a degree may go in bringing a back in it.
        QVERIFY2(std::abs(double(state().protractorAngle) / protractor::Degree - degrees) < 0.01,
                 qPrintable(QString::number(state().protractorAngle)));
        QCOMPARE(pc().Imaged->accessibleDescription(), description);
        QCOMPARE(boxCorner(), QPoint(101, 101));
        QCOMPARE(pc().Label10->text(), QStringLiteral("90,0"));
        const QPointF expected =
            protractor::handlePlaces(state().protractorAngle, state().lineAngle).turn;
        QCOMPARE(pc().Imaged->pos(), QPoint(qRound(expected.x()), qRound(expected.y())));
    }

    void sphere_keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<int>("times");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<double>("lineDegrees");
        QTest::newRow("right, towards 0") << int(Qt::Key_Right) << false << 30 << "60,0" << 60.0;
        QTest::newRow("tenths") << int(Qt::Key_Left) << true << 525 << "37,5" << 142.5;
        QTest::newRow("left, towards 180") << int(Qt::Key_Left) << true << 5 << "89,5" << 90.5;
        QTest::newRow("caught by the 0 end") << int(Qt::Key_Right) << false << 100 << "0,0" << 0.0;
        QTest::newRow("caught by the 180 end")
            << int(Qt::Key_Left) << false << 100 << "0,0" << 180.0;
    }
    // Action: Left or Right on the sphere. Expected: the line turned, the ends catching it, the
    // read-out, the sphere on the band, the description and the slider's value.
    void sphere_keys()
    {
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(int, times);
        QFETCH(QString, readout);
        QFETCH(double, lineDegrees);
        focusFromTheBench(3);
        press(key, shift ? Qt::ShiftModifier : Qt::NoModifier, times);
        QCOMPARE(pc().Label10->text(), readout);
        QVERIFY(std::abs(double(state().lineAngle) / protractor::Degree - lineDegrees) < 0.01);
        QVERIFY(double(state().lineAngle) <= protractor::ShortHalfTurn);
        QCOMPARE(pc().Imageboule->accessibleDescription(),
                 QStringLiteral("Rapporteur, mesure ") + readout + QStringLiteral("°"));
        QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(pc().Imageboule);
        QVERIFY(slider && slider->valueInterface());
        QCOMPARE(slider->role(), QAccessible::Slider);
        QCOMPARE(slider->text(QAccessible::Name), ProtractorControls::SphereName);
        QCOMPARE(numtext::format(slider->valueInterface()->currentValue().toDouble(),
                                 QStringLiteral("##0.0")),
                 readout);
        const QPointF onBand = protractor::polar(double(state().lineAngle), 90);
        QVERIFY((QPointF(pc().Imageboule->pos()) + QPointF(8, 8) - onBand).manhattanLength() <= 2);
    }

    // Action: turn the lamp to 123,4° (down left) with the bench's keys, turn the protractor
    // over, then lay the line on the lamp's ray with the sphere's keys alone. Expected: the
    // read-out is the ray's angle with the base, 56,6, and the sphere lies on the ray.
    void measuring_a_ray_with_keys()
    {
        focusFromTheBench(0);
        press(Qt::Key_Left, Qt::NoModifier, 11);
        press(Qt::Key_Left, Qt::ShiftModifier, 6);
        QCOMPARE(w->view->accessibleDescription(), QStringLiteral("Lampe, angle 123,4°"));
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        press(Qt::Key_Left, Qt::NoModifier, 180);
        press(Qt::Key_Tab);
        press(Qt::Key_Right, Qt::NoModifier, 33);
        press(Qt::Key_Right, Qt::ShiftModifier, 4);
        const double ray = 180 - w->experiment.bench.lampAngle;
        QCOMPARE(pc().Label10->text(), QStringLiteral("56,6"));
        QVERIFY(std::abs(protractor::measuredDegrees(state().lineAngle) - ray) < 0.05);
        // The sphere lies on the incident ray drawn on the bench.
        const QPointF sphere =
            QPointF(pc().picture.placedAt()) + pc().picture.handles.sphere + QPointF(8, 8);
        const auto& ray1 = w->benchPicture.line1;
        const QPointF a(ray1.x1, ray1.y1), b(ray1.x2, ray1.y2);
        const double cross =
            (b.x() - a.x()) * (sphere.y() - a.y()) - (b.y() - a.y()) * (sphere.x() - a.x());
        QVERIFY2(std::abs(cross) / std::hypot(b.x() - a.x(), b.y() - a.y()) < 1.5,
                 qPrintable(QString::number(cross)));
        QSignalSpy recorded(w->protractor, &ProtractorControls::readingEntered);
        press(Qt::Key_Return);
        press(Qt::Key_Enter);
        QCOMPARE(recorded.count(), 2);
        QCOMPARE(recorded.at(0).at(0).toString(), QStringLiteral("56,6"));
    }

    // Expected: the bench picture (screen bench, copy, --image) never holds the protractor.
    void bench_picture_never_holds_it()
    {
        const QImage before = w->benchPicture.composed();
        pc().open();
        moveInBox(pc().Imaged, QPointF(60, 30), Qt::LeftButton);
        QCOMPARE(w->benchPicture.composed(), before);
    }
};

QTEST_MAIN(TestProtractorControls)
#include "tst_protractorcontrols.moc"
