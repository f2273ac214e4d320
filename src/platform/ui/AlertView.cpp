#include "platform/ui/AlertView.h"

#include "platform/ui/AlertBox.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/Device.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

namespace {

QList<QPointer<AlertView>>& shownAlerts()
{
    static QList<QPointer<AlertView>> list;
    return list;
}

// Where an alert goes: the key window, else any visible top-level widget.
QWidget* hostWindow()
{
    if (Window* window = Window::keyWindow())
        return window;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->inherits("QMenu"))
            return w;
    }
    return nullptr;
}

} // namespace

AlertView::AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
                     const QString& cancelButtonTitle, QObject* parent)
    : QObject(parent)
    , m_title(title)
    , m_message(message)
    , m_buttonTitle(cancelButtonTitle)
{
    setDelegate(delegate);
}

AlertView::~AlertView()
{
    delete m_overlay.data();
}

AlertViewDelegate* AlertView::delegate() const
{
    if (m_delegateIsObject && !m_delegateObject)
        return nullptr;
    return m_delegate;
}

void AlertView::setDelegate(AlertViewDelegate* delegate)
{
    m_delegate = delegate;
    // A delegate that is a QObject is watched, so a screen that goes away while its
    // alert is up is not called.
    m_delegateObject = dynamic_cast<QObject*>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

void AlertView::show()
{
    QThread* main = QCoreApplication::instance()->thread();
    if (thread() != main) {
        // Made on a worker: the alert lives on the main thread from now on.
        setParent(nullptr);
        moveToThread(main);
    }
    QMetaObject::invokeMethod(this, [this] { present(); }, Qt::QueuedConnection);
}

void AlertView::present()
{
    if (m_overlay || m_dismissed)
        return;
    QWidget* host = hostWindow();
    auto* box = new AlertBox(m_title, m_message, m_buttonTitle, host, m_otherButtonTitle);
    if (!host) {
        // No window yet: the alert is a window of its own, the size of the screen.
        box->resize(Device::screenBounds().size());
        box->setWindowFlag(Qt::FramelessWindowHint);
    }
    box->setProperty("itarnvale_overlay", true);
    connect(box, &AlertBox::buttonTapped, this, &AlertView::buttonTapped);
    m_overlay = box;
    shownAlerts().append(this);
    box->show();
    box->raise();
    box->setFocus();
}

QWidget* AlertView::overlay() const
{
    return m_overlay;
}

bool AlertView::isVisible() const
{
    return m_overlay && m_overlay->isVisible();
}

QList<AlertView*> AlertView::visibleAlerts()
{
    QList<AlertView*> list;
    for (const auto& alert : std::as_const(shownAlerts())) {
        if (alert && alert->isVisible())
            list.append(alert);
    }
    return list;
}

void AlertView::dismissWithClickedButtonIndex(int index, bool)
{
    buttonTapped(index);
}

void AlertView::buttonTapped(int index)
{
    if (m_dismissed)
        return;
    m_dismissed = true;
    QPointer<AlertView> self(this);
    if (AlertViewDelegate* d = delegate())
        d->clickedButtonAtIndex(this, index);
    if (!self)
        return;
    if (m_overlay) {
        m_overlay->hide();
        m_overlay->deleteLater();
    }
    shownAlerts().removeAll(this);
    // The box has gone when the delegate hears of the dismissal, as after the
    // platform's fade-out.
    QTimer::singleShot(0, this, [this, index] {
        if (AlertViewDelegate* d = delegate())
            d->didDismissWithButtonIndex(this, index);
        deleteLater();
    });
}
