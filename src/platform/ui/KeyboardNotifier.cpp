#include "platform/ui/KeyboardNotifier.h"

#include "platform/ui/Device.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

namespace {
bool takesText(const QWidget* widget)
{
    if (!widget)
        return false;
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return !edit->isReadOnly();
    if (auto* edit = qobject_cast<const QTextEdit*>(widget))
        return !edit->isReadOnly();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(widget))
        return !edit->isReadOnly();
    return qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}
} // namespace

KeyboardNotifier* KeyboardNotifier::instance()
{
    static KeyboardNotifier* notifier = new KeyboardNotifier;
    return notifier;
}

KeyboardNotifier::KeyboardNotifier() : QObject(qApp)
{
    if (qApp)
        connect(qApp, &QApplication::focusChanged, this, &KeyboardNotifier::focusChanged);
}

int KeyboardNotifier::keyboardHeight() const
{
    return Device::userInterfaceIdiom() == Device::Idiom::Pad ? 264 : 216;
}

QRect KeyboardNotifier::keyboardFrame() const
{
    const QRect screen = Device::screenBounds();
    return {0, screen.height() - keyboardHeight(), screen.width(), keyboardHeight()};
}

void KeyboardNotifier::focusChanged()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, &KeyboardNotifier::settle);
}

void KeyboardNotifier::settle()
{
    m_pending = false;
    const bool wanted = takesText(QApplication::focusWidget());
    if (wanted == m_visible)
        return;
    const QRect frame = keyboardFrame();
    if (wanted) {
        Q_EMIT keyboardWillShow(frame);
        m_visible = true;
        Q_EMIT keyboardWasShown(frame);
    } else {
        Q_EMIT keyboardWillHide(frame);
        m_visible = false;
        Q_EMIT keyboardWasHidden(frame);
    }
}
