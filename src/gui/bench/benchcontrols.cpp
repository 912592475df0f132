// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/bench/benchcontrols.h"

#include "core/bench/lamp.h"
#include "core/bench/materials.h"
#include "gui/bench/benchview.h"
#include "gui/bench/loupe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

namespace {

// Runs a function when the watched widget takes the focus.
class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* parent, std::function<void()> onFocus)
        : QObject(parent), m_onFocus(std::move(onFocus))
    {}

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

// Shows the busy pointer on a control for the time of a redraw.
class BusyCursor {
public:
    explicit BusyCursor(QWidget* widget) : m_widget(widget) { m_widget->setCursor(Qt::WaitCursor); }
    ~BusyCursor() { m_widget->unsetCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QWidget* m_widget;
};

} // namespace

BenchControls::BenchControls(const BenchWidgets& widgets, BenchSettings& settings,
                             BenchState& state, BenchPicture& picture, QWidget* window)
    : QObject(window), m_w(widgets), m_settings(settings), m_state(state), m_picture(picture),
      m_window(window)
{
    m_picture.startTimer1 = [this] { m_w.Timer1->start(); };
    m_picture.stopTimer1 = [this] { m_w.Timer1->stop(); };
    m_picture.setBusy = [this](bool busy) {
        if (busy)
            m_w.dessin->setCursor(Qt::WaitCursor);
        else
            m_w.dessin->unsetCursor();
    };
    m_picture.repaint = [this] { m_w.dessin->update(); };
    connectControls();
}

