#include "platform/ui/NavigationController.h"

#include "platform/ui/Device.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/ViewAnimation.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

NavigationController::NavigationController(ViewController* rootViewController, QObject* parent)
    : ViewController(parent)
{
    if (rootViewController)
        pushViewController(rootViewController, false);
}

NavigationController::~NavigationController()
{
    // Screens we own go with us (as children); shared ones only lose their parent link.
    for (const auto& c : std::as_const(m_stack)) {
        if (c && c->parentViewController() == this)
            c->setParentViewController(nullptr);
    }
}

QList<ViewController*> NavigationController::viewControllers() const
{
    QList<ViewController*> list;
    for (const auto& c : m_stack) {
        if (c)
            list.append(c);
    }
    return list;
}

ViewController* NavigationController::topViewController() const
{
    for (auto it = m_stack.crbegin(); it != m_stack.crend(); ++it) {
        if (*it)
            return *it;
    }
    return nullptr;
}

ViewController* NavigationController::visibleViewController() const
{
    ViewController* top = topViewController();
    if (top && top->modalViewController())
        return top->modalViewController();
    return top;
}

NavigationBar* NavigationController::navigationBar()
{
    view();
    return m_bar;
}

void NavigationController::loadView()
{
    auto* root = new QWidget;
    root->resize(Device::screenBounds().size());
    m_content = new QWidget(root);
    m_bar = new NavigationBar(root);
    connect(m_bar, &NavigationBar::backTapped, this, [this] { popViewControllerAnimated(true); });
    root->installEventFilter(this);
    setView(root);
    layoutContent();
    if (ViewController* top = topViewController()) {
        QWidget* v = top->view();
        v->setParent(m_content);
        v->setGeometry(m_content->rect());
        v->show();
    }
    updateBar(false);
}

bool NavigationController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::Resize)
        layoutContent();
    return ViewController::eventFilter(watched, event);
}

void NavigationController::layoutContent()
{
    QWidget* root = view();
    const int barHeight = m_barHidden ? 0 : kBarHeight;
    m_bar->setGeometry(0, 0, root->width(), kBarHeight);
    m_bar->setVisible(!m_barHidden);
    m_content->setGeometry(0, barHeight, root->width(), root->height() - barHeight);
    for (const auto& c : std::as_const(m_stack)) {
        if (c && c->isViewLoaded() && c->view()->parentWidget() == m_content)
            c->view()->setGeometry(m_content->rect());
    }
}

void NavigationController::setNavigationBarHidden(bool hidden, bool)
{
    if (m_barHidden == hidden)
        return;
    m_barHidden = hidden;
    if (isViewLoaded())
        layoutContent();
}

bool NavigationController::onDisplay() const
{
    return isAppearing() && isViewLoaded();
}

void NavigationController::adopt(ViewController* controller)
{
    controller->setParentViewController(this);
    if (!controller->parent())
        controller->setParent(this);
}

void NavigationController::pushViewController(ViewController* controller, bool animated)
{
    if (!controller || viewControllers().contains(controller))
        return;
    ViewController* from = topViewController();
    adopt(controller);
    m_stack.append(controller);
    Q_EMIT stackChanged();
    if (isViewLoaded())
        showTop(from, true, animated);
}

ViewController* NavigationController::popViewControllerAnimated(bool animated)
{
    if (viewControllers().size() < 2)
        return nullptr;
    const QList<ViewController*> popped = popToViewController(viewControllers().at(viewControllers().size() - 2), animated);
    return popped.value(0);
}

QList<ViewController*> NavigationController::popToRootViewControllerAnimated(bool animated)
{
    const QList<ViewController*> list = viewControllers();
    if (list.isEmpty())
        return {};
    return popToViewController(list.first(), animated);
}

QList<ViewController*> NavigationController::popToViewController(ViewController* controller, bool animated)
{
    const QList<ViewController*> list = viewControllers();
    const int index = list.indexOf(controller);
    if (index < 0 || index == list.size() - 1)
        return {};
    ViewController* from = list.last();
    const QList<ViewController*> popped = list.mid(index + 1);
    m_stack.clear();
    for (int i = 0; i <= index; ++i)
        m_stack.append(list.at(i));
    Q_EMIT stackChanged();
    if (isViewLoaded())
        showTop(from, false, animated);
    releasePopped(popped, animated);
    return popped;
}

