// The snatch list and friends screens in a real tab bar against the demo site on loopback:
// the snatch list's table request as the site's table plug-in sends it, its rows and the
// details they open; friends with their avatars, the profile and message screens they open
// (a message sent through the form reaches the demo site), and removals, refused ones put
// back.
#include "../common/PageTestHelpers.h"
#include "DemoAccounts.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "LoopbackServer.h"

#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "screens/community/FriendsListViewController.h"
#include "screens/community/PmWebViewController.h"
#include "screens/community/ProfileWebViewController.h"
#include "screens/community/SnatchListViewController.h"
#include "screens/pages/TorrentWebViewController.h"
#include "site/HttpRequest.h"
#include "site/SiteHosts.h"
#include "site/UserInfo.h"
#include "views/HeaderView.h"
#include "views/FriendItemTableViewCell.h"
#include "views/LoadingIndicator.h"
#include "views/TorrentSnatchItemTableViewCell.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using namespace PageTestHelpers;
constexpr int kMe = 1001;

// The request the site's table plug-in sends for 50 rows from row 0, newest first, of user 1001.
const char kSnatchBody[] =
    "sEcho=1&iColumns=10&sColumns=&iDisplayStart=0&iDisplayLength=50&sSearch=&bEscapeRegex=true&sSearch_0=&"
    "bEscapeRegex_0=true&bSearchable_0=true&sSearch_1=&bEscapeRegex_1=true&bSearchable_1=true&sSearch_2=&"
    "bEscapeRegex_2=true&bSearchable_2=true&sSearch_3=&bEscapeRegex_3=true&bSearchable_3=true&sSearch_4=&"
    "bEscapeRegex_4=true&bSearchable_4=true&sSearch_5=&bEscapeRegex_5=true&bSearchable_5=true&sSearch_6=&"
    "bEscapeRegex_6=true&bSearchable_6=true&sSearch_7=&bEscapeRegex_7=true&bSearchable_7=true&sSearch_8=&"
    "bEscapeRegex_8=true&bSearchable_8=true&sSearch_9=&bEscapeRegex_9=true&bSearchable_9=true&iSortingCols=1&"
    "iSortCol_0=9&sSortDir_0=desc&bSortable_0=true&bSortable_1=true&bSortable_2=true&bSortable_3=true&"
    "bSortable_4=true&bSortable_5=false&bSortable_6=true&bSortable_7=true&bSortable_8=true&bSortable_9=true&"
    "userID=1001";

QStringList friendNames(FriendsListViewController* screen)
{
    QStringList names;
    if (screen->friends()) {
        for (const Friend& f : *screen->friends())
            names.append(f.name());
    }
    return names;
}

} // namespace

