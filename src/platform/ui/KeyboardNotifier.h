#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

// Announces the on-screen keyboard as the phone does, from the platform's real input panel
// (QInputMethod: its visibility and its rectangle). On a desktop, where typing needs no panel,
// there is none and nothing is announced, so screens do not move when a field takes focus.
//
// A simulated panel stands in for the real one where a test (or a device whose input method
// does not report its panel) needs it: while it is set, a text entry that takes the focus
// shows a panel of the given height and losing text entry hides it, one decision after the
// focus has settled (moving from one field to the next keeps it up).
class KeyboardNotifier : public QObject
{
    Q_OBJECT
public:
    static KeyboardNotifier* instance();

    bool isKeyboardVisible() const { return m_visible; }
    int keyboardHeight() const;
    // The keyboard's rectangle in screen points (bottom of the device's screen).
    QRect keyboardFrame() const;

    // A simulated panel `height` points high (216 on a phone, 264 on a tablet); 0 turns the
    // simulation off and follows the real panel again.
    void setSimulatedPanelHeight(int height);
    int simulatedPanelHeight() const { return m_simulatedHeight; }

Q_SIGNALS:
    void keyboardWillShow(QRect frame);
    void keyboardWasShown(QRect frame);
    void keyboardWillHide(QRect frame);
    void keyboardWasHidden(QRect frame);

private:
    KeyboardNotifier();
    void focusChanged();
    void inputPanelChanged();
    void settle();
    // Announces the change when `visible` differs from what was announced last.
    void announce(bool visible);

    bool m_visible = false;
    bool m_pending = false;
    int m_simulatedHeight = 0;
    int m_panelHeight = 0; // of the real panel, in points, while it shows
};
