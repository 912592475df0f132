// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/bench/benchcontrols.h"

#include "core/bench/lamp.h"
#include "core/bench/materials.h"
#include "core/platform/numtext.h"
#include "gui/bench/benchview.h"
#include "gui/bench/loupe.h"
#include "gui/platform/decorative.h"
#include "gui/platform/placed.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
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

BenchControls::BenchControls(const BenchPanels& panels, BenchSettings& settings, BenchState& state,
                             BenchPicture& picture, QWidget* window)
    : QObject(window), m_settings(settings), m_state(state), m_picture(picture), m_window(window)
{
    m_w.dessin = panels.bench;
    m_w.Picture2 = panels.protractor;
    buildMaterialPanels(panels.disc, panels.outer);
    buildSourcePanel(panels.source);
    buildOptionsPanel(panels.options);
    connect(m_w.dessin, &BenchView::pixelRatioChanged, this, &BenchControls::matchScreen);
    m_w.Timer1 = new QTimer(this);
    m_w.Timer1->setObjectName(QStringLiteral("Timer1"));
    m_w.Timer1->setSingleShot(true);
    m_w.Timer1->setInterval(1500);

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

void BenchControls::buildMaterialPanels(QFrame* disc, QFrame* outer)
{
    struct Medium {
        QFrame* panel;
        QComboBox*& combo;
        const char* comboName;
        QString toolTip;
        QLabel*& line;
        const char* lineName;
        QLabel*& readout;
        const char* readoutName;
        QString accessibleName;
    };
    const Medium media[] = {
        {disc, m_w.Combo1, "Combo1",
         QStringLiteral("Définir le matériau constituant le demi-disque"), m_w.Label20, "Label20",
         m_w.Label4, "Label4", QStringLiteral("Matériau du demi-disque")},
        {outer, m_w.Combo2, "Combo2",
         QStringLiteral("Définir le matériau à l'extérieur du demi-disque"), m_w.Label14, "Label14",
         m_w.Label16, "Label16", QStringLiteral("Matériau du milieu extérieur")},
    };
    for (const Medium& m : media) {
        auto* materialLabel = new QLabel(QStringLiteral("Matériau:"), m.panel);
        materialLabel->setGeometry(6, 22, 54, 16);
        m.combo = placed(new QComboBox(m.panel), m.comboName, QRect(60, 20, 110, 21));
        m.combo->setToolTip(m.toolTip);
        m.combo->setAccessibleName(m.accessibleName);
        materialLabel->setBuddy(m.combo);
        m.line = placedLabel(m.panel, m.lineName, QStringLiteral("l ="), QRect(6, 44, 164, 28));
        m.line->setWordWrap(true);
        m.line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        auto* indexCaption = new QLabel(QStringLiteral("L'indice est:"), m.panel);
        indexCaption->setGeometry(6, 75, 66, 16);
        m.readout =
            placedLabel(m.panel, m.readoutName, QStringLiteral("n ="), QRect(72, 75, 98, 16));
        QFont bold = m.readout->font();
        bold.setBold(true);
        m.readout->setFont(bold);
    }
}

void BenchControls::buildSourcePanel(QFrame* source)
{
    m_w.Option1 = placed(new QRadioButton(QStringLiteral("Monochromatique"), source), "Option1",
                         QRect(8, 21, 150, 17));
    m_w.Option1->setChecked(true);
    m_w.Image1 = placedLabel(source, "Image1", QString(), QRect(10, 40, 159, 31));
    m_w.Image1->setPixmap(QPixmap::fromImage(spectrumStrip()));
    m_w.HScroll1 =
        placed(new QScrollBar(Qt::Horizontal, source), "HScroll1", QRect(10, 47, 159, 17));
    m_w.HScroll1->setRange(400, 800);
    m_w.HScroll1->setSingleStep(1);
    m_w.HScroll1->setPageStep(25);
    m_w.HScroll1->setValue(589);
    m_w.HScroll1->setFocusPolicy(Qt::TabFocus);
    m_w.HScroll1->setAccessibleName(QStringLiteral("Longueur d'onde, en nanomètres"));
    accessibility::markDecorative(m_w.Image1); // the scroll bar says the wavelength
    m_w.Label6 = placedLabel(source, "Label6", QStringLiteral("λ ="), QRect(180, 47, 22, 17));
    m_w.Label7 = placedLabel(source, "Label7", QStringLiteral("589"), QRect(202, 47, 26, 17));
    m_w.Label7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_w.Label8 = placedLabel(source, "Label8", QStringLiteral("nm"), QRect(232, 47, 24, 17));
    m_w.Option5 = placed(
        new QRadioButton(QStringLiteral("5 radiations ( 400 / 500 / 600 / 700 / 800 nm )"), source),
        "Option5", QRect(8, 74, 345, 17));
    m_w.Option2 =
        placed(new QRadioButton(QStringLiteral("lumière polychromatique blanche"), source),
               "Option2", QRect(8, 92, 345, 17));
}

void BenchControls::buildOptionsPanel(QFrame* options)
{
    // The frame's own caption, "Options", heads the group of controls under the title strip.
    QGroupBox* group = placed(new QGroupBox(QStringLiteral("Options"), options), "optionsGroup",
                              QRect(3, 17, 267, 62));
    m_w.optionsGroup = group;
    QFont caption = group->font();
    caption.setPixelSize(10);
    group->setFont(caption);
    const QFont controls = m_window->font();

    m_w.Option3 = placed(new QRadioButton(QStringLiteral("Fond noir"), group), "Option3",
                         QRect(5, 15, 96, 15));
    m_w.Option3->setToolTip(QStringLiteral("Représentation de l'expérience en couleur"));
    m_w.Option3->setChecked(true);
    m_w.Option4 = placed(new QRadioButton(QStringLiteral("Fond blanc"), group), "Option4",
                         QRect(5, 30, 96, 15));
    m_w.Option4->setToolTip(QStringLiteral("Schéma de principe en noir sur fond blanc"));

    m_w.elementFrame = placed(new QFrame(group), "elementFrame", QRect(107, 13, 155, 32));
    m_w.elementFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_w.Option6 = placed(new QRadioButton(QStringLiteral("Demi-disque"), m_w.elementFrame),
                         "Option6", QRect(6, 1, 140, 15));
    m_w.Option6->setChecked(true);
    m_w.Option7 = placed(new QRadioButton(QStringLiteral("Miroir"), m_w.elementFrame), "Option7",
                         QRect(6, 16, 140, 15));

    m_w.Check3 = placed(new QCheckBox(QStringLiteral("Réflexion partielle"), group), "Check3",
                        QRect(5, 46, 124, 15));
    m_w.Check3->setChecked(true);
    m_w.propa = placed(new QCheckBox(QStringLiteral("Sens de propagation"), group), "propa",
                       QRect(131, 46, 134, 15));
    m_w.propa->setToolTip(QStringLiteral("Sens de propagation de la lumière"));
    m_w.propa->setChecked(true);
    for (QWidget* control : group->findChildren<QWidget*>())
        control->setFont(controls);
}

void BenchControls::showStartMaterials()
{
    for (QComboBox* combo : {m_w.Combo1, m_w.Combo2}) {
        combo->clear();
        combo->addItems(materialNames());
    }
    m_w.Combo1->setCurrentIndex(2);
    Combo1_Click();
    m_w.Combo2->setCurrentIndex(0);
    Combo2_Click();
}

void BenchControls::startDrawing()
{
    m_w.Option3->setChecked(true);
    buildSpectrumColours(m_state);
    m_state.lampAngle = 135;
    redrawBench();
    redrawWhiteLight();
}

void BenchControls::applyConfiguration(const Configuration& c)
{
    m_state.outerA = c.outerA;
    m_state.outerB = c.outerB;
    m_state.discA = c.discA;
    m_state.discB = c.discB;

    m_state.loadingConfig = true;
    m_w.Combo1->setCurrentIndex(m_w.Combo1->findText(c.discMaterial));
    Combo1_Click();
    m_w.Combo2->setCurrentIndex(m_w.Combo2->findText(c.outerMaterial));
    Combo2_Click();
    m_state.loadingConfig = false;

    // The options in the order of their records, Option1 to Option7, each selecting runs its
    // reaction.
    const std::pair<QRadioButton*, bool> options[] = {
        {m_w.Option1, c.source == Source::Monochromatic},
        {m_w.Option2, c.source == Source::WhiteLight},
        {m_w.Option3, c.blackBackground},
        {m_w.Option4, !c.blackBackground},
        {m_w.Option5, c.source == Source::FiveRadiations},
        {m_w.Option6, c.halfDisc},
        {m_w.Option7, !c.halfDisc},
    };
    for (const auto& [option, selected] : options)
        if (selected)
            option->setChecked(true);
    m_w.Check3->setChecked(c.partialReflection != 0);
    m_w.HScroll1->setValue(c.wavelength);
    m_w.propa->setChecked(c.arrows != 0);
    m_state.lampAngle = c.lampAngle;
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
    describeLamp();
}

void BenchControls::matchScreen(double ratio)
{
    if (ratio == m_picture.scale())
        return;
    m_picture.setScale(ratio);
    m_state.benchDrawnFor = 0;
    redrawForOption();
}

void BenchControls::describeLamp()
{
    const QString text = QStringLiteral("Lampe, angle ") +
                         numtext::format(m_state.lampAngle, QStringLiteral("##0.0")) +
                         QStringLiteral("°");
    if (m_w.dessin->accessibleDescription() == text)
        return;
    m_w.dessin->setAccessibleDescription(text);
    QAccessibleValueChangeEvent event(m_w.dessin, m_state.lampAngle);
    QAccessible::updateAccessibility(&event);
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
        LOUPE dialog(m_state, m_window);
        connect(&dialog, &LOUPE::cancelled, this,
                [this, list, remembered] { setListPosition(list, remembered); });
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
