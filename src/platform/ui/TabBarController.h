#pragma once

#include "platform/ui/ViewController.h"

#include <QColor>
#include <QList>
#include <QPointer>

class NavigationController;
class TabBar;
class TabBarItem;
class TabBarController;
class QWidget;

class TabBarControllerDelegate
{
public:
    virtual ~TabBarControllerDelegate() = default;
    // A tab was chosen in the tab bar (a tab or the "More" list itself; choosing a screen
    // inside the "More" list does not count).
    virtual void didSelectViewController(TabBarController* tabBarController,
                                         ViewController* viewController) = 0;
};

// Screens under a tab bar. With more than five screens (eight on a tablet) the bar shows
// the first four (seven) and a "More" tab whose navigation controller lists the rest; a screen chosen there is shown
// inside that navigation controller (a screen that is itself a navigation controller lends
// it its stack), and popping "More" to its root shows the list again.
class TabBarController : public ViewController
{
    Q_OBJECT

public:
    explicit TabBarController(QObject* parent = nullptr);
    ~TabBarController() override;

    // The screens in tab order; the controller takes ownership of those without a parent.
    void setViewControllers(const QList<ViewController*>& controllers);
    QList<ViewController*> viewControllers() const;

    // Index of the selected screen among viewControllers(), or NotFound while the "More"
    // list itself shows.
    static constexpr int NotFound = -1;
    int selectedIndex() const;
    void setSelectedIndex(int index);
    ViewController* selectedViewController() const;
    void setSelectedViewController(ViewController* controller);

    NavigationController* moreNavigationController();
    // The item each screen shows, in tab order (a navigation controller shows its root
    // screen's item), without the "More" tab's own.
    QList<TabBarItem*> tabBarItems() const;

    void setDelegate(TabBarControllerDelegate* delegate) { m_delegate = delegate; }
    TabBarControllerDelegate* delegate() const { return m_delegate; }

    TabBar* tabBar();
    // Colours of the selected item and of the bar's background.
    void setTintColor(const QColor& color);
    void setBarTintColor(const QColor& color);

    static constexpr int kBarHeight = 49;
    // Tabs the bar holds before it needs "More": five on a phone, eight on a tablet.
    static int maxTabs();

    // Rebuilds the bar's items from the screens' tab bar items.
    void updateTabBar();

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    bool hasMore() const { return m_controllers.size() > maxTabs(); }
    int visibleTabCount() const;
    void tabTapped(int barIndex);
    // Shows `controller` (a direct tab, or the "More" navigation controller).
    void showController(ViewController* controller);
    void showInMore(int index, bool animated);
    void returnBorrowedStack();
    void moreListSelected(int index);
    void layoutContent();

    QList<QPointer<ViewController>> m_controllers;
    QPointer<ViewController> m_shown;        // the tab's controller on display
    QPointer<ViewController> m_selected;     // what selectedViewController reports
    NavigationController* m_more = nullptr;
    ViewController* m_moreList = nullptr;
    QPointer<NavigationController> m_borrowedFrom; // tab whose stack "More" holds
    QList<QPointer<ViewController>> m_borrowed;
    QPointer<ViewController> m_moreSelected;   // the tab shown inside "More"
    TabBarControllerDelegate* m_delegate = nullptr;
    QWidget* m_content = nullptr;
    TabBar* m_bar = nullptr;
};