void BenchControls::connectControls()
{
    // A choice in a list (even of the entry already shown: "Autre" opens its dialog again).
    connect(m_w.Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(m_w.Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    m_w.Combo1->installEventFilter(new FocusWatcher(this, [this] { Combo1_GotFocus(); }));
    m_w.Combo2->installEventFilter(new FocusWatcher(this, [this] { Combo2_GotFocus(); }));

    // The scroll bar: a step while the thumb is dragged, or a change (arrows, track, release).
    m_w.HScroll1->setTracking(true);
    connect(m_w.HScroll1, &QScrollBar::valueChanged, this, [this] {
        if (m_w.HScroll1->isSliderDown())
            HScroll1_Scroll();
        else
            HScroll1_Change();
    });
    connect(m_w.HScroll1, &QScrollBar::sliderReleased, this, &BenchControls::HScroll1_Change);

    // Options run their handler when they become selected, check boxes whenever they change.
    auto onSelected = [this](QRadioButton* option, void (BenchControls::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    onSelected(m_w.Option1, &BenchControls::Option1_Click);
    onSelected(m_w.Option5, &BenchControls::Option5_Click);
    onSelected(m_w.Option2, &BenchControls::Option2_Click);
    onSelected(m_w.Option3, &BenchControls::Option3_Click);
    onSelected(m_w.Option4, &BenchControls::Option4_Click);
    onSelected(m_w.Option6, &BenchControls::Option6_Click);
    onSelected(m_w.Option7, &BenchControls::Option7_Click);
    connect(m_w.Check3, &QCheckBox::toggled, this, &BenchControls::Check3_Click);
    connect(m_w.propa, &QCheckBox::toggled, this, &BenchControls::propa_Click);

    BenchView* view = m_w.dessin;
    connect(
        view, &BenchView::lampMouseDown, this,
        [this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPointF p) { lampe_MouseDown(b, p); });
    connect(
        view, &BenchView::lampMouseMove, this,
        [this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPointF p) { lampe_MouseMove(b, p); });
    connect(view, &BenchView::lampMouseUp, this, [this] { lampe_MouseUp(); });
    connect(view, &BenchView::lampKeyPressed, this,
            [this](int key, Qt::KeyboardModifiers m, bool) { lampe_KeyDown(key, m); });
    connect(view, &BenchView::lampKeyReleased, this,
            [this](int, Qt::KeyboardModifiers, bool autoRepeat) { lampe_KeyUp(autoRepeat); });
    connect(view, &BenchView::dessinMouseMove, this, [this] { emit hintChanged(LampHint); });

    connect(m_w.Timer1, &QTimer::timeout, this,
            [this] { timer1Fired(m_state, benchOptions(), m_picture); });
}

BenchOptions BenchControls::benchOptions() const
{
    // The panel's own visibility flag: the window itself may be off-screen.
    return ::benchOptions(m_settings, !m_w.Picture2->isHidden());
}

void BenchControls::redrawBench()
{
    ::redrawBench(m_state, benchOptions(), m_picture);
}

void BenchControls::redrawWhiteLight()
{
    ::redrawWhiteLight(m_state, benchOptions(), m_picture);
}

void BenchControls::redrawForOption()
{
    redrawBench();
    if (m_settings.source == Source::WhiteLight)
        redrawWhiteLight();
}

// ---------------------------------------------------------------------------------------------
// Materials

void BenchControls::updateIndexReadout(QLabel* wavelengthLine, QLabel* readout, float a, float b)
{
    const int lambda = m_settings.wavelength;
    wavelengthLine->setText(::wavelengthLine(lambda));
    readout->setText(indexReadout(a, b, lambda));
}

void BenchControls::updateIndexReadouts()
{
    updateIndexReadout(m_w.Label20, m_w.Label4, m_state.discA, m_state.discB);
    updateIndexReadout(m_w.Label14, m_w.Label16, m_state.outerA, m_state.outerB);
}

void BenchControls::setListPosition(QComboBox* list, int position)
{
    if (list->currentIndex() == position)
        return;
    list->setCurrentIndex(position);
    if (list == m_w.Combo1)
        Combo1_Click();
    else if (list == m_w.Combo2)
        Combo2_Click();
}

void BenchControls::selectMaterial(QComboBox* list, Medium medium, QLabel* wavelengthLine,
                                   QLabel* readout)
{
    if (chooseMaterial(m_state, medium, list->currentIndex()) == MaterialChoice::Custom &&
        !m_state.loadingConfig) {
        // Annuler puts the list back where it was before "Autre".
        const int remembered = mediumListIndex(m_state, medium);
        LOUPE dialog(
            m_state, [this, list, remembered] { setListPosition(list, remembered); }, m_window);
        dialog.exec();
    }
    (medium == Medium::Disc ? m_settings.discMaterial : m_settings.outerMaterial) =
        list->currentText();
    emit changed();
    updateIndexReadout(wavelengthLine, readout, mediumA(m_state, medium), mediumB(m_state, medium));
    {
        BusyCursor busy(list);
        if (m_settings.source == Source::WhiteLight)
            redrawWhiteLight();
        else
            redrawBench();
    }
    mediumListIndex(m_state, medium) = std::int16_t(list->currentIndex());
}

void BenchControls::Combo1_Click()
{
    selectMaterial(m_w.Combo1, Medium::Disc, m_w.Label20, m_w.Label4);
}

void BenchControls::Combo2_Click()
{
    selectMaterial(m_w.Combo2, Medium::Outer, m_w.Label14, m_w.Label16);
}

void BenchControls::Combo1_GotFocus()
{
    emit hintChanged(
        QStringLiteral("Vous pouvez choisir le matériau constituant le demi-disque dans la "
                       "liste ou en définir un autre"));
}

void BenchControls::Combo2_GotFocus()
{
    emit hintChanged(QStringLiteral(
        "Vous pouvez choisir le milieu extérieur dans la liste ou en définir un autre"));
}

// ---------------------------------------------------------------------------------------------
// Light source and display options

void BenchControls::takeWavelength()
{
    m_settings.wavelength = m_w.HScroll1->value();
    emit changed();
    m_w.Label7->setText(QString::number(m_settings.wavelength));
}

void BenchControls::HScroll1_Change()
{
    takeWavelength();
    updateIndexReadouts();
    emit hintChanged(QStringLiteral(
        "Pour affiner le réglage de la longueur d'onde, utiliser les boutons < et >"));
    if (m_settings.source == Source::Monochromatic)
        redrawBench();
}

void BenchControls::HScroll1_Scroll()
{
    takeWavelength();
    m_w.Label7->repaint();
    updateIndexReadouts();
    if (m_settings.source == Source::Monochromatic)
        redrawBench();
}

void BenchControls::chooseSource(Source source)
{
    m_settings.source = source;
    emit changed();
    redrawBench();
    m_w.propa->setEnabled(true);
    m_w.propa->setChecked(true);
}

void BenchControls::Option1_Click()
{
    chooseSource(Source::Monochromatic);
}

void BenchControls::Option5_Click()
{
    chooseSource(Source::FiveRadiations);
}

void BenchControls::Option2_Click()
{
    m_settings.source = Source::WhiteLight;
    emit changed();
    BusyCursor busy(m_w.Option2);
    m_w.propa->setChecked(false);
    m_w.propa->setEnabled(false);
    redrawBench();
    redrawWhiteLight();
}

void BenchControls::Option3_Click()
{
    m_settings.blackBackground = true;
    emit changed();
    BusyCursor busy(m_w.Option3);
    redrawForOption();
}

void BenchControls::Option4_Click()
{
    m_settings.blackBackground = false;
    emit changed();
    BusyCursor busy(m_w.Option4);
    redrawForOption();
}

void BenchControls::Option6_Click()
{
    m_settings.halfDisc = true;
    emit changed();
    m_state.benchDrawnFor = 0;
    redrawForOption();
}

void BenchControls::Option7_Click()
{
    m_settings.halfDisc = false;
    emit changed();
    m_state.benchDrawnFor = 0;
    m_state.lampAngle = mirrorSideAngle(m_state.lampAngle);
    redrawForOption();
}

void BenchControls::Check3_Click()
{
    m_settings.partialReflection = m_w.Check3->isChecked();
    emit changed();
    redrawForOption();
}

void BenchControls::propa_Click()
{
    m_settings.arrows = m_w.propa->isChecked();
    emit changed();
    redrawBench();
}

// ---------------------------------------------------------------------------------------------
// The lamp

void BenchControls::lampe_MouseDown(Qt::MouseButtons buttons, QPointF pos)
{
    // A click places the lamp without any movement.
    lampe_MouseMove(buttons, pos);
}

void BenchControls::lampe_MouseMove(Qt::MouseButtons buttons, QPointF pos)
{
    emit hintChanged(LampHint);
    if (buttons == Qt::LeftButton)
        dragStep(pos);
}

void BenchControls::dragStep(QPointF pos)
{
    // The pointer's offset from the centre, to the nearest pixel: a move of less than half a
    // pixel changes nothing.
    const auto dx = std::int16_t(std::nearbyint(BenchPicture::Centre - pos.x()));
    const auto dy = std::int16_t(std::nearbyint(BenchPicture::Centre - pos.y()));
    if (dx == m_lastLampDx && dy == m_lastLampDy)
        return;
    m_lastLampDx = dx;
    m_lastLampDy = dy;
    m_state.lampAngle = pointerAngle(dx, dy, !m_settings.halfDisc);
    m_state.lampMoved = true;
    emit changed();
    redrawBench();
}

void BenchControls::lampe_MouseUp()
{
    if (m_settings.source == Source::WhiteLight && m_state.lampMoved)
        redrawWhiteLight();
}

void BenchControls::lampe_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // Right turns the lamp clockwise on the screen, Left anticlockwise; Shift for tenths.
    const double step = (modifiers & Qt::ShiftModifier) ? 0.1 : 1.0;
    const double delta = key == Qt::Key_Right ? step : -step;
    m_state.lampAngle = turnedLampAngle(m_state.lampAngle, delta, !m_settings.halfDisc);
    m_state.lampMoved = true;
    emit changed();
    redrawBench();
}

void BenchControls::lampe_KeyUp(bool autoRepeat)
{
    if (!autoRepeat)
        lampe_MouseUp();
}
