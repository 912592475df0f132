// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/decorative.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char DecorativeProperty[] = "optiphaneDecorative";

QAccessibleInterface* decorativeAccessible(const QString&, QObject* object)
{
    if (object && object->isWidgetType() && object->property(DecorativeProperty).toBool())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Whitespace);
    return nullptr;
}

} // namespace

namespace accessibility {

void markDecorative(QWidget* picture)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(decorativeAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    picture->setProperty(DecorativeProperty, true);
    picture->setAccessibleName(QString());
}

bool isDecorative(const QWidget* widget)
{
    return widget->property(DecorativeProperty).toBool();
}

} // namespace accessibility
