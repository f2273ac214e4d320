#include "platform/ui/Window.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Device.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/WindowZoom.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QShortcut>

namespace {
QPointer<Window> g_keyWindow;
} // namespace

Window::Window(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("iTarnvale"));
    setWindowIcon(Bundle::applicationIcon());
    setFixedSize(Device::screenBounds().size());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    // Ctrl+Q (the platform's Quit key) ends the application by the same path as the close
    // button and the session manager: the event loop returns and the application shuts down
    // in order.
    // Where the platform names no Quit key (a bare or offscreen session), Ctrl+Q.
    auto* quit = new QShortcut(QKeySequence::keyBindings(QKeySequence::Quit)
                                   .value(0, QKeySequence(Qt::CTRL | Qt::Key_Q)),
                               this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_zoom = new WindowZoom(this);
}

void Window::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}

Window::~Window()
{
    // A zoom that framed the window lets it go before its children do.
    delete m_zoom;
    // The root controller's view is a child of the window and dies with it.
}

Window* Window::keyWindow()
{
    return g_keyWindow;
}

QList<ViewController*> Window::controllersShown() const
{
    QList<ViewController*> list;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isHidden())
            continue;
        if (ViewController* c = ViewController::controllerForView(w))
            list.append(c);
    }
    return list;
}

void Window::setRootViewController(ViewController* controller)
{
    if (m_root == controller)
        return;
    if (m_root && m_root->isViewLoaded())
        removeSubview(m_root->view());
    m_root = controller;
    if (controller)
        addSubview(controller->view());
}

void Window::addSubview(QWidget* view)
{
    if (!view)
        return;
    ViewController* controller = ViewController::controllerForView(view);
    const bool appear = controller && m_shown && (view->parentWidget() != this || view->isHidden());
    if (view->parentWidget() != this)
        view->setParent(this);
    // Full-screen views (the controllers' views) follow the window's size.
    if (controller)
        view->setGeometry(rect());
    if (appear)
        controller->beginAppearance(true, false);
    view->show();
    view->raise();
    // Alerts stay above everything the window shows.
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w != view && w->property("itarnvale_overlay").toBool())
            w->raise();
    }
    if (appear)
        controller->endAppearance(false);
}

void Window::removeSubview(QWidget* view)
{
    if (!view || view->parentWidget() != this)
        return;
    ViewController* controller = ViewController::controllerForView(view);
    const bool disappear = controller && m_shown && !view->isHidden();
    if (disappear)
        controller->beginAppearance(false, false);
    view->hide();
    view->setParent(nullptr);
    if (disappear)
        controller->endAppearance(false);
}

void Window::makeKeyAndVisible()
{
    g_keyWindow = this;
    if (m_shown)
        return;
    m_shown = true;
    m_zoom->apply();
    const QList<ViewController*> controllers = controllersShown();
    for (ViewController* c : controllers)
        c->beginAppearance(true, false);
    show();
    m_zoom->shownWindow()->raise();
    m_zoom->shownWindow()->activateWindow();
    for (ViewController* c : controllers)
        c->endAppearance(false);
}

bool Window::isKeyWindow() const
{
    return g_keyWindow == this;
}

void Window::resizeEvent(QResizeEvent*)
{
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && ViewController::controllerForView(w))
            w->setGeometry(rect());
    }
}
