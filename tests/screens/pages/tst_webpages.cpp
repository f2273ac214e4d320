// The web page screens in a real tab bar against the demo site on loopback, with Qt WebEngine:
// the details page's toolbar and history, the download button's row, links disabled on
// profiles, cleaned pages drawn for a narrow screen, a failed load giving the screen back, the forum keeping to its host (frames
// excepted), the site tab fetching on each showing, and a slow details page that leaves the
// interface working.
#include "../common/PageTestHelpers.h"
#include "DemoAccounts.h"
#include "DemoCatalog.h"
#include "DemoHtml.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "LoopbackServer.h"
#include "ReplyGate.h"

#include "platform/core/SettingsStore.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TableView.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "screens/common/AllListViewController.h"
#include "screens/community/ForumWebViewController.h"
#include "screens/community/ProfileWebViewController.h"
#include "screens/pages/SiteWebViewController.h"
#include "screens/pages/TorrentWebViewController.h"
#include "site/SiteHosts.h"
#include "views/LoadingIndicator.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using namespace PageTestHelpers;

Torrent rowOf(const DemoTorrent& demo)
{
    Torrent t;
    t.setName(demo.name);
    t.setType(QStringLiteral("movies.png"));
    t.setDetailsUrl(DemoHtml::detailsPath(demo));
    return t;
}

// The recent list with rows of the test's own; the details screen's download button reports
// here instead of sending.
class TestList : public AllListViewController
{
public:
    QList<int> downloadTags;

    void setRows(const QList<Torrent>& rows)
    {
        m_torrentData = rows;
        m_noMoreTorrents = true;
        tableView()->reloadData();
    }
    void didTapDownloadButton(int tag) override { downloadTags.append(tag); }
};

// The forum and site tabs, counting the pages delivered to them (one per front page fetch)
// and, for the forum, the navigations asked about.
class TestForum : public ForumWebViewController
{
public:
    using ForumWebViewController::ForumWebViewController;
    int deliveries = 0;
    QList<QPair<QUrl, bool>> asked; // address, main frame

    void initializeWebView(QString html) override
    {
        ++deliveries;
        ForumWebViewController::initializeWebView(html);
    }
    bool shouldStartLoadWithRequest(WebView* view, const QUrl& url, NavigationType type, bool mainFrame) override
    {
        asked.append({url, mainFrame});
        return ForumWebViewController::shouldStartLoadWithRequest(view, url, type, mainFrame);
    }
};

class TestSite : public SiteWebViewController
{
public:
    using SiteWebViewController::SiteWebViewController;
    int deliveries = 0;

    void initializeWebView(QString html) override
    {
        ++deliveries;
        SiteWebViewController::initializeWebView(html);
    }
};

} // namespace

