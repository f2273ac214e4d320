// Appearance hooks through pushes, pops and tab switches, and the tab bar's "More" list.
#include "platform/ui/BackButton.h"
#include "platform/ui/MoreListView.h"
#include "platform/ui/MoreListViewController.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/Window.h"

#include <QPointer>
#include <QTest>

namespace {

// A screen that writes each hook into a shared log as "<name>.<hook>".
class Recorder : public ViewController
{
public:
    Recorder(const QString& name, QStringList* log, QObject* parent = nullptr)
        : ViewController(parent)
        , m_log(log)
    {
        setTitle(name);
        tabBarItem()->setTitle(name);
    }
    void viewWillAppear(bool) override { m_log->append(title() + ".willAppear"); }
    void viewDidAppear(bool) override { m_log->append(title() + ".didAppear"); }
    void viewWillDisappear(bool) override { m_log->append(title() + ".willDisappear"); }
    void viewDidDisappear(bool) override { m_log->append(title() + ".didDisappear"); }

private:
    QStringList* m_log;
};

class SelectionLog : public TabBarControllerDelegate
{
public:
    QList<ViewController*> selected;
    void didSelectViewController(TabBarController*, ViewController* c) override { selected.append(c); }
};

void tapTab(TabBarController* tabs, int barIndex)
{
    TabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->itemRect(barIndex).center());
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pushAndPopCallHooksInPlatformOrder_data();
    void pushAndPopCallHooksInPlatformOrder();
    void hooksWaitUntilTheStackIsOnDisplay();
    void popReleasesOwnedScreensOnly();
    void barShowsBackButtonTitleAndCustomViews();
    void sideViewsStandLevelAndLeaveTheTitleRoom();
    void modalPresentationCoversWindowAndIsReleased_data();
    void modalPresentationCoversWindowAndIsReleased();
    void tabSwitchMovesAppearance();
    void moreListWithNineTabs();
    void disabledTabIgnoresTaps();
};

void TestNavigation::pushAndPopCallHooksInPlatformOrder_data()
{
    QTest::addColumn<bool>("animated");
    QTest::newRow("instant") << false;
    QTest::newRow("animated") << true;
}

void TestNavigation::pushAndPopCallHooksInPlatformOrder()
{
    QFETCH(bool, animated);
    QStringList log;
    Window window;
    auto* nav = new NavigationController(new Recorder("A", &log), &window);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    QCOMPARE(log, (QStringList{"A.willAppear", "A.didAppear"}));

    log.clear();
    auto* b = new Recorder("B", &log);
    nav->pushViewController(b, animated);
    QCOMPARE(log.mid(0, 2), (QStringList{"A.willDisappear", "B.willAppear"}));
    QCOMPARE(log.size(), animated ? 2 : 4); // an animated push completes after its slide
    QTRY_COMPARE(log.size(), 4);
    QCOMPARE(log, (QStringList{"A.willDisappear", "B.willAppear", "A.didDisappear", "B.didAppear"}));
    QCOMPARE(b->navigationController(), nav);
    QTRY_VERIFY(b->view()->isVisible() && b->view()->pos() == QPoint(0, 0));

    log.clear();
    nav->pushViewController(new Recorder("C", &log), false);
    log.clear();
    // Popping to the root skips the screen in between: it never appeared.
    nav->popToRootViewControllerAnimated(animated);
    QTRY_COMPARE(log.size(), 4);
    QCOMPARE(log, (QStringList{"C.willDisappear", "A.willAppear", "C.didDisappear", "A.didAppear"}));
    QCOMPARE(nav->viewControllers().size(), 1);

    // The navigation controller leaving the window takes its top screen with it.
    log.clear();
    window.removeSubview(nav->view());
    QCOMPARE(log, (QStringList{"A.willDisappear", "A.didDisappear"}));
}

void TestNavigation::hooksWaitUntilTheStackIsOnDisplay()
{
    QStringList log;
    Window window;
    auto* nav = new NavigationController(new Recorder("A", &log), &window);
    nav->pushViewController(new Recorder("B", &log), false);
    QVERIFY(log.isEmpty());
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    QCOMPARE(log, (QStringList{"B.willAppear", "B.didAppear"}));
}

void TestNavigation::popReleasesOwnedScreensOnly()
{
    QStringList log;
    Window window;
    auto* nav = new NavigationController(new Recorder("A", &log), &window);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();

    QObject sharedOwner;
    QPointer<ViewController> shared = new Recorder("Shared", &log, &sharedOwner);
    QPointer<ViewController> owned = new Recorder("Owned", &log);
    nav->pushViewController(shared, false);
    nav->pushViewController(owned, false);
    nav->popViewControllerAnimated(false);
    nav->popViewControllerAnimated(false);
    QTRY_VERIFY(owned.isNull());
    QVERIFY(!shared.isNull());
    QVERIFY(!shared->view()->isVisible());
    // A shared screen can be pushed again.
    nav->pushViewController(shared, false);
    QCOMPARE(nav->topViewController(), shared.data());
    QVERIFY(shared->view()->isVisible());
}

