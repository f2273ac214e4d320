// What a screen reader finds when it walks the accessible tree: the rows of a torrent list read
// as sentences with a pressable "Send to client" button, every control of the login and
// settings screens named, and the tab bar and the More list reachable and operable with the
// keyboard alone.
#include "DemoAccounts.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"

#include "platform/core/SettingsStore.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/MoreListView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/Window.h"
#include "screens/common/AllListViewController.h"
#include "screens/favourites/FavoriteComposeViewController.h"
#include "screens/favourites/FavoriteDisplaySettingsViewController.h"
#include "screens/lists/HistoryListViewController.h"
#include "screens/lists/SearchListViewController.h"
#include "screens/login/LoginViewController.h"
#include "screens/remote/ServerSettingsViewController.h"
#include "screens/settings/DisplaySettingsViewController.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

constexpr int kWait = 20000;

// Every interface a reader reaches from `root` by walking children, in reading order, leaving
// out what is not on screen.
QList<QAccessibleInterface*> shownTree(QAccessibleInterface* root)
{
    QList<QAccessibleInterface*> found;
    QList<QAccessibleInterface*> pending{root};
    while (!pending.isEmpty() && found.size() < 5000) {
        QAccessibleInterface* node = pending.takeFirst();
        if (!node || found.contains(node) || node->state().invisible)
            continue;
        found.append(node);
        for (int i = node->childCount() - 1; i >= 0; --i)
            pending.prepend(node->child(i));
    }
    return found;
}

bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::ComboBox:
    case QAccessible::PageTab:
    case QAccessible::ListItem:
        return true;
    default:
        return false;
    }
}

QString describe(QAccessibleInterface* node)
{
    QObject* object = node->object();
    return QStringLiteral("role 0x%1 %2 \"%3\"")
        .arg(QString::number(node->role(), 16),
             object ? QString::fromLatin1(object->metaObject()->className()) + QLatin1Char('#') + object->objectName()
                    : QStringLiteral("(item of %1)").arg(describe(node->parent())),
             node->text(QAccessible::Name));
}

// Fails on the first control a reader would meet without a name; returns the names met.
QMultiMap<QString, QAccessible::Role> namedControls(QWidget* screen, bool* allNamed)
{
    QMultiMap<QString, QAccessible::Role> names;
    *allNamed = true;
    for (QAccessibleInterface* node : shownTree(QAccessible::queryAccessibleInterface(screen))) {
        if (!isControl(node->role()))
            continue;
        const QString name = node->text(QAccessible::Name);
        if (name.trimmed().isEmpty()) {
            qWarning("unnamed control: %s", qPrintable(describe(node)));
            *allNamed = false;
        }
        names.insert(name, node->role());
    }
    return names;
}

void press(QAccessibleInterface* node, const QString& action = QAccessibleActionInterface::pressAction())
{
    QVERIFY(node->actionInterface());
    QVERIFY2(node->actionInterface()->actionNames().contains(action), qPrintable(describe(node)));
    node->actionInterface()->doAction(action);
}

ViewController* plainTab(const QString& title)
{
    auto* screen = new ViewController;
    screen->setTitle(title);
    screen->setTabBarItem(new TabBarItem(title, Bundle::imageNamed(QStringLiteral("tabbar-web.png")), 0));
    return screen;
}

class Composer : public FavoriteComposeViewController::Delegate
{
};

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    QPointer<ViewController> m_shown;

    void show(ViewController* screen)
    {
        if (m_shown)
            m_window->removeSubview(m_shown->view());
        delete m_shown;
        m_shown = screen;
        m_window->addSubview(screen->view());
        m_window->makeKeyAndVisible();
    }

    // The recent list, two more lists and three plain screens: the last two go to "More".
    TabBarController* showTabs(AllListViewController* all)
    {
        auto* navigation = new NavigationController;
        navigation->pushViewController(all, false);
        auto* tabs = new TabBarController;
        tabs->setViewControllers({navigation, new SearchListViewController, new HistoryListViewController,
                                  plainTab(QStringLiteral("Forum")), plainTab(QStringLiteral("Site")),
                                  plainTab(QStringLiteral("Remote UI"))});
        show(tabs);
        return tabs;
    }

