#include "platform/ui/TabBarController.h"

#include "platform/ui/Device.h"
#include "platform/ui/MoreListViewController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/ViewAnimation.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Resizes the tab's view with the content area.
class ContentResizer : public QObject
{
public:
    using QObject::QObject;
    std::function<void()> onResize;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && onResize)
            onResize();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TabBarController::TabBarController(QObject* parent)
    : ViewController(parent)
{
}

TabBarController::~TabBarController()
{
    returnBorrowedStack();
}

QList<ViewController*> TabBarController::viewControllers() const
{
    QList<ViewController*> list;
    for (const auto& c : m_controllers) {
        if (c)
            list.append(c);
    }
    return list;
}

void TabBarController::setViewControllers(const QList<ViewController*>& controllers)
{
    returnBorrowedStack();
    m_controllers.clear();
    for (ViewController* c : controllers) {
        if (!c)
            continue;
        c->setParentViewController(this);
        if (!c->parent())
            c->setParent(this);
        m_controllers.append(c);
    }
    if (hasMore())
        moreNavigationController();
    updateTabBar();
    if (!m_controllers.isEmpty())
        setSelectedIndex(0);
}

NavigationController* TabBarController::moreNavigationController()
{
    if (!m_more) {
        auto* list = new MoreListViewController;
        m_moreList = list;
        m_more = new NavigationController(list, this);
        m_more->setParentViewController(this);
        m_more->setTabBarItem(new TabBarItem(TabBarItem::SystemItem::More, 0));
        connect(list, &MoreListViewController::rowSelected, this,
                [this](int row) { moreListSelected(row); });
        // When "More" is back at its list, the borrowed stack goes home once the pop's
        // slide is over.
        connect(m_more, &NavigationController::stackChanged, this, [this] {
            if (m_more->viewControllers().size() == 1 && m_borrowedFrom)
                QTimer::singleShot(ViewAnimation::kDuration + 100, this, [this] {
                    if (m_more->viewControllers().size() == 1)
                        returnBorrowedStack();
                });
            if (m_more->viewControllers().size() == 1 && m_selected != m_more && m_shown == m_more)
                m_selected = m_more;
        });
    }
    return m_more;
}

TabBar* TabBarController::tabBar()
{
    view();
    return m_bar;
}

void TabBarController::setTintColor(const QColor& color)
{
    tabBar()->setTintColor(color);
}

void TabBarController::setBarTintColor(const QColor& color)
{
    tabBar()->setBarTintColor(color);
}

int TabBarController::maxTabs()
{
    return Device::userInterfaceIdiom() == Device::Idiom::Pad ? 8 : 5;
}

int TabBarController::visibleTabCount() const
{
    return hasMore() ? maxTabs() - 1 : int(m_controllers.size());
}

// The item a tab shows: a navigation controller shows its root screen's item.
static TabBarItem* itemOf(ViewController* c, ViewController* borrowedRoot)
{
    if (auto* nav = qobject_cast<NavigationController*>(c)) {
        const QList<ViewController*> stack = nav->viewControllers();
        if (!stack.isEmpty())
            return stack.first()->tabBarItem();
        if (borrowedRoot)
            return borrowedRoot->tabBarItem();
    }
    return c->tabBarItem();
}

QList<TabBarItem*> TabBarController::tabBarItems() const
{
    ViewController* borrowedRoot = m_borrowed.isEmpty() ? nullptr : m_borrowed.first().data();
    QList<TabBarItem*> items;
    for (ViewController* c : viewControllers())
        items.append(itemOf(c, c == m_borrowedFrom ? borrowedRoot : nullptr));
    return items;
}

void TabBarController::updateTabBar()
{
    const QList<TabBarItem*> items = tabBarItems();
    QList<TabBarItem*> barItems = items.mid(0, visibleTabCount());
    if (hasMore()) {
        barItems.append(moreNavigationController()->tabBarItem());
        static_cast<MoreListViewController*>(m_moreList)->setItems(items.mid(visibleTabCount()));
    }
    // Items that change later (enabled, title) repaint the bar by themselves.
    if (m_bar) {
        m_bar->setItems(barItems);
        int barIndex = -1;
        if (m_shown == m_more && m_more)
            barIndex = visibleTabCount();
        else if (m_shown)
            barIndex = m_controllers.indexOf(m_shown);
        m_bar->setSelectedIndex(barIndex);
    }
}

void TabBarController::loadView()
{
    auto* root = new QWidget;
    root->resize(Device::screenBounds().size());
    m_content = new QWidget(root);
    m_bar = new TabBar(root);
    connect(m_bar, &TabBar::itemTapped, this, [this](int index) { tabTapped(index); });
    auto* resizer = new ContentResizer(root);
    resizer->onResize = [this] { layoutContent(); };
    root->installEventFilter(resizer);
    setView(root);
    layoutContent();
    updateTabBar();
    if (m_shown) {
        QWidget* v = m_shown->view();
        v->setParent(m_content);
        v->setGeometry(m_content->rect());
        v->show();
    }
}

void TabBarController::layoutContent()
{
    QWidget* root = view();
    m_bar->setGeometry(0, root->height() - kBarHeight, root->width(), kBarHeight);
    m_content->setGeometry(0, 0, root->width(), root->height() - kBarHeight);
    if (m_shown && m_shown->isViewLoaded() && m_shown->view()->parentWidget() == m_content)
        m_shown->view()->setGeometry(m_content->rect());
}

