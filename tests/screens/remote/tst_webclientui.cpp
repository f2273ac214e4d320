// The "Remote UI" of qBittorrent and Deluge, offscreen with Qt WebEngine against each real
// daemon: the settings test says "Success!" and the client's own interface opens signed in
// (its torrent list shows, which neither client shows before signing in), without the
// password in any address; with a wrong password the tab shows the failure alert and the
// client's own sign-in.
#include "DemoTorrentFile.h"
#include "RecordingAlertPresenter.h"
#include "WebClientDaemons.h"
#include "WebPageText.h"

#include "TestPictures.h"
#include "platform/core/CookieStore.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/WebProfile.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "remote/BitClient.h"
#include "remote/RemoteTexts.h"
#include "remote/ServerInfo.h"
#include "screens/remote/ClientWebViewController.h"
#include "screens/remote/ServerSettingsViewController.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <memory>

namespace {
constexpr int kWait = 60000;
QString pageText(WebView* view)
{
    return webPageText(view->page(), kWait);
}
} // namespace

class TestWebClientUi : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    WebClientDaemons m_daemons{QStringLiteral("qb-ui-pw"), QStringLiteral("deluge-ui-pw")};
    RecordingAlertPresenter m_alerts;
    std::unique_ptr<Window> m_window;
    QPointer<NavigationController> m_navigation;

    static QString torrentName(LoopbackDaemon* daemon) { return daemon->clientName() + QStringLiteral(" list check"); }

    // Puts a torrent into the client through its adapter, so its list has a row to show.
    static bool addTorrent(LoopbackDaemon* daemon)
    {
        const std::unique_ptr<BitClient> client = BitClient::create(daemon->clientName());
        client->setAddress(LoopbackDaemon::address());
        client->setPort(QString::number(daemon->port()));
        client->setUsername(daemon->username());
        client->setPassword(daemon->password());
        client->setFilename(QStringLiteral("check.torrent"));
        client->setFile(DemoTorrentFile::make(torrentName(daemon), QStringLiteral("http://127.0.0.1:9/announce")));
        client->setSessionId();
        return client->upload();
    }

    // The screen as it is reached: the settings screen's test, or the tab.
    ClientWebViewController* show(bool test)
    {
        m_navigation = new NavigationController;
        if (test) {
            auto* settings = new ServerSettingsViewController;
            m_navigation->pushViewController(settings, false);
            m_window->addSubview(m_navigation->view());
            m_window->makeKeyAndVisible();
            settings->test();
        } else {
            m_navigation->pushViewController(new ClientWebViewController(QUrl(), nullptr), false);
            m_window->addSubview(m_navigation->view());
            m_window->makeKeyAndVisible();
        }
        return qobject_cast<ClientWebViewController*>(m_navigation->topViewController());
    }

    static QList<RecordingAlertPresenter::Alert> alertOnce(const QString& title)
    {
        return {{title, title == RemoteTexts::successTitle ? QString(QLatin1String("")) : QStringLiteral("The client refused the user name or password."),
                 RemoteTexts::okButton, true}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s0.ini")));
        QVERIFY2(m_daemons.start(), qPrintable(m_daemons.errorText()));
        for (LoopbackDaemon* daemon : {static_cast<LoopbackDaemon*>(&m_daemons.qbittorrent()), static_cast<LoopbackDaemon*>(&m_daemons.deluge())}) {
            if (daemon->isRunning())
                QVERIFY(addTorrent(daemon));
        }
        m_window = std::make_unique<Window>();
    }

    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        // No session of an earlier case signs the next one in: neither one in the app's store
        // nor one that a page of an earlier case set in the web engine itself (Deluge's pages
        // renew their session cookie with every call).
        CookieStore::shared().deleteAll();
        WebProfile::shared()->cookieStore()->deleteAllCookies();
        m_alerts.clear();
    }

    void cleanup()
    {
        if (m_navigation)
            m_window->removeSubview(m_navigation->view());
        delete m_navigation;
    }

    void testOpensTheInterfaceSignedIn_data() { m_daemons.addRows(); }
    void testOpensTheInterfaceSignedIn()
    {
        LoopbackDaemon* client = m_daemons.current();
        if (!client)
            QSKIP("the client is not installed");
        WebClientDaemons::storeSettings(client, client->password());
        ClientWebViewController* screen = show(true);
        QVERIFY(screen && screen->isTestingSettings());
        QTRY_COMPARE_WITH_TIMEOUT(m_alerts.alerts(), alertOnce(RemoteTexts::successTitle), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(screen->myWebView() && !screen->myWebView()->isLoading(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(pageText(screen->myWebView()).contains(torrentName(client)), kWait);
        QCOMPARE(m_alerts.alerts().size(), 1);

        for (const QUrl& address : {screen->url(), screen->myWebView()->url(), screen->myWebView()->page()->url()})
            QVERIFY2(!address.toString().contains(client->password()), qPrintable(address.toString()));
        QCOMPARE(screen->url().path(), QStringLiteral("/"));
        const QString picture = testPicturePath(
            QStringLiteral("remote-ui-%1.png").arg(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY(m_window->grab().save(picture));
        qInfo("picture: %s", qPrintable(picture));
    }

    void tabWithWrongPasswordAlertsOnce_data() { m_daemons.addRows(); }
    void tabWithWrongPasswordAlertsOnce()
    {
        LoopbackDaemon* client = m_daemons.current();
        if (!client)
            QSKIP("the client is not installed");
        WebClientDaemons::storeSettings(client, QStringLiteral("wrong"));
        ClientWebViewController* screen = show(false);
        QTRY_COMPARE_WITH_TIMEOUT(m_alerts.alerts(), alertOnce(RemoteTexts::connectionFailedTitle), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(screen->myWebView() && !screen->myWebView()->isLoading(), kWait);
        // The client's own sign-in stands there for the user instead of its list.
        QTRY_VERIFY_WITH_TIMEOUT(pageText(screen->myWebView()).contains(QStringLiteral("Password")), kWait);
        QVERIFY(!pageText(screen->myWebView()).contains(torrentName(client)));
        QCOMPARE(m_alerts.alerts().size(), 1);
        const QString picture = testPicturePath(
            QStringLiteral("remote-ui-%1-refused.png").arg(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY(m_window->grab().save(picture));
        qInfo("picture: %s", qPrintable(picture));
    }
};

QTEST_MAIN(TestWebClientUi)
#include "tst_webclientui.moc"