void TestNavigation::barShowsBackButtonTitleAndCustomViews()
{
    QStringList log;
    Window window;
    auto* nav = new NavigationController(new Recorder("Root", &log), &window);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    NavigationBar* bar = nav->navigationBar();
    QVERIFY(bar->isVisible());
    QVERIFY(!bar->backButton()->isVisible());

    auto* second = new Recorder("Second", &log);
    auto* right = new QWidget;
    right->resize(40, 30);
    second->navigationItem()->setRightView(right);
    nav->pushViewController(second, false);
    QCOMPARE(bar->titleText(), QStringLiteral("Second"));
    QVERIFY(bar->backButton()->isVisible());
    QCOMPARE(bar->backButton()->text(), QStringLiteral("Root"));
    QVERIFY(right->isVisible());
    QCOMPARE(right->geometry().right(), bar->width() - 1 - 5);

    // A custom left view replaces the back button; the back button pops.
    auto* left = new QWidget;
    left->resize(50, 30);
    second->navigationItem()->setLeftView(left);
    QVERIFY(!bar->backButton()->isVisible());
    second->navigationItem()->setLeftView(nullptr);
    QTest::mouseClick(bar->backButton(), Qt::LeftButton);
    QTRY_COMPARE(nav->viewControllers().size(), 1);

    nav->setNavigationBarHidden(true);
    QVERIFY(!bar->isVisible());
    QCOMPARE(nav->topViewController()->view()->geometry(), nav->view()->rect());
}

// Side views whose buttons stand above their own top (a 30-point container, 47-point buttons
// at y = -10) stand at one height however often the bar placed them, and a container wider
// than its buttons leaves the title the room the buttons do not draw on.
void TestNavigation::sideViewsStandLevelAndLeaveTheTitleRoom()
{
    QStringList log;
    Window window;
    auto* nav = new NavigationController(new Recorder("Root", &log), &window);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    NavigationBar* bar = nav->navigationBar();
    const auto container = [](int width, QList<int> xs) {
        auto* view = new QWidget;
        view->resize(width, 30);
        for (int x : xs)
            (new QWidget(view))->setGeometry(x, -10, 50, 47);
        return view;
    };
    auto* screen = new Recorder("Test remote settings", &log);
    QWidget* left = container(160, {0});
    screen->navigationItem()->setLeftView(left);
    nav->pushViewController(screen, false);
    QCOMPARE(bar->titleText(), QStringLiteral("Test remote settings"));

    QWidget* right = container(180, {0, 65, 130});
    screen->navigationItem()->setRightView(right); // placed once, the left one again
    const auto top = [bar](QWidget* side) {
        return side->findChildren<QWidget*>().constFirst()->mapTo(bar, QPoint()).y();
    };
    QCOMPARE(top(right), top(left));
    QCOMPARE(top(left), (bar->height() - 47) / 2);
}

void TestNavigation::modalPresentationCoversWindowAndIsReleased_data()
{
    QTest::addColumn<bool>("animated");
    QTest::newRow("instant") << false;
    QTest::newRow("animated") << true;
}

void TestNavigation::modalPresentationCoversWindowAndIsReleased()
{
    QFETCH(bool, animated);
    QStringList log;
    Window window;
    auto* a = new Recorder("A", &log);
    auto* nav = new NavigationController(a, &window);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();

    log.clear();
    QPointer<ViewController> form = new Recorder("Form", &log);
    a->presentModalViewController(form, animated);
    QTRY_COMPARE(log, (QStringList{"A.willDisappear", "Form.willAppear", "A.didDisappear", "Form.didAppear"}));
    QCOMPARE(a->modalViewController(), form.data());
    QCOMPARE(form->view()->parentWidget(), &window);
    QTRY_COMPARE(form->view()->geometry(), window.rect());

    log.clear();
    form->dismissModalViewControllerAnimated(animated); // the presented screen dismisses itself
    QTRY_COMPARE(log, (QStringList{"Form.willDisappear", "A.willAppear", "Form.didDisappear", "A.didAppear"}));
    QVERIFY(!a->modalViewController());
    QTRY_VERIFY(form.isNull());
}

void TestNavigation::tabSwitchMovesAppearance()
{
    QStringList log;
    Window window;
    auto* tabs = new TabBarController(&window);
    auto* first = new NavigationController(new Recorder("A", &log));
    tabs->setViewControllers({first, new Recorder("B", &log)});
    SelectionLog selections;
    tabs->setDelegate(&selections);
    window.setRootViewController(tabs);
    window.makeKeyAndVisible();
    QCOMPARE(log, (QStringList{"A.willAppear", "A.didAppear"}));

    log.clear();
    tapTab(tabs, 1);
    QCOMPARE(log, (QStringList{"A.willDisappear", "B.willAppear", "A.didDisappear", "B.didAppear"}));
    QCOMPARE(tabs->selectedIndex(), 1);
    QCOMPARE(selections.selected, (QList<ViewController*>{tabs->viewControllers().at(1)}));

    // Choosing a tab in code tells no delegate.
    log.clear();
    tabs->setSelectedIndex(0);
    QCOMPARE(log, (QStringList{"B.willDisappear", "A.willAppear", "B.didDisappear", "A.didAppear"}));
    QCOMPARE(selections.selected.size(), 1);
}

