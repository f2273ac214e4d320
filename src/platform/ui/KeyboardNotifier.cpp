#include "platform/ui/KeyboardNotifier.h"

#include "platform/ui/Device.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

#include <cmath>

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
    if (!qApp)
        return;
    connect(qApp, &QApplication::focusChanged, this, &KeyboardNotifier::focusChanged);
    QInputMethod* input = QGuiApplication::inputMethod();
    connect(input, &QInputMethod::visibleChanged, this, &KeyboardNotifier::inputPanelChanged);
    connect(input, &QInputMethod::keyboardRectangleChanged, this, &KeyboardNotifier::inputPanelChanged);
}

int KeyboardNotifier::keyboardHeight() const
{
    if (m_simulatedHeight > 0)
        return m_simulatedHeight;
    if (m_panelHeight > 0)
        return m_panelHeight;
    return Device::userInterfaceIdiom() == Device::Idiom::Pad ? 264 : 216;
}

QRect KeyboardNotifier::keyboardFrame() const
{
    const QRect screen = Device::screenBounds();
    return {0, screen.height() - keyboardHeight(), screen.width(), keyboardHeight()};
}

void KeyboardNotifier::setSimulatedPanelHeight(int height)
{
    m_simulatedHeight = std::max(0, height);
    if (m_simulatedHeight > 0)
        focusChanged();
    else
        inputPanelChanged();
}

void KeyboardNotifier::inputPanelChanged()
{
    if (m_simulatedHeight > 0)
        return;
    QInputMethod* input = QGuiApplication::inputMethod();
    const QRectF panel = input->keyboardRectangle();
    // The panel's rectangle is in device-independent pixels, which are the screens' points.
    m_panelHeight = input->isVisible() ? int(std::lround(panel.height())) : 0;
    announce(input->isVisible() && m_panelHeight > 0);
}

void KeyboardNotifier::focusChanged()
{
    if (m_simulatedHeight <= 0 || m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, &KeyboardNotifier::settle);
}

void KeyboardNotifier::settle()
{
    m_pending = false;
    if (m_simulatedHeight > 0)
        announce(takesText(QApplication::focusWidget()));
}

void KeyboardNotifier::announce(bool visible)
{
    if (visible == m_visible)
        return;
    const QRect frame = keyboardFrame();
    if (visible) {
        Q_EMIT keyboardWillShow(frame);
        m_visible = true;
        Q_EMIT keyboardWasShown(frame);
    } else {
        Q_EMIT keyboardWillHide(frame);
        m_visible = false;
        Q_EMIT keyboardWasHidden(frame);
    }
}