void NavigationController::releasePopped(const QList<ViewController*>& popped, bool animated)
{
    for (ViewController* c : popped) {
        if (!c || viewControllers().contains(c))
            continue;
        // A popped screen that was never shown has nothing more to hear; one that is
        // sliding out gets its viewDidDisappear from the transition first.
        if (c->parentViewController() == this)
            c->setParentViewController(nullptr);
        QPointer<ViewController> guard(c);
        auto letGo = [this, guard] {
            if (!guard)
                return;
            guard->endAppearance(false);
            if (guard->isViewLoaded() && guard->view()->parentWidget() == m_content) {
                guard->view()->hide();
                guard->view()->setParent(nullptr);
            }
            if (guard->parent() == this && !viewControllers().contains(guard))
                guard->release();
        };
        // The transition animation still shows the popped view: let it go afterwards.
        if (animated && onDisplay())
            QTimer::singleShot(ViewAnimation::kDuration + 50, this, letGo);
        else
            QMetaObject::invokeMethod(this, letGo, Qt::QueuedConnection);
    }
}

void NavigationController::updateBar(bool)
{
    if (!m_bar)
        return;
    const QList<ViewController*> list = viewControllers();
    NavigationItem* item = list.isEmpty() ? nullptr : list.last()->navigationItem();
    NavigationItem* back = list.size() < 2 ? nullptr : list.at(list.size() - 2)->navigationItem();
    m_bar->setItems(item, back);
}

void NavigationController::showTop(ViewController* from, bool forward, bool animated)
{
    ViewController* to = topViewController();
    const int id = ++m_transition;
    const bool display = onDisplay();
    animated = animated && display;

    QWidget* toView = to ? to->view() : nullptr;
    if (id != m_transition)
        return; // the new screen's viewDidLoad changed the stack itself
    if (toView) {
        if (toView->parentWidget() != m_content)
            toView->setParent(m_content);
        toView->setGeometry(m_content->rect());
    }
    if (display && from != to) {
        if (from)
            from->beginAppearance(false, animated);
        if (to)
            to->beginAppearance(true, animated);
    }
    if (id != m_transition)
        return; // a hook pushed or popped: that transition takes over
    updateBar(animated);

    QPointer<QWidget> fromView = (from && from->isViewLoaded()) ? from->view() : nullptr;
    QPointer<ViewController> fromGuard(from);
    QPointer<ViewController> toGuard(to);
    // The slide belongs to the view, which may outlive this controller (a screen test ends
    // with the window while a push is still sliding): then there is nothing left to finish.
    QPointer<NavigationController> self(this);
    auto finish = [self, id, fromGuard, toGuard, fromView, animated, display] {
        if (!self)
            return;
        NavigationController* const controller = self;
        if (fromGuard && fromGuard != controller->topViewController()) {
            if (fromView && fromView->parentWidget() == controller->m_content)
                fromView->hide();
            if (display)
                fromGuard->endAppearance(animated);
        }
        if (id != controller->m_transition)
            return;
        if (toGuard && display)
            toGuard->endAppearance(animated);
    };

    if (toView) {
        toView->show();
        if (forward || !fromView)
            toView->raise();
        else
            toView->stackUnder(fromView);
    }
    if (from == to) {
        return;
    }
    if (!animated) {
        finish();
        return;
    }
    if (forward)
        ViewAnimation::slideIn(toView, ViewAnimation::Edge::Right, finish);
    else
        ViewAnimation::slideOut(fromView, ViewAnimation::Edge::Right, finish);
}

void NavigationController::viewWillAppear(bool animated)
{
    if (ViewController* top = topViewController())
        top->beginAppearance(true, animated);
}

void NavigationController::viewDidAppear(bool animated)
{
    if (ViewController* top = topViewController())
        top->endAppearance(animated);
}

void NavigationController::viewWillDisappear(bool animated)
{
    if (ViewController* top = topViewController())
        top->beginAppearance(false, animated);
}

void NavigationController::viewDidDisappear(bool animated)
{
    if (ViewController* top = topViewController())
        top->endAppearance(animated);
}

QList<ViewController*> NavigationController::takeViewControllers()
{
    const QList<ViewController*> list = viewControllers();
    m_stack.clear();
    for (ViewController* c : list) {
        if (c->isViewLoaded() && m_content && c->view()->parentWidget() == m_content) {
            c->view()->hide();
            c->view()->setParent(nullptr);
        }
    }
    Q_EMIT stackChanged();
    updateBar(false);
    return list;
}

void NavigationController::restoreViewControllers(const QList<ViewController*>& controllers)
{
    for (ViewController* c : controllers) {
        if (!c || viewControllers().contains(c))
            continue;
        c->setParentViewController(this);
        m_stack.append(c);
    }
    Q_EMIT stackChanged();
    if (!isViewLoaded())
        return;
    ++m_transition;
    if (ViewController* top = topViewController()) {
        QWidget* v = top->view();
        v->setParent(m_content);
        v->setGeometry(m_content->rect());
        v->show();
    }
    updateBar(false);
}
