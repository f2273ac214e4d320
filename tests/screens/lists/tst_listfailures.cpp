// The lists when the site fails, through a faulty relay in front of the demo site: a failed
// page says why in the list with "Try again", which asks for that same page; rows already
// shown stay; the load-more row comes back with the page; a page read only in part says so;
// a search without results says so; the snatch list and friends do the same for the signed-in
// member; a favourites batch names the page that failed and asks
// again only for it.
#include "DemoAccounts.h"
#include "DemoCatalog.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "FaultyProxy.h"

#include "TestPictures.h"
#include "platform/core/NetworkStatus.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/UrlLoader.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/Window.h"
#include "screens/common/AllListViewController.h"
#include "screens/community/FriendsListViewController.h"
#include "screens/community/SnatchListViewController.h"
#include "screens/favourites/FavoriteListViewController.h"
#include "screens/lists/SearchListViewController.h"
#include "settings/SettingsKeys.h"
#include "site/SiteHosts.h"
#include "site/UserInfo.h"
#include "views/HeaderView.h"
#include "views/LoadingIndicator.h"
#include "views/NoNetworkBand.h"
#include "platform/ui/ScrollView.h"
#include "views/NoticeItemView.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <thread>

namespace {

constexpr int kWait = 20000;

QStringList names(const QList<Torrent>& torrents)
{
    QStringList list;
    for (const Torrent& torrent : torrents)
        list.append(torrent.name());
    return list;
}

bool tabsEnabled(TabBarController* tabs)
{
    const QList<TabBarItem*> items = tabs->tabBarItems();
    return std::all_of(items.begin(), items.end(), [](TabBarItem* item) { return item->isEnabled(); });
}

} // namespace

Q_DECLARE_METATYPE(FaultyProxy::Fault)