private Q_SLOTS:
    void initTestCase()
    {
        Accessibility::install();
        QVERIFY(m_dir.isValid());
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        m_site.accounts().setSessionRequired(false);
        m_window = std::make_unique<Window>();
    }

    void init() { SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files))); }

    void cleanupTestCase()
    {
        delete m_shown;
        m_window.reset();
        m_site.stop();
    }

    // A reader walking down from the window finds the list named by its screen, the rows in
    // order, each one sentence, and under each row the button that sends its torrent.
    void listRowsReadAsSentences()
    {
        auto* all = new AllListViewController;
        showTabs(all);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        QTRY_VERIFY(all->tableView()->isEnabled() && all->tableView()->visibleCells().size() > 3);

        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(all->tableView());
        QCOMPARE(table->role(), QAccessible::List);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("All Torrents")); // the screen's title
        const QList<QAccessibleInterface*> tree = shownTree(QAccessible::queryAccessibleInterface(m_window.get()));
        QList<QAccessibleInterface*> rows;
        for (QAccessibleInterface* node : tree) {
            if (node->role() == QAccessible::ListItem && node->parent() == table)
                rows.append(node);
        }
        QVERIFY(rows.size() >= 3);
        for (int i = 0; i < 3; ++i) {
            const Torrent& torrent = all->torrentData()->at(i);
            QCOMPARE(table->indexOfChild(rows.at(i)), i);
            const QString seeders = torrent.up() == QLatin1String("1") ? QStringLiteral("seeder") : QStringLiteral("seeders");
            const QString leechers = torrent.down() == QLatin1String("1") ? QStringLiteral("leecher") : QStringLiteral("leechers");
            QCOMPARE(rows.at(i)->text(QAccessible::Name), QStringLiteral("%1, %2, %3 %4, %5 %6")
                                                              .arg(torrent.name(), torrent.size(), torrent.up(), seeders,
                                                                   torrent.down(), leechers));
            // The drawn texts are read with the row, not again as children of their own.
            QCOMPARE(rows.at(i)->childCount(), 1);
            QAccessibleInterface* send = rows.at(i)->child(0);
            QCOMPARE(send->role(), QAccessible::Button);
            QCOMPARE(send->text(QAccessible::Name), QStringLiteral("Send to client"));
            QCOMPARE(send->parent(), rows.at(i));
            QVERIFY(rows.at(i)->rect().contains(send->rect()));
        }

        // Pressing the second row's button sends that torrent, as a tap does.
        press(rows.at(1)->child(0));
        QCOMPARE(all->sendingTorrentCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(all->sendingTorrentCount(), 0, kWait);
    }

    // Tab reaches the bar, the arrows and Return choose a tab; "More" opens the list, which the
    // keyboard walks and opens in the same way. The reader sees the same tabs and rows.
    void tabBarAndMoreListByKeyboard()
    {
        auto* all = new AllListViewController;
        TabBarController* tabs = showTabs(all);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        QTRY_VERIFY(tabs->tabBar()->items().at(1)->isEnabled());
        TabBar* bar = tabs->tabBar();

        m_window->activateWindow();
        QTRY_VERIFY(m_window->isActiveWindow());
        for (int i = 0; i < 40 && !bar->hasFocus(); ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get(), Qt::Key_Tab);
        QVERIFY2(bar->hasFocus(), "the Tab key never reached the tab bar");
        QCOMPARE(bar->focusIndex(), 0);

        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Return);
        QCOMPARE(tabs->selectedIndex(), 2);

        QAccessibleInterface* barTree = QAccessible::queryAccessibleInterface(bar);
        QCOMPARE(barTree->role(), QAccessible::PageTabList);
        QCOMPARE(barTree->childCount(), 5);
        QCOMPARE(barTree->child(2)->role(), QAccessible::PageTab);
        QVERIFY(barTree->child(2)->state().selected);
        QVERIFY(barTree->child(2)->state().focused);
        QVERIFY(!barTree->child(0)->state().selected);
        QCOMPARE(barTree->child(4)->text(QAccessible::Name), QStringLiteral("More"));

        // A tap on another tab takes the ring along: it never stays on a tab that is not selected.
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->itemRect(1).center());
        QTRY_COMPARE(tabs->selectedIndex(), 1);
        QCOMPARE(bar->focusIndex(), 1);

        QTest::keyClick(bar, Qt::Key_End);
        QTest::keyClick(bar, Qt::Key_Space);
        QCOMPARE(tabs->selectedIndex(), int(TabBarController::NotFound));
        auto* more = tabs->view()->findChild<MoreListView*>();
        QVERIFY(more);
        QTRY_VERIFY(more->isVisible());

        for (int i = 0; i < 40 && !more->hasFocus(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(more->hasFocus(), "the Tab key never reached the More list");
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(more);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->childCount(), 2);
        QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("Site"));
        QCOMPARE(list->child(1)->text(QAccessible::Name), QStringLiteral("Remote UI"));
        QTest::keyClick(more, Qt::Key_Down);
        QVERIFY(list->child(1)->state().focused);
        QTest::keyClick(more, Qt::Key_Return);
        QTRY_COMPARE(tabs->selectedIndex(), 5);

        // The reader's press does what the keys did.
        press(barTree->child(0));
        QCOMPARE(tabs->selectedIndex(), 0);
    }

    // Every control a reader meets on the login screen has a name; the switch reads as a check
    // box that the reader can turn over.
    void loginScreenControlsAreNamed()
    {
        auto* screen = new LoginViewController(nullptr);
        show(screen);
        bool allNamed = false;
        const QMultiMap<QString, QAccessible::Role> names = namedControls(screen->view(), &allNamed);
        QVERIFY(allNamed);
        QCOMPARE(names.value(QStringLiteral("Username"), QAccessible::NoRole), QAccessible::EditableText);
        QCOMPARE(names.value(QStringLiteral("Password"), QAccessible::NoRole), QAccessible::EditableText);
        QCOMPARE(names.value(QStringLiteral("Auto login"), QAccessible::NoRole), QAccessible::CheckBox);
        QCOMPARE(names.value(QStringLiteral("Login"), QAccessible::NoRole), QAccessible::Button);
        QCOMPARE(names.value(QStringLiteral("About iTarnvale"), QAccessible::NoRole), QAccessible::Button);

        auto* automatic = screen->view()->findChild<Switch*>();
        QAccessibleInterface* check = QAccessible::queryAccessibleInterface(automatic);
        const bool before = automatic->isOn();
        QCOMPARE(bool(check->state().checked), before);
        press(check, QAccessibleActionInterface::toggleAction());
        QCOMPARE(automatic->isOn(), !before);
        QCOMPARE(bool(check->state().checked), !before);
    }

    void settingsScreenControlsAreNamed_data()
    {
        QTest::addColumn<std::function<ViewController*()>>("make");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("remote settings") << std::function<ViewController*()>([] {
            return new ServerSettingsViewController;
        }) << QStringList{QStringLiteral("Back"), QStringLiteral("Address"), QStringLiteral("Port"),
                          QStringLiteral("User name"), QStringLiteral("Password"), QStringLiteral("Transmission"),
                          QStringLiteral("Test settings")};
        QTest::newRow("display settings") << std::function<ViewController*()>([] {
            DisplaySettingsViewController::resetSharedInstanceForTests();
            return DisplaySettingsViewController::sharedInstance();
        }) << QStringList{QStringLiteral("Back"), QStringLiteral("Category"), QStringLiteral("Language")};
        QTest::newRow("favorite settings") << std::function<ViewController*()>([] {
            FavoriteDisplaySettingsViewController::resetSharedInstanceForTests();
            return FavoriteDisplaySettingsViewController::sharedInstance();
        }) << QStringList{QStringLiteral("Back"), QStringLiteral("Pages to scan")};
        QTest::newRow("search") << std::function<ViewController*()>([] {
            return new SearchListViewController;
        }) << QStringList{QStringLiteral("Search"), QStringLiteral("Search options")};
        QTest::newRow("new favorite") << std::function<ViewController*()>([] {
            static Composer composer;
            return new FavoriteComposeViewController(&composer);
        }) << QStringList{QStringLiteral("Name or pattern"), QStringLiteral("Cancel"), QStringLiteral("Add")};
    }

    void settingsScreenControlsAreNamed()
    {
        QFETCH(std::function<ViewController*()>, make);
        QFETCH(QStringList, expected);
        auto* navigation = new NavigationController;
        navigation->pushViewController(new ViewController, false);
        navigation->pushViewController(make(), false);
        show(navigation);
        bool allNamed = false;
        const QMultiMap<QString, QAccessible::Role> names = namedControls(navigation->view(), &allNamed);
        QVERIFY(allNamed);
        for (const QString& name : expected)
            QVERIFY2(names.contains(name), qPrintable(name));
        // The shared screens live on: off the stack before they are made anew.
        navigation->popViewControllerAnimated(false);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
