// The favourites list in a tab bar against the demo site on loopback: a batch of pages handed
// over in page order whatever order they finish in (the demo's latency sets that order), the
// screen locked while a batch runs, a notice instead of a fetch when there are no filters, the next batch
// starting at the page after the last one asked for, and matches found on several pages.
#include "DemoAccounts.h"
#include "DemoCatalog.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "FaultyProxy.h"

#include "TestPictures.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "screens/favourites/EditFavoriteListViewController.h"
#include "screens/favourites/FavoriteDisplaySettingsViewController.h"
#include "screens/favourites/FavoriteListViewController.h"
#include "screens/pages/TorrentWebViewController.h"
#include "settings/Settings.h"
#include "site/SiteHosts.h"
#include "settings/SettingsKeys.h"
#include "views/HeaderView.h"
#include "views/LoadMoreItemView.h"
#include "views/LoadingIndicator.h"
#include "views/TorrentItemTableViewCell.h"
#include "watch/WatchMatch.h"
#include "watch/WatchUnseen.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

constexpr int kWait = 30000;

QStringList names(const QList<Torrent>& torrents)
{
    QStringList list;
    for (const Torrent& torrent : torrents)
        list.append(torrent.name());
    return list;
}

bool tabsEnabled(TabBarController* tabs, bool enabled)
{
    const QList<TabBarItem*> items = tabs->tabBarItems();
    return std::all_of(items.begin(), items.end(), [enabled](TabBarItem* item) { return item->isEnabled() == enabled; });
}

// The screen, noting what each delivery brought in the order it came.
class TestFavoriteList : public FavoriteListViewController
{
public:
    QList<QStringList> deliveries;

    void loadedTorrents(std::optional<QList<Torrent>> torrents) override
    {
        deliveries.append(torrents ? names(*torrents) : QStringList{QStringLiteral("<absent>")});
        FavoriteListViewController::loadedTorrents(std::move(torrents));
    }
};

} // namespace

