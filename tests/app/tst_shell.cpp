// The application shell against the demo site on loopback: the remembered tab, log-out and
// the cookies it deletes, one silent renewal for requests that lose the session together,
// a refused renewal that waits for the user's next sign-in, and the recorded build version.
#include "DemoAccounts.h"
#include "DemoHtml.h"
#include "DemoNoticeService.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"

#include "TestPictures.h"
#include "app/SwitchViewController.h"
#include "app/iTarnvaleAppDelegate.h"
#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Label.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/MoreListView.h"
#include "platform/ui/MoreListViewController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "remote/AlertPresenter.h"
#include "screens/common/AllListViewController.h"
#include "screens/login/LoginViewController.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "site/HttpRequest.h"
#include "site/SessionKeeper.h"
#include "site/SiteHosts.h"
#include "views/HeaderView.h"
#include "views/UIUnderlinedLabel.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

constexpr int kWait = 20000;
const QString kCaptchaDomain = QStringLiteral(".captcha.localhost");

Cookie cookie(const QString& name, const QString& domain)
{
    Cookie c;
    c.name = name;
    c.value = QStringLiteral("v");
    c.domain = domain;
    return c;
}

QStringList cookieNames()
{
    QStringList names;
    for (const Cookie& c : CookieStore::shared().cookies())
        names.append(c.domain + QLatin1Char(' ') + c.name);
    names.sort();
    return names;
}

// A site page fetched on a thread of its own, as a list screen's operation would.
class PageFetch
{
public:
    explicit PageFetch(const QUrl& url)
        : m_request(std::make_shared<HttpRequest>(url))
        , m_thread(QThread::create([request = m_request] { request->request(); }))
    {
        m_thread->start();
    }
    ~PageFetch() { m_thread->wait(); }