void TestNavigation::moreListWithNineTabs()
{
    QStringList log;
    Window window;
    auto* tabs = new TabBarController(&window);
    QList<ViewController*> controllers;
    QList<Recorder*> screens;
    for (int i = 0; i < 9; ++i) {
        auto* screen = new Recorder(QStringLiteral("T%1").arg(i), &log);
        screens.append(screen);
        // Like the application: all but one tab sit in navigation controllers.
        controllers.append(i == 3 ? static_cast<ViewController*>(screen) : new NavigationController(screen));
    }
    tabs->setViewControllers(controllers);
    SelectionLog selections;
    tabs->setDelegate(&selections);
    window.setRootViewController(tabs);
    window.makeKeyAndVisible();

    // The bar: the first four tabs and "More"; the list: the other five.
    const QList<TabBarItem*> items = tabs->tabBar()->items();
    QCOMPARE(items.size(), 5);
    QCOMPARE(items.at(0)->title(), QStringLiteral("T0"));
    QCOMPARE(items.at(3)->title(), QStringLiteral("T3"));
    QCOMPARE(items.at(4)->title(), QStringLiteral("More"));
    NavigationController* more = tabs->moreNavigationController();
    auto* list = static_cast<MoreListViewController*>(more->viewControllers().first());
    QCOMPARE(list->listView()->count(), 5);

    tapTab(tabs, 4);
    QCOMPARE(selections.selected.last(), more);
    QCOMPARE(tabs->selectedIndex(), int(TabBarController::NotFound));
    QVERIFY(list->view()->isVisible());
    QCOMPARE(more->navigationBar()->titleText(), QStringLiteral("More"));

    // A list row shows its tab's screen inside "More"'s navigation bar.
    log.clear();
    MoreListView* rows = list->listView();
    QTest::mouseClick(rows, Qt::LeftButton, {}, rows->rowRect(2).center());
    QCOMPARE(more->topViewController(), screens.at(6));
    QCOMPARE(screens.at(6)->navigationController(), more);
    QCOMPARE(screens.at(6)->tabBarController(), tabs);
    QTRY_COMPARE(log, (QStringList{"T6.willAppear", "T6.didAppear"}));
    QCOMPARE(tabs->selectedIndex(), 6);
    QCOMPARE(more->navigationBar()->titleText(), QStringLiteral("T6"));
    QCOMPARE(more->navigationBar()->backButton()->text(), QStringLiteral("More"));
    QCOMPARE(selections.selected.size(), 1); // choosing in the list is not a tab-bar choice

    // Popping "More" to its root shows the list again; the tab gets its screen back.
    more->popToRootViewControllerAnimated(false);
    QVERIFY(list->view()->isVisible());
    QCOMPARE(tabs->selectedIndex(), int(TabBarController::NotFound));
    auto* sixth = qobject_cast<NavigationController*>(controllers.at(6));
    QTRY_COMPARE(sixth->viewControllers(), (QList<ViewController*>{screens.at(6)}));

    // Selecting a tab beyond the fourth in code opens it inside "More" too; a plain
    // screen (not in a navigation controller) of the list works the same way.
    tabs->setSelectedIndex(8);
    QCOMPARE(more->topViewController(), screens.at(8));
    QCOMPARE(tabs->selectedIndex(), 8);
    QCOMPARE(tabs->tabBar()->selectedIndex(), 4);
    tabs->setSelectedIndex(1);
    QCOMPARE(tabs->selectedIndex(), 1);
    QVERIFY(screens.at(1)->view()->isVisible());
}

void TestNavigation::disabledTabIgnoresTaps()
{
    QStringList log;
    Window window;
    auto* tabs = new TabBarController(&window);
    QList<ViewController*> controllers;
    for (int i = 0; i < 7; ++i)
        controllers.append(new Recorder(QStringLiteral("T%1").arg(i), &log));
    tabs->setViewControllers(controllers);
    window.setRootViewController(tabs);
    window.makeKeyAndVisible();

    controllers.at(2)->tabBarItem()->setEnabled(false);
    tabs->moreNavigationController()->tabBarItem()->setEnabled(false);
    tapTab(tabs, 2);
    tapTab(tabs, 4);
    QCOMPARE(tabs->selectedIndex(), 0);
    controllers.at(2)->tabBarItem()->setEnabled(true);
    tapTab(tabs, 2);
    QCOMPARE(tabs->selectedIndex(), 2);
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
