// The remote client's web interface screen, offscreen with Qt WebEngine: the settings test and
// the "Remote UI" tab against the real transmission-daemon (its own interface working inside
// the view, credentials given to its requests and never put in an address) and against a port
// where nothing listens.
#include "DemoTorrentFile.h"
#include "RecordingAlertPresenter.h"
#include "TransmissionDaemon.h"
#include "WebPageText.h"

#include "TestPictures.h"
#include "platform/core/SettingsStore.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/WebView.h"
#include "platform/ui/Window.h"
#include "remote/RemoteTexts.h"
#include "remote/ServerInfo.h"
#include "screens/remote/ClientWebViewController.h"
#include "screens/remote/ServerSettingsViewController.h"
#include "views/LoadingIndicator.h"
#include "views/PageFailureView.h"

#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>

#include <memory>

namespace {

constexpr int kWait = 30000;

QString pageText(WebView* view)
{
    return webPageText(view->page(), kWait);
}

} // namespace

class TestClientWeb : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    TransmissionDaemon m_daemon{QStringLiteral("remote"), QStringLiteral("s3cr3t-pw")};
    RecordingAlertPresenter m_alerts;
    std::unique_ptr<Window> m_window;
    QPointer<NavigationController> m_navigation;
    QString m_torrentName;

    void storeSettings(int port, const QString& password)
    {
        ServerInfo& info = ServerInfo::sharedInstance();
        info.setClient(QStringLiteral("Transmission"));
        info.setAddress(TransmissionDaemon::address());
        info.setPort(QString::number(port));
        info.setUsername(m_daemon.username());
        info.setPassword(password);
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
        auto* screen = qobject_cast<ClientWebViewController*>(m_navigation->topViewController());
        return screen;
    }

    QList<RecordingAlertPresenter::Alert> alertsOnce(const QString& title, const QString& message = QString())
    {
        return {{title, title == RemoteTexts::successTitle ? QString(QLatin1String("")) : message,
                 RemoteTexts::okButton, true}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (TransmissionDaemon::program().isEmpty())
            QSKIP("transmission-daemon is not installed");
        QVERIFY2(m_daemon.start(), qPrintable(m_daemon.errorText()));
        m_torrentName = QStringLiteral("Remote UI check %1").arg(m_daemon.rpcPort());
        const QByteArray file = DemoTorrentFile::make(m_torrentName, QStringLiteral("http://127.0.0.1:9/announce"));
        QJsonObject add;
        add.insert(QStringLiteral("metainfo"), QString::fromLatin1(file.toBase64()));
        add.insert(QStringLiteral("paused"), true);
        QVERIFY(!m_daemon.rpc(QStringLiteral("torrent-add"), add).isEmpty());
        m_window = std::make_unique<Window>();
    }

    void init()
    {
        SettingsStore::setStandardPath(m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_files)));
        m_alerts.clear();
    }

    void cleanup()
    {
        if (m_navigation)
            m_window->removeSubview(m_navigation->view());
        delete m_navigation;
    }

    // "Success!", then the daemon's own interface, whose scripts sign in with the stored
    // credentials and list the daemon's torrents; no address the view was given holds the
    // password.
    void testShowsTheWorkingInterface()
    {
        storeSettings(m_daemon.rpcPort(), m_daemon.password());
        ClientWebViewController* screen = show(true);
        QVERIFY(screen && screen->isTestingSettings());
        QTRY_COMPARE_WITH_TIMEOUT(m_alerts.alerts(), alertsOnce(RemoteTexts::successTitle), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(screen->myWebView() && !screen->myWebView()->isLoading(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(pageText(screen->myWebView()).contains(m_torrentName), kWait);
        QCOMPARE(m_alerts.alerts().size(), 1);

        for (const QUrl& address : {screen->url(), screen->myWebView()->url(), screen->myWebView()->page()->url()})
            QVERIFY2(!address.toString().contains(m_daemon.password()), qPrintable(address.toString()));
        QVERIFY(!screen->myWebView()->title().contains(m_daemon.password()));
        QCOMPARE(screen->url().path(), QStringLiteral("/transmission/web/"));
        const QString picture = testPicturePath(QStringLiteral("remote-ui.png"));
        QVERIFY(m_window->grab().save(picture));
        qInfo("picture: %s", qPrintable(picture));
    }

    // The tab with good settings says nothing; with a wrong password it shows the failure
    // alert once, and no prompt loop follows.
    void tabAlertsOnlyOnFailure()
    {
        storeSettings(m_daemon.rpcPort(), m_daemon.password());
        ClientWebViewController* screen = show(false);
        QTRY_VERIFY_WITH_TIMEOUT(screen->myWebView() && pageText(screen->myWebView()).contains(m_torrentName), kWait);
        QVERIFY(m_alerts.alerts().isEmpty());
        cleanup();

        storeSettings(m_daemon.rpcPort(), QStringLiteral("wrong"));
        screen = show(false);
        QTRY_COMPARE_WITH_TIMEOUT(m_alerts.alerts(), alertsOnce(RemoteTexts::connectionFailedTitle,
                                                                QStringLiteral("The client refused the user name or password.")),
                                  kWait);
        QTRY_VERIFY_WITH_TIMEOUT(screen->failureView() && screen->failureView()->isVisible(), kWait);
        QCOMPARE(screen->failureLabel()->text(), WebViewController::kFailureHeading
                                                     + QStringLiteral("\nThe client refused the user name or password."));
        QVERIFY(!screen->myWebView() || !pageText(screen->myWebView()).contains(m_torrentName));
    }

    // Nothing listens: the failure alert, and the page area says where nothing listens, with
    // no overlay left; "Try again" once the client is there brings its interface.
    void testAgainstNothingFails()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const int port = probe.serverPort();
        probe.close();
        storeSettings(port, m_daemon.password());
        ClientWebViewController* screen = show(true);
        QTRY_COMPARE_WITH_TIMEOUT(m_alerts.alerts(), alertsOnce(RemoteTexts::connectionFailedTitle,
                                                                QStringLiteral("Nothing is listening at 127.0.0.1:%1.").arg(port)),
                                  kWait);
        QTRY_VERIFY_WITH_TIMEOUT(screen->failureView() && screen->failureView()->isVisible(), kWait);
        QCOMPARE(screen->failureLabel()->text(), WebViewController::kFailureHeading
                                                     + QStringLiteral("\nNothing is listening at 127.0.0.1:%1.").arg(port));
        QVERIFY(!LoadingIndicator::sharedInstance()->isShowing());
        QVERIFY(screen->result().isEmpty());
        const QString picture = testPicturePath(QStringLiteral("remote-ui-failed.png"));
        QVERIFY(m_window->grab().save(picture));

        storeSettings(m_daemon.rpcPort(), m_daemon.password());
        QTest::mouseClick(screen->failureView()->actionBtn(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(screen->myWebView() && pageText(screen->myWebView()).contains(m_torrentName), kWait);
        QVERIFY(!screen->failureView());
    }
};

QTEST_MAIN(TestClientWeb)
#include "tst_clientweb.moc"
