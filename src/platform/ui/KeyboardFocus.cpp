#include "platform/ui/KeyboardFocus.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace {
const char* const kRingProperty = "itarnvale_keyboardFocusRing";
const char* const kKeyPressProperty = "itarnvale_pressedByKey";
}

void KeyboardFocus::install(QAbstractButton* button)
{
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(new KeyboardFocus(button));
}

bool KeyboardFocus::isPressedByKey(const QWidget* widget)
{
    return widget->property(kKeyPressProperty).toBool();
}

bool KeyboardFocus::showsRing(const QWidget* widget)
{
    return widget->hasFocus() && widget->property(kRingProperty).toBool();
}

void KeyboardFocus::paintRing(QPainter& painter, const QWidget* widget, const QPainterPath& shape)
{
    if (!showsRing(widget))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.restore();
}

bool KeyboardFocus::eventFilter(QObject* watched, QEvent* event)
{
    // A button being destroyed is a plain QWidget by the time its last events come.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        button->setProperty(kRingProperty, reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                                               reason == Qt::ShortcutFocusReason);
        button->update();
        break;
    }
    case QEvent::FocusOut:
        button->setProperty(kRingProperty, false);
        button->update();
        break;
    case QEvent::MouseButtonPress:
        // A tap is no key: the ring goes until the keyboard brings the focus back.
        if (button->property(kRingProperty).toBool()) {
            button->setProperty(kRingProperty, false);
            button->update();
        }
        break;
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            // Space is pressed by the button itself on release: mark it while it runs.
            button->setProperty(kKeyPressProperty, true);
            QMetaObject::invokeMethod(
                button, [button] { button->setProperty(kKeyPressProperty, false); }, Qt::QueuedConnection);
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat() &&
            !(key->modifiers() & ~Qt::KeypadModifier)) {
            button->setProperty(kKeyPressProperty, true);
            button->click();
            button->setProperty(kKeyPressProperty, false);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}
