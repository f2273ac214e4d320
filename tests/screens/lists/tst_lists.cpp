// The torrent list screens in a real tab bar against the demo site on loopback: paging with the
// load-more row, the end of the pages, refresh, tab locking, sending torrents with the count on
// the overlay and the marks, category pictures (bundled, unknown and remote), the search bar
// with texts the address must carry intact, and the download history with its deletions.
#include "BlockedFolder.h"
#include "DemoAccounts.h"
#include "DemoCatalog.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "LoopbackServer.h"
#include "ReplyGate.h"

#include "TestPictures.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "remote/ServerInfo.h"
#include "screens/common/AllListViewController.h"
#include "screens/common/SettingsSaveAlert.h"
#include "screens/lists/HistoryListViewController.h"
#include "screens/lists/SearchListViewController.h"
#include "screens/pages/TorrentWebViewController.h"
#include "screens/settings/DisplaySettingsViewController.h"
#include "settings/DownloadHistory.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "site/SiteHosts.h"
#include "views/LoadMoreItemView.h"
#include "views/LoadingIndicator.h"
#include "views/SendingTorrentIndicator.h"
#include "views/TorrentItemTableViewCell.h"

#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <functional>
#include <memory>

namespace {

constexpr int kWait = 20000;

QStringList names(const QList<Torrent>& torrents)
{
    QStringList list;
    for (const Torrent& torrent : torrents)
        list.append(torrent.name());
    return list;
}

QStringList names(const std::vector<const DemoTorrent*>& torrents)
{
    QStringList list;
    for (const DemoTorrent* torrent : torrents)
        list.append(torrent->name);
    return list;
}

bool tabsEnabled(TabBarController* tabs)
{
    const QList<TabBarItem*> items = tabs->tabBarItems();
    return std::all_of(items.begin(), items.end(), [](TabBarItem* item) { return item->isEnabled(); });
}

bool tabsDisabled(TabBarController* tabs)
{
    const QList<TabBarItem*> items = tabs->tabBarItems();
    return std::none_of(items.begin(), items.end(), [](TabBarItem* item) { return item->isEnabled(); });
}

Torrent torrent(const QString& name, int id)
{
    Torrent t;
    t.setName(name);
    t.setType(QStringLiteral("movies.png"));
    t.setDetailsUrl(QStringLiteral("/torrent/%1/x").arg(id));
    t.setDownloadUrl(QStringLiteral("/files/download/%1/x.torrent").arg(id));
    t.setSize(QStringLiteral("1 MB"));
    t.setUp(QStringLiteral("1"));
    t.setDown(QStringLiteral("0"));
    return t;
}

// The recent list with a way to show rows of the test's own, as a page would deliver them.
class TestAllList : public AllListViewController
{
public:
    void setRows(const QList<Torrent>& rows)
    {
        m_torrentData = rows;
        m_noMoreTorrents = true;
        tableView()->reloadData();
    }
};

} // namespace

