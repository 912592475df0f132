// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/protractor/protractorcontrols.h"

#include "core/bench/optics.h"
#include "core/platform/numtext.h"
#include "gui/bench/benchview.h"
#include "gui/platform/placed.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

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
    p.drawImage(0, 0, m_picture.box.image());
}

ProtractorHandle::ProtractorHandle(const QImage& icon, QWidget* parent)
    : QWidget(parent), m_icon(icon)
{
    setFixedSize(protractor::HandleSize, protractor::HandleSize);
    setMouseTracking(true);
}

void ProtractorHandle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_icon);
}

void ProtractorHandle::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons(), event->position());
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
    Imaged = new ProtractorHandle(turnHandleIcon(), picturap);
    Imaged->setObjectName(QStringLiteral("Imaged"));
    Imaged->setCursor(Qt::OpenHandCursor);
    Imagecroix = new ProtractorHandle(crossIcon(), picturap);
    Imagecroix->setObjectName(QStringLiteral("Imagecroix"));
    Imagecroix->setCursor(Qt::SizeAllCursor);
    Imageboule = new ProtractorHandle(sphereIcon(), picturap);
    Imageboule->setObjectName(QStringLiteral("Imageboule"));
    Imageboule->setCursor(Qt::PointingHandCursor);

    connect(Imagecroix, &ProtractorHandle::mouseMoved, this,
            &ProtractorControls::Imagecroix_MouseMove);
    connect(Imaged, &ProtractorHandle::mouseMoved, this, &ProtractorControls::Imaged_MouseMove);
    connect(Imageboule, &ProtractorHandle::mouseMoved, this,
            &ProtractorControls::Imageboule_MouseMove);

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
    const QPoint border(BenchView::Border, BenchView::Border);
    picturap->move(border + picture.placedAt());
    auto place = [](QWidget* handle, QPointF topLeft) {
        handle->move(numtext::roundToInt(topLeft.x()), numtext::roundToInt(topLeft.y()));
    };
    place(Imaged, picture.handles.turn);
    place(Imagecroix, picture.handles.cross);
    place(Imageboule, picture.handles.sphere);
    picturap->update();
}

QPointF ProtractorControls::inBox(const ProtractorHandle* handle, QPointF pos) const
{
    return QPointF(handle->pos()) + pos;
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
    const QPointF wanted = picture.place + pos - QPointF(m_state.crossGrabX, m_state.crossGrabY);
    picture.place = protractor::clampedPlace(
        wanted, QRectF(0, 0, m_bench.dessin.width(), m_bench.dessin.height()));
    fondrap();
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
    Label10->setText(protractor::readout(m_state.lineAngle));
    majrap();
}
