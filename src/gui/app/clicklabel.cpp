// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/clicklabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The label's accessible role: a button, named by its text or by the name it is given.
class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text t) const override
    {
        QString s = QAccessibleWidget::text(t);
        if (s.isEmpty() && t == QAccessible::Name)
            s = static_cast<QLabel*>(widget())->text().trimmed();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), "clicked");
    }
};

QAccessibleInterface* clickLabelAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("ClickLabel") && object && object->isWidgetType())
        return new ClickLabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

void setUp(ClickLabel* label)
{
    label->setFocusPolicy(Qt::TabFocus);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(clickLabelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

} // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent)
{
    setUp(this);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setUp(this);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        if (!event->isAutoRepeat())
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A title strip is filled: its frame takes the text's colour, a picture the highlight's.
    QPainter p(this);
    const QColor colour = autoFillBackground() ? palette().color(QPalette::WindowText)
                                               : palette().color(QPalette::Highlight);
    p.setPen(QPen(colour, 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ClickLabel::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void ClickLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}
