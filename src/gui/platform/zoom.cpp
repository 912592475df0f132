// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/zoom.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QImage>
#include <QLayout>
#include <QRect>
#include <QTextDocument>
#include <QWidget>
#include <cmath>
#include <map>
#include <memory>

namespace zoom {

namespace {

const char* const FactorProperty = "optiphaneZoom";
const char* const GeometryProperty = "optiphaneDesignedGeometry";
const char* const MinimumProperty = "optiphaneDesignedMinimum";
const char* const MaximumProperty = "optiphaneDesignedMaximum";
const char* const FontProperty = "optiphaneDesignedFont";
const char* const KeepsFontProperty = "optiphaneKeepsFont";

int scaledLength(int length, double factor)
{
    return int(std::lround(length * factor));
}

QSize scaledLimit(QSize size, double factor)
{
    // The unlimited sizes stay unlimited.
    auto one = [factor](int length) {
        return length >= QWIDGETSIZE_MAX ? length : scaledLength(length, factor);
    };
    return QSize(one(size.width()), one(size.height()));
}

// The widgets whose children stand at designed places: plain widgets, frames and group boxes
// without a layout. The others (lists, combo boxes, the bench, …) place their own children.
bool placesChildren(const QWidget* widget)
{
    if (widget->layout())
        return false;
    const char* name = widget->metaObject()->className();
    return widget->isWindow() || qstrcmp(name, "QWidget") == 0 || qstrcmp(name, "QFrame") == 0 ||
           qstrcmp(name, "QGroupBox") == 0;
}

template <typename T> T designed(QWidget* widget, const char* property, const T& now)
{
    const QVariant kept = widget->property(property);
    if (kept.isValid())
        return kept.value<T>();
    widget->setProperty(property, QVariant::fromValue(now));
    return now;
}

void scaleFont(QWidget* widget, double factor)
{
    if (widget->property(KeepsFontProperty).toBool() ||
        (!widget->testAttribute(Qt::WA_SetFont) && !widget->property(FontProperty).isValid()))
        return;
    QFont font = designed(widget, FontProperty, widget->font());
    if (factor != 1) {
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, scaledLength(font.pixelSize(), factor)));
        else
            font.setPointSizeF(font.pointSizeF() * factor);
    }
    widget->setFont(font);
}

// Where a placed widget's parent lies in the window: at the designed size, and at the factor.
struct Origin {
    QPoint designed;
    QPoint scaled;
};

// A placed widget's rectangle is its designed one in the window, scaled, so that controls in
// different panels that line up at the designed size line up at every factor.
void layOut(QWidget* widget, double factor, const Origin& parent, bool placed)
{
    scaleFont(widget, factor);
    Origin here;
    if (placed) {
        const QSize minimum = designed(widget, MinimumProperty, widget->minimumSize());
        const QSize maximum = designed(widget, MaximumProperty, widget->maximumSize());
        const QRect geometry = designed(widget, GeometryProperty, widget->geometry());
        const QRect inWindow = scaled(geometry.translated(parent.designed), factor);
        widget->setMinimumSize(scaledLimit(minimum, factor));
        widget->setMaximumSize(scaledLimit(maximum, factor));
        widget->setGeometry(inWindow.translated(-parent.scaled));
        here = {parent.designed + geometry.topLeft(), inWindow.topLeft()};
    }
    const bool childrenPlaced = placed && placesChildren(widget);
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow())
            layOut(w, factor, here, childrenPlaced);
    }
}

void tell(QWidget* widget)
{
    QEvent changed(ChangeEvent);
    QCoreApplication::sendEvent(widget, &changed);
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow())
            tell(w);
    }
}

// A paint device of factor times the screen's resolution, for the document layouts. The devices
// live as long as the program: a document laid out for one keeps a pointer to it.
QPaintDevice* deviceAt(double factor)
{
    static std::map<double, std::unique_ptr<QImage>> devices;
    std::unique_ptr<QImage>& device = devices[factor];
    if (!device) {
        device = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = int(std::lround(96.0 * factor / 0.0254));
        device->setDotsPerMeterX(dotsPerMetre);
        device->setDotsPerMeterY(dotsPerMetre);
    }
    return device.get();
}

} // namespace

double of(const QWidget* widget)
{
    if (!widget)
        return 1;
    const QVariant factor = widget->window()->property(FactorProperty);
    return factor.isValid() ? factor.toDouble() : 1;
}

QRect scaled(const QRect& designed, double factor)
{
    if (factor == 1)
        return designed;
    const int left = scaledLength(designed.x(), factor);
    const int top = scaledLength(designed.y(), factor);
    return QRect(left, top, scaledLength(designed.x() + designed.width(), factor) - left,
                 scaledLength(designed.y() + designed.height(), factor) - top);
}

void apply(QWidget* window, double factor, QPoint offset)
{
    window->setProperty(FactorProperty, factor);
    window->setUpdatesEnabled(false);
    scaleFont(window, factor);
    for (QObject* child : window->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow())
            layOut(w, factor, {QPoint(), -offset}, true);
    }
    tell(window);
    window->setUpdatesEnabled(true);
    window->update();
}

void layOutDocument(QTextDocument* document, double factor)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    QPaintDevice* device = factor == 1 ? nullptr : deviceAt(factor);
    if (layout->paintDevice() == device)
        return;
    layout->setPaintDevice(device);
    document->markContentsDirty(0, document->characterCount());
}

void keepFont(QWidget* widget)
{
    widget->setFont(widget->font());
    widget->setProperty(KeepsFontProperty, true);
}

} // namespace zoom
