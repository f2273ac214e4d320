#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class AlertViewDelegate;
class QWidget;

// A modal message over the application's window: a title, a message and one button, in
// the platform's rounded, translucent dark-blue box. It may be made and shown from any
// thread; it shows itself on the main thread. Once shown it owns itself and is deleted
// after its delegate has heard didDismissWithButtonIndex.
class AlertView : public QObject
{
    Q_OBJECT

public:
    AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
              const QString& cancelButtonTitle, QObject* parent = nullptr);
    ~AlertView() override;

    QString title() const { return m_title; }
    QString message() const { return m_message; }
    QString cancelButtonTitle() const { return m_buttonTitle; }
    // A second button, index 1, right of the cancel button (none when empty); set before show.
    QString otherButtonTitle() const { return m_otherButtonTitle; }
    void setOtherButtonTitle(const QString& title) { m_otherButtonTitle = title; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    AlertViewDelegate* delegate() const;
    void setDelegate(AlertViewDelegate* delegate);

    // Thread-safe: queues the showing on the main thread and returns at once.
    void show();
    // Whether the alert is on screen (main thread).
    bool isVisible() const;
    // As if the button at `index` had been tapped (main thread).
    void dismissWithClickedButtonIndex(int index, bool animated);

    // The box on screen (for tests and pictures), or none.
    QWidget* overlay() const;
    // Alerts on screen, oldest first (main thread).
    static QList<AlertView*> visibleAlerts();

private:
    void present();
    void buttonTapped(int index);

    QString m_title;
    QString m_message;
    QString m_buttonTitle;
    QString m_otherButtonTitle;
    int m_tag = 0;
    AlertViewDelegate* m_delegate = nullptr;
    QPointer<QObject> m_delegateObject; // set when the delegate is a QObject: calls stop once it is gone
    bool m_delegateIsObject = false;
    QPointer<QWidget> m_overlay;
    bool m_dismissed = false;
};
