#include "RecordingAlertPresenter.h"
#include "UtorrentStandIn.h"
#include "platform/core/OperationQueue.h"
#include "platform/core/SettingsStore.h"
#include "remote/FetchPageRemoteUI.h"
#include "remote/ServerInfo.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// The remote settings and the fetch of the client's own web interface.
class TestRemoteUI : public QObject
{
    Q_OBJECT

public:
    void initializeWebView(const QString& page) { m_pages.append(page); }

private Q_SLOTS:
    void initTestCase();
    void init();
    void settersWriteThroughAndReloadSeesTheStore();
    void webInterfaceAlerts_data();
    void webInterfaceAlerts();

private:
    QTemporaryDir m_folder;
    UtorrentStandIn m_utorrent{QStringLiteral("ad@min"), QStringLiteral("p:w/d")};
    RecordingAlertPresenter m_alerts;
    QStringList m_pages;
};

void TestRemoteUI::initTestCase()
{
    SettingsStore::setStandardPath(m_folder.filePath(QStringLiteral("settings.ini")));
    QVERIFY(m_utorrent.start());
}

void TestRemoteUI::init()
{
    m_alerts.clear();
    m_pages.clear();
}

void TestRemoteUI::settersWriteThroughAndReloadSeesTheStore()
{
    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(QStringLiteral("Transmission"));
    info.setPort(QStringLiteral("9091"));
    // Flushed at once: another reader of the file sees the values.
    SettingsStore reader(SettingsStore::standard().fileName());
    QCOMPARE(reader.stringForKey(SettingsKeys::serverClient), QStringLiteral("Transmission"));
    QCOMPARE(reader.stringForKey(SettingsKeys::serverPort), QStringLiteral("9091"));
    QVERIFY(reader.stringForKey(SettingsKeys::serverUser).isNull());

    // Every sharedInstance() reads the store afresh.
    SettingsStore::standard().setString(SettingsKeys::serverAddress, QStringLiteral("10.1.1.1"));
    QCOMPARE(ServerInfo::sharedInstance().address(), QStringLiteral("10.1.1.1"));
    QCOMPARE(ServerInfo::sharedInstance().settings().client, QStringLiteral("Transmission"));
}

void TestRemoteUI::webInterfaceAlerts_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("testing");
    QTest::addColumn<QStringList>("alert"); // title, message; empty: none
    QTest::addColumn<bool>("pageShown");
    const QStringList failure{QStringLiteral("Connection with server failed."),
                              QStringLiteral("The client refused the user name or password.")};
    QTest::newRow("test, good settings") << "p:w/d" << true << QStringList{QStringLiteral("Success!"), QString()} << true;
    QTest::newRow("tab, good settings") << "p:w/d" << false << QStringList() << true;
    QTest::newRow("test, wrong password") << "wrong" << true << failure << false;
    QTest::newRow("tab, wrong password") << "wrong" << false << failure << false;
}

void TestRemoteUI::webInterfaceAlerts()
{
    QFETCH(QString, password);
    QFETCH(bool, testing);
    QFETCH(QStringList, alert);
    QFETCH(bool, pageShown);
    ServerInfo& info = ServerInfo::sharedInstance();
    info.setClient(QStringLiteral("Utorrent"));
    info.setAddress(StandInServer::address());
    info.setPort(QString::number(m_utorrent.port()));
    info.setUsername(QStringLiteral("ad@min"));
    info.setPassword(password);

    OperationQueue queue;
    auto fetch = std::make_unique<FetchPageRemoteUI>(this, &TestRemoteUI::initializeWebView, testing);
    // The credentials stand escaped in the address, which still names the client.
    QCOMPARE(fetch->url().host(), StandInServer::address());
    QCOMPARE(fetch->url().userName(QUrl::FullyDecoded), QStringLiteral("ad@min"));
    QCOMPARE(fetch->url().path(), QStringLiteral("/gui/"));
    queue.addOperation(std::move(fetch));
    QVERIFY(QTest::qWaitFor([this] { return !m_pages.isEmpty(); }, 30000));

    QCOMPARE(m_pages[0].contains(QStringLiteral("uTorrent WebUI")), pageShown);
    QCOMPARE(m_alerts.alerts().size(), alert.isEmpty() ? 0 : 1);
    if (!alert.isEmpty()) {
        const RecordingAlertPresenter::Alert shown = m_alerts.alerts()[0];
        QCOMPARE(shown.title, alert[0]);
        QCOMPARE(shown.message, alert[1]);
        QCOMPARE(shown.button, QStringLiteral("Ok"));
        QVERIFY(shown.onMainThread);
    }
}

QTEST_GUILESS_MAIN(TestRemoteUI)
#include "tst_remoteui.moc"
