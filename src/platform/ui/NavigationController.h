#pragma once

#include "platform/ui/ViewController.h"

#include <QList>
#include <QPointer>

class NavigationBar;
class QWidget;

// A stack of screens under a navigation bar. Pushing slides the new screen in from the
// right (when animated) and calls the appearance hooks in the platform's order:
// top.viewWillDisappear, new.viewWillAppear, then after the transition
// top.viewDidDisappear, new.viewDidAppear; popping is the mirror. The hooks are only
// called while the navigation controller itself is on display; when it appears or
// disappears it forwards that to its top screen.
//
// Ownership: a pushed screen without a QObject parent becomes the controller's child and
// is released (ViewController::release) when popped; a screen with its own parent (a
// shared instance) is only taken off the stack.
class NavigationController : public ViewController
{
    Q_OBJECT

public:
    explicit NavigationController(ViewController* rootViewController = nullptr,
                                  QObject* parent = nullptr);
    ~NavigationController() override;

    QList<ViewController*> viewControllers() const;
    ViewController* topViewController() const;
    // The top screen, or the screen it presents modally.
    ViewController* visibleViewController() const;

    void pushViewController(ViewController* controller, bool animated);
    // Returns the popped screen (already handed to release() if owned), or none at the root.
    ViewController* popViewControllerAnimated(bool animated);
    QList<ViewController*> popToRootViewControllerAnimated(bool animated);
    // Pops down to `controller`, which must be on the stack.
    QList<ViewController*> popToViewController(ViewController* controller, bool animated);

    NavigationBar* navigationBar();
    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden, bool animated = false);

    // The height of the bar in points.
    static constexpr int kBarHeight = 44;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    // Moves screens from one stack to another without appearance calls (the tab bar's
    // "More" list borrows a tab's stack while it shows it).
    QList<ViewController*> takeViewControllers();
    void restoreViewControllers(const QList<ViewController*>& controllers);

Q_SIGNALS:
    // After a push or pop has changed the stack (before the transition ends).
    void stackChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adopt(ViewController* controller);
    void layoutContent();
    void showTop(ViewController* from, bool forward, bool animated);
    void updateBar(bool animated);
    void releasePopped(const QList<ViewController*>& popped, bool animated);
    bool onDisplay() const;

    QList<QPointer<ViewController>> m_stack;
    QWidget* m_content = nullptr;
    NavigationBar* m_bar = nullptr;
    bool m_barHidden = false;
    int m_transition = 0; // increases with each push or pop; stale completions do nothing
};