class TestListFailures : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<FaultyProxy> m_proxy;
    std::unique_ptr<Window> m_window;
    QPointer<TabBarController> m_tabs;
    QPointer<AllListViewController> m_all;
    QPointer<SearchListViewController> m_search;
    QPointer<FavoriteListViewController> m_favorites;

    // A fresh tab bar; the recent list shows first and asks for page 1 at once.
    void buildTabs()
    {
        delete m_tabs;
        m_all = new AllListViewController;
        m_search = new SearchListViewController;
        m_favorites = new FavoriteListViewController;
        auto wrap = [](ViewController* root) {
            auto* navigation = new NavigationController;
            navigation->pushViewController(root, false);
            return navigation;
        };
        m_tabs = new TabBarController;
        m_tabs->setViewControllers({wrap(m_all), wrap(m_favorites), wrap(m_search)});
        m_window->addSubview(m_tabs->view());
        m_window->makeKeyAndVisible();
    }

    QStringList pageNames(int page)
    {
        DemoCatalog::Query query;
        query.page = page;
        QStringList list;
        for (const DemoTorrent* torrent : m_site.catalog().page(query))
            list.append(torrent->name);
        return list;
    }

    // The notice row as drawn: its text and its button, or null when there is none.
    NoticeItemView* noticeView(AllListViewController* screen)
    {
        TableView* table = screen->tableView();
        for (int row = table->numberOfRowsInSection(0) - 1; row >= 0; --row) {
            table->scrollToRowAtIndexPath(IndexPath::forRow(row), TableViewScrollPosition::Bottom, false);
            TableViewCell* cell = table->cellForRowAtIndexPath(IndexPath::forRow(row));
            if (auto* view = cell ? cell->contentView()->findChild<NoticeItemView*>() : nullptr)
                return view;
        }
        return nullptr;
    }

    // What the user does: a click on the notice's own button.
    void clickTryAgain(AllListViewController* screen)
    {
        NoticeItemView* view = noticeView(screen);
        QVERIFY(view);
        QCOMPARE(view->actionBtn()->title(), QStringLiteral("Try again"));
        QTest::mouseClick(view->actionBtn(), Qt::LeftButton);
    }

    void save(const QString& name)
    {
        QVERIFY(saveTestPicture(m_window->grab().toImage(), name));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        m_site.accounts().setSessionRequired(false);
        m_proxy = std::make_unique<FaultyProxy>(m_site.httpPort());
        QVERIFY(m_proxy->isListening());
        SiteHosts::setWebHost(m_proxy->hostAndPort());
        m_window = std::make_unique<Window>();
        NoNetworkBand::install(m_window.get());
    }

    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        m_proxy->setFault(FaultyProxy::Fault::Relay);
    }

    void cleanup()
    {
        m_proxy->setFault(FaultyProxy::Fault::Relay);
        m_proxy->release();
        if (m_favorites)
            QTRY_VERIFY_WITH_TIMEOUT(!m_favorites->isBatchRunning(), kWait);
        if (m_all)
            QTRY_COMPARE_WITH_TIMEOUT(m_all->operationQueue().operationCount(), 0, kWait);
        UrlLoader::setDefaultTimeoutSeconds(0);
    }

    void cleanupTestCase()
    {
        delete m_tabs;
        m_window.reset();
        m_proxy.reset();
        m_site.stop();
    }

    // The first page fails: the busy overlay shows while it is asked for, then the list says
    // why, unlocked; "Try again" brings page 1 and the load-more row.
    void firstPageFailsThenTryAgain_data()
    {
        QTest::addColumn<FaultyProxy::Fault>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("503") << FaultyProxy::Fault::Answer503 << QStringLiteral("The site answered 503.");
        QTest::newRow("no answer in time") << FaultyProxy::Fault::Hold << QStringLiteral("The site did not answer in 1 s.");
        QTest::newRow("connection reset") << FaultyProxy::Fault::Reset
                                          << QStringLiteral("The connection to 127.0.0.1 was cut short.");
        QTest::newRow("body cut short") << FaultyProxy::Fault::CutBody
                                        << QStringLiteral("The connection to 127.0.0.1 was cut short.");
        QTest::newRow("closed unanswered") << FaultyProxy::Fault::Close
                                           << QStringLiteral("The site closed the connection without answering.");
    }

    void firstPageFailsThenTryAgain()
    {
        QFETCH(FaultyProxy::Fault, fault);
        QFETCH(QString, message);
        UrlLoader::setDefaultTimeoutSeconds(1);
        m_proxy->setFault(fault);
        buildTabs();
        AllListViewController* all = m_all;
        QVERIFY(all->loading() && all->loading()->isShowing());

        QTRY_COMPARE_WITH_TIMEOUT(all->noticeText(), message, kWait);
        QVERIFY(!all->loading()->isShowing());
        QVERIFY(tabsEnabled(m_tabs));
        QCOMPARE(all->tableView()->numberOfRowsInSection(0), 1);
        QCOMPARE(noticeView(all)->messageLbl()->text(), message);
        if (fault == FaultyProxy::Fault::Answer503)
            save(QStringLiteral("lists-failed-first-page.png"));

        UrlLoader::setDefaultTimeoutSeconds(0);
        m_proxy->setFault(FaultyProxy::Fault::Relay);
        m_proxy->release();
        clickTryAgain(all);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 50, kWait);
        QCOMPARE(names(*all->torrentData()), pageNames(1));
        QVERIFY(all->noticeText().isNull());
        QCOMPARE(all->tableView()->numberOfRowsInSection(0), 51); // the load-more row
    }

    // A next page that fails keeps the rows shown and puts "Try again" where the load-more
    // row was; trying again asks for that same page, and the load-more row comes back.
    void failedNextPageKeepsTheRows()
    {
        buildTabs();
        AllListViewController* all = m_all;
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);

        m_proxy->setFault(FaultyProxy::Fault::Answer503);
        all->didSelectRowAtIndexPath(all->tableView(), IndexPath::forRow(50));
        QTRY_COMPARE_WITH_TIMEOUT(all->noticeText(), QStringLiteral("The site answered 503."), kWait);
        QCOMPARE(names(*all->torrentData()), pageNames(1));
        QCOMPARE(all->tableView()->numberOfRowsInSection(0), 51); // the rows and the notice
        QCOMPARE(all->currentPage(), 2);
        save(QStringLiteral("lists-failed-next-page.png"));

        m_proxy->setFault(FaultyProxy::Fault::Relay);
        clickTryAgain(all);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 100, kWait);
        QCOMPARE(names(all->torrentData()->mid(50)), pageNames(2));
        QCOMPARE(all->currentPage(), 2);
        QVERIFY(!all->noMoreTorrents());
        QCOMPARE(all->tableView()->numberOfRowsInSection(0), 101);
    }

    // A refresh that fails keeps the rows it would have replaced, and unlocks the screen;
    // trying again refreshes.
    void failedRefreshKeepsTheRows()
    {
        buildTabs();
        AllListViewController* all = m_all;
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);

        m_proxy->setFault(FaultyProxy::Fault::Reset);
        all->didRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!all->noticeText().isNull(), kWait);
        QCOMPARE(names(*all->torrentData()), pageNames(1));
        QVERIFY(all->tableView()->isScrollEnabled());
        QVERIFY(all->headerView()->refreshBtn()->isEnabled());
        QVERIFY(!all->isRefreshed());

        m_proxy->setFault(FaultyProxy::Fault::Relay);
        clickTryAgain(all);
        QVERIFY(all->isRefreshed());
        QTRY_VERIFY_WITH_TIMEOUT(!all->isRefreshed(), kWait);
        QCOMPARE(names(*all->torrentData()), pageNames(1));
        QVERIFY(all->noticeText().isNull());
    }

    // A page whose reading stopped at the time limit says so and keeps the load-more row,
    // even when no row was read before the limit.
    void pageReadInPartKeepsTheLoadMoreRow()
    {
        buildTabs();
        AllListViewController* all = m_all;
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        FetchOutcome cut;
        cut.cutShort = true;
        all->setCurrentPage(2);
        all->loadedListing(QList<Torrent>(), cut, 2);
        QCOMPARE(all->noticeText(), AllListViewController::kCutShortText);
        QVERIFY(!all->noMoreTorrents());
        QCOMPARE(all->tableView()->numberOfRowsInSection(0), 52); // rows, notice, load-more
        QVERIFY(noticeView(all)->actionBtn()->isHidden());
        // The next page that comes whole ends the notice.
        all->setCurrentPage(3);
        all->loadedListing(QList<Torrent>(), FetchOutcome(), 3);
        QVERIFY(all->noticeText().isNull());
    }

    // A search without results says so with the words as typed; a failed search says why.
    void searchWithoutResultsSaysSo()
    {
        buildTabs();
        QTRY_VERIFY_WITH_TIMEOUT(m_all->torrentData(), kWait);
        m_tabs->setSelectedIndex(2);
        SearchListViewController* search = m_search;
        search->mySearchBar()->setText(QStringLiteral("zzqx nothing"));
        search->searchBarSearchButtonClicked(search->mySearchBar());
        QTRY_COMPARE_WITH_TIMEOUT(search->noticeText(), QStringLiteral("No torrents found for \u201Czzqx nothing\u201D."),
                                  kWait);
        QCOMPARE(search->tableView()->numberOfRowsInSection(0), 1);
        save(QStringLiteral("lists-search-nothing-found.png"));

        m_proxy->setFault(FaultyProxy::Fault::Answer503);
        search->mySearchBar()->setText(QStringLiteral("Linux"));
        search->searchBarSearchButtonClicked(search->mySearchBar());
        QTRY_COMPARE_WITH_TIMEOUT(search->noticeText(), QStringLiteral("The site answered 503."), kWait);
        m_proxy->setFault(FaultyProxy::Fault::Relay);
        clickTryAgain(search);
        QTRY_VERIFY_WITH_TIMEOUT(!search->torrentData()->isEmpty(), kWait);
        QVERIFY(search->noticeText().isNull());
    }

    // A favourites batch with one failed page shows the others, names the failed one, and
    // trying again asks for that page alone; the load-more counter stays where it was.
    void favouritesNameTheFailedPage()
    {
        SettingsStore& settings = SettingsStore::standard();
        settings.setStringArray(SettingsKeys::filters, {QStringLiteral(".")}); // keeps every row
        settings.setString(SettingsKeys::favoritesCount, QStringLiteral("3"));
        settings.synchronize();
        buildTabs();
        QTRY_VERIFY_WITH_TIMEOUT(m_all->torrentData(), kWait);

        m_proxy->setFault(FaultyProxy::Fault::Answer503, "&page=2 ");
        m_site.clearAnsweredPages();
        m_tabs->setSelectedIndex(1);
        FavoriteListViewController* favorites = m_favorites;
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(favorites->failedPages(), QList<int>{2});
        QCOMPARE(favorites->noticeText(), QStringLiteral("Page 2 could not be loaded. The site answered 503."));
        QCOMPARE(names(*favorites->torrentData()), pageNames(1) + pageNames(3));
        save(QStringLiteral("favorites-failed-page.png"));

        m_proxy->setFault(FaultyProxy::Fault::Relay);
        m_site.clearAnsweredPages();
        clickTryAgain(favorites);
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(m_site.answeredPages(), QList<int>{2});
        QCOMPARE(favorites->torrentData()->size(), 150);
        QVERIFY(favorites->noticeText().isNull());
        QVERIFY(favorites->failedPages().isEmpty());
        QCOMPARE(favorites->currentPage(), 3);
    }

    // The signed-in member's snatch list and friends: a failed fetch says why with "Try
    // again", which brings the rows.
    void snatchListAndFriendsSayWhy_data()
    {
        QTest::addColumn<bool>("friends");
        QTest::newRow("snatch list") << false;
        QTest::newRow("friends") << true;
    }

    void snatchListAndFriendsSayWhy()
    {
        QFETCH(bool, friends);
        UserInfo::sharedInstance().setIds(QStringLiteral("1001")); // a demo member with snatches and friends
        delete m_tabs;
        auto* snatch = new SnatchListViewController;
        auto* buddies = new FriendsListViewController;
        AllListViewController* screen = friends ? static_cast<AllListViewController*>(buddies) : snatch;
        m_proxy->setFault(FaultyProxy::Fault::Answer503);
        m_tabs = new TabBarController;
        auto* navigation = new NavigationController;
        navigation->pushViewController(screen, false);
        m_tabs->setViewControllers({navigation});
        m_window->addSubview(m_tabs->view());
        m_window->makeKeyAndVisible();
        if (!friends)
            delete buddies;
        else
            delete snatch;

        QTRY_COMPARE_WITH_TIMEOUT(screen->noticeText(), QStringLiteral("The site answered 503."), kWait);
        QVERIFY(!screen->loading()->isShowing());
        QVERIFY(tabsEnabled(m_tabs));

        m_proxy->setFault(FaultyProxy::Fault::Relay);
        clickTryAgain(screen);
        if (friends)
            QTRY_VERIFY_WITH_TIMEOUT(buddies->friends() && !buddies->friends()->isEmpty(), kWait);
        else
            QTRY_VERIFY_WITH_TIMEOUT(snatch->torrentData() && !snatch->torrentData()->isEmpty(), kWait);
        QVERIFY(screen->noticeText().isNull());
        QTRY_COMPARE_WITH_TIMEOUT(screen->operationQueue().operationCount(), 0, kWait);
        delete m_tabs;
    }

    // A lost network is said once, by the window's band, whatever the number of requests
    // that met it; the list's notice keeps only "Try again", and the first answer that comes
    // takes the band away.
    void noNetworkIsSaidOnceByTheBand()
    {
        buildTabs();
        AllListViewController* all = m_all;
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        NoNetworkBand* band = m_window->findChild<NoNetworkBand*>();
        QVERIFY(band && band->isHidden());

        FetchFailure offline;
        offline.kind = FetchFailure::Kind::NoNetwork;
        offline.host = QStringLiteral("www.tarnvale.org");
        // Reported from workers, as the exchanges do; an exchange that failed otherwise
        // without an answer proves nothing either way.
        std::thread([offline] {
            for (int request = 0; request < 5; ++request)
                NetworkStatus::report(offline, false);
            NetworkStatus::report(FetchFailure::httpStatus(0), false);
        }).join();
        FetchOutcome outcome;
        outcome.failure = offline;
        all->setCurrentPage(2);
        all->loadedListing(std::nullopt, outcome, 2);
        const QString sentence = QStringLiteral("No network: www.tarnvale.org cannot be reached.");
        QTRY_VERIFY_WITH_TIMEOUT(band->isVisible(), kWait);
        QCOMPARE(band->messageLbl()->text(), sentence);
        QCOMPARE(all->noticeText(), AllListViewController::kNotLoadedText);
        QCOMPARE(noticeView(all)->actionBtn()->title(), QStringLiteral("Try again"));
        // Once in the window, above the tab bar and over the screens.
        int said = 0;
        for (const Label* label : m_window->findChildren<Label*>())
            said += label->isVisible() && label->text().contains(QStringLiteral("No network")) ? 1 : 0;
        QCOMPARE(said, 1);
        QCOMPARE(band->geometry().bottom() + 1, m_window->height() - NoNetworkBand::kBottomInset);
        QCOMPARE(m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).constLast(), band); // on top
        // Scrolled to its end, the list's last row, the one with "Try again", stands above the band.
        TableView* table = all->tableView();
        table->setContentOffset(table->maximumContentOffset(), false);
        QWidget* notice = noticeView(all);
        table->setContentOffset(table->maximumContentOffset(), false);
        const int noticeBottom = notice->mapTo(m_window.get(), QPoint(0, notice->height())).y();
        QVERIFY2(noticeBottom <= band->geometry().top(),
                 qPrintable(QStringLiteral("ends at %1, the band starts at %2").arg(noticeBottom).arg(band->geometry().top())));
        save(QStringLiteral("lists-no-network.png"));

        // The site answers again: the page comes and the band goes. The band lets taps
        // through to the row below it.
        QVERIFY(band->testAttribute(Qt::WA_TransparentForMouseEvents));
        clickTryAgain(all);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 100, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(band->isHidden(), kWait);
        QVERIFY(NetworkStatus::shared().text().isEmpty());
        QCOMPARE(ScrollView::bottomOverlay(), 0.0);
    }
};

QTEST_MAIN(TestListFailures)
#include "tst_listfailures.moc"
