// The web page screens when the site fails, through faulty relays in front of the demo site
// and its forum: a failed page is said in the page area with its reason and "Try again",
// which brings the page; a page already shown stays under a band; a posted comment's answer
// is shown as a page, and a post that fails is said by the screen, never by the engine's own
// error page.
#include "../common/PageTestHelpers.h"
#include "DemoAccounts.h"
#include "DemoCatalog.h"
#include "DemoHtml.h"
#include "DemoSite.h"
#include "DemoSiteSetup.h"
#include "FaultyProxy.h"
#include "LoopbackServer.h"

#include "platform/core/SettingsStore.h"
#include "platform/core/UrlLoader.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
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
#include "views/PageFailureView.h"

#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>

namespace {

using namespace PageTestHelpers;

// The list opens details and profiles as the user does; its rows are the test's own.
class TestList : public AllListViewController
{
public:
    void setRows(const QList<Torrent>& rows)
    {
        m_torrentData = rows;
        m_noMoreTorrents = true;
        tableView()->reloadData();
    }
};

enum class Screen { Details, Profile, Forum, Site };

int portOf(const QString& hostAndPort)
{
    return hostAndPort.section(QLatin1Char(':'), -1).toInt();
}

} // namespace

Q_DECLARE_METATYPE(FaultyProxy::Fault)
Q_DECLARE_METATYPE(Screen)