class TestWebPages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<Window> m_window;
    QPointer<TabBarController> m_tabs;
    QPointer<TestList> m_list;
    QPointer<TestForum> m_forum;
    QPointer<TestSite> m_site_tab;

    QImage save(const QString& name, const QImage& unlike = QImage())
    {
        return PageTestHelpers::save(m_window.get(), name, unlike);
    }

    // The demo's torrents with a film link and without, as list rows.
    const DemoTorrent* demoTorrent(bool film)
    {
        for (const DemoTorrent& t : m_site.catalog().torrents()) {
            if ((t.category == QLatin1String("1")) == film)
                return &t;
        }
        return nullptr;
    }

    // Opens row `row` of the list, whose rows are set so that the row is the wanted torrent.
    TorrentWebViewController* openDetails(int row, bool film)
    {
        const DemoTorrent* wanted = demoTorrent(film);
        const DemoTorrent* other = demoTorrent(!film);
        QList<Torrent> rows;
        for (int i = 0; i <= row; ++i)
            rows.append(rowOf(i == row ? *wanted : *other));
        m_list->setRows(rows);
        NavigationController* navigation = m_list->navigationController();
        m_list->didSelectRowAtIndexPath(m_list->tableView(), IndexPath::forRow(row));
        return qobject_cast<TorrentWebViewController*>(navigation->topViewController());
    }

    static bool loaded(WebViewController* screen)
    {
        return screen->myWebView() && !screen->myWebView()->isLoading() && screen->stackCounter() == 1;
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
        delete m_tabs;
        m_list = new TestList;
        m_forum = new TestForum(QUrl(), m_list);
        m_site_tab = new TestSite(QUrl(), m_list);
        m_tabs = showTabs(m_window.get(), {m_list, m_forum, m_site_tab});
        // The list's first page, so that nothing of it is loading later.
        QTRY_VERIFY_WITH_TIMEOUT(m_list->torrentData() && tabsEnabled(m_tabs), kWait);
    }

    void cleanupTestCase()
    {
        delete m_tabs;
        m_window.reset();
        m_site.stop();
    }

    // The toolbar waits for the page: with a film link its button stands at x = 0; without
    // one the place stays empty and "next" and download keep x = 65 and 130.
    void detailsToolbar_data()
    {
        QTest::addColumn<bool>("film");
        QTest::newRow("with a film link") << true;
        QTest::newRow("without") << false;
    }

    void detailsToolbar()
    {
        QFETCH(bool, film);
        TorrentWebViewController* details = openDetails(0, film);
        QVERIFY(details);
        QTRY_VERIFY_WITH_TIMEOUT(loaded(details), kWait);
        QWidget* right = details->navigationItem()->rightView();
        QVERIFY(right);
        QCOMPARE(details->imdb().isEmpty(), !film);
        QCOMPARE(details->imdbButton() != nullptr, film);
        if (film) {
            QCOMPARE(details->imdbButton()->x(), 0);
            QVERIFY(details->imdb().startsWith(QStringLiteral("http://")));
        }
        QCOMPARE(details->forwardbutton()->x(), 65);
        QCOMPARE(details->downloadButton()->x(), 130);
        QCOMPARE(details->backbutton()->x(), 65);
        for (Button* button : right->findChildren<Button*>())
            QCOMPARE(button->size(), QSize(50, 47));
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
        // Links that end in "torrent" lose their address, "_blank" links their target.
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(details->myWebView(),
                                           QStringLiteral("[document.querySelectorAll('a[href$=\"torrent\"]').length,"
                                                          "document.querySelectorAll('a[target=\"_blank\"]').length,"
                                                          "document.querySelectorAll('a[href]').length > 0].join()")),
                                  QStringLiteral("0,0,true"), kWait);
        if (film)
            save(QStringLiteral("pages-details.png"));
        QVERIFY(closeScreen(details));
    }

    // Our cleaned pages are drawn for the phone: nothing runs past the view's width (so the
    // view does not shrink the whole page to fit), and no text is drawn below 12 pixels.
    void cleanedPagesFitTheScreen_data()
    {
        QTest::addColumn<bool>("profile");
        QTest::newRow("details") << false;
        QTest::newRow("profile") << true;
    }

    void cleanedPagesFitTheScreen()
    {
        QFETCH(bool, profile);
        WebViewController* screen = nullptr;
        if (profile) {
            m_list->didSelectProfile(QStringLiteral("trinity"));
            screen = qobject_cast<WebViewController*>(m_list->navigationController()->topViewController());
            QVERIFY(screen);
            QTRY_VERIFY_WITH_TIMEOUT(screen->myWebView() && linksDisabled(screen->myWebView()), kWait);
        } else {
            screen = openDetails(0, true);
            QVERIFY(screen);
            QTRY_VERIFY_WITH_TIMEOUT(loaded(screen), kWait);
        }
        QTRY_VERIFY_WITH_TIMEOUT(tabsEnabled(m_tabs), kWait);
        WebView* web = screen->myWebView();
        // Width of the laid-out page, the view's width, and the smallest text size drawn.
        const QStringList measured = evaluate(web, QStringLiteral(
            "(function(){var least=1000,walk=document.createTreeWalker(document.body,NodeFilter.SHOW_TEXT),n;"
            "while((n=walk.nextNode())){if(!n.textContent.trim()||!n.parentElement)continue;"
            "var r=n.parentElement.getBoundingClientRect();if(!r.width||!r.height)continue;"
            "least=Math.min(least,parseFloat(getComputedStyle(n.parentElement).fontSize));}"
            "return [document.documentElement.scrollWidth,window.innerWidth,least].join();})()")).split(QLatin1Char(','));
        QCOMPARE(measured.size(), 3);
        const double zoom = web->zoomFactor();
        QVERIFY2(measured.at(0).toInt() <= measured.at(1).toInt(), qPrintable(measured.join(QLatin1Char(' '))));
        QVERIFY2(measured.at(2).toDouble() * zoom >= 12.0, qPrintable(measured.join(QLatin1Char(' ')) + QStringLiteral(" zoom %1").arg(zoom)));
        QTRY_COMPARE_WITH_TIMEOUT(screen->view()->mapTo(m_window.get(), QPoint()).x(), 0, kWait);
        save(profile ? QStringLiteral("pages-profile-narrow.png") : QStringLiteral("pages-details-narrow.png"));
        QVERIFY(closeScreen(screen));
    }

    // Row 7's download button sends row 7; previous and next follow the web view's history,
    // and previous without history shows the details text again and goes off.
    void detailsDownloadAndHistory()
    {
        TorrentWebViewController* details = openDetails(7, false);
        QVERIFY(details);
        QTRY_VERIFY_WITH_TIMEOUT(loaded(details), kWait);
        QTest::mouseClick(details->downloadButton(), Qt::LeftButton);
        QCOMPARE(m_list->downloadTags, QList<int>{7});

        Button* previous = details->backbutton();
        Button* next = details->forwardbutton();
        QVERIFY(!previous->isEnabled());
        QVERIFY(!next->isEnabled());
        WebView* first = details->myWebView();
        auto follow = [&](const std::function<void()>& act) {
            QSignalSpy finished(details->myWebView(), &QWebEngineView::loadFinished);
            act();
            QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && !details->myWebView()->isLoading(), kWait);
        };
        // The uploader's profile opens here although the site wants a new window.
        follow([&] { evaluate(first, QStringLiteral("document.querySelector('a[href^=\"/users/\"]').click()")); });
        QVERIFY(details->myWebView()->url().path().startsWith(QStringLiteral("/users/")));
        QVERIFY(previous->isEnabled());
        QVERIFY(!next->isEnabled());

        follow([&] { QTest::mouseClick(previous, Qt::LeftButton); });
        QVERIFY(previous->isEnabled()); // the details text, reached through the history
        QVERIFY(next->isEnabled());
        follow([&] { QTest::mouseClick(next, Qt::LeftButton); });
        QVERIFY(details->myWebView()->url().path().startsWith(QStringLiteral("/users/")));
        follow([&] { QTest::mouseClick(previous, Qt::LeftButton); });

        // No history left: the details text again, in a web view whose history starts there.
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(details->stackCounter(), 0);
        QVERIFY(details->myWebView() != first);
        QTRY_VERIFY_WITH_TIMEOUT(loaded(details), kWait);
        QVERIFY(!previous->isEnabled());
        QVERIFY(!next->isEnabled());
        QVERIFY(evaluate(details->myWebView(), QStringLiteral("document.body.innerText")).contains(QStringLiteral("Details for")));
        QVERIFY(closeScreen(details));
    }

    // A profile's links are all disabled once it has loaded; a load that fails afterwards
    // hides the overlay, says why in the page area and gives the screen and its opener back.
    void profileLinksAndFailedLoad()
    {
        NavigationController* navigation = m_list->navigationController();
        m_list->didSelectProfile(QStringLiteral("trinity"));
        auto* profile = qobject_cast<ProfileWebViewController*>(navigation->topViewController());
        QVERIFY(profile);
        QCOMPARE(profile->url(), SiteHosts::webUrl(QStringLiteral("/users/trinity")));
        QVERIFY(!tabsEnabled(m_tabs));
        QTRY_VERIFY_WITH_TIMEOUT(profile->myWebView(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(linksDisabled(profile->myWebView()), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(tabsEnabled(m_tabs) && m_list->tableView()->allowsSelection(), kWait);
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
        QVERIFY(navigation->topViewController()->navigationItem()->leftView()->isEnabled());
        save(QStringLiteral("pages-profile.png"));

        // A closed port on loopback: the load fails at once.
        m_list->disableTabs(true);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        profile->loadRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
        QTRY_VERIFY_WITH_TIMEOUT(profile->failureLabel() && profile->failureLabel()->isVisible(), kWait);
        QVERIFY(profile->failureLabel()->text().startsWith(QStringLiteral("The page could not be loaded.")));
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
        QVERIFY(tabsEnabled(m_tabs));
        save(QStringLiteral("pages-failed-load.png"));
        QVERIFY(closeScreen(profile));
    }

    // The forum's own pages load, frames from other hosts included; another host for the page
    // itself is refused and the front page fetched again. An empty address is allowed.
    void forumKeepsToItsHost()
    {
        m_tabs->setSelectedIndex(1);
        TestForum* forum = m_forum;
        QTRY_VERIFY_WITH_TIMEOUT(forum->deliveries == 1 && forum->myWebView() && !forum->myWebView()->isLoading()
                                     && !LoadingIndicator::sharedInstance()->isShowing(),
                                 kWait);
        QCOMPARE(forum->url(), QUrl(QStringLiteral("http://") + SiteHosts::forumHost() + QStringLiteral("/")));
        const QImage front = save(QStringLiteral("pages-forum.png"));

        using Kind = WebViewDelegate::NavigationType;
        WebView* view = forum->myWebView();
        const QUrl foreign = SiteHosts::webUrl(QStringLiteral("/"));
        QVERIFY(forum->shouldStartLoadWithRequest(view, QUrl(), Kind::LinkClicked, true));
        QVERIFY(forum->shouldStartLoadWithRequest(view, foreign, Kind::Other, false));
        QVERIFY(forum->shouldStartLoadWithRequest(
            view, QUrl(QStringLiteral("http://%1/viewforum.php?f=2").arg(SiteHosts::forumHost())), Kind::LinkClicked, true));
        QCOMPARE(forum->deliveries, 1);

        // The link back to the site, tapped: refused, and the front page comes again.
        forum->asked.clear();
        evaluate(view, QStringLiteral("document.querySelector('a[href^=\"http://%1\"]').click()").arg(SiteHosts::webHost()));
        QTRY_COMPARE_WITH_TIMEOUT(forum->deliveries, 2, kWait);
        QVERIFY(forum->asked.contains(qMakePair(foreign, true)));
        // The new page's overlay goes when it has loaded.
        QTRY_VERIFY_WITH_TIMEOUT(forum->myWebView() != view && !LoadingIndicator::sharedInstance()->isShowing(), kWait);

        // A board, whose advertisement is a frame from the web host: asked about, let through.
        forum->asked.clear();
        QSignalSpy finished(forum->myWebView(), &QWebEngineView::loadFinished);
        evaluate(forum->myWebView(), QStringLiteral("document.querySelector('a[href*=\"viewforum\"]').click()"));
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty() && !forum->myWebView()->isLoading(), kWait);
        QVERIFY(forum->myWebView()->url().path().endsWith(QStringLiteral("/viewforum.php")));
        const bool frameAsked = std::any_of(forum->asked.cbegin(), forum->asked.cend(), [](const QPair<QUrl, bool>& q) {
            return !q.second && q.first.path() == QLatin1String("/ads/box.html");
        });
        QVERIFY(frameAsked);
        QCOMPARE(forum->deliveries, 2);
        save(QStringLiteral("pages-forum-board.png"), front);
    }

    // Every showing of the site tab fetches the front page; the first one twice (as the
    // screen is set up and as it appears).
    void siteTabFetchesOnEachShowing()
    {
        TestSite* site = m_site_tab;
        m_tabs->setSelectedIndex(2);
        QTRY_COMPARE_WITH_TIMEOUT(site->deliveries, 2, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(site->myWebView() && !site->myWebView()->isLoading()
                                     && !LoadingIndicator::sharedInstance()->isShowing(),
                                 kWait);
        QCOMPARE(site->tabBarItem()->title(), QStringLiteral("www.tarnvale.localhost"));
        save(QStringLiteral("pages-site.png"));
        m_tabs->setSelectedIndex(0);
        m_tabs->setSelectedIndex(2);
        QTRY_COMPARE_WITH_TIMEOUT(site->deliveries, 3, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(site->myWebView(), QStringLiteral("document.title")).contains(QStringLiteral("Tarnvale")),
                                 kWait);
    }

    // The details page is fetched on the screen's queue: while the site holds it, the
    // interface goes on (a queued event is handled), with the overlay up.
    void slowDetailsPageLeavesTheInterfaceResponsive()
    {
        LoopbackServer slow;
        QVERIFY2(slow.isListening(), qPrintable(slow.error()));
        ReplyGate gate;
        slow.setHandler([&](const httplib::Request& request, httplib::Response& response) {
            gate.hold(QString::fromStdString(request.path));
            response.set_content("<html><head><title>t</title></head><body><table><tr><td>Details for x</td></tr>"
                                 "<tr><td><input value=\"Submit comment\"></td></tr></table></table></body></html>",
                                 "text/html");
        });
        const QString webHost = SiteHosts::webHost();
        SiteHosts::setWebHost(slow.hostAndPort());
        auto restore = qScopeGuard([&] { SiteHosts::setWebHost(webHost); });

        NavigationController* navigation = m_list->navigationController();
        auto* details = new TorrentWebViewController(SiteHosts::webUrl(QStringLiteral("/torrent/1/slow")), 0, m_list);
        navigation->pushViewController(details, false);
        QTRY_COMPARE_WITH_TIMEOUT(gate.held(), QStringList{QStringLiteral("/torrent/1/slow")}, kWait);
        bool handled = false;
        QTimer::singleShot(0, [&handled] { handled = true; });
        QTRY_VERIFY_WITH_TIMEOUT(handled, kWait);
        QCOMPARE(gate.held(), QStringList{QStringLiteral("/torrent/1/slow")});
        QVERIFY(LoadingIndicator::sharedInstance()->isShowing());
        QVERIFY(!details->navigationItem()->rightView()); // waits for the film link

        gate.release(QStringLiteral("/torrent/1/slow"));
        QTRY_VERIFY_WITH_TIMEOUT(loaded(details), kWait);
        QVERIFY(details->navigationItem()->rightView());
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
        QVERIFY(closeScreen(details));
    }
};

QTEST_MAIN(TestWebPages)
#include "tst_webpages.moc"
