#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

// Announces the on-screen keyboard as the phone does: "shown" when a text entry takes the
// focus while no keyboard shows, "hidden" when the focus leaves text entry. Moving from one
// field to the next keeps the keyboard up (one decision after the focus has settled). The
// keyboard is 216 points high on a phone and 264 on a tablet, at the bottom of the screen.
class KeyboardNotifier : public QObject
{
    Q_OBJECT
public:
    static KeyboardNotifier* instance();

    bool isKeyboardVisible() const { return m_visible; }
    int keyboardHeight() const;
    // The keyboard's rectangle in screen points (bottom of the device's screen).
    QRect keyboardFrame() const;

Q_SIGNALS:
    void keyboardWillShow(QRect frame);
    void keyboardWasShown(QRect frame);
    void keyboardWillHide(QRect frame);
    void keyboardWasHidden(QRect frame);

private:
    KeyboardNotifier();
    void focusChanged();
    void settle();

    bool m_visible = false;
    bool m_pending = false;
};