class TestPageFailures : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    DemoSite m_site;
    std::unique_ptr<FaultyProxy> m_web;
    std::unique_ptr<FaultyProxy> m_forumProxy;
    std::unique_ptr<Window> m_window;
    QPointer<TabBarController> m_tabs;
    QPointer<TestList> m_list;
    QPointer<ForumWebViewController> m_forum;
    QPointer<SiteWebViewController> m_siteTab;

    const DemoTorrent& torrent() { return m_site.catalog().torrents().front(); }

    TorrentWebViewController* openDetails()
    {
        Torrent row;
        row.setName(torrent().name);
        row.setType(QStringLiteral("movies.png"));
        row.setDetailsUrl(DemoHtml::detailsPath(torrent()));
        m_list->setRows({row});
        m_list->didSelectRowAtIndexPath(m_list->tableView(), IndexPath::forRow(0));
        return qobject_cast<TorrentWebViewController*>(m_list->navigationController()->topViewController());
    }

    // Opens the screen as the user does and returns it.
    WebViewController* open(Screen screen)
    {
        switch (screen) {
        case Screen::Details:
            return openDetails();
        case Screen::Profile:
            m_list->didSelectProfile(QStringLiteral("trinity"));
            return qobject_cast<WebViewController*>(m_list->navigationController()->topViewController());
        case Screen::Forum:
            m_tabs->setSelectedIndex(1);
            return m_forum;
        case Screen::Site:
            m_tabs->setSelectedIndex(2);
            return m_siteTab;
        }
        return nullptr;
    }

    static bool failureShown(WebViewController* screen)
    {
        return screen->failureView() && screen->failureView()->isVisible();
    }

    static bool pageShown(WebViewController* screen)
    {
        return screen->myWebView() && !screen->myWebView()->isLoading() && !screen->failureView()
               && !LoadingIndicator::sharedInstance()->isShowing();
    }

    static QString pageText(WebViewController* screen)
    {
        return evaluate(screen->myWebView(), QStringLiteral("document.body ? document.body.innerText : ''"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QString error;
        QVERIFY2(DemoSiteSetup::start(m_site, &error), qPrintable(error));
        m_site.accounts().setSessionRequired(false);
        m_web = std::make_unique<FaultyProxy>(m_site.httpPort());
        m_forumProxy = std::make_unique<FaultyProxy>(portOf(m_site.forumHost()));
        QVERIFY(m_web->isListening() && m_forumProxy->isListening());
        SiteHosts::setWebHost(m_web->hostAndPort());
        SiteHosts::setForumHost(m_forumProxy->hostAndPort());
        m_window = std::make_unique<Window>();
    }

    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        delete m_tabs;
        m_list = new TestList;
        m_forum = new ForumWebViewController(QUrl(), m_list);
        m_siteTab = new SiteWebViewController(QUrl(), m_list);
        m_tabs = showTabs(m_window.get(), {m_list, m_forum, m_siteTab});
        QTRY_VERIFY_WITH_TIMEOUT(m_list->torrentData() && tabsEnabled(m_tabs), kWait);
    }

    void cleanup()
    {
        for (FaultyProxy* proxy : {m_web.get(), m_forumProxy.get()}) {
            proxy->setFault(FaultyProxy::Fault::Relay);
            proxy->release();
        }
        UrlLoader::setDefaultTimeoutSeconds(0);
        for (WebViewController* screen : {static_cast<WebViewController*>(m_forum), static_cast<WebViewController*>(m_siteTab)}) {
            if (screen)
                QTRY_COMPARE_WITH_TIMEOUT(screen->operationQueue().operationCount(), 0, kWait);
        }
    }

    void cleanupTestCase()
    {
        delete m_tabs;
        m_window.reset();
        m_web.reset();
        m_forumProxy.reset();
        m_site.stop();
    }

    // A page that fails says why in place of the page, unlocked; "Try again" brings it.
    void pageFailsThenTryAgain_data()
    {
        QTest::addColumn<Screen>("screen");
        QTest::addColumn<FaultyProxy::Fault>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("details, 503") << Screen::Details << FaultyProxy::Fault::Answer503
                                      << QStringLiteral("The site answered 503.");
        QTest::newRow("profile, no answer in time") << Screen::Profile << FaultyProxy::Fault::Hold
                                                    << QStringLiteral("The site did not answer in 1 s.");
        QTest::newRow("forum, reset") << Screen::Forum << FaultyProxy::Fault::Reset
                                      << QStringLiteral("The connection to 127.0.0.1 was cut short.");
        QTest::newRow("site, closed unanswered") << Screen::Site << FaultyProxy::Fault::Close
                                                 << QStringLiteral("The site closed the connection without answering.");
    }

    void pageFailsThenTryAgain()
    {
        QFETCH(Screen, screen);
        QFETCH(FaultyProxy::Fault, fault);
        QFETCH(QString, reason);
        FaultyProxy* proxy = screen == Screen::Forum ? m_forumProxy.get() : m_web.get();
        UrlLoader::setDefaultTimeoutSeconds(1);
        proxy->setFault(fault);
        WebViewController* page = open(screen);
        QVERIFY(page);

        QTRY_VERIFY_WITH_TIMEOUT(failureShown(page), kWait);
        QCOMPARE(page->failureLabel()->text(), WebViewController::kFailureHeading + QLatin1Char('\n') + reason);
        QVERIFY(!page->failureView()->isBand());
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
        QVERIFY(tabsEnabled(m_tabs));
        Button* tryAgain = page->failureView()->actionBtn();
        QVERIFY(tryAgain->isVisible());
        QCOMPARE(tryAgain->title(), WebViewController::kTryAgainTitle);
        if (screen == Screen::Details) {
            QTRY_COMPARE_WITH_TIMEOUT(page->view()->mapTo(m_window.get(), QPoint()).x(), 0, kWait); // pushed
            saveTestPicture(m_window->grab().toImage(), QStringLiteral("pages-failed-details.png"));
        }

        UrlLoader::setDefaultTimeoutSeconds(0);
        proxy->setFault(FaultyProxy::Fault::Relay);
        proxy->release();
        QTest::mouseClick(tryAgain, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(pageShown(page), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(!pageText(page).isEmpty(), kWait);
        if (auto* details = qobject_cast<TorrentWebViewController*>(page)) {
            QVERIFY(pageText(page).contains(QStringLiteral("Details for")));
            QVERIFY(details->navigationItem()->rightView()); // the toolbar came with the page
        }
        if (screen == Screen::Details || screen == Screen::Profile)
            QVERIFY(closeScreen(page));
    }

    // A tab that shows a page and fails to fetch it again keeps that page under a band;
    // "Try again" takes the band away with a fresh page.
    void failedRefetchKeepsThePageShown()
    {
        SiteWebViewController* site = m_siteTab;
        m_tabs->setSelectedIndex(2);
        QTRY_VERIFY_WITH_TIMEOUT(pageShown(site) && site->operationQueue().operationCount() == 0, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(pageText(site).contains(QStringLiteral("Tarnvale")), kWait);
        WebView* shown = site->myWebView();

        m_web->setFault(FaultyProxy::Fault::Answer503);
        m_tabs->setSelectedIndex(0);
        m_tabs->setSelectedIndex(2); // every showing fetches the front page
        QTRY_VERIFY_WITH_TIMEOUT(failureShown(site), kWait);
        QVERIFY(site->failureView()->isBand());
        QCOMPARE(site->failureView()->y(), 0);
        QVERIFY(site->failureView()->height() < site->view()->height() / 2);
        QCOMPARE(site->myWebView(), shown);
        QVERIFY(pageText(site).contains(QStringLiteral("Tarnvale")));
        save(m_window.get(), QStringLiteral("pages-failed-refetch-band.png"));

        m_web->setFault(FaultyProxy::Fault::Relay);
        QTest::mouseClick(site->failureView()->actionBtn(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(pageShown(site) && site->myWebView() != shown, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(pageText(site).contains(QStringLiteral("Tarnvale")), kWait);
    }

    // A page followed from the details that the server answers with a failing status and
    // nothing to show: the screen says so in place of the empty page, and "Try again" loads
    // that address again.
    void followedPageFailsThenTryAgain()
    {
        LoopbackServer server;
        QVERIFY2(server.isListening(), qPrintable(server.error()));
        std::atomic<int> asked{0};
        server.setHandler([&asked](const httplib::Request& request, httplib::Response& response) {
            if (request.path != "/page") {
                response.status = 404; // the engine's asking for a site picture
                return;
            }
            if (asked++ == 0) {
                response.status = 404;
                return;
            }
            response.set_content("<html><body><p>Second try</p></body></html>", "text/html");
        });
        TorrentWebViewController* details = openDetails();
        QVERIFY(details);
        QTRY_VERIFY_WITH_TIMEOUT(pageShown(details) && details->stackCounter() == 1, kWait);
        evaluate(details->myWebView(), QStringLiteral("location.href = 'http://%1/page'").arg(server.hostAndPort()));
        QTRY_VERIFY_WITH_TIMEOUT(failureShown(details), kWait);
        QCOMPARE(details->failureLabel()->text(), WebViewController::kFailureHeading + QStringLiteral("\nThe site answered 404."));
        QVERIFY(!details->failureView()->isBand());

        QTest::mouseClick(details->failureView()->actionBtn(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(pageShown(details) && pageText(details).contains(QStringLiteral("Second try")), kWait);
        QCOMPARE(asked.load(), 2);
        QVERIFY(closeScreen(details));
    }

    // A comment posted from the details page: the site's answer shows as a page (here the
    // details again); a post that fails is said by the screen over the page it was sent
    // from, without "Try again" (the site may have taken it) and without an error page of the
    // engine's.
    void commentPostShowsAPageOrSaysWhy()
    {
        TorrentWebViewController* details = openDetails();
        QVERIFY(details);
        QTRY_VERIFY_WITH_TIMEOUT(pageShown(details) && details->stackCounter() == 1, kWait);
        const QString post = QStringLiteral("(function(){var f=document.querySelector('form[action$=\"comment.php\"]');"
                                            "f.querySelector('textarea').value='Thanks!';f.submit();return 'ok';})()");
        QCOMPARE(evaluate(details->myWebView(), post), QStringLiteral("ok"));
        QTRY_VERIFY_WITH_TIMEOUT(details->myWebView()->url().path().startsWith(QStringLiteral("/torrent/")), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(!details->myWebView()->isLoading(), kWait);
        const QString answer = pageText(details);
        QVERIFY2(answer.contains(QStringLiteral("Details for")), qPrintable(answer.left(200)));
        QVERIFY(!answer.contains(QStringLiteral("</")));
        QVERIFY(!details->failureView());

        // A form sent to a closed port, and one the site answers 404 with nothing to show,
        // where the engine's own text for it holds its error page's markup. (The engine keeps
        // its connection to the site, so the relay cannot fail the post itself.)
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        struct Failure
        {
            QString action;
            QString reason;
            bool pageStays; // not reached: the page stays under a band; else an empty page
        };
        const QList<Failure> failures{
            {QStringLiteral("http://127.0.0.1:%1/comment.php").arg(port), QStringLiteral("Could not connect to 127.0.0.1."), true},
            {QStringLiteral("/no-such-form.php"), QStringLiteral("The site answered 404."), false},
        };
        for (const auto& [action, reason, pageStays] : failures) {
            const QString postThere = QString(post).replace(QStringLiteral("f.submit()"),
                                                            QStringLiteral("f.action='%1';f.submit()").arg(action));
            QCOMPARE(evaluate(details->myWebView(), postThere), QStringLiteral("ok"));
            QTRY_VERIFY_WITH_TIMEOUT(failureShown(details), kWait);
            QCOMPARE(details->failureLabel()->text(), WebViewController::kFailureHeading + QLatin1Char('\n') + reason);
            QVERIFY(details->failureView()->actionBtn()->isHidden());
            QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
            QCOMPARE(details->failureView()->isBand(), pageStays);
            QCOMPARE(pageText(details).contains(QStringLiteral("Details for")), pageStays);
            if (!pageStays)
                QCOMPARE(pageText(details), QString()); // no error page of the engine's
            if (action.startsWith(QLatin1Char('/')))
                save(m_window.get(), QStringLiteral("pages-failed-comment-post.png"));
            // The next page the user goes to takes the band away.
            QVERIFY(details->backbutton()->isEnabled());
            QTest::mouseClick(details->backbutton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!details->failureView() && !details->myWebView()->isLoading(), kWait);
            QTRY_VERIFY_WITH_TIMEOUT(pageText(details).contains(QStringLiteral("Details for")), kWait);
        }
        QVERIFY(closeScreen(details));
    }
};

QTEST_MAIN(TestPageFailures)
#include "tst_pagefailures.moc"
