// SPDX-License-Identifier: GPL-3.0-or-later
// The bench's controls on their own panels: material lists and the custom-material dialog,
// the source and display options with the redraws they ask for, the wavelength bar, and the lamp
// dragged with the mouse or turned with the keyboard.
#include "core/state/module1.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/bench/loupe.h"
#include "support/benchrig.h"
#include "support/modalwatchdog.h"
#include "support/responder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A user's choice in a list, even of the entry already shown.
void choose(QComboBox* list, int position)
{
    list->setCurrentIndex(position);
    emit list->activated(position);
}

} // namespace

class TestBenchControls : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<BenchRig> w;

    // Answers the next modal custom-material dialog as the user would.
    void onNextDialog(std::function<void(LOUPE*)> act)
    {
        watchdog->expect([act](QWidget* modal) {
            auto* dlg = qobject_cast<LOUPE*>(modal);
            QVERIFY(dlg);
            act(dlg);
        });
    }
    BenchState& bench() { return w->experiment.bench; }

    // Sends a mouse event to the bench at a point of the drawing.
    void mouse(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF local = p + QPointF(BenchView::Border, BenchView::Border);
        QMouseEvent e(type, local, w->view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w->view, &e);
    }
    QPointF lampCentre() const { return w->benchPicture.lampeTopLeft + QPointF(16, 16); }
    void drag(QPointF to)
    {
        mouse(QEvent::MouseButtonPress, lampCentre(), Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    }
    void release(QPointF at)
    {
        mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    std::pair<int, int> counts() const
    {
        return {w->benchPicture.counts.bench, w->benchPicture.counts.whiteLight};
    }

private slots:
    void init()
    {
        module1() = Module1{};
        watchdog = std::make_unique<ModalWatchdog>();
        w = std::make_unique<BenchRig>();
    }
    void cleanup()
    {
        w.reset();
        QCOMPARE(watchdog->pending(), 0); // every expected dialog appeared
        watchdog.reset();
    }

    void materialReadouts_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("wavelength");
        QTest::addColumn<QString>("readout");
        QTest::newRow("air") << 0 << 589 << "n = 1,000277";
        QTest::newRow("water") << 1 << 589 << "n = 1,332347";
        QTest::newRow("crown") << 2 << 589 << "n = 1,506516";
        QTest::newRow("flint") << 3 << 589 << "n = 1,628852";
        QTest::newRow("flint, violet") << 3 << 400 << "n = 1,733588";
        QTest::newRow("flint, red") << 3 << 800 << "n = 1,587797";
        QTest::newRow("water, violet") << 1 << 400 << "n = 1,339828";
        QTest::newRow("water, red") << 1 << 800 << "n = 1,329414";
    }
    // Action: choose a material in each list, then move the wavelength bar.
    // Expected: coefficients from the catalogue, read-outs at the bar's wavelength.
    void materialReadouts()
    {
        QFETCH(int, position);
        QFETCH(int, wavelength);
        QFETCH(QString, readout);
        choose(w->bench->widgets().Combo1, position);
        choose(w->bench->widgets().Combo2, position);
        w->bench->widgets().HScroll1->setValue(wavelength);
        QCOMPARE(w->bench->widgets().Label4->text(), readout);
        QCOMPARE(w->bench->widgets().Label16->text(), readout);
        QCOMPARE(w->bench->widgets().Label20->text(),
                 QStringLiteral("Pour une longueur d'onde dans le vide de %1 nm").arg(wavelength));
        QCOMPARE(w->bench->widgets().Label14->text(), w->bench->widgets().Label20->text());
        QCOMPARE(w->bench->widgets().Label7->text(), QString::number(wavelength));
        QCOMPARE(bench().discMaterialIndex, position);
        QCOMPARE(bench().outerMaterialIndex, position);
        QCOMPARE(bench().discA, bench().outerA);
    }

    void readoutsFollowTheBarInEveryMode()
    {
        w->bench->widgets().Option2->setChecked(true);
        const auto before = counts();
        w->bench->widgets().HScroll1->setValue(400);
        QCOMPARE(w->bench->widgets().Label4->text(), QStringLiteral("n = 1,546416"));
        QCOMPARE(counts(), before); // white light: the drawing does not change
    }

    // State: water chosen. Action: "Autre", then Annuler. Expected: back to water, coefficients,
    // read-out and remembered position included.
    void otherThenCancelRestoresTheEntry()
    {
        choose(w->bench->widgets().Combo1, 1);
        onNextDialog([](LOUPE* d) { d->Command1->click(); });
        choose(w->bench->widgets().Combo1, 4);
        QCOMPARE(w->bench->widgets().Combo1->currentIndex(), 1);
        QCOMPARE(bench().discA, 1.3259431f);
        QCOMPARE(bench().discB, 2221.5764f);
        QCOMPARE(bench().discMaterialIndex, 1);
        QCOMPARE(w->bench->widgets().Label4->text(), QStringLiteral("n = 1,332347"));
    }

    // A custom material A = 1, B = 0 reads "n = 1,"; choosing "Autre" again and cancelling keeps
    // it.
    void otherOkThenOtherCancelKeepsCustomValues()
    {
        onNextDialog([](LOUPE* d) {
            d->Text1->setText(QStringLiteral("1"));
            d->Text2->setText(QStringLiteral("0"));
            d->Command2->click();
        });
        choose(w->bench->widgets().Combo1, 4);
        QCOMPARE(w->bench->widgets().Label4->text(), QStringLiteral("n = 1,"));
        QCOMPARE(bench().discMaterialIndex, 4);
        onNextDialog([](LOUPE* d) {
            QCOMPARE(d->Text1->text(), QStringLiteral("1"));
            QCOMPARE(d->Text2->text(), QStringLiteral("0"));
            d->Text1->setText(QStringLiteral("1,9"));
            d->Command1->click();
        });
        choose(w->bench->widgets().Combo1, 4);
        QCOMPARE(w->bench->widgets().Combo1->currentIndex(), 4);
        QCOMPARE(bench().discA, 1.0f);
        QCOMPARE(bench().discB, 0.0f);
    }

    void outerDialogShowsOuterMedium()
    {
        QString shown;
        onNextDialog([&shown](LOUPE* d) {
            shown = d->Text1->text() + QLatin1Char('|') + d->Text2->text();
            d->Command1->click();
        });
        choose(w->bench->widgets().Combo2, 4);
        QCOMPARE(shown, QStringLiteral("1,000275|0,74"));
        QCOMPARE(bench().customMaterialTarget, 1);
        QCOMPARE(w->bench->widgets().Combo2->currentIndex(), 0);
    }

    // While a configuration is applied, "Autre" keeps the coefficients read from the file.
    void otherWhileLoadingOpensNoDialog()
    {
        bench().loadingConfig = true;
        bench().discA = 1.7f;
        bench().discB = 123.0f;
        w->bench->setListPosition(w->bench->widgets().Combo1, 4);
        bench().loadingConfig = false;
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(bench().discA, 1.7f);
        QCOMPARE(bench().discMaterialIndex, 4);
    }

    void focusHints()
    {
        w->bench->Combo1_GotFocus();
        QCOMPARE(w->hint(), QStringLiteral("Vous pouvez choisir le matériau constituant le "
                                           "demi-disque dans la liste ou en définir un autre"));
        w->bench->Combo2_GotFocus();
        QCOMPARE(w->hint(), QStringLiteral("Vous pouvez choisir le milieu extérieur dans la liste "
                                           "ou en définir un autre"));
    }

    void optionRedraws_data()
    {
        QTest::addColumn<QString>("start"); // source selected first
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("benchRedraws");
        QTest::addColumn<int>("whiteRedraws");
        QTest::addColumn<bool>("propaOn");
        QTest::addColumn<bool>("propaEnabled");
        QTest::newRow("five radiations") << ""
                                         << "Option5" << 1 << 0 << true << true;
        QTest::newRow("white light unticks the arrows") << ""
                                                        << "Option2" << 2 << 1 << false << false;
        QTest::newRow("back to monochromatic ticks them") << "Option2"
                                                          << "Option1" << 2 << 0 << true << true;
        QTest::newRow("white to five radiations") << "Option2"
                                                  << "Option5" << 2 << 0 << true << true;
        QTest::newRow("white background") << ""
                                          << "Option4" << 1 << 0 << true << true;
        QTest::newRow("white background, white light") << "Option2"
                                                       << "Option4" << 1 << 1 << false << false;
        QTest::newRow("mirror") << ""
                                << "Option7" << 1 << 0 << true << true;
        QTest::newRow("mirror, white light") << "Option2"
                                             << "Option7" << 1 << 1 << false << false;
        QTest::newRow("partial reflection") << ""
                                            << "Check3" << 1 << 0 << true << true;
        QTest::newRow("partial reflection, white light") << "Option2"
                                                         << "Check3" << 1 << 1 << false << false;
        QTest::newRow("arrows") << ""
                                << "propa" << 1 << 0 << false << true;
        QTest::newRow("wavelength, monochromatic") << ""
                                                   << "HScroll1" << 1 << 0 << true << true;
        QTest::newRow("wavelength, five radiations") << "Option5"
                                                     << "HScroll1" << 0 << 0 << true << true;
    }
    void optionRedraws()
    {
        QFETCH(QString, start);
        QFETCH(QString, action);
        QFETCH(int, benchRedraws);
        QFETCH(int, whiteRedraws);
        QFETCH(bool, propaOn);
        QFETCH(bool, propaEnabled);
        if (!start.isEmpty())
            w->findChild<QRadioButton*>(start)->click();
        const auto [b0, w0] = counts();
        if (action == QLatin1String("HScroll1"))
            w->bench->widgets().HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else
            w->findChild<QAbstractButton*>(action)->click();
        QCOMPARE(w->benchPicture.counts.bench - b0, benchRedraws);
        QCOMPARE(w->benchPicture.counts.whiteLight - w0, whiteRedraws);
        QCOMPARE(w->bench->widgets().propa->isChecked(), propaOn);
        QCOMPARE(w->bench->widgets().propa->isEnabled(), propaEnabled);
    }

    void mirrorMovesTheLamp_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("expected");
        QTest::newRow("45") << 45.0 << 135.0;
        QTest::newRow("300") << 300.0 << 240.0;
        QTest::newRow("-30") << -30.0 << 210.0;
        QTest::newRow("180 stays") << 180.0 << 180.0;
    }
    void mirrorMovesTheLamp()
    {
        QFETCH(double, angle);
        QFETCH(double, expected);
        bench().lampAngle = angle;
        w->bench->widgets().Option7->click();
        QCOMPARE(bench().lampAngle, expected);
        QCOMPARE(bench().benchDrawnFor, 1); // the static picture was drawn again, with the mirror
        w->bench->widgets().Option6->click();
        QCOMPARE(bench().lampAngle, expected);
    }

    void wavelengthBar()
    {
        w->bench->widgets().HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(w->bench->widgets().HScroll1->value(), 590);
        QCOMPARE(w->hint(), QStringLiteral("Pour affiner le réglage de la longueur d'onde, "
                                           "utiliser les boutons < et >"));
        w->bench->widgets().HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(w->bench->widgets().HScroll1->value(), 615);
        w->bench->widgets().HScroll1->setValue(790);
        w->bench->widgets().HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(w->bench->widgets().HScroll1->value(), 800);
        w->bench->widgets().HScroll1->setValue(401);
        w->bench->widgets().HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        w->bench->widgets().HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(w->bench->widgets().HScroll1->value(), 400);
        QCOMPARE(w->benchPicture.line1.colour, rgbColour(0, 0, 128));
    }

    // Dragging the thumb redraws at each step without the hint; the release gives the hint.
    void thumbDragRedrawsLive()
    {
        w->setHint(QStringLiteral("x"));
        w->bench->widgets().HScroll1->setSliderDown(true);
        const int before = w->benchPicture.counts.bench;
        w->bench->widgets().HScroll1->setSliderPosition(600);
        w->bench->widgets().HScroll1->setSliderPosition(650);
        QCOMPARE(w->benchPicture.counts.bench - before, 2);
        QCOMPARE(w->bench->widgets().Label7->text(), QStringLiteral("650"));
        QCOMPARE(w->bench->widgets().Label4->text(), QStringLiteral("n = 1,500407"));
        QCOMPARE(w->hint(), QStringLiteral("x"));
        w->bench->widgets().HScroll1->setSliderDown(false);
        QCOMPARE(w->benchPicture.counts.bench - before, 3);
        QVERIFY(w->hint().startsWith(QStringLiteral("Pour affiner")));
    }

    void dragGeometry_data()
    {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<double>("angle");
        QTest::newRow("up-left") << QPointF(100, 100) << false << 225.0;
        QTest::newRow("up-right") << QPointF(300, 102) << false << 315.0;
        QTest::newRow("up-right, mirror") << QPointF(300, 102) << true << 270.0;
        QTest::newRow("straight left") << QPointF(20, 201) << false << 180.0;
        QTest::newRow("straight below") << QPointF(201, 390) << false << 90.0;
    }
    void dragGeometry()
    {
        QFETCH(QPointF, pointer);
        QFETCH(bool, mirror);
        QFETCH(double, angle);
        if (mirror)
            w->bench->widgets().Option7->click();
        drag(pointer);
        QVERIFY(std::abs(bench().lampAngle - angle) < 1e-4);
        QVERIFY(bench().lampMoved);
        QCOMPARE(w->hint(), QStringLiteral("Pour déplacer la source lumineuse, utiliser la souris "
                                           "en maintenant le bouton gauche enfoncé"));
        // The lamp follows onto the circle of radius 190.
        const QPointF c = lampCentre() - QPointF(201, 201);
        QVERIFY(std::abs(std::hypot(c.x(), c.y()) - 190) < 0.01);
        release(pointer);
    }

    void subHalfPixelMoveDoesNothing()
    {
        drag(QPointF(100, 100));
        const int before = w->benchPicture.counts.bench;
        mouse(QEvent::MouseMove, QPointF(100.3, 99.6), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w->benchPicture.counts.bench, before);
        mouse(QEvent::MouseMove, QPointF(101, 100), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w->benchPicture.counts.bench, before + 1);
    }

    // White light: five radiations while dragging, the full spectrum once on release, nothing
    // on a release that follows no move.
    void whiteLightDrag()
    {
        w->bench->widgets().Option2->click();
        const auto [b0, w0] = counts();
        drag(QPointF(100, 120));
        mouse(QEvent::MouseMove, QPointF(100, 110), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(w->benchPicture.counts.whiteLight, w0);
        QVERIFY(w->benchPicture.counts.bench >= b0 + 2);
        release(QPointF(100, 110));
        QCOMPARE(w->benchPicture.counts.whiteLight, w0 + 1);
        QVERIFY(!bench().lampMoved);
        // Press and release where the last step was: no move, no redraw.
        mouse(QEvent::MouseButtonPress, QPointF(100, 110), Qt::LeftButton, Qt::LeftButton);
        release(QPointF(100, 110));
        QCOMPARE(w->benchPicture.counts.whiteLight, w0 + 1);
    }

    void rightButtonOnlyShowsTheHint()
    {
        w->setHint(QStringLiteral("x"));
        const double before = bench().lampAngle;
        mouse(QEvent::MouseButtonPress, lampCentre(), Qt::RightButton, Qt::RightButton);
        mouse(QEvent::MouseMove, QPointF(100, 100), Qt::NoButton, Qt::RightButton);
        QCOMPARE(bench().lampAngle, before);
        QVERIFY(w->hint().startsWith(QStringLiteral("Pour déplacer la source")));
    }

    void keyboardTurnsTheLamp()
    {
        w->view->setFocus();
        QTest::keyClick(w->view, Qt::Key_Right);
        QCOMPARE(bench().lampAngle, 136.0);
        QTest::keyClick(w->view, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(bench().lampAngle, 135.9);
        bench().lampAngle = 0.5;
        QTest::keyClick(w->view, Qt::Key_Left);
        QCOMPARE(bench().lampAngle, 359.5);
        w->bench->widgets().Option7->click();
        bench().lampAngle = 270;
        QTest::keyClick(w->view, Qt::Key_Right);
        QCOMPARE(bench().lampAngle, 270.0);
    }

    void screenShowsTheComposedPicture_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::newRow("start-up") << "";
        QTest::newRow("five radiations") << "Option5";
        QTest::newRow("white light") << "Option2";
        QTest::newRow("white background") << "Option4";
        QTest::newRow("mirror") << "Option7";
        QTest::newRow("after a drag") << "drag";
    }
    // Expected: what the widget paints inside its border is, pixel for pixel, the picture that
    // the clipboard, the printer and the command line take.
    void screenShowsTheComposedPicture()
    {
        QFETCH(QString, setting);
        if (setting == QLatin1String("drag")) {
            drag(QPointF(60, 120));
            release(QPointF(60, 120));
        } else if (!setting.isEmpty()) {
            w->findChild<QRadioButton*>(setting)->click();
        }
        const QImage screen = w->view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage inside = screen.copy(BenchView::Border, BenchView::Border, BenchPicture::Size,
                                          BenchPicture::Size);
        QCOMPARE(inside, w->benchPicture.composed().convertToFormat(QImage::Format_RGB32));
    }

    // Expected: over the lamp its tool tip, elsewhere on the bench none.
    void lampToolTip()
    {
        auto toolTipAt = [this](QPointF p) {
            const QPoint local = (p + QPointF(BenchView::Border, BenchView::Border)).toPoint();
            QHelpEvent e(QEvent::ToolTip, local, w->view->mapToGlobal(local));
            QApplication::sendEvent(w->view, &e);
        };
        toolTipAt(lampCentre());
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Déplacer la lampe avec la souris"));
        toolTipAt(QPointF(300, 300));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void keyboardWhiteLightOnRelease()
    {
        w->bench->widgets().Option2->click();
        const auto [b0, w0] = counts();
        QTest::keyPress(w->view, Qt::Key_Right);
        QCOMPARE(w->benchPicture.counts.bench, b0 + 1);
        QCOMPARE(w->benchPicture.counts.whiteLight, w0);
        QTest::keyRelease(w->view, Qt::Key_Right);
        QCOMPARE(w->benchPicture.counts.whiteLight, w0 + 1);
    }

    // Expected: every change of the experiment raises its revision, the table's included;
    // gathering it for a save changes nothing.
    void every_change_raises_the_revision()
    {
        const std::vector<std::pair<const char*, std::function<void()>>> changes = {
            {"a source", [this] { w->bench->widgets().Option2->setChecked(true); }},
            {"the wavelength", [this] { w->bench->widgets().HScroll1->setValue(600); }},
            {"the background", [this] { w->bench->widgets().Option4->setChecked(true); }},
            {"the element", [this] { w->bench->widgets().Option7->setChecked(true); }},
            {"the partial reflection", [this] { w->bench->widgets().Check3->setChecked(false); }},
            {"a material",
             [this] {
                 w->bench->widgets().Combo1->setCurrentIndex(1);
                 w->bench->Combo1_Click();
             }},
            {"the lamp", [this] { w->bench->lampe_KeyDown(Qt::Key_Right, {}); }},
            {"a cell", [this] { w->experiment.table.setCell(1, 0, QStringLiteral("2,000")); }},
            {"a formula",
             [this] { w->experiment.table.setColumnFormula(1, QStringLiteral("2*C1")); }},
            {"the format",
             [this] {
                 w->experiment.table.setNumberFormat(QStringLiteral("0.00E+00"));
                 w->experiment.table.reformatTable();
             }},
            {"the rows", [this] { w->experiment.table.setRowCount(20); }},
        };
        for (const auto& [what, change] : changes) {
            const quint64 before = w->experiment.revision();
            const Configuration gathered = config::fromExperiment(w->experiment);
            QCOMPARE(w->experiment.revision(), before);
            change();
            QVERIFY2(w->experiment.revision() > before, what);
        }
        // What a save gathers is what the controls show.
        const Configuration c = config::fromExperiment(w->experiment);
        QCOMPARE(c.source, Source::WhiteLight);
        QCOMPARE(c.wavelength, 600);
        QVERIFY(!c.blackBackground && !c.halfDisc && c.partialReflection == 0);
        QCOMPARE(c.discMaterial, w->bench->widgets().Combo1->currentText());
    }
};

QTEST_MAIN(TestBenchControls)
#include "tst_benchcontrols.moc"
