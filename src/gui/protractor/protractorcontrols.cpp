// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/protractor/protractorcontrols.h"

#include "core/bench/optics.h"
#include "core/platform/numtext.h"
#include "gui/bench/benchview.h"
#include "gui/platform/placed.h"
#include "gui/platform/zoom.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

ProtractorBox::ProtractorBox(const ProtractorPicture& picture, QWidget* parent)
    : QWidget(parent), m_picture(picture)
{
    setObjectName(QStringLiteral("picturap"));
    setFixedSize(protractor::Size, protractor::Size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProtractorBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QImage box = m_picture.box.image();
    box.setDevicePixelRatio(m_picture.box.scale() / zoom::of(this));
    p.drawImage(0, 0, box);
}

namespace {

// A handle as assistive technology sees it: the turning handle and the sphere are sliders whose
// value is their angle in degrees, the cross a grip.
class HandleAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit HandleAccessible(ProtractorHandle* handle)
        : QAccessibleWidget(handle), m_handle(handle)
    {}

    QAccessible::Role role() const override
    {
        return m_handle->valueMaximum > 0 ? QAccessible::Slider : QAccessible::Grip;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && m_handle->valueMaximum > 0)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return m_handle->value; }
    void setCurrentValue(const QVariant&) override {} // the keys turn it, one step at a time
    QVariant maximumValue() const override { return m_handle->valueMaximum; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.1; }

private:
    ProtractorHandle* m_handle;
};

QAccessibleInterface* handleAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("ProtractorHandle") && object && object->isWidgetType())
        return new HandleAccessible(static_cast<ProtractorHandle*>(object));
    return nullptr;
}

} // namespace