class TestFavorites : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    QPointer<TabBarController> m_tabs;
    QPointer<TestFavoriteList> m_favorites;

    // The catalogue's names on a page of the favourites' listing (every category, newest first).
    QStringList pageNames(int page)
    {
        DemoCatalog::Query query;
        query.page = page;
        QStringList list;
        for (const DemoTorrent* torrent : m_site.catalog().page(query))
            list.append(torrent->name);
        return list;
    }

    void store(const QStringList& filters, const QString& count = QString())
    {
        SettingsStore& settings = SettingsStore::standard();
        settings.setStringArray(SettingsKeys::filters, filters);
        if (!count.isNull())
            settings.setString(SettingsKeys::favoritesCount, count);
        settings.synchronize();
    }

    // Shows the favourites tab: the screen appears and asks for its first batch.
    void showFavorites() { m_tabs->setSelectedIndex(1); }

    TableView* table() { return m_favorites->tableView(); }
    int rows() { return table()->numberOfRowsInSection(0); }

    QString loadMoreText()
    {
        const int last = rows() - 1;
        table()->scrollToRowAtIndexPath(IndexPath::forRow(last), TableViewScrollPosition::Bottom, false);
        TableViewCell* cell = table()->cellForRowAtIndexPath(IndexPath::forRow(last));
        auto* item = cell ? cell->contentView()->findChild<LoadMoreItemView*>() : nullptr;
        return item ? item->pageLbl()->text() : QString();
    }

    void tapLoadMore()
    {
        const IndexPath last = IndexPath::forRow(rows() - 1);
        m_favorites->didSelectRowAtIndexPath(table(), last);
    }

    QList<int> answeredSorted()
    {
        QList<int> pages = m_site.answeredPages();
        std::sort(pages.begin(), pages.end());
        return pages;
    }

    // A tap on the row as a finger makes it: on the table, where the row is drawn.
    void tapRow(int row)
    {
        table()->scrollToRowAtIndexPath(IndexPath::forRow(row), TableViewScrollPosition::Middle, false);
        const QRectF rect = table()->rectForRowAtIndexPath(IndexPath::forRow(row));
        QTest::mouseClick(table(), Qt::LeftButton, {}, QPoint(100, int(rect.center().y() - table()->contentOffset().y())));
    }

    // Adds a filter through the header's filter button and its form, then comes back.
    void addFilter(const QString& text)
    {
        NavigationController* navigation = m_favorites->navigationController();
        QTest::mouseClick(m_favorites->headerView()->filtersBtn(), Qt::LeftButton);
        auto* filters = qobject_cast<EditFavoriteListViewController*>(navigation->topViewController());
        QVERIFY(filters);
        if (!text.isNull()) {
            filters->addFavorite();
            QTRY_VERIFY(filters->modalViewController());
            auto* form = qobject_cast<FavoriteComposeViewController*>(filters->modalViewController());
            QVERIFY(form);
            form->newItem()->setText(text);
            QTest::mouseClick(form->addButton(), Qt::LeftButton);
            QTRY_VERIFY(!filters->modalViewController());
        }
        navigation->popViewControllerAnimated(false);
        QCOMPARE(navigation->topViewController(), m_favorites.data());
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
        m_window = std::make_unique<Window>();
    }

    // A fresh store and a fresh tab bar whose first tab shows; the favourites are the second.
    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        m_site.setLatency(0);
        m_site.clearAnsweredPages();
        delete m_tabs;
        m_favorites = new TestFavoriteList;
        auto* favorites = new NavigationController;
        favorites->pushViewController(m_favorites, false);
        m_tabs = new TabBarController;
        m_tabs->setViewControllers({new ViewController, favorites});
        m_window->addSubview(m_tabs->view());
        m_window->makeKeyAndVisible();
    }

    void cleanup()
    {
        // Nothing of this test's batch is left to arrive in the next one.
        if (m_favorites)
            QTRY_VERIFY_WITH_TIMEOUT(!m_favorites->isBatchRunning(), kWait);
    }

    void cleanupTestCase()
    {
        delete m_tabs;
        m_window.reset();
        m_site.stop();
    }

    // A row the watch found carries the "new" badge until the user has been on the screen:
    // once the screen goes away, the next appearance shows it as any other row.
    void watchFoundRowsAreNewUntilSeen()
    {
        m_site.addTorrent(QStringLiteral("Watched Linux 1"));
        m_site.addTorrent(QStringLiteral("Watched Linux 2"));
        store({QStringLiteral("Watched")}, QStringLiteral("1"));
        showFavorites();
        QTRY_VERIFY_WITH_TIMEOUT(!m_favorites->isBatchRunning() && rows() >= 2, kWait);
        const QString found = WatchMatch::key(m_favorites->torrentData()->at(0));
        QVERIFY(found.startsWith(QLatin1String("/torrent/")));
        QVERIFY(WatchUnseen::add({found}));

        auto newMark = [this](int row) {
            auto* cell = qobject_cast<TorrentItemTableViewCell*>(table()->cellForRowAtIndexPath(IndexPath::forRow(row)));
            return cell && cell->isWatchedNew();
        };
        m_tabs->setSelectedIndex(0);
        showFavorites();
        QTRY_VERIFY(newMark(0));
        QVERIFY(!newMark(1));
        QVERIFY(table()->cellForRowAtIndexPath(IndexPath::forRow(0))->accessibilityHint().contains(QLatin1String("new since you last looked")));
        save(QStringLiteral("favorites-watch-new.png"));

        m_tabs->setSelectedIndex(0);
        QVERIFY(WatchUnseen::keys().isEmpty());
        showFavorites();
        QTRY_VERIFY(!newMark(0));
    }

    // Pages 1, 2 and 3 finish 3, 1, 2 and are shown 1, 2, 3. Until the last has come the
    // screen says "Filtering...", the tabs are locked, the table stands still and the
    // load-more row does nothing.
    void pagesFinishingOutOfOrderAreShownInPageOrder()
    {
        store({QStringLiteral(".")}, QStringLiteral("3")); // any character: every row is kept
        m_site.setLatency({500, 2000, 0});
        showFavorites();
        TestFavoriteList* favorites = m_favorites;
        QCOMPARE(favorites->numPages(), 3);
        QCOMPARE(favorites->pagesPending(), 3);
        QVERIFY(favorites->loading()->isShowing());
        QCOMPARE(favorites->loading()->loadingLabel()->text(), QStringLiteral("Filtering..."));
        QVERIFY(tabsEnabled(m_tabs, false));
        QVERIFY(!table()->isScrollEnabled());

        // Page 1 is shown; page 3, finished first, still waits for page 2.
        QTRY_COMPARE_WITH_TIMEOUT(favorites->deliveries.size(), 1, kWait);
        QCOMPARE(m_site.answeredPages(), (QList<int>{3, 1}));
        QCOMPARE(rows(), 51);
        tapLoadMore();
        QCOMPARE(favorites->currentPage(), 3);
        QCOMPARE(favorites->pagesPending(), 2);
        QVERIFY(tabsEnabled(m_tabs, false));
        save(QStringLiteral("favorites-filtering.png"));

        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(m_site.answeredPages(), (QList<int>{3, 1, 2}));
        QCOMPARE(favorites->deliveries, (QList<QStringList>{pageNames(1), pageNames(2), pageNames(3)}));
        QCOMPARE(names(*favorites->torrentData()), pageNames(1) + pageNames(2) + pageNames(3));
        QVERIFY(tabsEnabled(m_tabs, true));
        QVERIFY(table()->isScrollEnabled());
        QVERIFY(!favorites->loading()->isShowing());
        QCOMPARE(loadMoreText(), QStringLiteral("[150-200]"));
    }

    // No filters: nothing is asked of the site; the list says how to add one, and its button
    // opens the filter form. Once a filter is stored the list starts on appearing; one that
    // matches nothing drops every row and keeps the load-more row, which brings pages 6 to 10.
    void noFiltersSaySoAndTheNextBatchFollowsOn()
    {
        showFavorites();
        TestFavoriteList* favorites = m_favorites;
        QCOMPARE(favorites->numPages(), 5); // nothing stored
        QVERIFY(!favorites->isBatchRunning());
        QCOMPARE(favorites->noticeText(), FavoriteListViewController::kNoFiltersText);
        QCOMPARE(favorites->noticeButtonTitle(), QStringLiteral("Add a filter"));
        QCOMPARE(rows(), 1);
        QVERIFY(m_site.answeredPages().isEmpty());
        save(QStringLiteral("favorites-nofilters.png"));

        NavigationController* navigation = favorites->navigationController();
        favorites->tapNoticeButton();
        auto* edit = qobject_cast<EditFavoriteListViewController*>(navigation->topViewController());
        QVERIFY(edit);
        QTRY_VERIFY(edit->modalViewController());
        store({QStringLiteral("^no torrent is named so$")});
        edit->dismissModalViewControllerAnimated(false);
        navigation->popViewControllerAnimated(false);
        favorites->viewWillAppear(false);

        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(answeredSorted(), (QList<int>{1, 2, 3, 4, 5}));
        QVERIFY(favorites->noticeText().isNull());
        QCOMPARE(favorites->torrentData()->size(), 0);
        QVERIFY(!favorites->noMoreTorrents());
        QCOMPARE(rows(), 1);
        QCOMPARE(loadMoreText(), QStringLiteral("[250-300]"));

        m_site.clearAnsweredPages();
        tapLoadMore();
        QCOMPARE(favorites->pagesPending(), 5);
        QCOMPARE(favorites->loading()->loadingLabel()->text(), QStringLiteral("Filtering..."));
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(answeredSorted(), (QList<int>{6, 7, 8, 9, 10}));
        QCOMPARE(favorites->currentPage(), 10);
        QCOMPARE(favorites->deliveries.size(), 10);
        QCOMPARE(rows(), 1);
        QCOMPARE(loadMoreText(), QStringLiteral("[500-550]"));
    }

    // Names that recur through the listing are found on several pages and shown in page
    // order; a stored filter that is not a pattern adds nothing and stops nothing.
    void matchesFromSeveralPagesInPageOrder()
    {
        store({QStringLiteral("Linux|BSD"), QStringLiteral("Linux|(BSD")});
        showFavorites();
        TestFavoriteList* favorites = m_favorites;
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);

        const QRegularExpression wanted(QStringLiteral("Linux|BSD"));
        QStringList expected;
        int pagesWithMatches = 0;
        for (int page = 1; page <= 5; ++page) {
            const QStringList matches = pageNames(page).filter(wanted);
            pagesWithMatches += matches.isEmpty() ? 0 : 1;
            expected += matches;
        }
        QVERIFY2(pagesWithMatches >= 2, "the demo's names recur on fewer pages than expected");
        QCOMPARE(names(*favorites->torrentData()), expected);
        QCOMPARE(rows(), int(expected.size()) + 1);
        save(QStringLiteral("favorites-matches.png"));
    }

    // A filter added while rows are shown applies at once: back from the filters the batch is
    // asked again from page 1. Visiting the filters without a change asks nothing.
    void aFilterAddedMeanwhileAsksTheBatchAgain()
    {
        store({QStringLiteral("Linux")}, QStringLiteral("2"));
        showFavorites();
        TestFavoriteList* favorites = m_favorites;
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        favorites->didSelectRowAtIndexPath(table(), IndexPath::forRow(rows() - 1));
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(favorites->currentPage(), 4);

        m_site.clearAnsweredPages();
        addFilter(QString());
        QVERIFY(!favorites->isBatchRunning());
        QVERIFY(m_site.answeredPages().isEmpty());

        addFilter(QStringLiteral("BSD"));
        QVERIFY(favorites->isBatchRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(answeredSorted(), (QList<int>{1, 2}));
        QCOMPARE(favorites->currentPage(), 2);
        const QRegularExpression wanted(QStringLiteral("Linux|BSD"));
        QCOMPARE(names(*favorites->torrentData()), (pageNames(1) + pageNames(2)).filter(wanted));
    }

    // While a batch is on its way the rows move under the finger: a tap on the load-more row
    // or on a row does nothing. Once the batch is in, a tap opens the row drawn there.
    void tapsDuringABatchDoNothing()
    {
        FaultyProxy proxy(m_site.httpPort());
        QVERIFY(proxy.isListening());
        const auto restore = qScopeGuard([siteHost = SiteHosts::webHost()] { SiteHosts::setWebHost(siteHost); });
        SiteHosts::setWebHost(proxy.hostAndPort());
        proxy.setFault(FaultyProxy::Fault::Hold, "page=2 ");
        store({QStringLiteral(".")}, QStringLiteral("2")); // any character: every row is kept
        showFavorites();
        TestFavoriteList* favorites = m_favorites;
        NavigationController* navigation = favorites->navigationController();
        QTRY_COMPARE_WITH_TIMEOUT(favorites->deliveries.size(), 1, kWait);
        QCOMPARE(rows(), 51);
        QVERIFY(favorites->isBatchRunning());

        tapRow(50); // the load-more row, under "Filtering..."
        tapRow(3);
        QCOMPARE(navigation->topViewController(), favorites);
        QCOMPARE(favorites->currentPage(), 2);
        QCOMPARE(favorites->pagesPending(), 1);

        proxy.setFault(FaultyProxy::Fault::Relay);
        proxy.release();
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QCOMPARE(rows(), 101);
        tapRow(60);
        auto* details = qobject_cast<TorrentWebViewController*>(navigation->topViewController());
        QVERIFY(details);
        QCOMPARE(details->tag(), 60);
        QCOMPARE(details->url(), SiteHosts::webUrl(favorites->torrentData()->at(60).detailsUrl()));
        navigation->popViewControllerAnimated(false);
    }

    // The header's filter button leads to the filter list (its form opens by itself on no
    // filters); a filter added there applies once the list shows again, and a refresh asks
    // for the pages anew. The gear leads to the page count screen.
    void headerButtonsLeadToTheFilterScreens()
    {
        showFavorites();
        TestFavoriteList* favorites = m_favorites;
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        NavigationController* navigation = favorites->navigationController();

        QTest::mouseClick(favorites->headerView()->filtersBtn(), Qt::LeftButton);
        auto* filters = qobject_cast<EditFavoriteListViewController*>(navigation->topViewController());
        QVERIFY(filters);
        QTRY_VERIFY(filters->modalViewController());
        auto* form = qobject_cast<FavoriteComposeViewController*>(filters->modalViewController());
        QVERIFY(form);
        form->newItem()->setText(QStringLiteral("Linux|BSD"));
        QTest::mouseClick(form->addButton(), Qt::LeftButton);
        QTRY_VERIFY(!filters->modalViewController());
        navigation->popViewControllerAnimated(false);
        QCOMPARE(navigation->topViewController(), favorites);
        QCOMPARE(favorites->filters().size(), 1);
        QVERIFY(navigation->isNavigationBarHidden());

        favorites->didRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!favorites->isBatchRunning(), kWait);
        QVERIFY(!favorites->torrentData()->isEmpty());
        for (const Torrent& torrent : *favorites->torrentData())
            QVERIFY2(torrent.name().contains(QRegularExpression(QStringLiteral("Linux|BSD"))), qPrintable(torrent.name()));

        QTest::mouseClick(favorites->headerView()->settingsBtn(), Qt::LeftButton);
        QCOMPARE(navigation->topViewController(), FavoriteDisplaySettingsViewController::sharedInstance());
        QVERIFY(!navigation->isNavigationBarHidden());
        navigation->popViewControllerAnimated(false);
        QCOMPARE(navigation->topViewController(), favorites);
    }
};

QTEST_MAIN(TestFavorites)
#include "tst_favorites.moc"