class TestCommunity : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    QPointer<TabBarController> m_tabs;
    QPointer<SnatchListViewController> m_snatch;
    QPointer<FriendsListViewController> m_friends;

    QImage save(const QString& name, const QImage& unlike = QImage())
    {
        return PageTestHelpers::save(m_window.get(), name, unlike);
    }

    // The friends tab, shown, its list delivered with `count` rows.
    void showFriends(int count)
    {
        m_tabs->setSelectedIndex(1);
        if (m_friends->friends())
            m_friends->didRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(m_friends->friends() && !m_friends->isRefreshed() && tabsEnabled(m_tabs), kWait);
        QCOMPARE(m_friends->tableView()->numberOfRowsInSection(0), count);
    }

    int rowOf(const QString& name) { return int(friendNames(m_friends).indexOf(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        m_site.accounts().setSessionRequired(false);
        UserInfo::sharedInstance().setIds(QString::number(kMe));
        m_window = std::make_unique<Window>();
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s.ini")));
        m_snatch = new SnatchListViewController;
        m_friends = new FriendsListViewController;
        m_tabs = showTabs(m_window.get(), {m_snatch, m_friends});
    }

    void cleanupTestCase()
    {
        delete m_tabs;
        m_window.reset();
        m_site.stop();
    }

    // The request is the table plug-in's, byte for byte, as a form post.
    void snatchRequest()
    {
        LoopbackServer site;
        QVERIFY2(site.isListening(), qPrintable(site.error()));
        const QString webHost = SiteHosts::webHost();
        SiteHosts::setWebHost(site.hostAndPort());
        auto restore = qScopeGuard([&] { SiteHosts::setWebHost(webHost); });
        SnatchListViewController screen;
        screen.view();
        screen.fetchSnatchList();
        QTRY_COMPARE_WITH_TIMEOUT(site.requests().size(), 1, kWait);
        const RecordedRequest request = site.requests().constFirst();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.target, QByteArray("/user/account/snatchlist"));
        QCOMPARE(request.body, QByteArray(kSnatchBody));
        QTRY_VERIFY_WITH_TIMEOUT(screen.torrentData(), kWait);
    }

    // The user's 50 newest snatches, one row each and no more-row; a row opens its details
    // (an address with two slashes after the host, which the site takes). A user without
    // snatches gets an empty table.
    void snatchRows()
    {
        m_tabs->setSelectedIndex(0);
        QTRY_VERIFY_WITH_TIMEOUT(m_snatch->torrentData() && tabsEnabled(m_tabs), kWait);
        QCOMPARE(m_snatch->torrentData()->size(), 50);
        TableView* table = m_snatch->tableView();
        QCOMPARE(table->numberOfRowsInSection(0), 50);
        auto* cell = qobject_cast<TorrentSnatchItemTableViewCell*>(table->cellForRowAtIndexPath(IndexPath::forRow(0)));
        QVERIFY(cell);
        const Torrent& first = m_snatch->torrentData()->constFirst();
        QCOMPARE(cell->nameLbl(), first.name());
        QCOMPARE(cell->sizeLbl(), QStringLiteral("Size:") + first.size());
        QVERIFY(cell->activeLbl() == QStringLiteral("Active:Yes") || cell->activeLbl() == QStringLiteral("Active:No"));
        QVERIFY(!m_snatch->headerView()->settingsBtn()->isVisible());
        save(QStringLiteral("pages-snatchlist.png"));

        NavigationController* navigation = m_snatch->navigationController();
        m_snatch->didSelectRowAtIndexPath(table, IndexPath::forRow(2));
        auto* details = qobject_cast<TorrentWebViewController*>(navigation->topViewController());
        QVERIFY(details);
        QCOMPARE(details->tag(), 2);
        QCOMPARE(details->url().toString(),
                 QStringLiteral("http://%1/%2").arg(SiteHosts::webHost(), m_snatch->torrentData()->at(2).detailsUrl()));
        QTRY_VERIFY_WITH_TIMEOUT(details->stackCounter() == 1, kWait);
        QVERIFY(evaluate(details->myWebView(), QStringLiteral("document.body.innerText"))
                    .contains(QStringLiteral("Details for ") + m_snatch->torrentData()->at(2).name()));
        QVERIFY(closeScreen(details));

        UserInfo::sharedInstance().setIds(QStringLiteral("2302"));
        auto restore = qScopeGuard([] { UserInfo::sharedInstance().setIds(QString::number(kMe)); });
        m_snatch->didRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!m_snatch->isRefreshed(), kWait);
        QCOMPARE(m_snatch->torrentData()->size(), 0);
        QCOMPARE(table->numberOfRowsInSection(0), 0);
    }

    // Friends with their avatars (through the picture cache); a tap opens the friend's own
    // profile.
    void friendsAndProfile()
    {
        showFriends(5);
        QCOMPARE(friendNames(m_friends).first(), QStringLiteral("trinity"));
        for (const Friend& f : *m_friends->friends())
            QTRY_VERIFY_WITH_TIMEOUT(!m_friends->cachedImages().value(f.avatarUrl()).isNull(), kWait);
        auto* cell = qobject_cast<FriendItemTableViewCell*>(m_friends->tableView()->cellForRowAtIndexPath(IndexPath::forRow(1)));
        QVERIFY(cell);
        QCOMPARE(cell->nameLbl(), QStringLiteral("morpheus"));
        QCOMPARE(cell->avatarImg().size(), QSize(48, 36));
        QVERIFY(friendNames(m_friends).contains(QStringLiteral("R&D=50+50%"))); // written "R&amp;D" on the page
        save(QStringLiteral("pages-friends.png"));

        NavigationController* navigation = m_friends->navigationController();
        m_friends->didSelectRowAtIndexPath(m_friends->tableView(), IndexPath::forRow(1));
        auto* profile = qobject_cast<ProfileWebViewController*>(navigation->topViewController());
        QVERIFY(profile);
        QCOMPARE(profile->url(), SiteHosts::webUrl(QStringLiteral("/users/morpheus")));
        QTRY_VERIFY_WITH_TIMEOUT(tabsEnabled(m_tabs) && profile->myWebView() && !profile->myWebView()->isLoading(), kWait);
        QVERIFY(closeScreen(profile));
    }

    // The friends list has no display settings to offer; a profile says whose it is, keeps
    // its links off but for "Send message", which opens the message form as the envelope does.
    void profileNamesItsMemberAndSendsMessages()
    {
        showFriends(5);
        QVERIFY(!m_friends->headerView()->settingsBtn()->isVisible());
        NavigationController* navigation = m_friends->navigationController();
        m_friends->didSelectRowAtIndexPath(m_friends->tableView(), IndexPath::forRow(rowOf(QStringLiteral("R&D=50+50%"))));
        auto* profile = qobject_cast<ProfileWebViewController*>(navigation->topViewController());
        QVERIFY(profile);
        QCOMPARE(profile->title(), QStringLiteral("R&D=50+50%"));
        QCOMPARE(navigation->navigationBar()->titleText(), QStringLiteral("R&D=50+50%"));
        QTRY_VERIFY_WITH_TIMEOUT(tabsEnabled(m_tabs) && profile->myWebView() && !profile->myWebView()->isLoading(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(linksDisabled(profile->myWebView()), kWait);
        save(QStringLiteral("pages-profile.png"));

        QCOMPARE(evaluate(profile->myWebView(), QStringLiteral("String(document.querySelectorAll('[data-message]').length)")),
                 QStringLiteral("1"));
        evaluate(profile->myWebView(), QStringLiteral("document.querySelector('[data-message]').click(); 'clicked'"));
        QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<PmWebViewController*>(navigation->topViewController()), kWait);
        auto* pm = qobject_cast<PmWebViewController*>(navigation->topViewController());
        QCOMPARE(pm->url(), SiteHosts::webUrl(QStringLiteral("/sendmessage.php?receiver=3110")));
        QTRY_VERIFY_WITH_TIMEOUT(pm->myWebView() && !pm->myWebView()->isLoading(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(!LoadingIndicator::sharedInstance()->isShowing(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(pm->myWebView(), QStringLiteral("document.body ? document.body.innerText : ''"))
                                     .contains(QStringLiteral("Send message to")),
                                 kWait);
        QVERIFY(closeScreen(pm));
        QCOMPARE(navigation->topViewController(), profile);
        QVERIFY(closeScreen(profile));
    }

    // Addresses a profile page may lead to: only the site's own message form opens a screen.
    void messageLinksOnlyToTheSite_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("receiver");
        const QString site = QStringLiteral("http://") + SiteHosts::webHost();
        QTest::newRow("the form") << site + QStringLiteral("/sendmessage.php?receiver=815") << QStringLiteral("815");
        QTest::newRow("another host") << QStringLiteral("http://elsewhere.example/sendmessage.php?receiver=815") << QString();
        QTest::newRow("not a number") << site + QStringLiteral("/sendmessage.php?receiver=8%2615") << QString();
        QTest::newRow("another page") << site + QStringLiteral("/takemessage.php?receiver=815") << QString();
    }

    void messageLinksOnlyToTheSite()
    {
        QFETCH(QString, address);
        QTEST(ProfileWebViewController::messageReceiver(QUrl(address)), "receiver");
    }

    // The message button acts on touch-down; the form's links are disabled, the form itself
    // posts, and the message shows on the receiver's profile.
    void messageButtonOnTouchDown()
    {
        showFriends(5);
        // Signed in for real from here: the form page and its post need the session cookie,
        // which the web view has from the application's store.
        const DemoAccounts::Session session = m_site.accounts().openSession(kMe);
        const Cookie pass{QStringLiteral("pass"), session.token, QStringLiteral(".tarnvale.localhost")};
        const Cookie uid{QStringLiteral("uid"), QString::number(kMe), QStringLiteral(".tarnvale.localhost")};
        QVERIFY(CookieStore::shared().setCookie(pass) && CookieStore::shared().setCookie(uid));
        m_site.accounts().setSessionRequired(true);
        auto signOut = qScopeGuard([&] {
            m_site.accounts().setSessionRequired(false);
            CookieStore::shared().deleteCookie(pass);
            CookieStore::shared().deleteCookie(uid);
        });
        const int row = rowOf(QStringLiteral("trinity"));
        TableViewCell* cell = m_friends->tableView()->cellForRowAtIndexPath(IndexPath::forRow(row));
        auto* button = qobject_cast<Button*>(cell->accessoryView());
        QVERIFY(button);
        NavigationController* navigation = m_friends->navigationController();
        QTest::mousePress(button, Qt::LeftButton);
        auto* pm = qobject_cast<PmWebViewController*>(navigation->topViewController());
        QVERIFY(pm);
        QTest::mouseRelease(button, Qt::LeftButton);
        QCOMPARE(pm->url(), SiteHosts::webUrl(QStringLiteral("/sendmessage.php?receiver=4711")));
        QVERIFY(!tabsEnabled(m_tabs));
        QTRY_VERIFY_WITH_TIMEOUT(pm->myWebView(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(linksDisabled(pm->myWebView()), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(tabsEnabled(m_tabs) && m_friends->tableView()->allowsSelection(), kWait);
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
        save(QStringLiteral("pages-message.png"));

        evaluate(pm->myWebView(), QStringLiteral("document.querySelector('input[name=subject]').value = 'Seeding help';"
                                                 "document.querySelector('textarea').value = 'Could you seed part 2?';"
                                                 "document.querySelector('form').submit()"));
        QTRY_COMPARE_WITH_TIMEOUT(m_site.accounts().messagesTo(4711).size(), 1, kWait);
        const DemoAccounts::Message sent = m_site.accounts().messagesTo(4711).constFirst();
        QCOMPARE(sent.from, kMe);
        QCOMPARE(sent.subject, QStringLiteral("Seeding help"));
        HttpRequest profile(SiteHosts::webUrl(QStringLiteral("/users/trinity")));
        profile.request();
        QVERIFY(profile.result().contains(QStringLiteral("Could you seed part 2?")));
        QVERIFY(closeScreen(pm));
    }

    // Removing the only friend empties the table at once, before the site has answered; the
    // site then no longer lists the friend.
    void removingTheOnlyFriend()
    {
        DemoAccounts& accounts = m_site.accounts();
        for (int id : accounts.friendsOf(kMe)) {
            if (id != 815)
                accounts.removeFriend(kMe, id);
        }
        showFriends(1);
        TableView* table = m_friends->tableView();
        table->selectRowAtIndexPath(IndexPath::forRow(0), false, TableViewScrollPosition::None);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Delete);
        QTRY_VERIFY(table->indexPathShowingDeleteConfirmation().has_value());
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(table->numberOfRowsInSection(0), 0);
        QCOMPARE(m_friends->friends()->size(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(accounts.friendsOf(kMe).isEmpty() && m_friends->operationQueue().operationCount() == 0,
                                 kWait);
        QCOMPARE(table->numberOfRowsInSection(0), 0);
        QVERIFY(AlertView::visibleAlerts().isEmpty());
    }

    // A removal the site refuses (the friend had gone already) puts the row back where it was
    // and says so.
    void refusedRemovalPutsTheRowBack()
    {
        DemoAccounts& accounts = m_site.accounts();
        accounts.addFriend(kMe, 815);
        accounts.addFriend(kMe, 2302);
        accounts.addFriend(kMe, 5150);
        showFriends(3);
        const QStringList before = friendNames(m_friends);
        accounts.removeFriend(kMe, 2302); // elsewhere, meanwhile

        m_friends->commitEditingStyle(m_friends->tableView(), TableViewCellEditingStyle::Delete,
                                      IndexPath::forRow(rowOf(QStringLiteral("tank_op"))));
        QCOMPARE(m_friends->tableView()->numberOfRowsInSection(0), 2);
        QTRY_COMPARE_WITH_TIMEOUT(AlertView::visibleAlerts().size(), 1, kWait);
        AlertView* alert = AlertView::visibleAlerts().constFirst();
        QCOMPARE(alert->title(), QStringLiteral("Problem with website."));
        QCOMPARE(alert->message(), FriendsListViewController::kRemovalFailedMessage);
        QCOMPARE(friendNames(m_friends), before);
        QCOMPARE(m_friends->tableView()->numberOfRowsInSection(0), 3);
        save(QStringLiteral("pages-friend-refused.png"));
        alert->dismissWithClickedButtonIndex(0, false);
    }

    // A name from the friends page fills one path segment of the profile's address, whatever
    // it holds; a name with no segment of its own ("..", "") opens nothing.
    void namesStayInTheirSegment_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("target"); // empty: nothing may be asked
        QTest::newRow("parent path") << QStringLiteral("../logout") << QByteArray("/users/..%2Flogout");
        QTest::newRow("query, fragment") << QStringLiteral("a/b?c#d") << QByteArray("/users/a%2Fb%3Fc%23d");
        QTest::newRow("space, non-ASCII") << QStringLiteral("é ü") << QByteArray("/users/%C3%A9%20%C3%BC");
        QTest::newRow("escapes") << QStringLiteral("R&D=50+50%") << QByteArray("/users/R%26D%3D50%2B50%25");
        QTest::newRow("dot-dot") << QStringLiteral("..") << QByteArray();
        QTest::newRow("empty") << QStringLiteral("") << QByteArray();
    }

    void namesStayInTheirSegment()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, target);
        LoopbackServer site;
        QVERIFY2(site.isListening(), qPrintable(site.error()));
        site.setHandler([](const httplib::Request&, httplib::Response& response) {
            response.set_content("<html><body>profile</body></html>", "text/html");
        });
        const QString webHost = SiteHosts::webHost();
        SiteHosts::setWebHost(site.hostAndPort());
        auto restore = qScopeGuard([&] { SiteHosts::setWebHost(webHost); });
        m_tabs->setSelectedIndex(1);
        NavigationController* navigation = m_friends->navigationController();
        ViewController* before = navigation->topViewController();

        m_friends->didSelectProfile(name);
        if (target.isEmpty()) {
            QCOMPARE(navigation->topViewController(), before);
            QVERIFY(tabsEnabled(m_tabs) && !LoadingIndicator::sharedInstance()->isShowing());
            QCOMPARE(site.requestCount(), 0);
            return;
        }
        auto* profile = qobject_cast<ProfileWebViewController*>(navigation->topViewController());
        QVERIFY(profile);
        QTRY_VERIFY_WITH_TIMEOUT(site.requestCount() > 0, kWait);
        QCOMPARE(site.requests().constFirst().target, target);
        QTRY_VERIFY_WITH_TIMEOUT(tabsEnabled(m_tabs) && profile->myWebView() && !profile->myWebView()->isLoading(), kWait);
        QVERIFY(closeScreen(profile));
    }

    // The user's id (the "uid" cookie) goes into the snatch list's form and the removal
    // address only as a number. Anything else sends nothing: the snatch list ends as after a
    // failed exchange, and the removal as a refused one (row back, alert).
    void userIdOnlyAsANumber_data()
    {
        QTest::addColumn<QString>("uid");
        QTest::newRow("trailing space") << QStringLiteral("12 ");
        QTest::newRow("other text") << QStringLiteral("1;x");
        QTest::newRow("another field") << QStringLiteral("1&userID=2");
        QTest::newRow("empty") << QStringLiteral("");
    }

    void userIdOnlyAsANumber()
    {
        QFETCH(QString, uid);
        m_site.accounts().addFriend(kMe, 815);
        showFriends(int(m_site.accounts().friendsOf(kMe).size()));
        const QStringList before = friendNames(m_friends);

        LoopbackServer site;
        QVERIFY2(site.isListening(), qPrintable(site.error()));
        const QString webHost = SiteHosts::webHost();
        SiteHosts::setWebHost(site.hostAndPort());
        UserInfo::sharedInstance().setIds(uid);
        auto restore = qScopeGuard([&] {
            SiteHosts::setWebHost(webHost);
            UserInfo::sharedInstance().setIds(QString::number(kMe));
        });

        SnatchListViewController snatch;
        snatch.view();
        snatch.fetchSnatchList();
        snatch.operationQueue().waitUntilAllOperationsAreFinished();
        QVERIFY(!snatch.torrentData());
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());

        m_friends->commitEditingStyle(m_friends->tableView(), TableViewCellEditingStyle::Delete, IndexPath::forRow(0));
        m_friends->operationQueue().waitUntilAllOperationsAreFinished();
        QCOMPARE(site.requestCount(), 0);
        QCOMPARE(friendNames(m_friends), before);
        QTRY_COMPARE_WITH_TIMEOUT(AlertView::visibleAlerts().size(), 1, kWait);
        AlertView* alert = AlertView::visibleAlerts().constFirst();
        QCOMPARE(alert->message(), FriendsListViewController::kRemovalFailedMessage);
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY(AlertView::visibleAlerts().isEmpty());
    }
};

QTEST_MAIN(TestCommunity)
#include "tst_community.moc"