ProtractorHandle::ProtractorHandle(Icon icon, QWidget* parent) : QWidget(parent), m_icon(icon)
{
    setFixedSize(protractor::HandleSize, protractor::HandleSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(handleAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

void ProtractorHandle::paintEvent(QPaintEvent*)
{
    const double z = zoom::of(this);
    const double scale = devicePixelRatioF() * z;
    if (scale != m_drawnScale) {
        m_drawn = m_icon(scale);
        m_drawn.setDevicePixelRatio(scale / z);
        m_drawnScale = scale;
    }
    QPainter p(this);
    p.drawImage(0, 0, m_drawn);
    if (hasFocus()) {
        // The keys act on this handle: the same frame as the bench's.
        p.setPen(QPen(palette().color(QPalette::Highlight), 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ProtractorHandle::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons(), event->position() / zoom::of(this));
}

void ProtractorHandle::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Handled here even when the handle has no use for it: the bench under the box would
        // turn the lamp with it.
        event->accept();
        emit keyPressed(event->key(), event->modifiers());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ProtractorHandle::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void ProtractorHandle::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

ProtractorControls::ProtractorControls(const ProtractorPanel& panel, ProtractorState& state,
                                       BenchPicture& bench, QObject* parent)
    : QObject(parent), m_view(panel.bench), m_panel(panel.panel), m_state(state), m_bench(bench)
{
    // The measuring line starts along the normal.
    m_state.lineAngle = float(optics::Pi) / 2;
    Label5 = placedLabel(m_panel, "Label5", QStringLiteral("Angle mesuré:"), QRect(8, 24, 115, 16));
    Label10 = placedLabel(m_panel, "Label10", QStringLiteral("90,0"), QRect(8, 46, 48, 20));
    Label10->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label10->setAutoFillBackground(true);
    QPalette pal = Label10->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    Label10->setPalette(pal);
    Label17 = placedLabel(m_panel, "Label17", QStringLiteral("degrés"), QRect(62, 48, 60, 16));

    picturap = new ProtractorBox(picture, m_view);
    picturap->hide();
    Imaged = new ProtractorHandle(turnHandleIcon, picturap);
    Imaged->setObjectName(QStringLiteral("Imaged"));
    Imaged->setCursor(Qt::OpenHandCursor);
    Imagecroix = new ProtractorHandle(crossIcon, picturap);
    Imagecroix->setObjectName(QStringLiteral("Imagecroix"));
    Imagecroix->setCursor(Qt::SizeAllCursor);
    Imageboule = new ProtractorHandle(sphereIcon, picturap);
    Imageboule->setObjectName(QStringLiteral("Imageboule"));
    Imageboule->setCursor(Qt::PointingHandCursor);

    connect(Imagecroix, &ProtractorHandle::mouseMoved, this,
            &ProtractorControls::Imagecroix_MouseMove);
    connect(Imaged, &ProtractorHandle::mouseMoved, this, &ProtractorControls::Imaged_MouseMove);
    connect(Imageboule, &ProtractorHandle::mouseMoved, this,
            &ProtractorControls::Imageboule_MouseMove);
    connect(Imagecroix, &ProtractorHandle::keyPressed, this,
            &ProtractorControls::Imagecroix_KeyDown);
    connect(Imaged, &ProtractorHandle::keyPressed, this, &ProtractorControls::Imaged_KeyDown);
    connect(Imageboule, &ProtractorHandle::keyPressed, this,
            &ProtractorControls::Imageboule_KeyDown);
    // Tab goes from the bench to the cross, the turning handle, then the sphere.
    QWidget::setTabOrder(m_view, Imagecroix);
    QWidget::setTabOrder(Imagecroix, Imaged);
    QWidget::setTabOrder(Imaged, Imageboule);
    Imagecroix->setAccessibleName(CrossName);
    Imaged->setAccessibleName(TurnName);
    Imageboule->setAccessibleName(SphereName);
    Imaged->valueMaximum = 360;    // its orientation
    Imageboule->valueMaximum = 90; // the measure
    picturap->setAccessibleName(QStringLiteral("Rapporteur"));
    Label10->setAccessibleDescription(QStringLiteral("Angle mesuré, en degrés"));
    describe();

    m_bench.fondrap = [this] { fondrap(); };
}

bool ProtractorControls::isOpen() const
{
    return !m_panel->isHidden();
}

void ProtractorControls::open()
{
    m_panel->show();
    picture.place = protractor::StartPlace;
    fondrap();
    picturap->show();
    picturap->raise();
    emit hintChanged(OpenHint);
    QPalette pal = Label10->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    Label10->setPalette(pal);
}

void ProtractorControls::close()
{
    picturap->hide();
    m_panel->hide();
}

void ProtractorControls::fondrap()
{
    copyBenchUnder(picture, m_bench, m_state);
    showDrawing();
}

void ProtractorControls::majrap()
{
    drawProtractor(picture, m_bench, m_state);
    showDrawing();
}

void ProtractorControls::showDrawing()
{
    // At the window's factor z, 1× pixel p of the box is z p of its widget.
    const double z = zoom::of(m_view);
    const int side = numtext::roundToInt(protractor::Size * z);
    picturap->setFixedSize(side, side);
    picturap->move(m_view->fromDessin(picture.placedAt()));
    const int handleSide = numtext::roundToInt(protractor::HandleSize * z);
    auto place = [z, handleSide](QWidget* handle, QPointF topLeft) {
        handle->setFixedSize(handleSide, handleSide);
        handle->move(numtext::roundToInt(topLeft.x() * z), numtext::roundToInt(topLeft.y() * z));
    };
    place(Imaged, picture.handles.turn);
    place(Imagecroix, picture.handles.cross);
    place(Imageboule, picture.handles.sphere);
    picturap->update();
}

QPointF ProtractorControls::inBox(const ProtractorHandle* handle, QPointF pos) const
{
    return QPointF(handle->pos()) / zoom::of(m_view) + pos;
}

void ProtractorControls::Imagecroix_MouseMove(Qt::MouseButtons buttons, QPointF pos)
{
    if (buttons != Qt::LeftButton) {
        emit hintChanged(CrossHint);
        m_state.crossGrabX = std::int16_t(numtext::roundToInt(pos.x()));
        m_state.crossGrabY = std::int16_t(numtext::roundToInt(pos.y()));
        return;
    }
    // The grabbed point of the cross stays under the pointer; the box stays on the bench.
    moveBoxTo(picture.place + pos - QPointF(m_state.crossGrabX, m_state.crossGrabY));
}

void ProtractorControls::moveBoxTo(QPointF wanted)
{
    picture.place = protractor::clampedPlace(
        wanted, QRectF(0, 0, m_bench.dessin.width(), m_bench.dessin.height()));
    fondrap();
    describe();
}

void ProtractorControls::Imaged_MouseMove(Qt::MouseButtons buttons, QPointF pos)
{
    if (buttons != Qt::LeftButton) {
        emit hintChanged(TurnHint);
        return;
    }
    const QPointF p = inBox(Imaged, pos);
    m_state.protractorAngle = protractor::turnedAngle(p.x(), p.y());
    majrap();
    describe();
}

void ProtractorControls::Imageboule_MouseMove(Qt::MouseButtons buttons, QPointF pos)
{
    if (buttons != Qt::LeftButton) {
        emit hintChanged(SphereHint);
        return;
    }
    const QPointF p = inBox(Imageboule, pos);
    m_state.lineAngle =
        protractor::measuredLineAngle(m_state.protractorAngle, m_state.lineAngle, p.x(), p.y());
    showReadout();
    majrap();
}

void ProtractorControls::showReadout()
{
    const QString text = protractor::readout(m_state.lineAngle);
    if (text == Label10->text())
        return;
    Label10->setText(text);
    describe();
    QAccessibleValueChangeEvent event(Imageboule, protractor::measuredDegrees(m_state.lineAngle));
    QAccessible::updateAccessibility(&event);
}

void ProtractorControls::describe()
{
    const QString degree = QStringLiteral("°");
    const QPoint centre = picture.placedAt() + QPoint(100, 100);
    Imagecroix->setAccessibleDescription(
        QStringLiteral("Rapporteur, centre en (%1, %2) sur le banc")
            .arg(centre.x())
            .arg(centre.y()));
    Imaged->setAccessibleDescription(
        QStringLiteral("Rapporteur, orientation ") +
        numtext::format(double(protractor::normalisedAngle(m_state.protractorAngle)) /
                            protractor::Degree,
                        QStringLiteral("##0.0")) +
        degree);
    Imageboule->setAccessibleDescription(QStringLiteral("Rapporteur, mesure ") + Label10->text() +
                                         degree);
    Imaged->value =
        double(protractor::normalisedAngle(m_state.protractorAngle)) / protractor::Degree;
    Imageboule->value = protractor::measuredDegrees(m_state.lineAngle);
}

namespace {

// The step of a key on a handle: one unit, or a tenth (a tenfold unit for the cross) with Shift.
double keyStep(Qt::KeyboardModifiers modifiers, double plain, double shifted)
{
    return (modifiers & Qt::ShiftModifier) ? shifted : plain;
}

} // namespace

void ProtractorControls::Imagecroix_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const double step = keyStep(modifiers, 1, 10);
    QPointF by;
    switch (key) {
    case Qt::Key_Left:
        by = {-step, 0};
        break;
    case Qt::Key_Right:
        by = {step, 0};
        break;
    case Qt::Key_Up:
        by = {0, -step};
        break;
    case Qt::Key_Down:
        by = {0, step};
        break;
    default:
        return;
    }
    emit hintChanged(CrossHint);
    moveBoxTo(picture.place + by);
}

void ProtractorControls::Imaged_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return;
    // Angles grow anticlockwise: Left turns that way.
    const double step = keyStep(modifiers, 1, 0.1) * protractor::Degree;
    // A whole turn is 360 steps of 1°, whatever period the drawing brings the angle back by.
    const double fullTurn = 360 * protractor::Degree;
    double turned =
        std::fmod(double(m_state.protractorAngle) + (key == Qt::Key_Left ? step : -step), fullTurn);
    if (turned < 0)
        turned += fullTurn;
    m_state.protractorAngle = protractor::normalisedAngle(float(turned));
    majrap();
    describe();
}

void ProtractorControls::Imageboule_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit readingEntered(Label10->text());
        return;
    }
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return;
    const double step = keyStep(modifiers, 1, 0.1) * protractor::Degree;
    const double wanted = double(m_state.lineAngle) + (key == Qt::Key_Left ? step : -step);
    emit hintChanged(SphereHint);
    m_state.lineAngle = protractor::caughtLineAngle(m_state.lineAngle, wanted);
    showReadout();
    majrap();
}