int TabBarController::selectedIndex() const
{
    ViewController* selected = selectedViewController();
    if (!selected || selected == m_more)
        return NotFound;
    return m_controllers.indexOf(selected);
}

ViewController* TabBarController::selectedViewController() const
{
    return m_selected;
}

void TabBarController::setSelectedViewController(ViewController* controller)
{
    const int index = m_controllers.indexOf(controller);
    if (index >= 0)
        setSelectedIndex(index);
    else if (controller && controller == m_more)
        showController(m_more);
}

void TabBarController::setSelectedIndex(int index)
{
    if (index < 0 || index >= m_controllers.size())
        return;
    if (hasMore() && index >= visibleTabCount()) {
        showController(moreNavigationController());
        showInMore(index, false);
        return;
    }
    showController(m_controllers.at(index));
}

void TabBarController::tabTapped(int barIndex)
{
    ViewController* target = nullptr;
    if (hasMore() && barIndex == visibleTabCount())
        target = moreNavigationController();
    else if (barIndex >= 0 && barIndex < m_controllers.size())
        target = m_controllers.at(barIndex);
    if (!target)
        return;
    if (target == m_shown) {
        // A second tap on the shown tab takes its navigation stack back to the root.
        if (auto* nav = qobject_cast<NavigationController*>(target))
            nav->popToRootViewControllerAnimated(true);
    } else {
        showController(target);
    }
    if (m_delegate)
        m_delegate->didSelectViewController(this, target);
}

void TabBarController::showController(ViewController* controller)
{
    if (!controller)
        return;
    if (controller == m_more) {
        // What "More" shows decides what counts as selected.
        const QList<ViewController*> stack = m_more->viewControllers();
        m_selected = m_moreSelected && stack.size() > 1 ? m_moreSelected.data()
                                                         : static_cast<ViewController*>(m_more);
    } else {
        m_selected = controller;
    }
    if (controller == m_shown) {
        updateTabBar();
        return;
    }
    QPointer<ViewController> from = m_shown;
    m_shown = controller;
    if (!isViewLoaded()) {
        return;
    }
    updateTabBar();
    QWidget* toView = controller->view();
    toView->setParent(m_content);
    toView->setGeometry(m_content->rect());
    const bool display = isAppearing();
    if (display) {
        if (from)
            from->beginAppearance(false, false);
        controller->beginAppearance(true, false);
    }
    if (m_shown != controller)
        return; // a hook chose another tab: that switch took over
    if (from && from->isViewLoaded() && from->view()->parentWidget() == m_content)
        from->view()->hide();
    toView->show();
    toView->raise();
    if (display) {
        if (from)
            from->endAppearance(false);
        controller->endAppearance(false);
    }
}

void TabBarController::moreListSelected(int row)
{
    const int index = visibleTabCount() + row;
    if (index < m_controllers.size())
        showInMore(index, true);
}

void TabBarController::showInMore(int index, bool animated)
{
    ViewController* controller = m_controllers.value(index);
    NavigationController* more = moreNavigationController();
    if (!controller)
        return;
    if (m_moreSelected == controller && more->viewControllers().size() > 1) {
        m_selected = controller;
        return;
    }
    if (more->viewControllers().size() > 1)
        more->popToRootViewControllerAnimated(false);
    returnBorrowedStack();

    m_moreSelected = controller;
    if (m_shown == more)
        m_selected = controller;
    QList<ViewController*> screens;
    if (auto* nav = qobject_cast<NavigationController*>(controller)) {
        // The tab lends its stack to "More", whose bar then stands for the tab's own.
        m_borrowedFrom = nav;
        for (ViewController* c : nav->takeViewControllers()) {
            m_borrowed.append(c);
            screens.append(c);
        }
    } else {
        screens.append(controller);
    }
    for (int i = 0; i < screens.size(); ++i)
        more->pushViewController(screens.at(i), animated && i == screens.size() - 1);
    updateTabBar();
}

void TabBarController::returnBorrowedStack()
{
    if (!m_more)
        return;
    const QList<ViewController*> inMore = m_more->viewControllers();
    if (m_borrowedFrom) {
        QList<ViewController*> back;
        for (const auto& c : std::as_const(m_borrowed)) {
            if (c && !inMore.contains(c))
                back.append(c);
        }
        // A screen still on the "More" stack stays there until it is popped.
        if (back.size() == m_borrowed.size()) {
            m_borrowedFrom->restoreViewControllers(back);
            m_borrowed.clear();
            m_borrowedFrom = nullptr;
        }
    }
    if (m_moreSelected && !inMore.contains(m_moreSelected)) {
        if (!qobject_cast<NavigationController*>(m_moreSelected.data()))
            m_moreSelected->setParentViewController(this);
        m_moreSelected = nullptr;
    }
}

void TabBarController::viewWillAppear(bool animated)
{
    if (m_shown)
        m_shown->beginAppearance(true, animated);
}

void TabBarController::viewDidAppear(bool animated)
{
    if (m_shown)
        m_shown->endAppearance(animated);
}

void TabBarController::viewWillDisappear(bool animated)
{
    if (m_shown)
        m_shown->beginAppearance(false, animated);
}

void TabBarController::viewDidDisappear(bool animated)
{
    if (m_shown)
        m_shown->endAppearance(animated);
}