    bool isFinished() const { return m_thread->isFinished(); }
    QString result() const { return m_request->result(); }

private:
    std::shared_ptr<HttpRequest> m_request;
    std::unique_ptr<QThread> m_thread;
};

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<iTarnvaleAppDelegate> m_app;

    SwitchViewController* launch()
    {
        m_app.reset();
        m_window = std::make_unique<Window>();
        m_app = std::make_unique<iTarnvaleAppDelegate>();
        m_app->launch(m_window.get());
        return m_app->viewController();
    }

    // Signs in on the login screen now showing, as a user would, past the notice.
    void signIn(const QString& password = QString::fromLatin1(DemoSite::kDemoPassword))
    {
        SwitchViewController* shell = m_app->viewController();
        QVERIFY(!shell->showLogin());
        LoginViewController* login = shell->loginViewController();
        QVERIFY(login && login->view()->isVisible());
        login->username()->clear();
        QTest::keyClicks(login->username(), QString::fromLatin1(DemoSite::kDemoUsername));
        login->password()->clear();
        QTest::keyClicks(login->password(), password);
        QTest::mouseClick(login->loginBtn(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([] { return !AlertView::visibleAlerts().isEmpty(); }, kWait));
        AlertView* notice = AlertView::visibleAlerts().constLast();
        QCOMPARE(notice->tag(), 1);
        notice->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(shell->showLogin(), kWait);
        QVERIFY(shell->tabBarController()->view()->isVisible());
        QVERIFY(!shell->view()->isVisible());
    }

    // As a user would: once the tabs take taps again (a list locks them while its page loads).
    void tapTab(int barIndex)
    {
        TabBarController* tabs = m_app->viewController()->tabBarController();
        QTRY_VERIFY_WITH_TIMEOUT(tabs->moreNavigationController()->tabBarItem()->isEnabled(), kWait);
        TabBar* bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->itemRect(barIndex).center());
    }

    void save(QWidget* widget, const QString& name)
    {
        QVERIFY(saveTestPicture(widget->grab().toImage(), name));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("settings.ini")));
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        SiteHosts::setCaptchaCookieDomain(kCaptchaDomain);
    }

    void init()
    {
        DemoSiteSetup::forgetSignIn(m_site, {SettingsKeys::tab});
    }

    void cleanup()
    {
        for (AlertView* alert : AlertView::visibleAlerts())
            alert->dismissWithClickedButtonIndex(0, false);
        m_app.reset();
        m_window.reset();
    }

    void cleanupTestCase() { m_site.stop(); }

    void tabBar()
    {
        SwitchViewController* shell = launch();
        QVERIFY(!shell->tabBarController());
        signIn();
        TabBarController* tabs = shell->tabBarController();
        const QList<ViewController*> screens = tabs->viewControllers();
        QCOMPARE(screens.size(), 12);

        const QStringList titles = {
            QStringLiteral("All Torrents"), TabBarItem::systemTitle(TabBarItem::SystemItem::Favorites),
            TabBarItem::systemTitle(TabBarItem::SystemItem::Search), QStringLiteral("D/l History"),
            QStringLiteral("Forum"), QStringLiteral("Remote UI"), QStringLiteral("Remote Settings"),
            QStringLiteral("www.tarnvale.localhost"), QStringLiteral("Logout"), QStringLiteral("My SnatchList"),
            QStringLiteral("BuddyList"), QStringLiteral("Downloads"),
        };
        const QStringList pictures = {
            QStringLiteral("tabbar-all.png"), QString(), QString(), QStringLiteral("tabbar-snatch.png"),
            QStringLiteral("tabbar-forum.png"), QStringLiteral("tabbar-remote.png"),
            QStringLiteral("tabbar-settings.png"), QStringLiteral("tabbar-web.png"),
            QStringLiteral("tabbar-logout.png"), QStringLiteral("tabbar-history.png"), QStringLiteral("tabbar-friends.png"),
            QStringLiteral("tabbar-remote.png"),
        };
        for (int i = 0; i < screens.size(); ++i) {
            // A navigation controller's tab shows its root screen's item.
            auto* navigation = qobject_cast<NavigationController*>(screens[i]);
            TabBarItem* item = (navigation ? navigation->viewControllers().constFirst() : screens[i])->tabBarItem();
            QCOMPARE(item->title(), titles[i]);
            QCOMPARE(item->tag(), i == 1 ? 1 : 0);
            if (!pictures[i].isEmpty())
                QCOMPARE(item->image(), Bundle::imageNamed(pictures[i]));
            // Every tab but the download history is a navigation controller.
            QCOMPARE(navigation == nullptr, i == 3);
        }
        QCOMPARE(tabs->selectedIndex(), 0);

        // The snatch list and friends follow the nine, in the "More" list.
        QCOMPARE(screens.at(9), shell->snatchListNavigationController());
        QCOMPARE(screens.at(10), shell->friendsNavigationController());
        tapTab(4);
        auto* more = qobject_cast<MoreListViewController*>(tabs->moreNavigationController()->topViewController());
        QVERIFY(more);
        save(m_window.get(), QStringLiteral("shell-more.png"));
        QTest::mouseClick(more->listView(), Qt::LeftButton, {}, more->listView()->rowRect(6).center());
        QCOMPARE(tabs->selectedIndex(), 10);
        // Shown inside the "More" list's stack.
        ViewController* friends = tabs->moreNavigationController()->topViewController();
        QCOMPARE(friends->title(), QStringLiteral("Friends"));
        QTRY_VERIFY(friends->view()->isVisible());
        save(m_window.get(), QStringLiteral("shell-tabs.png"));
    }

    void rememberedTab_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("title");
        const QString all = QStringLiteral("All Torrents");
        QTest::newRow("nothing stored") << QVariant() << 0 << all;
        QTest::newRow("search") << QVariant(2) << 2 << QStringLiteral("Search");
        QTest::newRow("inside More") << QVariant(6) << 6 << QStringLiteral("Remote Settings");
        QTest::newRow("the More list itself") << QVariant(-1) << 0 << all;
        QTest::newRow("the snatch list, after the nine") << QVariant(9) << 9 << QStringLiteral("Snatch List");
        QTest::newRow("beyond the tabs") << QVariant(12) << 0 << all;
    }

    void rememberedTab()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, selected);
        QFETCH(QString, title);
        if (stored.isValid())
            Settings::setTab(stored.toInt());
        launch();
        signIn();
        TabBarController* tabs = m_app->viewController()->tabBarController();
        QCOMPARE(tabs->selectedIndex(), selected);
        // The tab's screen is on display, inside the "More" list's stack past the fourth tab.
        auto* navigation = selected >= 4 ? tabs->moreNavigationController()
                                         : qobject_cast<NavigationController*>(tabs->selectedViewController());
        QVERIFY(navigation);
        QVERIFY(navigation->topViewController()->view()->isVisible());
        QCOMPARE(navigation->topViewController()->title(), title);

        // The user's choice is what the next start shows.
        tapTab(3);
        QCOMPARE(tabs->selectedIndex(), 3);
        QCOMPARE(SettingsStore(SettingsStore::standard().fileName()).integerForKey(SettingsKeys::tab), 3);
    }

    // After sign-in the header shows the user's own ratio and amounts, read from their
    // profile page.
    void headerShowsTheSignedInUsersFigures()
    {
        SwitchViewController* shell = launch();
        signIn();
        auto* navigation = qobject_cast<NavigationController*>(shell->tabBarController()->viewControllers().constFirst());
        QVERIFY(navigation);
        auto* all = qobject_cast<AllListViewController*>(navigation->viewControllers().constFirst());
        QVERIFY(all);
        const std::optional<DemoAccounts::Account> demo =
            m_site.accounts().byName(QString::fromLatin1(DemoSite::kDemoUsername));
        QVERIFY(demo);
        HeaderView* header = all->headerView();
        QTRY_COMPARE_WITH_TIMEOUT(header->upLbl()->text(), DemoHtml::sizeText(demo->uploaded), kWait);
        QCOMPARE(header->downLbl()->text(), DemoHtml::sizeText(demo->downloaded));
        QCOMPARE(header->ratioLbl()->text(),
                 QString::number(double(demo->uploaded) / double(demo->downloaded), 'f', 3));
        QCOMPARE(header->usernameLbl()->title(), demo->name);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData(), kWait);
        save(header, QStringLiteral("shell-header-figures.png"));
    }

    void logoutDeletesOnlyTheSiteCookies()
    {
        SwitchViewController* shell = launch();
        // What waits for a signed-in user (the demo's client daemon) is told at each sign-in.
        int signedIn = 0;
        m_app->setSignedInHook([&signedIn] { ++signedIn; });
        QCOMPARE(signedIn, 0);
        signIn();
        QCOMPARE(signedIn, 1);
        TabBarController* tabs = shell->tabBarController();
        LoginViewController* firstLogin = shell->loginViewController();

        // The sign-in left the site's domain cookies and the web host's own session cookie.
        const QString site = SiteHosts::siteCookieDomain();
        const QString webHost = QStringLiteral("www.tarnvale.localhost");
        QCOMPARE(site, QStringLiteral(".tarnvale.localhost"));
        QVERIFY(cookieNames().contains(site + QStringLiteral(" uid")));
        QVERIFY(cookieNames().contains(webHost + QStringLiteral(" PHPSESSID")));
        CookieStore& store = CookieStore::shared();
        store.setCookie(cookie(QStringLiteral("captcha"), kCaptchaDomain));
        // Other hosts of the same site, the bare domain and strangers stay.
        store.setCookie(cookie(QStringLiteral("forum"), QStringLiteral("forum.tarnvale.localhost")));
        store.setCookie(cookie(QStringLiteral("bare"), QStringLiteral("tarnvale.localhost")));
        store.setCookie(cookie(QStringLiteral("api"), QStringLiteral("captcha.localhost")));
        store.setCookie(cookie(QStringLiteral("other"), QStringLiteral(".example.org")));

        // The log-out tab sits in the "More" list.
        tapTab(4);
        auto* more = qobject_cast<MoreListViewController*>(tabs->moreNavigationController()->topViewController());
        QVERIFY(more);
        QTest::mouseClick(more->listView(), Qt::LeftButton, {}, more->listView()->rowRect(4).center());

        QTRY_VERIFY(!shell->showLogin());
        QCOMPARE(cookieNames(), QStringList({
                                    QStringLiteral(".example.org other"),
                                    QStringLiteral("captcha.localhost api"),
                                    QStringLiteral("forum.tarnvale.localhost forum"),
                                    QStringLiteral("tarnvale.localhost bare"),
                                }));
        QVERIFY(shell->view()->isVisible());
        QVERIFY(!tabs->view()->isVisible());
        QVERIFY(shell->loginViewController() != firstLogin);
        QVERIFY(shell->loginViewController()->view()->isVisible());
        QCOMPARE(Settings::username(), QString::fromLatin1(DemoSite::kDemoUsername));
        save(m_window.get(), QStringLiteral("shell-after-logout.png"));

        // Signing in again shows the same tab bar, on its first tab.
        QCOMPARE(signedIn, 1);
        signIn();
        QCOMPARE(signedIn, 2);
        QCOMPARE(shell->tabBarController(), tabs);
        QCOMPARE(tabs->selectedIndex(), 0);
    }

    void requestsLosingTheSessionTogetherRenewOnce()
    {
        SwitchViewController* shell = launch();
        signIn();
        const QUrl listing = m_site.listingUrl();
        m_site.accounts().expireAllSessions();
        const quint64 epoch = shell->validationEpoch();

        PageFetch first(listing);
        PageFetch second(listing);
        QTRY_VERIFY_WITH_TIMEOUT(first.isFinished() && second.isFinished(), kWait);
        QCOMPARE(shell->validationEpoch(), epoch + 1); // one renewal
        QVERIFY(shell->sessionValidated());
        QVERIFY(shell->showLogin());
        for (const PageFetch* fetch : {&first, &second}) {
            QVERIFY(!LoginViewController::isLoginHeader(fetch->result()));
            QVERIFY(fetch->result().contains(QStringLiteral("/files/")));
        }
    }

    void refusedRenewalWaitsForTheNextSignIn()
    {
        SwitchViewController* shell = launch();
        signIn();
        TabBarController* tabs = shell->tabBarController();
        // The renewal signs in with what the login screen holds, which the site now refuses.
        Settings::setPassword(QStringLiteral("changed elsewhere"));
        shell->loginViewController()->password()->setText(QStringLiteral("changed elsewhere"));
        m_site.accounts().expireAllSessions();

        PageFetch waiting(m_site.listingUrl());
        QTRY_VERIFY_WITH_TIMEOUT(!shell->showLogin(), kWait);
        QVERIFY(shell->loginViewController()->view()->isVisible());
        QVERIFY(!shell->sessionValidated());
        // Still waiting when the user signs in again. A request that gave up earlier cannot
        // hold the listing (the site refuses it without a session): its result is checked below.
        QVERIFY(!waiting.isFinished());

        m_site.accounts().setCaptchaDemanded(false); // the refused password asked for one
        signIn();
        QCOMPARE(shell->tabBarController(), tabs);
        QTRY_VERIFY_WITH_TIMEOUT(waiting.isFinished(), kWait);
        QVERIFY(!LoginViewController::isLoginHeader(waiting.result()));
        QVERIFY(waiting.result().contains(QStringLiteral("/files/")));
    }

    void backgroundAlertsGoThroughTheShell()
    {
        SwitchViewController* shell = launch();
        QCOMPARE(AlertPresenter::instance(), shell);
        QCOMPARE(SessionKeeper::instance(), shell);
        std::unique_ptr<QThread> worker(QThread::create([] {
            AlertPresenter::present(QStringLiteral("Problem with website."), QStringLiteral("The download url is bad."),
                                    QStringLiteral("Ok"));
        }));
        worker->start();
        QTRY_VERIFY(worker->isFinished());
        QCOMPARE(AlertView::visibleAlerts().size(), 1);
        AlertView* alert = AlertView::visibleAlerts().constFirst();
        QCOMPARE(shell->alert(), alert);
        QCOMPARE(alert->delegate(), shell);
        QCOMPARE(alert->message(), QStringLiteral("The download url is bad."));
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY(!shell->alert());
    }

    void buildVersion_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("written");
        QTest::newRow("nothing stored") << QString() << true;
        QTest::newRow("same build") << Bundle::buildVersion() << false;
        QTest::newRow("older build") << QStringLiteral("0.9") << true;
    }

    void buildVersion()
    {
        QFETCH(QString, stored);
        QFETCH(bool, written);
        SettingsStore& store = SettingsStore::standard();
        if (stored.isNull())
            store.remove(SettingsKeys::version);
        else
            store.setString(SettingsKeys::version, stored);
        QVERIFY(store.synchronize());
        // A file untouched since long ago shows whether start-up wrote it.
        QFile file(store.fileName());
        const QDateTime past = QDateTime::currentDateTime().addDays(-3);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
        file.close();

        launch();
        QCOMPARE(store.stringForKey(SettingsKeys::version), Bundle::buildVersion());
        const QDateTime modified = QFileInfo(store.fileName()).lastModified();
        QCOMPARE(modified.secsTo(past) == 0, !written);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
