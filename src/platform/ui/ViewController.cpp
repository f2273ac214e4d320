#include "platform/ui/ViewController.h"

#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/ViewAnimation.h"

#include <QWidget>

namespace {
const char* const kControllerProperty = "itarnvale_viewController";
}

ViewController::ViewController(QObject* parent)
    : QObject(parent)
{
}

ViewController::~ViewController()
{
    if (m_modalController && m_modalController->parent() == this)
        m_modalController->m_presentingController = nullptr;
    // The view may already be gone with a container widget that held it.
    delete m_view.data();
}

QWidget* ViewController::view()
{
    if (!m_view && !m_loadingView) {
        m_loadingView = true;
        loadView();
        if (!m_view)
            setView(new QWidget);
        m_loadingView = false;
        viewDidLoad();
    }
    return m_view;
}

void ViewController::setView(QWidget* view)
{
    if (m_view == view)
        return;
    if (m_view)
        m_view->setProperty(kControllerProperty, QVariant());
    m_view = view;
    if (view)
        view->setProperty(kControllerProperty, QVariant::fromValue(static_cast<QObject*>(this)));
}

ViewController* ViewController::controllerForView(const QWidget* view)
{
    if (!view)
        return nullptr;
    return qobject_cast<ViewController*>(view->property(kControllerProperty).value<QObject*>());
}

void ViewController::loadView()
{
    auto* view = new QWidget;
    view->resize(Device::screenBounds().size());
    setView(view);
}

void ViewController::viewWillAppear(bool) {}
void ViewController::viewDidAppear(bool) {}
void ViewController::viewWillDisappear(bool) {}
void ViewController::viewDidDisappear(bool) {}

void ViewController::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    // Like the platform, a title set on the screen names its items too.
    if (m_navigationItem)
        m_navigationItem->setTitle(title);
    if (m_tabBarItem && m_tabBarItem->systemItem() == TabBarItem::SystemItem::None)
        m_tabBarItem->setTitle(title);
    Q_EMIT titleChanged(title);
}

TabBarItem* ViewController::tabBarItem()
{
    if (!m_tabBarItem)
        m_tabBarItem = new TabBarItem(m_title, {}, 0, this);
    return m_tabBarItem;
}

void ViewController::setTabBarItem(TabBarItem* item)
{
    if (item == m_tabBarItem)
        return;
    if (m_tabBarItem && m_tabBarItem->parent() == this)
        m_tabBarItem->deleteLater();
    m_tabBarItem = item;
    if (item) {
        item->setParent(this);
    }
    // The tab bar shows the new item.
    if (auto* tabs = qobject_cast<TabBarController*>(m_parentController.data()))
        tabs->updateTabBar();
    else if (auto* nav = qobject_cast<NavigationController*>(m_parentController.data());
             nav && nav->viewControllers().value(0) == this) {
        if (auto* outer = qobject_cast<TabBarController*>(nav->parentViewController()))
            outer->updateTabBar();
    }
}

NavigationItem* ViewController::navigationItem()
{
    if (!m_navigationItem)
        m_navigationItem = new NavigationItem(m_title, this);
    return m_navigationItem;
}

NavigationController* ViewController::navigationController() const
{
    for (ViewController* c = m_parentController; c; c = c->m_parentController) {
        if (auto* nav = qobject_cast<NavigationController*>(c))
            return nav;
    }
    return nullptr;
}

TabBarController* ViewController::tabBarController() const
{
    for (ViewController* c = m_parentController; c; c = c->m_parentController) {
        if (auto* tabs = qobject_cast<TabBarController*>(c))
            return tabs;
    }
    return nullptr;
}

void ViewController::beginAppearance(bool appearing, bool animated)
{
    if (m_inTransition && m_appearing == appearing)
        return;
    if (!m_inTransition && m_appearing == appearing)
        return; // already there
    m_appearing = appearing;
    m_inTransition = true;
    if (appearing)
        viewWillAppear(animated);
    else
        viewWillDisappear(animated);
}

void ViewController::endAppearance(bool animated)
{
    if (!m_inTransition)
        return;
    m_inTransition = false;
    if (m_appearing)
        viewDidAppear(animated);
    else
        viewDidDisappear(animated);
}

void ViewController::release()
{
    deleteLater();
}

void ViewController::presentModalViewController(ViewController* controller, bool animated)
{
    if (!controller || m_modalController)
        return;
    QWidget* host = view()->window();
    m_modalController = controller;
    controller->m_presentingController = this;
    if (!controller->parent())
        controller->setParent(this);

    QWidget* modalView = controller->view();
    modalView->setParent(host);
    modalView->setGeometry(host->rect());

    beginAppearance(false, animated);
    controller->beginAppearance(true, animated);
    modalView->show();
    modalView->raise();
    auto finish = [self = QPointer<ViewController>(this), c = QPointer<ViewController>(controller),
                   animated] {
        if (self)
            self->endAppearance(animated);
        if (c)
            c->endAppearance(animated);
    };
    if (animated)
        ViewAnimation::slideIn(modalView, ViewAnimation::Edge::Bottom, finish);
    else
        finish();
}

void ViewController::dismissModalViewControllerAnimated(bool animated)
{
    if (!m_modalController) {
        // Called on the presented controller: its presenter dismisses it.
        if (m_presentingController)
            m_presentingController->dismissModalViewControllerAnimated(animated);
        return;
    }
    QPointer<ViewController> controller = m_modalController;
    m_modalController = nullptr;
    controller->m_presentingController = nullptr;

    controller->beginAppearance(false, animated);
    beginAppearance(true, animated);
    QPointer<QWidget> modalView = controller->view();
    auto finish = [self = QPointer<ViewController>(this), controller, modalView, animated] {
        if (modalView) {
            modalView->hide();
            modalView->setParent(nullptr);
        }
        if (controller)
            controller->endAppearance(animated);
        if (self)
            self->endAppearance(animated);
        if (controller && self && controller->parent() == self)
            controller->release();
    };
    if (animated)
        ViewAnimation::slideOut(modalView, ViewAnimation::Edge::Bottom, finish);
    else
        finish();
}