class TestLists : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    QPointer<TabBarController> m_tabs;
    QPointer<TestAllList> m_all;
    QPointer<SearchListViewController> m_search;
    QPointer<HistoryListViewController> m_history;

    // A fresh tab bar of the three lists; the first one shows (and asks for page 1).
    void buildTabs()
    {
        delete m_tabs;
        m_all = new TestAllList;
        m_search = new SearchListViewController;
        m_history = new HistoryListViewController;
        auto wrap = [](ViewController* root) {
            auto* navigation = new NavigationController;
            navigation->pushViewController(root, false);
            return navigation;
        };
        m_tabs = new TabBarController;
        m_tabs->setViewControllers({wrap(m_all), wrap(m_search), m_history});
        m_window->addSubview(m_tabs->view());
        m_window->makeKeyAndVisible();
    }

    DemoCatalog::Query query(int page, const QString& category = QStringLiteral("0"))
    {
        DemoCatalog::Query q;
        q.category = category;
        q.page = page;
        return q;
    }

    QString loadMoreText(AllListViewController* screen)
    {
        TableView* table = screen->tableView();
        const int last = table->numberOfRowsInSection(0) - 1;
        table->scrollToRowAtIndexPath(IndexPath::forRow(last), TableViewScrollPosition::Bottom, false);
        TableViewCell* cell = table->cellForRowAtIndexPath(IndexPath::forRow(last));
        auto* item = cell ? cell->contentView()->findChild<LoadMoreItemView*>() : nullptr;
        return item ? item->pageLbl()->text() : QString();
    }

    Button* downloadButton(AllListViewController* screen, int row)
    {
        TableView* table = screen->tableView();
        table->scrollToRowAtIndexPath(IndexPath::forRow(row), TableViewScrollPosition::Middle, false);
        TableViewCell* cell = table->cellForRowAtIndexPath(IndexPath::forRow(row));
        return cell ? qobject_cast<Button*>(cell->accessoryView()) : nullptr;
    }

    // The history tab's row texts, top to bottom.
    QStringList historyRows()
    {
        TableView* table = m_history->tableView();
        QStringList texts;
        for (int r = 0; r < table->numberOfRowsInSection(0); ++r) {
            table->scrollToRowAtIndexPath(IndexPath::forRow(r), TableViewScrollPosition::None, false);
            TableViewCell* cell = table->cellForRowAtIndexPath(IndexPath::forRow(r));
            auto* label = cell ? cell->contentView()->findChild<Label*>(QStringLiteral("name")) : nullptr;
            texts.append(label ? label->text() : QString());
        }
        return texts;
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

    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        buildTabs();
    }

    void cleanupTestCase()
    {
        delete m_tabs;
        m_window.reset();
        m_site.stop();
    }

    // Page 1 on first showing with the tabs locked while it loads, then page 2 from the
    // load-more row, then a page past the end: the row goes, the rows stay.
    void pagesThroughTheListing()
    {
        AllListViewController* all = m_all;
        QVERIFY(tabsDisabled(m_tabs));
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        QVERIFY(tabsEnabled(m_tabs));
        QCOMPARE(names(*all->torrentData()), names(m_site.catalog().page(query(1))));
        QCOMPARE(all->tableView()->numberOfRowsInSection(0), 51);
        QCOMPARE(loadMoreText(all), QStringLiteral("[50-100]"));
        save(QStringLiteral("lists-recent.png"));

        all->tableView()->selectRowAtIndexPath(IndexPath::forRow(50), false, TableViewScrollPosition::None);
        all->didSelectRowAtIndexPath(all->tableView(), IndexPath::forRow(50));
        QCOMPARE(all->currentPage(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 100, kWait);
        QCOMPARE(names(all->torrentData()->mid(50)), names(m_site.catalog().page(query(2))));
        QCOMPARE(loadMoreText(all), QStringLiteral("[100-150]"));

        // The demo's catalogue ends before page 100.
        all->setCurrentPage(99);
        all->didSelectRowAtIndexPath(all->tableView(), IndexPath::forRow(100));
        QTRY_VERIFY_WITH_TIMEOUT(all->noMoreTorrents(), kWait);
        QTRY_VERIFY(tabsEnabled(m_tabs));
        QCOMPARE(all->torrentData()->size(), 100);
        QCOMPARE(all->tableView()->numberOfRowsInSection(0), 100);

        // A row opens its details page, the gear the display settings.
        NavigationController* navigation = all->navigationController();
        all->didSelectRowAtIndexPath(all->tableView(), IndexPath::forRow(3));
        auto* details = qobject_cast<TorrentWebViewController*>(navigation->topViewController());
        QVERIFY(details);
        QCOMPARE(details->tag(), 3);
        QCOMPARE(details->url(), SiteHosts::webUrl(all->torrentData()->at(3).detailsUrl()));
        navigation->popViewControllerAnimated(false);
        QTest::mouseClick(all->headerView()->settingsBtn(), Qt::LeftButton);
        QCOMPARE(navigation->topViewController(), DisplaySettingsViewController::sharedInstance());
        navigation->popViewControllerAnimated(false);
    }

    // Refresh keeps the old rows, at the top and still, until page 1 replaces them all.
    void refreshReplacesTheRows()
    {
        AllListViewController* all = m_all;
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        all->didSelectRowAtIndexPath(all->tableView(), IndexPath::forRow(50));
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 100, kWait);
        all->tableView()->scrollToRowAtIndexPath(IndexPath::forRow(90), TableViewScrollPosition::Top, false);

        SettingsStore::standard().setString(SettingsKeys::categories, QStringLiteral("1"));
        all->didRefresh();
        QCOMPARE(all->tableView()->contentOffset().y(), 0.0);
        QVERIFY(!all->tableView()->isScrollEnabled());
        QVERIFY(!all->headerView()->refreshBtn()->isEnabled());
        QCOMPARE(all->torrentData()->size(), 100);
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 50, kWait);
        QCOMPARE(names(*all->torrentData()), names(m_site.catalog().page(query(1, QStringLiteral("1")))));
        QVERIFY(all->tableView()->isScrollEnabled());
        QVERIFY(all->headerView()->refreshBtn()->isEnabled());
        QCOMPARE(all->currentPage(), 1);
    }

    // Back from the gear screen the list asks for page 1 again when a category or order was
    // chosen there, and asks nothing when none was or the same one was chosen again.
    void settingsChosenMeanwhileFetchPageOneAgain()
    {
        AllListViewController* all = m_all;
        NavigationController* navigation = all->navigationController();
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->torrentData()->size() == 50, kWait);
        all->didSelectRowAtIndexPath(all->tableView(), IndexPath::forRow(50));
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 100, kWait);
        QTRY_VERIFY(tabsEnabled(m_tabs));
        auto visitGear = [&](const std::function<void()>& choose) {
            m_site.clearAnsweredPages();
            QTest::mouseClick(all->headerView()->settingsBtn(), Qt::LeftButton);
            QCOMPARE(navigation->topViewController(), DisplaySettingsViewController::sharedInstance());
            choose();
            navigation->popViewControllerAnimated(false);
        };

        visitGear([] {});
        QCOMPARE(all->torrentData()->size(), 100);
        QVERIFY(!all->loading()->isShowing());

        visitGear([] { QVERIFY(Settings::setCategories(QStringLiteral("1")).isSaved()); });
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData()->size() == 50, kWait);
        QCOMPARE(names(*all->torrentData()), names(m_site.catalog().page(query(1, QStringLiteral("1")))));
        QCOMPARE(m_site.answeredPages(), QList<int>{1});
        QCOMPARE(all->currentPage(), 1);
        QTRY_VERIFY(tabsEnabled(m_tabs));

        visitGear([] { QVERIFY(Settings::setCategories(QStringLiteral("1")).isSaved()); });
        QVERIFY(!all->loading()->isShowing());
        QVERIFY(m_site.answeredPages().isEmpty());

        // The order too; and leaving the tab and coming back is an appearing like any other.
        m_site.clearAnsweredPages();
        QVERIFY(Settings::setOrderBy(QStringLiteral("S")).isSaved());
        m_tabs->setSelectedIndex(2);
        m_tabs->setSelectedIndex(0);
        QTRY_COMPARE_WITH_TIMEOUT(m_site.answeredPages(), QList<int>{1}, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(!all->isRefreshed() && tabsEnabled(m_tabs), kWait);
    }

    // Bundled pictures by name, "cat_unknown.png" for a name the bundle lacks, and pictures the
    // site gives by address: a placeholder until they load, then the picture at 48 x 36.
    void categoryPictures()
    {
        AllListViewController* all = m_all;
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData(), kWait);
        QCOMPARE(all->cachedImageForTorrent(QStringLiteral("movies.png")), Bundle::imageNamed(QStringLiteral("movies.png")));
        const QImage unknown = Bundle::imageNamed(QStringLiteral("cat_unknown.png"));
        QCOMPARE(all->cachedImageForTorrent(QStringLiteral("hologram.png")), unknown);
        QVERIFY(all->cachedImages().contains(QStringLiteral("cat_unknown.png")));

        SettingsStore::standard().setString(SettingsKeys::categories, QStringLiteral("10")); // comics
        all->didRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!all->isRefreshed(), kWait);
        const QString remote = all->torrentData()->constFirst().type();
        QVERIFY2(remote.startsWith(QStringLiteral("http://") + m_site.webHost()), qPrintable(remote));
        QVERIFY(all->cachedImages().contains(remote));
        QTRY_VERIFY_WITH_TIMEOUT(!all->cachedImages().value(remote).isNull(), kWait);
        QCOMPARE(all->cachedImages().value(remote).size(), QSize(48, 36));
        save(QStringLiteral("lists-remote-pictures.png"));
    }

    // Two quick sends count on the overlay; each finished send marks every row of its name,
    // and the overlay goes with the last.
    void sendsCountAndMark()
    {
        LoopbackServer client;
        QVERIFY2(client.isListening(), qPrintable(client.error()));
        ReplyGate gate; // after the server: held replies go before it stops
        std::atomic<int> uploads{0};
        client.setHandler([&](const httplib::Request&, httplib::Response& response) {
            gate.hold(QString::number(++uploads));
            response.set_content("<html>1 torrent(s) loaded successfully</html>", "text/html");
        });
        ServerInfo& info = ServerInfo::sharedInstance();
        info.setClient(QStringLiteral("Vuze"));
        info.setAddress(QStringLiteral("127.0.0.1"));
        info.setPort(QString::number(client.port()));

        TestAllList* all = m_all;
        QTRY_VERIFY_WITH_TIMEOUT(all->torrentData() && all->operationQueue().operationCount() == 0, kWait);
        all->setRows({torrent(QStringLiteral("Twice"), 1), torrent(QStringLiteral("Once"), 2),
                      torrent(QStringLiteral("Twice"), 3)});
        auto overlay = [all] { return all->loadingTorrent()->loadingLabel()->text(); };
        auto marked = [all] {
            QList<bool> marks;
            for (const Torrent& t : *all->torrentData())
                marks.append(t.isDownloaded());
            return marks;
        };

        // On touch-down: the send starts before the button is released.
        Button* once = downloadButton(all, 1);
        QVERIFY(once);
        QTest::mousePress(once, Qt::LeftButton);
        QCOMPARE(all->sendingTorrentCount(), 1);
        QCOMPARE(overlay(), QStringLiteral("Sending  torrent to server"));
        QTest::mouseRelease(once, Qt::LeftButton);
        QTest::mouseClick(downloadButton(all, 0), Qt::LeftButton);
        QCOMPARE(all->sendingTorrentCount(), 2);
        QCOMPARE(overlay(), QStringLiteral("Sending 2 torrents to server"));
        // A double click, and the same torrent on another row, while it is on its way: no
        // second hand-off.
        QTest::mouseDClick(downloadButton(all, 0), Qt::LeftButton);
        QTest::mouseClick(downloadButton(all, 2), Qt::LeftButton);
        QCOMPARE(all->sendingTorrentCount(), 2);
        QVERIFY(all->loadingTorrent()->isShowing());
        QVERIFY(tabsDisabled(m_tabs));
        save(QStringLiteral("lists-sending.png"));

        QTRY_COMPARE_WITH_TIMEOUT(gate.held(), QStringList{QStringLiteral("1")}, kWait);
        gate.release(QStringLiteral("1"));
        QTRY_COMPARE_WITH_TIMEOUT(all->sendingTorrentCount(), 1, kWait);
        QCOMPARE(overlay(), QStringLiteral("Sending  torrent to server"));
        QVERIFY(all->loadingTorrent()->isShowing());
        QCOMPARE(marked(), (QList<bool>{false, true, false}));

        QTRY_COMPARE_WITH_TIMEOUT(gate.held(), QStringList{QStringLiteral("2")}, kWait);
        gate.release(QStringLiteral("2"));
        QTRY_COMPARE_WITH_TIMEOUT(all->sendingTorrentCount(), 0, kWait);
        QVERIFY(!all->loadingTorrent()->isShowing());
        QCOMPARE(marked(), (QList<bool>{true, true, true}));
        QCOMPARE(DownloadHistory::names(), (QStringList{QStringLiteral("Once"), QStringLiteral("Twice")}));
        QVERIFY(tabsEnabled(m_tabs));
        auto* row = static_cast<TorrentItemTableViewCell*>(all->tableView()->cellForRowAtIndexPath(IndexPath::forRow(2)));
        QVERIFY(row && !row->downloadedImg().isNull());
        QCOMPARE(uploads.load(), 2);

        // Sent already: the user is asked first, with the date; a second tap meanwhile asks
        // nothing more, and Cancel sends nothing.
        QTest::mouseClick(downloadButton(all, 1), Qt::LeftButton);
        QTRY_COMPARE(AlertView::visibleAlerts().size(), 1);
        QTest::mouseClick(downloadButton(all, 1), Qt::LeftButton);
        AlertView* asked = AlertView::visibleAlerts().constFirst();
        QVERIFY2(asked->title().startsWith(QStringLiteral("Already sent on ")) && asked->title().endsWith(QStringLiteral(". Send again?")),
                 qPrintable(asked->title()));
        QCOMPARE(asked->message(), QStringLiteral("Once"));
        save(QStringLiteral("lists-send-again.png"));
        QCoreApplication::processEvents();
        QCOMPARE(AlertView::visibleAlerts().size(), 1);
        asked->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY(AlertView::visibleAlerts().isEmpty());
        QCOMPARE(all->sendingTorrentCount(), 0);

        // "Send again": one more hand-off; the name still stands once, now the newest.
        QTest::mouseClick(downloadButton(all, 1), Qt::LeftButton);
        QTRY_COMPARE(AlertView::visibleAlerts().size(), 1);
        QTest::keyClick(AlertView::visibleAlerts().constFirst()->overlay(), Qt::Key_Return);
        QCOMPARE(all->sendingTorrentCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(gate.held(), QStringList{QStringLiteral("3")}, kWait);
        gate.release(QStringLiteral("3"));
        QTRY_COMPARE_WITH_TIMEOUT(all->sendingTorrentCount(), 0, kWait);
        QCOMPARE(uploads.load(), 3);
        QCOMPARE(DownloadHistory::names(), (QStringList{QStringLiteral("Twice"), QStringLiteral("Once")}));
    }

    // Nothing is fetched before the first search; a search empties the table at once and the
    // site gets the words as typed, "&" and accents included.
    void searchesWithTheWordsAsTyped()
    {
        SearchListViewController* search = m_search;
        m_tabs->setSelectedIndex(1);
        QTRY_VERIFY_WITH_TIMEOUT(m_all->torrentData() && tabsEnabled(m_tabs), kWait);
        QVERIFY(search->isAppearing());
        QVERIFY(!search->torrentData());
        QCOMPARE(search->operationQueue().operationCount(), 0);
        QCOMPARE(search->tableView()->numberOfRowsInSection(0), 0);

        for (const QString& words : {QStringLiteral("Tom & Jerry"), QStringLiteral("amélie")}) {
            const auto expected = names(m_site.catalog().page([&] {
                DemoCatalog::Query q;
                q.text = words;
                return q;
            }()));
            QVERIFY2(!expected.isEmpty(), qPrintable(words));
            TextField* field = search->mySearchBar()->textField();
            field->clear();
            field->setFocus();
            // Typed as an input method delivers it (key events carry only Latin-1 here).
            QInputMethodEvent typed;
            typed.setCommitString(words);
            QCoreApplication::sendEvent(field, &typed);
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY(search->torrentData() && search->torrentData()->isEmpty());
            QCOMPARE(search->tableView()->numberOfRowsInSection(0), 0);
            QTRY_VERIFY_WITH_TIMEOUT(!search->torrentData()->isEmpty(), kWait);
            QCOMPARE(names(*search->torrentData()), expected);
        }
        save(QStringLiteral("lists-search.png"));
    }

    // Leaving the search tab and coming back keeps the page counter: load-more goes on.
    void searchKeepsItsPageAcrossVisits()
    {
        SearchListViewController* search = m_search;
        m_tabs->setSelectedIndex(1);
        QTRY_VERIFY_WITH_TIMEOUT(m_all->torrentData() && tabsEnabled(m_tabs), kWait);
        QTest::keyClicks(search->mySearchBar()->textField(), QStringLiteral("the"));
        QTest::keyClick(search->mySearchBar()->textField(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(search->torrentData()->size() == 50, kWait);
        search->didSelectRowAtIndexPath(search->tableView(), IndexPath::forRow(50));
        QTRY_VERIFY_WITH_TIMEOUT(search->torrentData()->size() == 100, kWait);
        QTRY_VERIFY(tabsEnabled(m_tabs));

        m_tabs->setSelectedIndex(2);
        m_tabs->setSelectedIndex(1);
        QCOMPARE(search->currentPage(), 2);
        QCOMPARE(loadMoreText(search), QStringLiteral("[100-150]"));

        // Unless a search setting changed meanwhile: then the search starts again at page 1.
        DemoCatalog::Query inCategory;
        inCategory.text = QStringLiteral("the");
        inCategory.category = QStringLiteral("1");
        const QStringList expected = names(m_site.catalog().page(inCategory));
        QVERIFY(!expected.isEmpty());
        m_tabs->setSelectedIndex(2);
        QVERIFY(Settings::setSearchCategories(QStringLiteral("1")).isSaved());
        m_tabs->setSelectedIndex(1);
        QCOMPARE(search->currentPage(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(names(*search->torrentData()), expected, kWait);
        QTRY_VERIFY(tabsEnabled(m_tabs));
    }

    // Newest first; a deletion removes the swiped entry from the store and the table, and
    // when the stored list changed meanwhile it removes nothing else and shows the list anew.
    void historyNewestFirstAndDeletion()
    {
        // "Old" comes from an earlier version, which kept no dates.
        SettingsStore::standard().setStringArray(SettingsKeys::torrentHistory, {QStringLiteral("Old")});
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            QVERIFY(DownloadHistory::append(name));
        m_tabs->setSelectedIndex(2);
        HistoryListViewController* history = m_history;
        TableView* table = history->tableView();
        // Its own title above the table, and each row's sending date under the name.
        QVERIFY(history->titleBar() && history->titleBar()->isVisible());
        QCOMPARE(history->titleBar()->titleText(), QStringLiteral("D/l History"));
        QVERIFY(history->titleBar()->geometry().bottom() < table->geometry().top());
        auto details = [table] {
            QStringList texts;
            for (int r = 0; r < table->numberOfRowsInSection(0); ++r) {
                table->scrollToRowAtIndexPath(IndexPath::forRow(r), TableViewScrollPosition::None, false);
                TableViewCell* cell = table->cellForRowAtIndexPath(IndexPath::forRow(r));
                auto* label = cell ? cell->contentView()->findChild<Label*>(QStringLiteral("detail")) : nullptr;
                texts.append(label && label->isVisibleTo(cell) ? label->text() : QString());
            }
            return texts;
        };
        const QString sent = HistoryListViewController::sentText(DownloadHistory::sentDate(QStringLiteral("C")));
        QVERIFY2(sent.startsWith(QStringLiteral("Sent 20")), qPrintable(sent));
        auto sentText = [](const char* name) {
            return HistoryListViewController::sentText(DownloadHistory::sentDate(QString::fromLatin1(name)));
        };
        QCOMPARE(details(), (QStringList{sentText("C"), sentText("B"), sentText("A"), QString()}));
        QCOMPARE(DownloadHistory::names(), (QStringList{"Old", "A", "B", "C"}));
        SettingsStore::standard().setStringArray(SettingsKeys::torrentHistory, {"A", "B", "C"});
        history->reloadHistory();
        auto rows = [this] { return historyRows(); };
        QCOMPARE(rows(), (QStringList{"C", "B", "A"}));
        save(QStringLiteral("lists-history.png"));

        // The Delete key on the selected row, then again on its confirmation.
        table->selectRowAtIndexPath(IndexPath::forRow(0), false, TableViewScrollPosition::None);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Delete);
        QTRY_VERIFY(table->indexPathShowingDeleteConfirmation().has_value());
        QTest::keyClick(table, Qt::Key_Delete);
        QTRY_COMPARE(table->numberOfRowsInSection(0), 2);
        QCOMPARE(DownloadHistory::names(), (QStringList{"A", "B"}));
        QTRY_COMPARE(rows(), (QStringList{"B", "A"}));

        // Another hand-off adds "D" while the screen still shows B, A: swiping "B" (row 0)
        // must not remove "D", the newest stored entry.
        QVERIFY(DownloadHistory::append(QStringLiteral("D")));
        history->commitEditingStyle(table, TableViewCellEditingStyle::Delete, IndexPath::forRow(0));
        QCOMPARE(DownloadHistory::names(), (QStringList{"A", "B", "D"}));
        QCOMPARE(rows(), (QStringList{"D", "B", "A"}));
        history->commitEditingStyle(table, TableViewCellEditingStyle::Delete, IndexPath::forRow(1));
        QCOMPARE(DownloadHistory::names(), (QStringList{"A", "D"}));
        QTRY_COMPARE(rows(), (QStringList{"D", "A"}));

        // Shown again: the same list.
        m_tabs->setSelectedIndex(0);
        m_tabs->setSelectedIndex(2);
        QCOMPARE(rows(), (QStringList{"D", "A"}));
    }

    // A deletion the settings file cannot take (its folder has become a file, which stops
    // root too): the row stays, the user is told why, and the entry is still there at the
    // next start, even after a later write that succeeds.
    void historyDeletionThatCannotBeSavedKeepsTheRow()
    {
        const QString folder = m_dir.filePath(QStringLiteral("history%1").arg(m_files));
        const QString file = folder + QStringLiteral("/s.ini");
        SettingsStore::setStandardPath(file);
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("B")})
            QVERIFY(DownloadHistory::append(name));
        m_tabs->setSelectedIndex(2);
        TableView* table = m_history->tableView();
        QCOMPARE(historyRows(), (QStringList{"B", "A"}));

        BlockedFolder blocked(folder);
        QVERIFY(blocked.isBlocked());
        m_history->commitEditingStyle(table, TableViewCellEditingStyle::Delete, IndexPath::forRow(0));
        QTRY_COMPARE(AlertView::visibleAlerts().size(), 1);
        AlertView* alert = AlertView::visibleAlerts().constFirst();
        QCOMPARE(alert->title(), SettingsSaveAlert::kTitle);
        QVERIFY2(alert->message().startsWith(QStringLiteral("Could not save the settings: "))
                     && alert->message().contains(folder),
                 qPrintable(alert->message()));
        QCOMPARE(historyRows(), (QStringList{"B", "A"}));
        save(QStringLiteral("lists-history-not-saved.png"));
        alert->dismissWithClickedButtonIndex(0, false);
        QTRY_VERIFY(AlertView::visibleAlerts().isEmpty());

        m_tabs->setSelectedIndex(0);
        blocked.restore();
        QVERIFY(Settings::setTab(2).isSaved());
        m_tabs->setSelectedIndex(2);
        QCOMPARE(historyRows(), (QStringList{"B", "A"}));
        QCOMPARE(SettingsStore(file).stringArrayForKey(SettingsKeys::torrentHistory), (QStringList{"A", "B"}));
    }
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
