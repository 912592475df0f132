// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's bench handlers: the material selectors, the light source and display options,
// and the lamp, dragged with the mouse or turned with the keyboard. Each handler asks for its
// redraws in a fixed order; a check box changed from code runs its own handler too.
#include "state/module1.h"
#include "app/prisme.h"
#include "bench/benchview.h"
#include "bench/lamp.h"
#include "bench/loupe.h"
#include "bench/materials.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

namespace {

// Runs a function when the watched widget takes the focus.
class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* parent, std::function<void()> onFocus)
        : QObject(parent), m_onFocus(std::move(onFocus))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            m_onFocus();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onFocus;
};

const QString LampHint = QStringLiteral(
    "Pour déplacer la source lumineuse, utiliser la souris en maintenant le bouton gauche enfoncé");

} // namespace

void Prisme::connectBenchControls()
{
    // A choice in a list (even of the entry already shown: "Autre" opens its dialog again).
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    Combo1->installEventFilter(new FocusWatcher(this, [this] { Combo1_GotFocus(); }));
    Combo2->installEventFilter(new FocusWatcher(this, [this] { Combo2_GotFocus(); }));

    // The scroll bar: a step while the thumb is dragged, or a change (arrows, track, release).
    HScroll1->setTracking(true);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] {
        if (HScroll1->isSliderDown())
            HScroll1_Scroll();
        else
            HScroll1_Change();
    });
    connect(HScroll1, &QScrollBar::sliderReleased, this, &Prisme::HScroll1_Change);

    // Options run their handler when they become selected, check boxes whenever they change.
    auto onSelected = [this](QRadioButton* option, void (Prisme::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    onSelected(Option1, &Prisme::Option1_Click);
    onSelected(Option5, &Prisme::Option5_Click);
    onSelected(Option2, &Prisme::Option2_Click);
    onSelected(Option3, &Prisme::Option3_Click);
    onSelected(Option4, &Prisme::Option4_Click);
    onSelected(Option6, &Prisme::Option6_Click);
    onSelected(Option7, &Prisme::Option7_Click);
    connect(Check3, &QCheckBox::toggled, this, &Prisme::Check3_Click);
    connect(propa, &QCheckBox::toggled, this, &Prisme::propa_Click);

    connect(dessin, &BenchView::lampMouseDown, this,
            [this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPointF p) { lampe_MouseDown(b, p); });
    connect(dessin, &BenchView::lampMouseMove, this,
            [this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPointF p) { lampe_MouseMove(b, p); });
    connect(dessin, &BenchView::lampMouseUp, this, [this] { lampe_MouseUp(); });
    connect(dessin, &BenchView::lampKeyPressed, this,
            [this](int key, Qt::KeyboardModifiers m, bool) { lampe_KeyDown(key, m); });
    connect(dessin, &BenchView::lampKeyReleased, this,
            [this](int, Qt::KeyboardModifiers, bool autoRepeat) { lampe_KeyUp(autoRepeat); });
}

// ---------------------------------------------------------------------------------------------
// Materials

void Prisme::updateIndexReadout(QLabel* wavelengthLine, QLabel* indexLabel, float a, float b)
{
    const int lambda = HScroll1->value();
    wavelengthLine->setText(::wavelengthLine(lambda));
    indexLabel->setText(indexReadout(a, b, lambda));
}

void Prisme::updateIndexReadouts()
{
    const BenchState& bench = module1().bench;
    updateIndexReadout(Label20, Label4, bench.discA, bench.discB);
    updateIndexReadout(Label14, Label16, bench.outerA, bench.outerB);
}

void Prisme::setListPosition(QComboBox* list, int position)
{
    if (list->currentIndex() == position)
        return;
    list->setCurrentIndex(position);
    if (list == Combo1)
        Combo1_Click();
    else if (list == Combo2)
        Combo2_Click();
}

namespace {

// The selection of one material list; the two lists differ only by the fields they set.
struct Medium {
    QComboBox* list;
    float& a;
    float& b;
    std::int16_t& index;
    std::int16_t target;
    QLabel* wavelengthLine;
    QLabel* readout;
};

} // namespace

static void selectMaterial(Prisme& w, const Medium& m)
{
    BenchState& bench = module1().bench;
    const int p = m.list->currentIndex();
    if (p >= 0 && p < OtherMaterial) {
        m.a = MaterialCatalogue[std::size_t(p)].a;
        m.b = MaterialCatalogue[std::size_t(p)].b;
    } else if (p == OtherMaterial) {
        bench.customMaterialTarget = m.target;
        if (bench.loadingConfig == 0) {
            const int remembered = m.index;
            LOUPE dialog(bench, [&w, &m, remembered] { w.setListPosition(m.list, remembered); },
                         &w);
            dialog.exec();
        }
    }
    w.updateIndexReadout(m.wavelengthLine, m.readout, m.a, m.b);
    m.list->setCursor(Qt::WaitCursor);
    if (w.Option2->isChecked())
        w.redrawWhiteLight();
    else
        w.redrawBench();
    m.list->unsetCursor();
    m.index = std::int16_t(m.list->currentIndex());
}

void Prisme::Combo1_Click()
{
    BenchState& bench = module1().bench;
    selectMaterial(*this, {Combo1, bench.discA, bench.discB, bench.discMaterialIndex, 2, Label20,
                           Label4});
}

void Prisme::Combo2_Click()
{
    BenchState& bench = module1().bench;
    selectMaterial(*this, {Combo2, bench.outerA, bench.outerB, bench.outerMaterialIndex, 1,
                           Label14, Label16});
}

void Prisme::Combo1_GotFocus()
{
    setHint(QStringLiteral("Vous pouvez choisir le matériau constituant le demi-disque dans la "
                           "liste ou en définir un autre"));
}

void Prisme::Combo2_GotFocus()
{
    setHint(QStringLiteral(
        "Vous pouvez choisir le milieu extérieur dans la liste ou en définir un autre"));
}

// ---------------------------------------------------------------------------------------------
// Light source and display options

void Prisme::HScroll1_Change()
{
    Label7->setText(QString::number(HScroll1->value()));
    updateIndexReadouts();
    setHint(QStringLiteral(
        "Pour affiner le réglage de la longueur d'onde, utiliser les boutons < et >"));
    if (Option1->isChecked())
        redrawBench();
}

void Prisme::HScroll1_Scroll()
{
    Label7->setText(QString::number(HScroll1->value()));
    Label7->repaint();
    updateIndexReadouts();
    if (Option1->isChecked())
        redrawBench();
}

void Prisme::Option1_Click()
{
    redrawBench();
    propa->setEnabled(true);
    propa->setChecked(true);
}

void Prisme::Option5_Click()
{
    Option1_Click();
}

void Prisme::Option2_Click()
{
    Option2->setCursor(Qt::WaitCursor);
    propa->setChecked(false);
    propa->setEnabled(false);
    redrawBench();
    redrawWhiteLight();
    Option2->unsetCursor();
}

void Prisme::Option3_Click()
{
    Option3->setCursor(Qt::WaitCursor);
    redrawBench();
    if (Option2->isChecked())
        redrawWhiteLight();
    Option3->unsetCursor();
}

void Prisme::Option4_Click()
{
    Option4->setCursor(Qt::WaitCursor);
    redrawBench();
    if (Option2->isChecked())
        redrawWhiteLight();
    Option4->unsetCursor();
}

void Prisme::Option6_Click()
{
    module1().bench.benchDrawnFor = 0;
    redrawBench();
    if (Option2->isChecked())
        redrawWhiteLight();
}

void Prisme::Option7_Click()
{
    BenchState& bench = module1().bench;
    bench.benchDrawnFor = 0;
    bench.lampAngle = mirrorSideAngle(bench.lampAngle);
    redrawBench();
    if (Option2->isChecked())
        redrawWhiteLight();
}

void Prisme::Check3_Click()
{
    redrawBench();
    if (Option2->isChecked())
        redrawWhiteLight();
}

void Prisme::propa_Click()
{
    redrawBench();
}

// ---------------------------------------------------------------------------------------------
// The lamp

void Prisme::lampe_MouseDown(Qt::MouseButtons buttons, QPointF pos)
{
    // A click places the lamp without any movement.
    lampe_MouseMove(buttons, pos);
}

void Prisme::lampe_MouseMove(Qt::MouseButtons buttons, QPointF pos)
{
    setHint(LampHint);
    if (buttons == Qt::LeftButton)
        dragStep(pos);
}

void Prisme::dragStep(QPointF pos)
{
    // The pointer's offset from the centre, to the nearest pixel: a move of less than half a
    // pixel changes nothing.
    lampDx = std::int16_t(std::nearbyint(BenchPicture::Centre - pos.x()));
    lampDy = std::int16_t(std::nearbyint(BenchPicture::Centre - pos.y()));
    if (lampDx == lastLampDx && lampDy == lastLampDy)
        return;
    lastLampDx = lampDx;
    lastLampDy = lampDy;
    BenchState& bench = module1().bench;
    bench.lampAngle = pointerAngle(lampDx, lampDy, Option7->isChecked());
    bench.lampMoved = 1;
    redrawBench();
}

void Prisme::lampe_MouseUp()
{
    if (Option2->isChecked() && module1().bench.lampMoved == 1)
        redrawWhiteLight();
}

void Prisme::lampe_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // Right turns the lamp clockwise on the screen, Left anticlockwise; Shift for tenths.
    const double step = (modifiers & Qt::ShiftModifier) ? 0.1 : 1.0;
    const double delta = key == Qt::Key_Right ? step : -step;
    BenchState& bench = module1().bench;
    bench.lampAngle = turnedLampAngle(bench.lampAngle, delta, Option7->isChecked());
    bench.lampMoved = 1;
    redrawBench();
}

void Prisme::lampe_KeyUp(bool autoRepeat)
{
    if (!autoRepeat)
        lampe_MouseUp();
}
